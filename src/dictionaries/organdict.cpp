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

void COrganDict::RemoveAt(int i) {
    if (i >= 0 && i < GetCount())
        m_entries.erase(m_entries.begin() + i);
}

void COrganDict::SortByWordCount() { detail::SortEntriesByWordCount(m_entries); }

void COrganDict::SortByName() { detail::SortEntriesByName(m_entries); }

bool COrganDict::SaveListing(const std::string& path, COperator& op) {
    CListingFile file;
    if (!file.Open(path)) {
        op.Message("Ошибка открытия файла!"_cp, MessageIcon::Error);
        return false;
    }
    std::string text;
    text += "                           "; // 27 spaces centre the title
    text += "Словарь принявших органов\n\n"_cp;
    SortByName();
    int number = 0;
    for (const COrganEntry& e : m_entries) {
        const CCases& c = e.GetCases();
        text += ' ';
        text += FormatNumber3(++number);
        text += "   Именительный падеж: "_cp;
        text += c.Form(CaseNominative);
        text += "\n       Родительный падеж:  "_cp;
        text += c.Form(CaseGenitive);
        text += "\n       Творительный падеж: "_cp;
        text += c.Form(CaseInstrumental);
        text += "\n       С учётом регистра:  "_cp;
        text += e.LetterCaseName();
        if (!e.Aliases().empty()) {
            text += "\n           Псевдонимы"_cp;
            for (const CCases& alias : e.Aliases()) {
                text += "\n          Именительный падеж: "_cp;
                text += alias.Form(CaseNominative);
                text += "\n          Родительный падеж:  "_cp;
                text += alias.Form(CaseGenitive);
                text += "\n          Творительный падеж: "_cp;
                text += alias.Form(CaseInstrumental);
                text += '\n';
            }
        }
        text += '\n';
    }
    if (!file.Write(text) || !file.Close()) {
        op.Message("Ошибка сохранения файла!"_cp, MessageIcon::Error);
        return false;
    }
    return true;
}

bool COrganDict::Serialize(CArchive& ar, COperator& op) {
    return RunArchiveSection(op, "Ошибка операции ввода/вывода словаря принявших органов!"_cp,
                             MessageIcon::Error, [&] {
                                 if (ar.IsStoring()) {
                                     ar.PutInt32(static_cast<std::int32_t>(m_entries.size()));
                                     for (COrganEntry& e : m_entries)
                                         e.Serialize(ar);
                                     return;
                                 }
                                 m_entries.clear();
                                 std::int32_t n = ar.GetInt32();
                                 ar.CheckCount(n, "bodies count");
                                 for (std::int32_t i = 0; i < n; ++i) {
                                     COrganEntry e(m_uniDict, m_upperCase);
                                     e.Serialize(ar);
                                     m_entries.push_back(std::move(e));
                                 }
                             });
}

bool COrganDict::ConfirmRemoveAll(COperator& op) {
    if (op.AskYesNo("Удалить все принявшие органы?"_cp) != Answer::Yes)
        return false;
    RemoveAll();
    return true;
}

} // namespace norvak
