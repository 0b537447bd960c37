#pragma once
// Word lists kept as UTF-8 text, one word a line: the operator's personal list and the shipped
// list of legal vocabulary.

#include <string>
#include <string_view>
#include <unordered_set>
#include <utility>
#include <vector>

namespace norvak {

// A set of words compared without regard to letter case; words are held in CP1251.
class CWordList {
public:
    // Reads a UTF-8 list: one word a line, surrounding spaces and a final CR ignored, empty
    // lines and lines starting with '#' skipped. A second word on the line is a model: a word
    // the dictionary knows that the first one declines or conjugates like ("водоток поток"). False
    // (the list unchanged) when the file cannot be read; a missing file is not an error when
    // missingOk.
    bool Load(const std::string& path, bool missingOk = false);
    // Writes the words added or loaded, in the order they came, as UTF-8 (atomically).
    bool Save(const std::string& path, std::string* error = nullptr) const;
    // Parses the text of a list (UTF-8) and adds its words.
    void AddText(std::string_view utf8);

    // Adds a CP1251 word; false when it was there already or is empty.
    bool Add(std::string_view word);
    bool Contains(std::string_view word) const;
    std::size_t Size() const { return m_order.size(); }
    const std::vector<std::string>& Words() const { return m_order; }
    // The words given with a model, and their models (CP1251).
    const std::vector<std::pair<std::string, std::string>>& Models() const { return m_models; }

private:
    std::unordered_set<std::string> m_keys; // lower case
    std::vector<std::string> m_order;       // as added
    std::vector<std::pair<std::string, std::string>> m_models;
};

} // namespace norvak
