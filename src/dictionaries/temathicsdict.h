#pragma once
// CTemathicsDict, the themes rubricator: numbered subject headings stored flat, each naming
// its parent by number, loaded in bulk from a rubricator text file.

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace norvak {

class CArchive;
class COperator;

// One theme: its number, its parent's number (0 at the top) and its normalised name.
class CTemathicsRec {
public:
    CTemathicsRec() = default;
    CTemathicsRec(std::string_view name, std::int32_t code, std::int32_t parentCode)
        : m_code(code), m_parentCode(parentCode), m_name(name) {}

    std::int32_t Code() const { return m_code; }
    void SetCode(std::int32_t c) { m_code = c; }
    std::int32_t ParentCode() const { return m_parentCode; }
    void SetParentCode(std::int32_t c) { m_parentCode = c; }
    const std::string& Name() const { return m_name; }
    void SetName(std::string_view n) { m_name = n; }

    // Name, Code, ParentCode. Errors reach the caller as CArchiveException.
    void Serialize(CArchive& ar);

    bool operator==(const CTemathicsRec&) const = default;

private:
    std::int32_t m_code = 0;
    std::int32_t m_parentCode = 0;
    std::string m_name;
};

// Encoding of a rubricator file, as the operator chose it.
enum class RubricatorEncoding { Dos, Windows };

// One item of the themes tree as the dialogs show it, in the order they insert the items
// (depth first). The root item "Тематики" (data 0) is implicit and not in the list.
struct CThemeTreeItem {
    std::int32_t code = 0; // the item's data
    std::string text;      // "%i, %s": code and name
    int parentItem = -1;   // index of the parent item in the list, -1 for the root
    int depth = 1;         // 1 for the items directly under the root
};

// Caption of the tree's root item.
std::string_view ThemeTreeRootText();

// The themes in insertion order, which is the order of siblings in the tree.
class CTemathicsDict {
public:
    int GetCount() const { return static_cast<int>(m_themes.size()); }
    const CTemathicsRec& GetAt(int i) const { return m_themes[static_cast<std::size_t>(i)]; }
    CTemathicsRec& GetAt(int i) { return m_themes[static_cast<std::size_t>(i)]; }
    const std::vector<CTemathicsRec>& Themes() const { return m_themes; }
    void RemoveAll() { m_themes.clear(); }
    // Puts themes in place of the dictionary's, as they are (names not normalised again).
    void SetThemes(std::vector<CTemathicsRec> themes) { m_themes = std::move(themes); }
    // Asks "Очистить словарь тематик?" (Yes/No) and empties the dictionary on Yes; true when
    // emptied.
    bool ConfirmRemoveAll(COperator& op);

    // Appends the theme with its name normalised; refuses (0) with "Тематитика с кодом %d
    // уже существует!" when the code is taken. 1 when added.
    int AddTheme(std::string_view name, std::int32_t code, std::int32_t parentCode, COperator& op);
    // Removes every theme with this code and, recursively, the themes under them.
    void RemoveTheme(std::int32_t code);

    // Reads a rubricator file over the dictionary. 1 when read to the end (after the warning
    // "Возможно ошибочный формат файла" when braces stay open); 0 after a duplicate code
    // (themes read before it stay) or a read error (dictionary unchanged).
    int LoadRubricator(const std::string& path, RubricatorEncoding encoding, COperator& op);
    // The same over the file's bytes.
    int LoadRubricatorBytes(std::string_view bytes, RubricatorEncoding encoding, COperator& op);

    // The tree the dialogs show: every theme reached from parent 0, each placed once.
    std::vector<CThemeTreeItem> BuildTree() const;
    // Number of themes placed in the tree (what "Количество тематик:" shows).
    int TreeCount() const { return static_cast<int>(BuildTree().size()); }

    // Loads (after emptying; a count <= 0 is empty) or stores the section; errors are
    // reported to op and not passed on. False after an error; the records read stay.
    bool Serialize(CArchive& ar, COperator& op);

    bool operator==(const CTemathicsDict&) const = default;

private:
    std::vector<CTemathicsRec> m_themes;
};

} // namespace norvak
