#pragma once
// CSourceDict, the list of publication sources the requisite "Источник публикации" takes.

#include <string>
#include <string_view>
#include <vector>

namespace norvak {

class CArchive;
class COperator;

// An ordered list of source names (CP1251); duplicates are allowed.
class CSourceDict {
public:
    int GetCount() const { return static_cast<int>(m_sources.size()); }
    std::string GetAt(int i) const { return m_sources[static_cast<std::size_t>(i)]; }
    const std::vector<std::string>& Sources() const { return m_sources; }
    void Add(std::string_view source) { m_sources.emplace_back(source); }
    void RemoveAt(int i);
    void RemoveAll() { m_sources.clear(); }
    // Asks "Удалить все источники публикаций?" (Yes/No) and empties the list on Yes; true when
    // emptied.
    bool ConfirmRemoveAll(COperator& op);

    // Ascending by unsigned bytes, a prefix first.
    void Sort();

    // Writes the catalogue in the current order to path (CR LF, CP1251). Reports "Ошибка
    // открытия файла!" or "Ошибка сохранения файла" to op; false then.
    bool SaveListing(const std::string& path, COperator& op) const;

    // Loads (after emptying) or stores the section; errors are reported to op and not passed
    // on. A negative count is an error at once. False after an error; the strings read stay.
    bool Serialize(CArchive& ar, COperator& op);

    bool operator==(const CSourceDict&) const = default;

private:
    std::vector<std::string> m_sources;
};

} // namespace norvak
