#pragma once
// CUpperCaseDict, the letter-case dictionary: how the operator spelled each word of the
// adopting-body names, so that a name found in capitals can be written back properly.

#include <map>
#include <string>
#include <string_view>

namespace norvak {

class CArchive;
class COperator;

// Map from a word in capitals (a word of a normalised name) to its spelling as typed; keys
// ordered by unsigned CP1251 bytes.
class CUpperCaseDict {
public:
    using WordMap = std::map<std::string, std::string>;

    int GetCount() const { return static_cast<int>(m_words.size()); }
    const WordMap& Words() const { return m_words; }
    // The spelling of key, or nullptr when it was never learned.
    const std::string* Find(std::string_view key) const;

    // Adds the pair, or replaces the spelling of an existing key when it differs.
    void SetWordCase(std::string_view key, std::string_view spelling);
    // Learns the spelling of every word of keyPhrase (normalised) from the same word of
    // typedPhrase; nothing when their word counts differ.
    void LearnLetterCase(std::string_view keyPhrase, std::string_view typedPhrase);
    // form (a case form in capitals) with the capitals of the learned spellings of keyPhrase's
    // words laid over it position by position; unlearned words come out in lower case. When
    // the word counts differ, form is returned unchanged.
    std::string ApplyLetterCase(std::string_view keyPhrase, std::string_view form) const;
    void RemoveAll() { m_words.clear(); }
    // Asks "Очистить словарь регистров букв в принявших органах?" (Yes/No) and empties the
    // dictionary on Yes; true when emptied.
    bool ConfirmRemoveAll(COperator& op);

    // Loads (after emptying) or stores the section; errors are reported to op and not passed
    // on. False after an error; the pairs read so far stay.
    bool Serialize(CArchive& ar, COperator& op);

    bool operator==(const CUpperCaseDict&) const = default;

private:
    WordMap m_words;
};

} // namespace norvak
