#pragma once
// The document and view settings with their stored names, types and defaults, and the rules
// by which they are read from and written to a key-value store.

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace norvak {

// A persistent key-value store: the GUI's is QSettings, the command line's a text file.
// Strings are CP1251 inside the system; a store converts them at its edge.
class CSettingsStore {
public:
    virtual ~CSettingsStore() = default;
    // Empty when the value is missing or cannot be read as that type.
    virtual std::optional<long long> ReadInt(std::string_view name) = 0;
    virtual std::optional<std::string> ReadString(std::string_view name) = 0;
    virtual void WriteInt(std::string_view name, long long value) = 0;
    virtual void WriteString(std::string_view name, std::string_view value) = 0;
};

// Read integer: a missing value, an unreadable one or -1025 gives the default, written back.
int ReadIntSetting(CSettingsStore& store, std::string_view name, int def);
// Read string: a missing or unreadable value gives the default, written back.
std::string ReadStringSetting(CSettingsStore& store, std::string_view name, std::string_view def);

// The range a layout setting must lie in. Values outside it are refused where they are
// entered (the options dialog, the command-line flags) and replaced by the default, with a
// message, where they are read from a store:
//   PosParagraph 0..40, StringLength 20..255, LeftSpaces 1..250.
struct SettingRange {
    std::string_view name; // as stored
    int min;
    int max;
    int def;
    bool Contains(long long v) const { return v >= min && v <= max; }
};
inline constexpr SettingRange kPosParagraphRange{"PosParagraph", 0, 40, 5};
inline constexpr SettingRange kStringLengthRange{"StringLength", 20, 255, 66};
inline constexpr SettingRange kLeftSpacesRange{"LeftSpaces", 1, 250, 20};

// The document settings.
struct DocSettings {
    int posParagraph = 5;      // "PosParagraph"
    int stringLength = 66;     // "StringLength"
    int leftSpaces = 20;       // "LeftSpaces"
    std::string questionDoc;   // "QuestionDoc", default "ВОПРОС-ОТВЕТ" (CP1251)
    int createTags = 1;        // "CreateTags"
    int defineRecvisits = 1;   // "DefineRecvisits"
    int extendedRecvisits = 1; // "ExtendedRecvisits": the extended requisites detection

    DocSettings();
    // Reads the values in the stored order. A layout value outside its SettingRange is
    // replaced by its default, which is written back; the messages (CP1251) say which.
    std::vector<std::string> Read(CSettingsStore& store);
    void Write(CSettingsStore& store) const; // in the same order
    // Puts every layout value outside its range back to its default; the messages say which.
    std::vector<std::string> Sanitize();
};

// The message for a stored value out of its range that was replaced by the default (CP1251).
std::string OutOfRangeMessage(const SettingRange& range, long long value);

// The three view settings.
struct ViewSettings {
    int fontHeight = 200;                 // "FontHeight", twips
    int fontFamily = 1;                   // "FontFamily", pitch and family (low byte)
    std::string fontName = "Courier New"; // "FontName", at most 31 characters

    void Read(CSettingsStore& store);
    void Write(CSettingsStore& store) const;
};

// In memory; for tests.
class CMemorySettingsStore : public CSettingsStore {
public:
    std::optional<long long> ReadInt(std::string_view name) override;
    std::optional<std::string> ReadString(std::string_view name) override;
    void WriteInt(std::string_view name, long long value) override;
    void WriteString(std::string_view name, std::string_view value) override;
    // Raw access for tests: the stored text of a value.
    std::map<std::string, std::string, std::less<>> m_values;
};

// An INI-style UTF-8 text file ("Name=value" lines), loaded on construction and written
// atomically by Save(); the command line's store. Lines starting with ';' or '#' and section
// headers are ignored, a missing file is an empty store, the last of repeated names wins.
// In values "\\", "\n" and "\r" stand for a backslash, LF and CR; other backslashes are literal.
class CFileSettingsStore : public CSettingsStore {
public:
    explicit CFileSettingsStore(std::string path);
    bool Load(std::string* error = nullptr);
    bool Save(std::string* error = nullptr) const;
    std::optional<long long> ReadInt(std::string_view name) override;
    std::optional<std::string> ReadString(std::string_view name) override;
    void WriteInt(std::string_view name, long long value) override;
    void WriteString(std::string_view name, std::string_view value) override;

private:
    std::string m_path;
    std::map<std::string, std::string, std::less<>> m_values; // UTF-8 as in the file
};

} // namespace norvak
