#pragma once
// CUniDict, the universal dictionary: a list of case-form records that the kinds and bodies
// entries link to and that travels in the service data file.

#include "dictionaries/cases.h"

#include <vector>

namespace norvak {

class CArchive;
class COperator;

// An ordered list of CCases records owned by value.
class CUniDict {
public:
    int GetCount() const { return static_cast<int>(m_records.size()); }
    const CCases& GetAt(int i) const { return m_records[static_cast<std::size_t>(i)]; }
    void Add(const CCases& record) { m_records.push_back(record); }
    void RemoveAll() { m_records.clear(); }
    // Asks "Очистить словарь падежей?" (Yes/No) and empties the dictionary on Yes; true when
    // emptied.
    bool ConfirmRemoveAll(COperator& op);

    // Loads (after emptying) or stores the section; an error is reported to op with the
    // dictionary's own message and not passed on. False after an error; the records read
    // completely so far stay.
    bool Serialize(CArchive& ar, COperator& op);

    bool operator==(const CUniDict&) const = default;

private:
    std::vector<CCases> m_records;
};

} // namespace norvak
