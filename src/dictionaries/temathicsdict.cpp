#include "dictionaries/temathicsdict.h"

#include "core/codepage.h"
#include "core/literal.h"
#include "core/operatorio.h"
#include "core/textcore.h"
#include "core/textfile.h"
#include "dictionaries/archive.h"

#include <map>
#include <optional>

namespace norvak {

std::string_view ThemeTreeRootText() {
    return "Тематики"_cp;
}

void CTemathicsRec::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.PutString(m_name);
        ar.PutInt32(m_code);
        ar.PutInt32(m_parentCode);
        return;
    }
    m_name = ar.GetString();
    m_code = ar.GetInt32();
    m_parentCode = ar.GetInt32();
}

int CTemathicsDict::AddTheme(std::string_view name, std::int32_t code, std::int32_t parentCode,
                             COperator& op) {
    for (const CTemathicsRec& t : m_themes)
        if (t.Code() == code) {
            op.Message(FormatMessage("Тематитика с кодом %d уже существует!"_cp, code),
                       MessageIcon::Error);
            return 0;
        }
    m_themes.emplace_back(NormalizeName(name), code, parentCode);
    return 1;
}

void CTemathicsDict::RemoveTheme(std::int32_t code) {
    std::vector<bool> removed(m_themes.size(), false);
    std::vector<std::int32_t> pending; // codes of removed themes whose children are not yet gone
    for (std::size_t i = 0; i < m_themes.size(); ++i)
        if (m_themes[i].Code() == code) {
            removed[i] = true;
            pending.push_back(code);
        }
    std::map<std::int32_t, std::vector<std::size_t>> children;
    for (std::size_t i = 0; i < m_themes.size(); ++i)
        children[m_themes[i].ParentCode()].push_back(i);
    while (!pending.empty()) {
        auto it = children.find(pending.back());
        pending.pop_back();
        if (it == children.end())
            continue;
        for (std::size_t i : it->second)
            if (!removed[i]) {
                removed[i] = true;
                pending.push_back(m_themes[i].Code());
            }
        children.erase(it); // every child of this code is gone now
    }
    std::vector<CTemathicsRec> kept;
    kept.reserve(m_themes.size());
    for (std::size_t i = 0; i < m_themes.size(); ++i)
        if (!removed[i])
            kept.push_back(std::move(m_themes[i]));
    m_themes = std::move(kept);
}

int CTemathicsDict::LoadRubricator(const std::string& path, RubricatorEncoding encoding,
                                   COperator& op) {
    std::string bytes;
    if (!ReadFileBytes(path, bytes)) {
        op.Message("Ошибка чтения файла!"_cp, MessageIcon::Error);
        return 0;
    }
    return LoadRubricatorBytes(bytes, encoding, op);
}

int CTemathicsDict::LoadRubricatorBytes(std::string_view bytes, RubricatorEncoding encoding,
                                        COperator& op) {
    m_themes.clear();
    std::vector<std::int32_t> parents;
    std::optional<std::int32_t> lastCode; // code of the most recent theme line
    for (const std::string& raw : SplitTextLines(bytes)) {
        std::string line = NormalizeName(
            encoding == RubricatorEncoding::Dos ? Cp866ToCp1251(std::string_view(raw)) : raw);
        if (line.empty())
            continue;
        const char first = line[0];
        if (first == '{') {
            // An opening before any theme line has nothing to open; it is ignored.
            if (lastCode)
                parents.push_back(*lastCode);
            continue;
        }
        if (first == '}' && !parents.empty()) {
            parents.pop_back();
            continue;
        }
        if (first >= '0' && first <= '9') {
            std::int32_t code = LeadingInt(line);
            std::size_t space = line.find(' ');
            std::string name = space == std::string::npos ? line : line.substr(space + 1);
            std::int32_t parent = parents.empty() ? 0 : parents.back();
            if (!AddTheme(name, code, parent, op)) {
                op.Message("Данный рубрикатор содержит ошибки!\nОперация будет прервана."_cp,
                           MessageIcon::Error);
                return 0;
            }
            lastCode = code;
            continue;
        }
        // A continuation line lengthens the last theme's name; before any theme it is ignored.
        if (!m_themes.empty()) {
            CTemathicsRec& last = m_themes.back();
            last.SetName(last.Name() + " " + line);
        }
    }
    if (!parents.empty())
        op.Message("Возможно ошибочный формат файла"_cp, MessageIcon::Exclamation);
    return 1;
}

std::vector<CThemeTreeItem> CTemathicsDict::BuildTree() const {
    // Children of every parent code, in dictionary order; a theme is placed at most once, so
    // repeated codes and cycles end.
    std::map<std::int32_t, std::vector<std::size_t>> children;
    for (std::size_t i = 0; i < m_themes.size(); ++i)
        children[m_themes[i].ParentCode()].push_back(i);
    std::vector<bool> placed(m_themes.size(), false);
    std::vector<CThemeTreeItem> items;

    struct Frame {
        const std::vector<std::size_t>* list;
        std::size_t next;
        int item; // parent item index, -1 for the root
        int depth;
    };
    auto listOf = [&](std::int32_t code) -> const std::vector<std::size_t>* {
        auto it = children.find(code);
        return it == children.end() ? nullptr : &it->second;
    };
    std::vector<Frame> stack;
    if (const auto* top = listOf(0))
        stack.push_back({top, 0, -1, 1});
    while (!stack.empty()) {
        Frame& f = stack.back();
        if (f.next >= f.list->size()) {
            stack.pop_back();
            continue;
        }
        std::size_t i = (*f.list)[f.next++];
        if (placed[i])
            continue;
        placed[i] = true;
        const CTemathicsRec& t = m_themes[i];
        CThemeTreeItem item;
        item.code = t.Code();
        item.text = std::to_string(t.Code()) + ", " + t.Name();
        item.parentItem = f.item;
        item.depth = f.depth;
        const int depth = f.depth;
        items.push_back(std::move(item));
        if (const auto* sub = listOf(t.Code()))
            stack.push_back({sub, 0, static_cast<int>(items.size()) - 1, depth + 1});
    }
    return items;
}

bool CTemathicsDict::Serialize(CArchive& ar, COperator& op) {
    return RunArchiveSection(op, "Ошибка операции ввода/вывода словаря тематик!"_cp,
                             MessageIcon::Error, [&] {
                                 if (ar.IsStoring()) {
                                     ar.PutInt32(static_cast<std::int32_t>(m_themes.size()));
                                     for (CTemathicsRec& t : m_themes)
                                         t.Serialize(ar);
                                     return;
                                 }
                                 m_themes.clear();
                                 std::int32_t n = ar.GetInt32();
                                 ar.CheckCount(n, "themes count");
                                 for (std::int32_t i = 0; i < n; ++i) {
                                     CTemathicsRec t;
                                     t.Serialize(ar);
                                     m_themes.push_back(std::move(t));
                                 }
                             });
}

bool CTemathicsDict::ConfirmRemoveAll(COperator& op) {
    if (op.AskYesNo("Очистить словарь тематик?"_cp) != Answer::Yes)
        return false;
    RemoveAll();
    return true;
}

} // namespace norvak
