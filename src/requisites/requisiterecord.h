#pragma once
// The eighteen requisites of one document plus its text lines.

#include "core/textcore.h"
#include "requisites/datevalue.h"

#include <string>
#include <vector>

namespace norvak {

// Identifiers of the requisites in the source format ("$" followed by the number).
enum RequisiteId {
    kReqDbNumber = 0,
    kReqEntryDate = 100,
    kReqTextDate = 101,
    kReqFirstEdition = 19,
    kReqEditionDate = 17,
    kReqStatus = 16,
    kReqNote = 3,
    kReqThemes = 13,
    kReqSources = 10,
    kReqLinks = 11,
    kReqKinds = 5,
    kReqOrgans = 4,
    kReqAdoptionDates = 6,
    kReqNumbers = 7,
    kReqJusticeDate = 14,
    kReqJusticeNumber = 15,
    kReqTitle = 9,
    kReqText = 18,
};

// The requisites in declaration order: id and CP1251 label ("Номер в базе", ...).
struct RequisiteInfo {
    RequisiteId id;
    const char* label; // CP1251
};
const std::vector<RequisiteInfo>& RequisiteTable();
std::string RequisiteLabel(RequisiteId id);

// All requisites of a document; a value, copied deeply.
class CRequisiteRecord {
public:
    CRequisiteRecord();

    void Clear();
    // Removes later repetitions from every list field (the text lines excepted).
    void RemoveDuplicates();

    int m_dbNumber = -1;                     // "Номер в базе"
    CDateValue m_entryDate;                  // "Дата ввода/изменения"
    CDateValue m_textDate;                   // "Дата ввода текста"
    int m_firstEdition = -1;                 // "Первая редакция"
    CDateValue m_editionDate;                // "Редакция от"
    int m_status = 0;                        // "Поиск по статусу" (0, 1, 2)
    std::string m_note;                      // "Примечание к документу"
    std::vector<int> m_themes;               // "Тематика"
    std::vector<std::string> m_sources;      // "Источник публикации"
    std::vector<std::string> m_links;        // "Ссылки"
    std::vector<std::string> m_kinds;        // "Вид документа"
    std::vector<std::string> m_organs;       // "Принявший орган"
    std::vector<CDateValue> m_adoptionDates; // "Дата принятия"
    std::vector<std::string> m_numbers;      // "Номер"
    CDateValue m_justiceDate;                // "Дата в Минюсте"
    std::string m_justiceNumber;             // "Номер в Минюсте"
    std::string m_title;                     // "Название документа"
    LineList m_text;                         // "Текст документа"
};

} // namespace norvak
