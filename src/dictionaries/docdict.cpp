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

void CDocDict::RemoveAt(int i) {
    if (i >= 0 && i < GetCount())
        m_entries.erase(m_entries.begin() + i);
}

std::int32_t CDocDict::FindGender(std::string_view name) const {
    for (const CDocKindEntry& e : m_entries)
        if (e.Name() == name)
            return e.Gender();
    return GenderMasculine;
}

void CDocDict::SortByWordCount() { detail::SortEntriesByWordCount(m_entries); }

void CDocDict::SortByName() { detail::SortEntriesByName(m_entries); }

bool CDocDict::SaveListing(const std::string& path, COperator& op) {
    CListingFile file;
    if (!file.Open(path)) {
        op.Message("Ошибка открытия файла!"_cp, MessageIcon::Error);
        return false;
    }
    std::string text;
    text += "                           "; // 27 spaces centre the title
    text += "Словарь видов документов\n\n"_cp;
    SortByName();
    int number = 0;
    for (const CDocKindEntry& e : m_entries) {
        text += ' ';
        text += FormatNumber3(++number);
        text += "   Именительный падеж: "_cp;
        text += e.GetCases().Form(CaseNominative);
        text += "\n       Творительный падеж: "_cp;
        text += e.GetCases().Form(CaseInstrumental);
        text += '\n';
        if (!e.Aliases().empty()) {
            text += "\n           Псевдонимы"_cp;
            for (const CCases& alias : e.Aliases()) {
                text += "\n          Именительный падеж: "_cp;
                text += alias.Form(CaseNominative);
                text += "\n          Творительный падеж: "_cp;
                text += alias.Form(CaseInstrumental);
                text += '\n';
            }
        }
        text += '\n';
    }
    if (!file.Write(text) || !file.Close()) {
        op.Message("Ошибка сохранения файла"_cp, MessageIcon::Error);
        return false;
    }
    return true;
}

bool CDocDict::Serialize(CArchive& ar, COperator& op) {
    return RunArchiveSection(
        op, "Ошибка операции ввода/вывода словаря видов документов!"_cp, MessageIcon::Error, [&] {
            if (ar.IsStoring()) {
                ar.PutInt32(static_cast<std::int32_t>(m_entries.size()));
                for (CDocKindEntry& e : m_entries)
                    e.Serialize(ar);
                return;
            }
            m_entries.clear();
            std::int32_t n = ar.GetInt32();
            if (n < 0)
                throw CArchiveException(CArchiveException::Kind::Read, "negative kinds count");
            ar.CheckCount(n, "kinds count");
            for (std::int32_t i = 0; i < n; ++i) {
                CDocKindEntry e(m_uniDict);
                e.Serialize(ar);
                m_entries.push_back(std::move(e));
            }
        });
}

bool CDocDict::ConfirmRemoveAll(COperator& op) {
    if (op.AskYesNo("Удалить все виды документов?"_cp) != Answer::Yes)
        return false;
    RemoveAll();
    return true;
}

} // namespace norvak
