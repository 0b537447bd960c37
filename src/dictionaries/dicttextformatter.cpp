#include "dictionaries/dicttext.h"

#include "core/codepage.h"
#include "core/textfile.h"
#include "dictionaries/dicttextnames.h"
#include "dictionaries/servicedata.h"

#include <cstdint>
#include <filesystem>
#include <system_error>

// The writing half of the text form: the six files made from the dictionaries.

namespace norvak {

using namespace dicttext;

namespace {

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

} // namespace

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

std::vector<DictTextFile> FormatDictionaries(const CServiceData& data) {
    return {{kKindsFile, FormatKinds(data.DocDict())},
            {kOrgansFile, FormatOrgans(data.OrganDict())},
            {kSourcesFile, FormatSources(data.SourceDict())},
            {kUniFile, FormatUni(data.UniDict())},
            {kThemesFile, FormatThemes(data.TemathicsDict())},
            {kLetterCaseFile, FormatLetterCase(data.UpperCaseDict())}};
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

} // namespace norvak
