#pragma once
// CDocDict, the dictionary of document kinds, and its entry CDocKindEntry.

#include "dictionaries/dictentry.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace norvak {

class CArchive;
class COperator;
class CUniDict;

// Grammatical gender of a kind's word, as stored.
enum DocGender : std::int32_t { GenderMasculine = 0, GenderFeminine = 1, GenderNeuter = 2 };

// A kind of document: its case forms and aliases, the gender of its word and whether the
// document's title goes in quotes after it.
class CDocKindEntry : public CDictEntry {
public:
    CDocKindEntry() = default;
    explicit CDocKindEntry(CUniDict* uniDict) : CDictEntry(uniDict) {}

    std::int32_t Gender() const { return m_gender; }
    void SetGender(std::int32_t g) { m_gender = g; }
    std::int32_t QuoteTitle() const { return m_quoteTitle; }
    void SetQuoteTitle(std::int32_t q) { m_quoteTitle = q; }

    // Common part, then QuoteTitle, then Gender.
    void Serialize(CArchive& ar) override;

    bool operator==(const CDocKindEntry& o) const {
        return SameEntryData(o) && m_gender == o.m_gender && m_quoteTitle == o.m_quoteTitle;
    }

private:
    std::int32_t m_gender = GenderMasculine;
    std::int32_t m_quoteTitle = 0;
};

// The ordered kinds of documents the analysis recognises.
class CDocDict : public CEntryList<CDocKindEntry> {
public:
    CDocDict() = default;

    // A new entry linked to this dictionary's universal dictionary (not yet added).
    CDocKindEntry CreateEntry() const { return CDocKindEntry(m_uniDict); }
    // Asks "Удалить все виды документов?" (Yes/No) and empties the dictionary on Yes; true when
    // emptied.
    bool ConfirmRemoveAll(COperator& op);

    // Gender of the first entry whose nominative equals name byte for byte; 0 when none does.
    std::int32_t FindGender(std::string_view name) const;

    // Sorts by name and writes the catalogue to path (CR LF, CP1251). Reports "Ошибка
    // открытия файла!" or "Ошибка сохранения файла" to op; false then. What was written stays.
    bool SaveListing(const std::string& path, COperator& op);

    // Loads (after emptying) or stores the section; errors are reported to op and not passed
    // on. False after an error; the entries read completely so far stay.
    bool Serialize(CArchive& ar, COperator& op);
};

} // namespace norvak
