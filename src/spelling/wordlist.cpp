#include "spelling/wordlist.h"

#include "core/codepage.h"
#include "core/textcore.h"
#include "core/textfile.h"

#include <filesystem>

namespace norvak {

bool CWordList::Load(const std::string& path, bool missingOk) {
    std::error_code ec;
    if (!std::filesystem::exists(path, ec))
        return missingOk;
    std::string bytes;
    if (!ReadFileBytes(path, bytes))
        return false;
    AddText(bytes);
    return true;
}

void CWordList::AddText(std::string_view utf8) {
    // A list saved by a Windows editor may begin with a byte order mark.
    std::size_t start = utf8.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0;
    while (start <= utf8.size()) {
        std::size_t end = utf8.find('\n', start);
        if (end == std::string_view::npos)
            end = utf8.size();
        std::string_view line = utf8.substr(start, end - start);
        start = end + 1;
        const std::string entry = TrimSpaces(StripCR(Utf8ToCp1251(line)));
        if (entry.empty() || entry[0] == '#')
            continue;
        const std::size_t space = entry.find_first_of(" \t");
        if (space == std::string::npos) {
            Add(entry);
            continue;
        }
        const std::string word = entry.substr(0, space);
        const std::string model = TrimSpaces(entry.substr(space + 1));
        if (Add(word) && !model.empty() && model.find_first_of(" \t") == std::string::npos)
            m_models.emplace_back(word, model);
    }
}

bool CWordList::Add(std::string_view word) {
    if (word.empty())
        return false;
    if (!m_keys.insert(ToLower(word)).second)
        return false;
    m_order.emplace_back(word);
    return true;
}

bool CWordList::Contains(std::string_view word) const {
    return !m_keys.empty() && m_keys.count(ToLower(word)) > 0;
}

bool CWordList::Save(const std::string& path, std::string* error) const {
    std::string text;
    for (const std::string& w : m_order)
        text += Cp1251ToUtf8(w) + "\n";
    std::error_code ec;
    const std::filesystem::path dir = std::filesystem::path(path).parent_path();
    if (!dir.empty())
        std::filesystem::create_directories(dir, ec);
    return WriteFileAtomic(path, text, error);
}

} // namespace norvak
