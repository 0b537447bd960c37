#include "dictionaries/docdict.h"

#include "core/literal.h"
#include "core/textcore.h"
#include "dictionaries/archive.h"
#include "dictionaries/listingfile.h"

namespace norvak {

void CDocKindEntry::Serialize(CArchive& ar) {
    CDictEntry::Serialize(ar);
    if (ar.IsStoring()) {
        ar.PutInt32(m_quoteTitle);
        ar.PutInt32(m_gender);
        return;
    }
    m_quoteTitle = ar.GetInt32();
    m_gender = ar.GetInt32();
}

std::int32_t CDocDict::FindGender(std::string_view name) const {
    for (const CDocKindEntry& e : m_entries)
        if (e.Name() == name)
            return e.Gender();
    return GenderMasculine;
}

bool CDocDict::SaveListing(const std::string& path, COperator& op) {
    return WriteListing(path, op, "Ошибка сохранения файла"_cp, [this] {
        std::string text;
        text += "                           "; // 27 spaces centre the title
        text += "Словарь видов документов\n\n"_cp;
        SortByName();
        int number = 0;
        for (const CDocKindEntry& e : m_entries)
            detail::AppendListedEntry(text, ++number, e, {CaseNominative, CaseInstrumental}, "\n");
        return text;
    });
}

bool CDocDict::Serialize(CArchive& ar, COperator& op) {
    return RunArchiveSection(op, "Ошибка операции ввода/вывода словаря видов документов!"_cp,
                             MessageIcon::Error, [&] {
                                 SerializeEntries(ar, "kinds count", "negative kinds count",
                                                  [this] { return CreateEntry(); });
                             });
}

bool CDocDict::ConfirmRemoveAll(COperator& op) {
    return CEntryList::ConfirmRemoveAll(op, "Удалить все виды документов?"_cp);
}

} // namespace norvak
