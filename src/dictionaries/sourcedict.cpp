#include "dictionaries/sourcedict.h"

#include "core/literal.h"
#include "dictionaries/archive.h"
#include "dictionaries/dictentry.h"
#include "dictionaries/listingfile.h"

#include <algorithm>

namespace norvak {

void CSourceDict::RemoveAt(int i) {
    if (i >= 0 && i < GetCount())
        m_sources.erase(m_sources.begin() + i);
}

void CSourceDict::Sort() {
    std::stable_sort(m_sources.begin(), m_sources.end(), detail::BytesLess);
}

bool CSourceDict::SaveListing(const std::string& path, COperator& op) const {
    return WriteListing(path, op, "Ошибка сохранения файла"_cp, [this] {
        std::string text("\t\tСловарь источников публикаций\n\n"_cp);
        int number = 0;
        for (const std::string& s : m_sources) {
            text += ' ';
            text += FormatNumber3(++number);
            text += ".  ";
            text += s;
            text += '\n';
        }
        return text;
    });
}

bool CSourceDict::Serialize(CArchive& ar, COperator& op) {
    return RunArchiveSection(op, "Ошибка операции ввода/вывода словаря источников публикации!"_cp,
                             MessageIcon::Error, [&] {
                                 if (ar.IsStoring()) {
                                     ar.PutInt32(static_cast<std::int32_t>(m_sources.size()));
                                     for (const std::string& s : m_sources)
                                         ar.PutString(s);
                                     return;
                                 }
                                 m_sources.clear();
                                 std::int32_t n = ar.GetInt32();
                                 if (n < 0)
                                     throw CArchiveException(CArchiveException::Kind::Read,
                                                             "negative sources count");
                                 ar.CheckCount(n, "sources count");
                                 for (std::int32_t i = 0; i < n; ++i)
                                     m_sources.push_back(ar.GetString());
                             });
}

bool CSourceDict::ConfirmRemoveAll(COperator& op) {
    if (op.AskYesNo("Удалить все источники публикаций?"_cp) != Answer::Yes)
        return false;
    RemoveAll();
    return true;
}

} // namespace norvak
