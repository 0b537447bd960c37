#pragma once
// COrganDict, the dictionary of adopting bodies, and its entry COrganEntry.

#include "dictionaries/dictentry.h"

#include <string>
#include <string_view>
#include <vector>

namespace norvak {

class CArchive;
class COperator;
class CUniDict;
class CUpperCaseDict;

// An adopting body: case forms (nominative, genitive, instrumental), aliases and the name
// as it must be spelled.
class COrganEntry : public CDictEntry {
public:
    COrganEntry() = default;
    COrganEntry(CUniDict* uniDict, CUpperCaseDict* upperCase)
        : CDictEntry(uniDict), m_upperCase(upperCase) {}

    const std::string& LetterCaseName() const { return m_letterCaseName; }
    // Stores name unchanged and teaches the letter-case dictionary (when linked) the spelling
    // of its words, keyed by the normalised name.
    void SetLetterCaseName(std::string_view name);

    CUpperCaseDict* GetUpperCaseDict() const { return m_upperCase; }
    void SetUpperCaseDict(CUpperCaseDict* upperCase) { m_upperCase = upperCase; }

    // Common part, then LetterCaseName. Loading does not register the spelling.
    void Serialize(CArchive& ar) override;

    bool operator==(const COrganEntry& o) const {
        return SameEntryData(o) && m_letterCaseName == o.m_letterCaseName;
    }

private:
    std::string m_letterCaseName;
    CUpperCaseDict* m_upperCase = nullptr; // not owned, not stored
};

// The ordered adopting bodies the analysis recognises.
class COrganDict : public CEntryList<COrganEntry> {
public:
    COrganDict() = default;

    // A new entry linked to this dictionary's universal and letter-case dictionaries.
    COrganEntry CreateEntry() const { return COrganEntry(m_uniDict, m_upperCase); }
    // Asks "Удалить все принявшие органы?" (Yes/No) and empties the dictionary on Yes; true when
    // emptied.
    bool ConfirmRemoveAll(COperator& op);

    // Sorts by name and writes the catalogue to path (CR LF, CP1251). Reports "Ошибка
    // открытия файла!" or "Ошибка сохранения файла!" to op; false then.
    bool SaveListing(const std::string& path, COperator& op);

    // Loads (after emptying) or stores the section; errors are reported to op and not passed
    // on. False after an error; the entries read completely so far stay.
    bool Serialize(CArchive& ar, COperator& op);

    CUpperCaseDict* GetUpperCaseDict() const { return m_upperCase; }
    void SetUpperCaseDict(CUpperCaseDict* upperCase) { m_upperCase = upperCase; }
    // Links this dictionary and every entry it holds to upperCase, so that the spellings they
    // are given teach that one: a copy being edited teaches a copy of the letter-case
    // dictionary, which is taken over only with it.
    void LinkUpperCaseDict(CUpperCaseDict* upperCase);

private:
    CUpperCaseDict* m_upperCase = nullptr; // not owned
};

} // namespace norvak
