#include "dictionaries/organdict.h"

#include "core/literal.h"
#include "core/textcore.h"
#include "dictionaries/archive.h"
#include "dictionaries/listingfile.h"
#include "dictionaries/uppercasedict.h"

namespace norvak {

void COrganEntry::SetLetterCaseName(std::string_view name) {
    m_letterCaseName = name;
    if (m_upperCase)
        m_upperCase->LearnLetterCase(NormalizeName(name), name);
}

void COrganEntry::Serialize(CArchive& ar) {
    CDictEntry::Serialize(ar);
    if (ar.IsStoring())
        ar.PutString(m_letterCaseName);
    else
        m_letterCaseName = ar.GetString();
}

bool COrganDict::SaveListing(const std::string& path, COperator& op) {
    return WriteListing(path, op, "Ошибка сохранения файла!"_cp, [this] {
        std::string text;
        text += "                           "; // 27 spaces centre the title
        text += "Словарь принявших органов\n\n"_cp;
        SortByName();
        int number = 0;
        for (const COrganEntry& e : m_entries)
            detail::AppendListedEntry(
                text, ++number, e, {CaseNominative, CaseGenitive, CaseInstrumental},
                std::string("\n       С учётом регистра:  "_cp) + e.LetterCaseName());
        return text;
    });
}

bool COrganDict::Serialize(CArchive& ar, COperator& op) {
    return RunArchiveSection(
        op, "Ошибка операции ввода/вывода словаря принявших органов!"_cp, MessageIcon::Error,
        [&] { SerializeEntries(ar, "bodies count", nullptr, [this] { return CreateEntry(); }); });
}

void COrganDict::LinkUpperCaseDict(CUpperCaseDict* upperCase) {
    m_upperCase = upperCase;
    for (int i = 0; i < GetCount(); ++i)
        GetAt(i).SetUpperCaseDict(upperCase);
}

bool COrganDict::ConfirmRemoveAll(COperator& op) {
    return CEntryList::ConfirmRemoveAll(op, "Удалить все принявшие органы?"_cp);
}

} // namespace norvak
