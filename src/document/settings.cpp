#include "document/settings.h"

#include "core/codepage.h"
#include "core/literal.h"
#include "core/operatorio.h"
#include "core/textfile.h"

#include <charconv>
#include <climits>
#include <filesystem>
#include <system_error>
#include <utility>

namespace norvak {

namespace {

// The value a store may hold to say "not set".
constexpr long long kMissingInt = -1025;

// The longest face name the editor font can take.
constexpr std::size_t kMaxFontName = 31;

// A whole decimal integer, optionally signed and surrounded by blanks; nothing else.
std::optional<long long> ParseInt(std::string_view text) {
    text = TrimChars(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    long long v = 0;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, v);
    if (ec != std::errc() || ptr != end || text.empty())
        return std::nullopt;
    return v;
}

// Backslash, CR and LF are escaped so that every value stays on its own line of the file.
std::string EscapeValue(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (char c : s) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else
            out += c;
    }
    return out;
}

// The reverse; a backslash before any other character is an ordinary backslash, so values
// written by hand ("C:\dict") read as they look.
std::string UnescapeValue(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 1 < s.size()) {
            const char n = s[i + 1];
            if (n == '\\' || n == 'n' || n == 'r') {
                out += n == '\\' ? '\\' : n == 'n' ? '\n' : '\r';
                ++i;
                continue;
            }
        }
        out += s[i];
    }
    return out;
}

} // namespace

int ReadIntSetting(CSettingsStore& store, std::string_view name, int def) {
    // A number that does not fit the 32-bit value is as unreadable as text.
    const std::optional<long long> v = store.ReadInt(name);
    if (v && *v != kMissingInt && *v >= INT_MIN && *v <= INT_MAX)
        return static_cast<int>(*v);
    store.WriteInt(name, def);
    return def;
}

std::string ReadStringSetting(CSettingsStore& store, std::string_view name, std::string_view def) {
    if (std::optional<std::string> v = store.ReadString(name))
        return *v;
    store.WriteString(name, def);
    return std::string(def);
}

DocSettings::DocSettings() : questionDoc("ВОПРОС-ОТВЕТ"_cp) {}

std::string OutOfRangeMessage(const SettingRange& range, long long value) {
    std::string text = FormatMessage("Значение параметра %s в настройках ("_cp, range.name);
    text += std::to_string(value);
    text += ") вне допустимых пределов ("_cp;
    text += std::to_string(range.min) + ".." + std::to_string(range.max);
    text += "); используется значение по умолчанию "_cp;
    text += std::to_string(range.def) + ".";
    return text;
}

std::vector<std::string> DocSettings::Sanitize() {
    std::vector<std::string> messages;
    for (auto [range, value] : {std::pair{&kPosParagraphRange, &posParagraph},
                                std::pair{&kStringLengthRange, &stringLength},
                                std::pair{&kLeftSpacesRange, &leftSpaces}}) {
        if (range->Contains(*value))
            continue;
        messages.push_back(OutOfRangeMessage(*range, *value));
        *value = range->def;
    }
    return messages;
}

std::vector<std::string> DocSettings::Read(CSettingsStore& store) {
    const DocSettings defaults;
    posParagraph = ReadIntSetting(store, "PosParagraph", defaults.posParagraph);
    stringLength = ReadIntSetting(store, "StringLength", defaults.stringLength);
    leftSpaces = ReadIntSetting(store, "LeftSpaces", defaults.leftSpaces);
    questionDoc = ReadStringSetting(store, "QuestionDoc", defaults.questionDoc);
    createTags = ReadIntSetting(store, "CreateTags", defaults.createTags);
    defineRecvisits = ReadIntSetting(store, "DefineRecvisits", defaults.defineRecvisits);
    extendedRecvisits = ReadIntSetting(store, "ExtendedRecvisits", defaults.extendedRecvisits);
    std::vector<std::string> messages = Sanitize();
    if (!messages.empty()) {
        store.WriteInt(kPosParagraphRange.name, posParagraph);
        store.WriteInt(kStringLengthRange.name, stringLength);
        store.WriteInt(kLeftSpacesRange.name, leftSpaces);
    }
    return messages;
}

