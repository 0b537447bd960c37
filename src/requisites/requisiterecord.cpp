#include "requisites/requisiterecord.h"

#include "core/literal.h"

#include <cstddef>
#include <set>
#include <utility>

namespace norvak {

const std::vector<RequisiteInfo>& RequisiteTable() {
    // The literals' storage is static and NUL-terminated, so data() serves as a C string.
    static const std::vector<RequisiteInfo> table = {
        {kReqDbNumber, "Номер в базе"_cp.data()},
        {kReqEntryDate, "Дата ввода/изменения"_cp.data()},
        {kReqTextDate, "Дата ввода текста"_cp.data()},
        {kReqFirstEdition, "Первая редакция"_cp.data()},
        {kReqEditionDate, "Редакция от"_cp.data()},
        {kReqStatus, "Поиск по статусу"_cp.data()},
        {kReqNote, "Примечание к документу"_cp.data()},
        {kReqThemes, "Тематика"_cp.data()},
        {kReqSources, "Источник публикации"_cp.data()},
        {kReqLinks, "Ссылки"_cp.data()},
        {kReqKinds, "Вид документа"_cp.data()},
        {kReqOrgans, "Принявший орган"_cp.data()},
        {kReqAdoptionDates, "Дата принятия"_cp.data()},
        {kReqNumbers, "Номер"_cp.data()},
        {kReqJusticeDate, "Дата в Минюсте"_cp.data()},
        {kReqJusticeNumber, "Номер в Минюсте"_cp.data()},
        {kReqTitle, "Название документа"_cp.data()},
        {kReqText, "Текст документа"_cp.data()},
    };
    return table;
}

std::string RequisiteLabel(RequisiteId id) {
    for (const RequisiteInfo& info : RequisiteTable())
        if (info.id == id)
            return info.label;
    return {};
}

namespace {

// Keeps the first occurrence of every value in place and drops the later ones, the survivors
// keeping their order. An item whose keyOf reports it as not comparable always stays.
template <typename T, typename Key, typename KeyOf>
void RemoveLater(std::vector<T>& list, KeyOf keyOf) {
    std::set<Key> seen;
    std::size_t kept = 0;
    for (std::size_t i = 0; i < list.size(); ++i) {
        auto [key, comparable] = keyOf(list[i]);
        if (comparable && !seen.insert(key).second)
            continue;
        if (kept != i)
            list[kept] = std::move(list[i]);
        ++kept;
    }
    list.resize(kept);
}

template <typename T> void RemoveLaterEqual(std::vector<T>& list) {
    RemoveLater<T, T>(list, [](const T& item) { return std::pair<T, bool>(item, true); });
}

} // namespace

CRequisiteRecord::CRequisiteRecord()
    : m_entryDate(NoDate()), m_textDate(NoDate()), m_editionDate(NoDate()),
      m_justiceDate(NoDate()) {}

void CRequisiteRecord::Clear() {
    *this = CRequisiteRecord();
}

void CRequisiteRecord::RemoveDuplicates() {
    // Dates compare by value, and a date that is not valid equals no other date.
    RemoveLater<CDateValue, double>(m_adoptionDates, [](const CDateValue& d) {
        return std::pair<double, bool>(d.Value(), d.IsValid());
    });
    RemoveLaterEqual(m_kinds);
    RemoveLaterEqual(m_numbers);
    RemoveLaterEqual(m_organs);
    RemoveLaterEqual(m_links);
    RemoveLaterEqual(m_sources);
    RemoveLaterEqual(m_themes);
}

} // namespace norvak
