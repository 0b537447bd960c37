#include "dictionaries/dicttext.h"

#include "core/codepage.h"
#include "core/failure.h"
#include "core/textcore.h"
#include "core/textfile.h"
#include "dictionaries/dicttextnames.h"
#include "dictionaries/servicedata.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <set>

// The reading half of the text form: the six files checked and turned into the dictionaries.

namespace norvak {

using namespace dicttext;

namespace {

// Thrown inside the parser: the line the error is on (0 when the caller adds it) and what.
struct ParseError {
    int line = 0;
    std::string message;
};

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
        const std::string_view t = TrimChars(raw);
        if (t.empty() || t.front() == '#')
            continue;
        Line line;
        line.number = number;
        if (t.front() == '[') {
            if (t.back() != ']')
                throw ParseError{number, "section name without ']'"};
            line.section = true;
            line.name = std::string(TrimChars(t.substr(1, t.size() - 2)));
        } else {
            const auto eq = t.find('=');
            if (eq == std::string_view::npos)
                throw ParseError{number, "expected 'name = value', a [section] or a # comment"};
            line.name = std::string(TrimChars(t.substr(0, eq)));
            line.value = std::string(TrimChars(t.substr(eq + 1)));
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

bool ImportDictionaries(const std::string& folder, CServiceData& data, std::string* error) {
    std::vector<DictTextFile> files;
    for (const std::string& name : DictTextFileNames()) {
        const std::string path = (std::filesystem::path(folder) / name).string();
        DictTextFile f{name, {}};
        std::string why;
        if (!ReadFileBytes(path, f.text, &why))
            return Fail(error, "cannot read " + path + ": " + why);
        files.push_back(std::move(f));
    }
    return ParseDictionaries(files, data, error);
}

} // namespace norvak