void DocSettings::Write(CSettingsStore& store) const {
    store.WriteInt("PosParagraph", posParagraph);
    store.WriteInt("StringLength", stringLength);
    store.WriteInt("LeftSpaces", leftSpaces);
    store.WriteString("QuestionDoc", questionDoc);
    store.WriteInt("CreateTags", createTags);
    store.WriteInt("DefineRecvisits", defineRecvisits);
    store.WriteInt("ExtendedRecvisits", extendedRecvisits);
}

void ViewSettings::Read(CSettingsStore& store) {
    const ViewSettings defaults;
    fontHeight = ReadIntSetting(store, "FontHeight", defaults.fontHeight);
    fontFamily = ReadIntSetting(store, "FontFamily", defaults.fontFamily);
    fontName = ReadStringSetting(store, "FontName", defaults.fontName);
    if (fontName.size() > kMaxFontName)
        fontName.resize(kMaxFontName);
}

void ViewSettings::Write(CSettingsStore& store) const {
    store.WriteInt("FontHeight", fontHeight);
    store.WriteInt("FontFamily", fontFamily);
    store.WriteString("FontName", fontName.substr(0, kMaxFontName));
}

std::optional<long long> CMemorySettingsStore::ReadInt(std::string_view name) {
    auto it = m_values.find(name);
    if (it == m_values.end())
        return std::nullopt;
    return ParseInt(it->second);
}

std::optional<std::string> CMemorySettingsStore::ReadString(std::string_view name) {
    auto it = m_values.find(name);
    if (it == m_values.end())
        return std::nullopt;
    return it->second;
}

void CMemorySettingsStore::WriteInt(std::string_view name, long long value) {
    m_values.insert_or_assign(std::string(name), std::to_string(value));
}

void CMemorySettingsStore::WriteString(std::string_view name, std::string_view value) {
    m_values.insert_or_assign(std::string(name), std::string(value));
}

CFileSettingsStore::CFileSettingsStore(std::string path) : m_path(std::move(path)) {
    Load();
}

bool CFileSettingsStore::Load(std::string* error) {
    m_values.clear();
    std::error_code ec;
    if (!std::filesystem::exists(m_path, ec))
        return true; // no file yet: every value is missing
    std::string bytes;
    if (!ReadFileBytes(m_path, bytes)) {
        if (error)
            *error = "cannot read " + m_path;
        return false;
    }
    std::string_view content = bytes;
    if (content.substr(0, 3) == "\xEF\xBB\xBF") // a byte-order mark some editors put first
        content.remove_prefix(3);
    for (const std::string& line : SplitTextLines(content)) {
        std::string_view text = line;
        if (!text.empty() && text.back() == '\r')
            text.remove_suffix(1);
        const std::string_view trimmed = TrimChars(text);
        if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '#' ||
            trimmed.front() == '[')
            continue;
        const std::size_t eq = text.find('=');
        if (eq == std::string_view::npos)
            continue;
        const std::string_view name = TrimChars(text.substr(0, eq));
        if (name.empty())
            continue;
        m_values.insert_or_assign(std::string(name), UnescapeValue(text.substr(eq + 1)));
    }
    return true;
}

bool CFileSettingsStore::Save(std::string* error) const {
    std::string out;
    for (const auto& [name, value] : m_values) {
        out += name;
        out += '=';
        out += EscapeValue(value);
        out += '\n';
    }
    return WriteFileAtomic(m_path, out, error);
}

std::optional<long long> CFileSettingsStore::ReadInt(std::string_view name) {
    auto it = m_values.find(Cp1251ToUtf8(name));
    if (it == m_values.end())
        return std::nullopt;
    return ParseInt(it->second);
}

std::optional<std::string> CFileSettingsStore::ReadString(std::string_view name) {
    auto it = m_values.find(Cp1251ToUtf8(name));
    if (it == m_values.end())
        return std::nullopt;
    return Utf8ToCp1251(it->second);
}

void CFileSettingsStore::WriteInt(std::string_view name, long long value) {
    m_values.insert_or_assign(Cp1251ToUtf8(name), std::to_string(value));
}

void CFileSettingsStore::WriteString(std::string_view name, std::string_view value) {
    m_values.insert_or_assign(Cp1251ToUtf8(name), Cp1251ToUtf8(value));
}

} // namespace norvak
