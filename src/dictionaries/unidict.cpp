#include "dictionaries/unidict.h"

#include "core/literal.h"
#include "dictionaries/archive.h"

namespace norvak {

bool CUniDict::Serialize(CArchive& ar, COperator& op) {
    return RunArchiveSection(op, "Ошибка операции ввода/вывода универсального словаря!"_cp,
                             MessageIcon::None, [&] {
                                 if (ar.IsStoring()) {
                                     ar.PutInt32(static_cast<std::int32_t>(m_records.size()));
                                     for (CCases& record : m_records)
                                         record.Serialize(ar);
                                     return;
                                 }
                                 m_records.clear();
                                 std::int32_t n = ar.GetInt32();
                                 ar.CheckCount(n, "universal dictionary count");
                                 for (std::int32_t i = 0; i < n; ++i) {
                                     CCases record;
                                     record.Serialize(ar);
                                     m_records.push_back(std::move(record));
                                 }
                             });
}

bool CUniDict::ConfirmRemoveAll(COperator& op) {
    if (op.AskYesNo("Очистить словарь падежей?"_cp) != Answer::Yes)
        return false;
    RemoveAll();
    return true;
}

} // namespace norvak
