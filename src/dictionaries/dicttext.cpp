#include "dictionaries/dicttext.h"

#include "core/codepage.h"
#include "core/operatorio.h"
#include "core/textcore.h"
#include "core/textfile.h"
#include "dictionaries/archive.h"
#include "dictionaries/servicedata.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <set>
#include <system_error>

namespace norvak {

namespace {

constexpr const char* kKindsFile = "kinds.txt";
constexpr const char* kOrgansFile = "organs.txt";
constexpr const char* kSourcesFile = "sources.txt";
constexpr const char* kUniFile = "unidict.txt";
constexpr const char* kThemesFile = "themes.txt";
constexpr const char* kLetterCaseFile = "lettercase.txt";

constexpr std::array<const char*, kCaseCount> kCaseNames = {
    "nominative", "genitive", "dative", "accusative", "instrumental", "prepositional"};
constexpr std::array<const char*, 3> kGenderNames = {"masculine", "feminine", "neuter"};

// ---------------------------------------------------------------------------------------------
// Writing

const char kHex[] = "0123456789ABCDEF";

bool NeedsHexEscape(unsigned char b) {
    return b < 0x20 || b == 0x7F || b == 0x98 || b == 0xA0 || b == 0xAD;
}

void AppendHex(std::string& out, unsigned char b) {
    out += "\\x";
    out += kHex[b >> 4];
    out += kHex[b & 0x0F];
}

std::string Header(std::string_view title, std::string_view file) {
    return "# Norvak dictionaries: " + std::string(title) + " (" + std::string(file) + ")\n";
}

// "name = value"; an empty value leaves no blank at the end of the line.
void AppendLine(std::string& out, std::string_view name, std::string_view escapedValue) {
    out += name;
    out += escapedValue.empty() ? " =" : " = ";
    out += escapedValue;
    out += '\n';
}

void AppendField(std::string& out, std::string_view name, std::string_view cp1251) {
    AppendLine(out, name, EscapeDictValue(cp1251));
}

void AppendNumberField(std::string& out, std::string_view name, std::int32_t value) {
    out += name;
    out += " = ";
    out += std::to_string(value);
    out += '\n';
}

// The forms that are not empty and the carried integer when it is not zero.
void AppendCases(std::string& out, const CCases& cases) {
    for (int i = 0; i < kCaseCount; ++i)
        if (!cases.Form(i).empty())
            AppendField(out, kCaseNames[static_cast<std::size_t>(i)], cases.Form(i));
    if (cases.GetValue() != 0)
        AppendNumberField(out, "extra", cases.GetValue());
}

void AppendAliases(std::string& out, const std::vector<CCases>& aliases) {
    for (const CCases& alias : aliases) {
        out += "\n[alias]\n";
        AppendCases(out, alias);
    }
}

std::string FormatKinds(const CDocDict& dict) {
    std::string out = Header("document kinds", kKindsFile);
    for (const CDocKindEntry& e : dict.Entries()) {
        out += "\n[kind]\n";
        AppendCases(out, e.GetCases());
        const std::int32_t g = e.Gender();
        if (g >= 0 && g < static_cast<std::int32_t>(kGenderNames.size()))
            AppendField(out, "gender", kGenderNames[static_cast<std::size_t>(g)]);
        else
            AppendNumberField(out, "gender", g);
        if (e.QuoteTitle() == 1)
            AppendField(out, "quote-title", "yes");
        else if (e.QuoteTitle() != 0)
            AppendNumberField(out, "quote-title", e.QuoteTitle());
        AppendAliases(out, e.Aliases());
    }
    return out;
}

std::string FormatOrgans(const COrganDict& dict) {
    std::string out = Header("adopting bodies", kOrgansFile);
    for (const COrganEntry& e : dict.Entries()) {
        out += "\n[body]\n";
        AppendCases(out, e.GetCases());
        if (!e.LetterCaseName().empty())
            AppendField(out, "letter-case", e.LetterCaseName());
        AppendAliases(out, e.Aliases());
    }
    return out;
}

std::string FormatSources(const CSourceDict& dict) {
    std::string out = Header("publication sources", kSourcesFile);
    if (dict.GetCount() > 0)
        out += '\n';
    for (const std::string& s : dict.Sources())
        AppendField(out, "source", s);
    return out;
}

std::string FormatUni(const CUniDict& dict) {
    std::string out = Header("universal dictionary", kUniFile);
    for (int i = 0; i < dict.GetCount(); ++i) {
        out += "\n[record]\n";
        AppendCases(out, dict.GetAt(i));
    }
    return out;
}

std::string FormatThemes(const CTemathicsDict& dict) {
    std::string out = Header("themes", kThemesFile);
    for (const CTemathicsRec& t : dict.Themes()) {
        out += "\n[theme]\n";
        AppendNumberField(out, "code", t.Code());
        if (t.ParentCode() != 0)
            AppendNumberField(out, "parent", t.ParentCode());
        if (!t.Name().empty())
            AppendField(out, "name", t.Name());
    }
    return out;
}

std::string FormatLetterCase(const CUpperCaseDict& dict) {
    std::string out = Header("letter case of body names", kLetterCaseFile);
    if (dict.GetCount() > 0)
        out += '\n';
    for (const auto& [key, spelling] : dict.Words())
        AppendLine(out, EscapeDictValue(key, true), EscapeDictValue(spelling));
    return out;
}

// ---------------------------------------------------------------------------------------------
// Reading

// Thrown inside the parser: the line the error is on (0 when the caller adds it) and what.
struct ParseError {
    int line = 0;
    std::string message;
};

std::string_view TrimBlanks(std::string_view s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const auto last = s.find_last_not_of(" \t");
    return s.substr(first, last - first + 1);
}

// Decodes one UTF-8 sequence at s[i]; advances i. Nothing for a malformed sequence.
std::optional<char32_t> DecodeUtf8(std::string_view s, std::size_t& i) {
    const auto b = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char c = b(i);
    if (c < 0x80) {
        ++i;
        return c;
    }
    int len = 0;
    char32_t cp = 0;
    char32_t min = 0;
    if ((c & 0xE0) == 0xC0) {
        len = 2;
        cp = c & 0x1F;
        min = 0x80;
    } else if ((c & 0xF0) == 0xE0) {
        len = 3;
        cp = c & 0x0F;
        min = 0x800;
    } else if ((c & 0xF8) == 0xF0) {
        len = 4;
        cp = c & 0x07;
        min = 0x10000;
    } else {
        return std::nullopt;
    }
    if (i + static_cast<std::size_t>(len) > s.size())
        return std::nullopt;
    for (int k = 1; k < len; ++k) {
        const unsigned char cc = b(i + static_cast<std::size_t>(k));
        if ((cc & 0xC0) != 0x80)
            return std::nullopt;
        cp = (cp << 6) | (cc & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return std::nullopt;
    i += static_cast<std::size_t>(len);
    return cp;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

std::string CodePointName(char32_t cp) {
    std::string hex;
    for (char32_t v = cp; v != 0 || hex.size() < 4; v >>= 4)
        hex.insert(hex.begin(), kHex[v & 0x0F]);
    return "U+" + hex;
}

std::string Unescape(std::string_view utf8) {
    std::string out;
    std::string error;
    if (!UnescapeDictValue(utf8, out, &error))
        throw ParseError{0, error};
    return out;
}

std::int32_t ParseNumber(std::string_view text) {
    std::string_view digits = text;
    const bool negative = !digits.empty() && digits.front() == '-';
    if (negative)
        digits.remove_prefix(1);
    if (digits.empty() || digits.size() > 10 ||
        digits.find_first_not_of("0123456789") != std::string_view::npos)
        throw ParseError{0, "bad number '" + std::string(text) + "'"};
    long long v = 0;
    for (char c : digits)
        v = v * 10 + (c - '0');
    if (negative)
        v = -v;
    if (v < INT32_MIN || v > INT32_MAX)
        throw ParseError{0, "number '" + std::string(text) + "' is out of range"};
    return static_cast<std::int32_t>(v);
}

// One meaningful line of a file: a section header or a field.
struct Line {
    int number = 0;
    bool section = false;
    std::string name;  // section name, or the field's name as written (not unescaped)
    std::string value; // the field's value as written (not unescaped)
};

// Cuts a file into section and field lines; blank lines and comments are dropped.
std::vector<Line> SplitLines(std::string_view text) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    std::vector<Line> lines;
    int number = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view raw = text.substr(pos, end - pos);
        pos = end + 1;
        ++number;
        if (!raw.empty() && raw.back() == '\r')
            raw.remove_suffix(1);
        const std::string_view t = TrimBlanks(raw);
        if (t.empty() || t.front() == '#')
            continue;
        Line line;
        line.number = number;
        if (t.front() == '[') {
            if (t.back() != ']')
                throw ParseError{number, "section name without ']'"};
            line.section = true;
            line.name = std::string(TrimBlanks(t.substr(1, t.size() - 2)));
        } else {
            const auto eq = t.find('=');
            if (eq == std::string_view::npos)
                throw ParseError{number, "expected 'name = value', a [section] or a # comment"};
            line.name = std::string(TrimBlanks(t.substr(0, eq)));
            line.value = std::string(TrimBlanks(t.substr(eq + 1)));
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

// A section read from a file: its kind, the line it starts on and its fields in order.
struct Section {
    std::string kind; // empty for the fields before the first section
    int line = 0;
    std::vector<Line> fields;
};

// Groups the lines of a file into sections, checking section names and, within a section,
// that no field is given twice.
std::vector<Section> GroupSections(const std::vector<Line>& lines,
                                   const std::set<std::string>& sectionKinds, bool fieldsFirst) {
    std::vector<Section> sections;
    std::set<std::string> seen;
    for (const Line& l : lines) {
        if (l.section) {
            if (!sectionKinds.count(l.name))
                throw ParseError{l.number, "unknown section '[" + l.name + "]'"};
            sections.push_back({l.name, l.number, {}});
            seen.clear();
            continue;
        }
        if (sections.empty()) {
            if (!fieldsFirst)
                throw ParseError{l.number, "field '" + l.name + "' before the first [section]"};
            sections.push_back({"", l.number, {}});
        }
        if (!sections.back().kind.empty() && !seen.insert(l.name).second)
            throw ParseError{l.number, "field '" + l.name + "' given twice"};
        sections.back().fields.push_back(l);
    }
    return sections;
}

[[noreturn]] void FieldError(const Line& l, const std::string& what) {
    throw ParseError{l.number, what};
}

[[noreturn]] void UnknownField(const Line& l) {
    FieldError(l, "unknown field '" + l.name + "'");
}

// The value of a field, with the line number added to any error in it.
std::string ValueOf(const Line& l) {
    try {
        return Unescape(l.value);
    } catch (const ParseError& e) {
        FieldError(l, e.message);
    }
}

std::int32_t NumberOf(const Line& l) {
    try {
        return ParseNumber(l.value);
    } catch (const ParseError& e) {
        FieldError(l, e.message);
    }
}

// Takes a case form or "extra" into cases; false when the field is neither.
bool TakeCaseField(const Line& l, CCases& cases) {
    for (int i = 0; i < kCaseCount; ++i)
        if (l.name == kCaseNames[static_cast<std::size_t>(i)]) {
            cases.SetForm(i, ValueOf(l));
            return true;
        }
    if (l.name == "extra") {
        cases.SetValue(NumberOf(l));
        return true;
    }
    return false;
}

CCases ReadCases(const Section& s) {
    CCases cases;
    for (const Line& l : s.fields)
        if (!TakeCaseField(l, cases))
            UnknownField(l);
    return cases;
}

// An alias section must follow an entry it belongs to.
void CheckAliasOwner(const Section& s, bool haveEntry, std::string_view entryKind) {
    if (!haveEntry)
        throw ParseError{s.line, "[alias] before the first [" + std::string(entryKind) + "]"};
}

std::vector<CDocKindEntry> ReadKinds(std::string_view text) {
    std::vector<CDocKindEntry> entries;
    std::vector<CCases> aliases;
    const auto flush = [&] {
        if (!entries.empty())
            entries.back().SetAliases(std::move(aliases));
        aliases.clear();
    };
    for (const Section& s : GroupSections(SplitLines(text), {"kind", "alias"}, false)) {
        if (s.kind == "alias") {
            CheckAliasOwner(s, !entries.empty(), "kind");
            aliases.push_back(ReadCases(s));
            continue;
        }
        flush();
        CDocKindEntry e;
        for (const Line& l : s.fields) {
            if (TakeCaseField(l, e.GetCases()))
                continue;
            if (l.name == "gender") {
                std::int32_t g = -1;
                for (std::size_t k = 0; k < kGenderNames.size(); ++k)
                    if (l.value == kGenderNames[k])
                        g = static_cast<std::int32_t>(k);
                if (g < 0) {
                    try {
                        g = ParseNumber(l.value);
                    } catch (const ParseError&) {
                        FieldError(l, "bad gender '" + l.value +
                                          "' (masculine, feminine, neuter or a number)");
                    }
                }
                e.SetGender(g);
            } else if (l.name == "quote-title") {
                if (l.value == "yes")
                    e.SetQuoteTitle(1);
                else if (l.value == "no")
                    e.SetQuoteTitle(0);
                else {
                    try {
                        e.SetQuoteTitle(ParseNumber(l.value));
                    } catch (const ParseError&) {
                        FieldError(l, "bad quote-title '" + l.value + "' (yes, no or a number)");
                    }
                }
            } else {
                UnknownField(l);
            }
        }
        entries.push_back(std::move(e));
    }
    flush();
    return entries;
}

std::vector<COrganEntry> ReadOrgans(std::string_view text) {
    std::vector<COrganEntry> entries;
    std::vector<CCases> aliases;
    const auto flush = [&] {
        if (!entries.empty())
            entries.back().SetAliases(std::move(aliases));
        aliases.clear();
    };
    for (const Section& s : GroupSections(SplitLines(text), {"body", "alias"}, false)) {
        if (s.kind == "alias") {
            CheckAliasOwner(s, !entries.empty(), "body");
            aliases.push_back(ReadCases(s));
            continue;
        }
        flush();
        // Not linked yet, so that setting the letter-case name teaches nothing.
        COrganEntry e;
        for (const Line& l : s.fields) {
            if (TakeCaseField(l, e.GetCases()))
                continue;
            if (l.name == "letter-case")
                e.SetLetterCaseName(ValueOf(l));
            else
                UnknownField(l);
        }
        entries.push_back(std::move(e));
    }
    flush();
    return entries;
}

std::vector<std::string> ReadSources(std::string_view text) {
    std::vector<std::string> sources;
    for (const Section& s : GroupSections(SplitLines(text), {}, true))
        for (const Line& l : s.fields) {
            if (l.name != "source")
                UnknownField(l);
            sources.push_back(ValueOf(l));
        }
    return sources;
}

std::vector<CCases> ReadUni(std::string_view text) {
    std::vector<CCases> records;
    for (const Section& s : GroupSections(SplitLines(text), {"record"}, false))
        records.push_back(ReadCases(s));
    return records;
}

std::vector<CTemathicsRec> ReadThemes(std::string_view text) {
    std::vector<CTemathicsRec> themes;
    for (const Section& s : GroupSections(SplitLines(text), {"theme"}, false)) {
        CTemathicsRec t;
        bool haveCode = false;
        for (const Line& l : s.fields) {
            if (l.name == "code") {
                t.SetCode(NumberOf(l));
                haveCode = true;
            } else if (l.name == "parent") {
                t.SetParentCode(NumberOf(l));
            } else if (l.name == "name") {
                t.SetName(ValueOf(l));
            } else {
                UnknownField(l);
            }
        }
        if (!haveCode)
            throw ParseError{s.line, "[theme] without a code"};
        themes.push_back(std::move(t));
    }
    return themes;
}

CUpperCaseDict::WordMap ReadLetterCase(std::string_view text) {
    CUpperCaseDict::WordMap words;
    for (const Section& s : GroupSections(SplitLines(text), {}, true))
        for (const Line& l : s.fields) {
            std::string key;
            std::string error;
            if (!UnescapeDictValue(l.name, key, &error))
                FieldError(l, error);
            if (!words.emplace(key, ValueOf(l)).second)
                FieldError(l, "word '" + l.name + "' given twice");
        }
    return words;
}

// Everything the six files hold, read before anything is changed.
struct Parsed {
    std::vector<CDocKindEntry> kinds;
    std::vector<COrganEntry> organs;
    std::vector<std::string> sources;
    std::vector<CCases> uni;
    std::vector<CTemathicsRec> themes;
    CUpperCaseDict::WordMap words;
};

// Runs read over a file; an error comes back as "file:line: message".
template <class Read> bool ReadFile(const DictTextFile& file, Read&& read, std::string* error) {
    try {
        read(file.text);
        return true;
    } catch (const ParseError& e) {
        if (error)
            *error = file.name + ":" + std::to_string(e.line) + ": " + e.message;
        return false;
    }
}

// The themes as the dictionary holds them; they pass through their stored form, which keeps
// names, duplicate codes and parents exactly as given.
bool BuildThemes(const std::vector<CTemathicsRec>& themes, CTemathicsDict& dict) {
    CArchive out;
    out.PutInt32(static_cast<std::int32_t>(themes.size()));
    for (CTemathicsRec t : themes)
        t.Serialize(out);
    CArchive in(out.Data());
    CScriptedOperator op;
    return dict.Serialize(in, op);
}

} // namespace

const std::vector<std::string>& DictTextFileNames() {
    static const std::vector<std::string> names = {kKindsFile, kOrgansFile, kSourcesFile,
                                                   kUniFile,   kThemesFile, kLetterCaseFile};
    return names;
}

std::string EscapeDictValue(std::string_view cp1251, bool asName) {
    const auto first = cp1251.find_first_not_of(' ');
    const auto last = cp1251.find_last_not_of(' ');
    std::string out;
    out.reserve(cp1251.size() * 2);
    for (std::size_t i = 0; i < cp1251.size(); ++i) {
        const auto b = static_cast<unsigned char>(cp1251[i]);
        if (b == ' ' && (first == std::string_view::npos || i < first || i > last))
            out += "\\s";
        else if (b == '\\')
            out += "\\\\";
        else if (NeedsHexEscape(b) || (asName && (b == '=' || (i == 0 && (b == '#' || b == '[')))))
            AppendHex(out, b);
        else
            AppendUtf8(out, Cp1251ToUnicode(cp1251[i]));
    }
    return out;
}

bool UnescapeDictValue(std::string_view utf8, std::string& cp1251, std::string* error) {
    const auto fail = [&](const std::string& what) {
        if (error)
            *error = what;
        return false;
    };
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        if (utf8[i] == '\\') {
            if (i + 1 >= utf8.size())
                return fail("'\\' at the end of a value (write '\\\\' for a backslash)");
            const char e = utf8[i + 1];
            if (e == '\\') {
                out += '\\';
                i += 2;
            } else if (e == 's') {
                out += ' ';
                i += 2;
            } else if (e == 'x') {
                const int hi = i + 2 < utf8.size() ? HexDigit(utf8[i + 2]) : -1;
                const int lo = i + 3 < utf8.size() ? HexDigit(utf8[i + 3]) : -1;
                if (hi < 0 || lo < 0)
                    return fail("'\\x' needs two hex digits");
                out += static_cast<char>(hi * 16 + lo);
                i += 4;
            } else {
                std::size_t k = i + 1;
                const auto cp = DecodeUtf8(utf8, k);
                std::string shown = "\\";
                if (cp)
                    AppendUtf8(shown, *cp);
                return fail("bad escape '" + shown + "' (use \\\\, \\s or \\xHH)");
            }
            continue;
        }
        const auto cp = DecodeUtf8(utf8, i);
        if (!cp)
            return fail("malformed UTF-8");
        const char b = UnicodeToCp1251(*cp);
        if (b == '?' && *cp != '?')
            return fail("character " + CodePointName(*cp) + " has no CP1251 form");
        out += b;
    }
    cp1251 = std::move(out);
    return true;
}

std::vector<DictTextFile> FormatDictionaries(const CServiceData& data) {
    return {{kKindsFile, FormatKinds(data.DocDict())},
            {kOrgansFile, FormatOrgans(data.OrganDict())},
            {kSourcesFile, FormatSources(data.SourceDict())},
            {kUniFile, FormatUni(data.UniDict())},
            {kThemesFile, FormatThemes(data.TemathicsDict())},
            {kLetterCaseFile, FormatLetterCase(data.UpperCaseDict())}};
}

bool ParseDictionaries(const std::vector<DictTextFile>& files, CServiceData& data,
                       std::string* error) {
    const auto find = [&](const std::string& name) -> const DictTextFile* {
        for (const DictTextFile& f : files)
            if (f.name == name)
                return &f;
        return nullptr;
    };
    for (const std::string& name : DictTextFileNames())
        if (!find(name)) {
            if (error)
                *error = name + ": missing";
            return false;
        }

    Parsed p;
    if (!ReadFile(
            *find(kKindsFile), [&](std::string_view t) { p.kinds = ReadKinds(t); }, error) ||
        !ReadFile(
            *find(kOrgansFile), [&](std::string_view t) { p.organs = ReadOrgans(t); }, error) ||
        !ReadFile(
            *find(kSourcesFile), [&](std::string_view t) { p.sources = ReadSources(t); }, error) ||
        !ReadFile(
            *find(kUniFile), [&](std::string_view t) { p.uni = ReadUni(t); }, error) ||
        !ReadFile(
            *find(kThemesFile), [&](std::string_view t) { p.themes = ReadThemes(t); }, error) ||
        !ReadFile(
            *find(kLetterCaseFile), [&](std::string_view t) { p.words = ReadLetterCase(t); },
            error))
        return false;

    CTemathicsDict themes;
    if (!BuildThemes(p.themes, themes)) {
        if (error)
            *error = std::string(kThemesFile) + ": the themes could not be stored";
        return false;
    }

    CDocDict& kinds = data.DocDict();
    kinds.RemoveAll();
    for (CDocKindEntry& e : p.kinds) {
        e.SetUniDict(kinds.GetUniDict());
        kinds.Add(e);
    }
    COrganDict& organs = data.OrganDict();
    organs.RemoveAll();
    for (COrganEntry& e : p.organs) {
        e.SetUniDict(organs.GetUniDict());
        e.SetUpperCaseDict(organs.GetUpperCaseDict());
        organs.Add(e);
    }
    data.SourceDict().RemoveAll();
    for (const std::string& s : p.sources)
        data.SourceDict().Add(s);
    data.UniDict().RemoveAll();
    for (const CCases& c : p.uni)
        data.UniDict().Add(c);
    data.TemathicsDict() = themes;
    data.UpperCaseDict().RemoveAll();
    for (const auto& [key, spelling] : p.words)
        data.UpperCaseDict().SetWordCase(key, spelling);
    return true;
}

bool ExportDictionaries(const CServiceData& data, const std::string& folder, std::string* error) {
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec || !std::filesystem::is_directory(folder)) {
        if (error)
            *error = "cannot create the folder " + folder + (ec ? ": " + ec.message() : "");
        return false;
    }
    for (const DictTextFile& f : FormatDictionaries(data)) {
        const std::string path = (std::filesystem::path(folder) / f.name).string();
        if (!WriteFileAtomic(path, f.text, error))
            return false;
    }
    return true;
}

bool ImportDictionaries(const std::string& folder, CServiceData& data, std::string* error) {
    std::vector<DictTextFile> files;
    for (const std::string& name : DictTextFileNames()) {
        const std::string path = (std::filesystem::path(folder) / name).string();
        DictTextFile f{name, {}};
        if (!ReadFileBytes(path, f.text)) {
            if (error)
                *error = "cannot read " + path;
            return false;
        }
        files.push_back(std::move(f));
    }
    return ParseDictionaries(files, data, error);
}

void LearnBodyLetterCase(const COrganDict& organs, CUpperCaseDict& upperCase) {
    for (const COrganEntry& e : organs.Entries())
        if (!e.LetterCaseName().empty())
            upperCase.LearnLetterCase(NormalizeName(e.LetterCaseName()), e.LetterCaseName());
}

} // namespace norvak
