#include "cli/clienv.h"

#include "cli/options.h"
#include "cli/terminaloperator.h"
#include "core/codepage.h"
#include "core/failure.h"
#include "core/literal.h"
#include "core/textfile.h"
#include "dictionaries/servicedata.h"
#include "document/dictlocation.h"
#include "document/sourceformat.h"
#include "formats/formatreaders.h"
#include "markup/tags.h"

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <ostream>
#include <set>

namespace norvak::cli {
namespace fs = std::filesystem;

namespace {
std::atomic<bool> g_progressOnTerminal{false};
} // namespace

std::set<std::string> FlagSet(const char* const* flags, std::initializer_list<const char*> more) {
    std::set<std::string> s;
    for (; *flags; ++flags)
        s.insert(*flags);
    s.insert(more.begin(), more.end());
    return s;
}

bool WantsHelp(const std::vector<std::string>& args) {
    for (const std::string& a : args)
        if (a == "-h" || a == "--help")
            return true;
    return false;
}

const char* const kConvertValueFlags[] = {
    "--type",          "--encoding",    "--dict",         "--settings",          "--string-length",
    "--pos-paragraph", "--left-spaces", "--question-doc", "--quote-letter-kind", nullptr};
const char* const kConvertBoolFlags[] = {"--no-tags", "--no-requisites", "--no-extended", nullptr};

void SetProgressOnTerminal(bool on) {
    g_progressOnTerminal = on;
}
bool ProgressOnTerminal() {
    return g_progressOnTerminal;
}

std::string TerminalSafe(std::string_view s) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(s.size());
    auto escape = [&](unsigned char b) {
        out += "\\x";
        out += kHex[b >> 4];
        out += kHex[b & 15];
    };
    for (std::size_t i = 0; i < s.size(); ++i) {
        const unsigned char b = static_cast<unsigned char>(s[i]);
        if ((b < 0x20 && b != '\t' && b != '\n') || b == 0x7F) {
            escape(b);
        } else if (b == 0xC2 && i + 1 < s.size() && static_cast<unsigned char>(s[i + 1]) >= 0x80 &&
                   static_cast<unsigned char>(s[i + 1]) <= 0x9F) {
            escape(static_cast<unsigned char>(s[++i])); // U+0080..U+009F, the C1 controls
        } else {
            out += s[i];
        }
    }
    return out;
}

bool HasTextBlock(std::string_view bytes) {
    for (std::size_t p = 0; p < bytes.size();) {
        if (bytes.compare(p, 3, "$18") == 0) {
            const std::size_t after = p + 3;
            if (after == bytes.size() || bytes[after] == ' ' || bytes[after] == '\r' ||
                bytes[after] == '\n')
                return true;
        }
        const std::size_t lf = bytes.find('\n', p);
        if (lf == std::string_view::npos)
            break;
        p = lf + 1;
    }
    return false;
}

namespace {

// A layout flag's value: false with error set when it is not a number or out of its range.
bool RangedFlag(const COptions& opts, const char* flag, const SettingRange& range, int& value,
                std::string* error) {
    if (!opts.Value(flag))
        return true;
    int v = 0;
    if (!opts.IntValue(flag, v, error))
        return false;
    if (!range.Contains(v)) {
        SetError(error, std::string(flag) + " must be between " + std::to_string(range.min) +
                            " and " + std::to_string(range.max) + ", not " + std::to_string(v));
        return false;
    }
    value = v;
    return true;
}

} // namespace

bool MakeConvertEnv(const COptions& opts, ConvertEnv& env, std::string* error) {
    if (auto path = opts.Value("--settings")) {
        if (!fs::exists(*path)) {
            SetError(error, "settings file not found: " + *path);
            return false;
        }
        if (std::string why = NotRegularFileReason(*path); !why.empty()) {
            SetError(error, "settings file " + *path + ": " + why);
            return false;
        }
        CFileSettingsStore store(*path);
        if (!store.Load(error))
            return false;
        for (const std::string& m : env.settings.Read(store))
            env.warnings.push_back(*path + ": " + Cp1251ToUtf8(m));
    }
    if (!RangedFlag(opts, "--string-length", kStringLengthRange, env.settings.stringLength,
                    error) ||
        !RangedFlag(opts, "--pos-paragraph", kPosParagraphRange, env.settings.posParagraph,
                    error) ||
        !RangedFlag(opts, "--left-spaces", kLeftSpacesRange, env.settings.leftSpaces, error))
        return false;
    if (auto q = opts.Value("--question-doc"))
        env.settings.questionDoc = Utf8ToCp1251(*q);
    if (opts.Has("--no-tags"))
        env.settings.createTags = 0;
    if (opts.Has("--no-requisites"))
        env.settings.defineRecvisits = 0;
    if (opts.Has("--no-extended"))
        env.settings.extendedRecvisits = 0;
    env.open.type = FileType::Auto;
    env.open.readers = &FormatReaders();
    if (auto t = opts.Value("--type")) {
        static const std::pair<const char*, FileType> kTypes[] = {
            {"auto", FileType::Auto},     {"text", FileType::Text}, {"source", FileType::Source},
            {"marked", FileType::Marked}, {"html", FileType::Html}, {"docx", FileType::Docx},
            {"odt", FileType::Odt}};
        bool known = false;
        for (const auto& [name, type] : kTypes)
            if (*t == name) {
                env.open.type = type;
                known = true;
            }
        if (!known) {
            return Fail(error,
                        "--type must be auto, text, source, marked, html, docx or odt, not '" + *t +
                            "'");
        }
    }
    env.open.guessEncoding = !opts.Value("--encoding");
    if (auto e = opts.Value("--encoding")) {
        if (*e == "dos")
            env.open.encoding = Encoding::Dos;
        else if (*e == "windows")
            env.open.encoding = Encoding::Windows;
        else if (*e == "utf8" || *e == "utf-8")
            env.open.encoding = Encoding::Utf8;
        else {
            SetError(error, "--encoding must be dos, windows or utf8, not '" + *e + "'");
            return false;
        }
    }
    if (auto q = opts.Value("--quote-letter-kind")) {
        if (*q != "yes" && *q != "no") {
            SetError(error, "--quote-letter-kind must be yes or no");
            return false;
        }
        env.quoteLetterKind = *q == "yes";
    }
    if (auto d = opts.Value("--dict")) {
        std::error_code ec;
        if (!fs::exists(*d, ec)) {
            SetError(error, "dictionary file not found: " + *d);
            return false;
        }
        if (std::string why = NotRegularFileReason(*d); !why.empty()) {
            SetError(error, "dictionary file " + *d + ": " + why);
            return false;
        }
        env.dictPath = *d;
    } else {
        std::string exeDir = ExecutableDir();
        std::string shipped = ShippedDictionary(exeDir);
        DictLocation loc = LocateDictionary(exeDir, shipped);
        // The command line never creates dict.dat: an unseeded location reads the shipped one.
        env.dictPath = !loc.path.empty() && fs::is_regular_file(loc.path) ? loc.path : shipped;
    }
    return true;
}

bool LoadDictionaries(const std::string& path, CServiceData& data, std::string* error) {
    if (path.empty())
        return true;
    CTerminalOperator op(nullptr, false);
    if (!data.Load(path, op)) {
        SetError(error,
                 "dictionary file " + path +
                     (data.Unreadable() ? " cannot be read: " + data.ReadError() : " not found"));
        return false;
    }
    if (!op.Messages().empty() || !data.LoadedCleanly()) {
        SetError(error, "dictionary file " + path + " is damaged");
        for (const std::string& m : op.Messages())
            if (error)
                *error += "\n  " + m;
        return false;
    }
    return true;
}

std::string DefaultOutputName(const std::string& input, const std::string& outDir) {
    fs::path p(input);
    fs::path name = p.filename();
    name.replace_extension(".rla");
    if (!outDir.empty())
        return (fs::path(outDir) / name).string();
    return (p.parent_path() / name).string();
}

std::string FileTypeName(FileType type) {
    switch (type) {
    case FileType::Auto:
        return "auto";
    case FileType::Text:
        return "text";
    case FileType::Source:
        return "source";
    case FileType::Marked:
        return "marked";
    case FileType::Html:
        return "html";
    case FileType::Docx:
        return "docx";
    case FileType::Odt:
        return "odt";
    }
    return "";
}

std::string EncodingName(Encoding encoding) {
    switch (encoding) {
    case Encoding::Dos:
        return "dos";
    case Encoding::Windows:
        return "windows";
    case Encoding::Utf8:
        return "utf8";
    }
    return "";
}

ConvertResult ConvertOne(const std::string& input, const std::string& output, const ConvertEnv& env,
                         CServiceData& dictionaries) {
    ConvertResult r;
    CTerminalOperator op(nullptr, env.quoteLetterKind);
    std::string bytes, readError;
    if (!ReadFileBytes(input, bytes, &readError)) {
        r.failure = "cannot read " + input + ": " + readError;
        return r;
    }
    if ((env.open.type == FileType::Source || env.open.type == FileType::Marked) &&
        !HasTextBlock(bytes)) {
        r.failure = input + " has no text block ($18): not a source-format file (is it a "
                            "text? then --type text)";
        return r;
    }
    r.doc =
        OpenDocumentBytes(bytes, input, env.open, env.settings, dictionaries, NullProgress(), op);
    r.messages = op.Messages();
    if (!r.doc.ok) {
        // A document that could not be read is reported and nothing is written.
        r.failure = "cannot read " + input;
        for (const std::string& m : r.messages)
            r.failure += ": " + m;
        return r;
    }
    CRequisiteRecord record = r.doc.record;
    // The record borrows the saved lines for the writing instead of holding a copy of them.
    record.m_text = EditorRoundTrip(r.doc.lines);
    std::string error;
    const bool written = WriteSourceFile(record, output, env.settings.stringLength, &error);
    r.savedLines = std::move(record.m_text);
    record.m_text.clear();
    if (!written) {
        r.failure = "cannot write " + output + ": " + error;
        return r;
    }
    for (const LossWarning& w : r.doc.losses)
        r.warnings.push_back("line " + std::to_string(w.line) + ", column " +
                             std::to_string(w.column) + ": " + std::to_string(w.count) +
                             " character(s) without a CP1251 form replaced");
    if (r.doc.nulBytes)
        r.warnings.push_back(std::to_string(r.doc.nulBytes) + " NUL byte(s) replaced by spaces");
    if (r.doc.ctrlZLine > 0)
        r.warnings.push_back("line " + std::to_string(r.doc.ctrlZLine) +
                             ": the text ends at a Ctrl+Z; what follows it was not read");
    if (env.settings.defineRecvisits) {
        if (record.m_kinds.empty())
            r.warnings.push_back("no kind found");
        if (record.m_adoptionDates.empty())
            r.warnings.push_back("no adoption date");
        if (record.m_numbers.empty())
            r.warnings.push_back("no number");
    }
    if (HasUnclosedFrame(r.doc.lines))
        r.warnings.push_back("unclosed frame");
    for (const std::string& m : r.messages)
        r.warnings.push_back(m);
    r.ok = true;
    return r;
}

namespace {
void PrintList(std::ostream& out, const char* label, const std::vector<std::string>& items) {
    out << label;
    for (std::size_t i = 0; i < items.size(); ++i)
        out << (i ? "; " : " ") << TerminalSafe(Cp1251ToUtf8(items[i]));
    out << '\n';
}
} // namespace

void PrintRequisites(std::ostream& out, const CRequisiteRecord& record) {
    PrintList(out, "Kinds:  ", record.m_kinds);
    PrintList(out, "Bodies: ", record.m_organs);
    std::vector<std::string> dates;
    for (const CDateValue& d : record.m_adoptionDates)
        dates.push_back(FormatDate(d));
    PrintList(out, "Dates:  ", dates);
    PrintList(out, "Numbers:", record.m_numbers);
    // Each line of the title made safe on its own, the line breaks kept.
    std::string title;
    std::string_view rest = record.m_title;
    for (std::size_t lf = rest.find('\n');; lf = rest.find('\n')) {
        title += TerminalSafe(Cp1251ToUtf8(rest.substr(0, lf)));
        if (lf == std::string_view::npos)
            break;
        title += "\n        ";
        rest.remove_prefix(lf + 1);
    }
    out << "Title:   " << title << '\n';
}

void PrintExtended(std::ostream& out, const OpenedDocument& doc) {
    if (doc.extendedRules.empty())
        return;
    out << "Extended: " << FormatExtendedRules(doc.extendedRules) << '\n';
    for (const RequisiteEvidence& e : doc.evidence)
        if (e.rule != ExtendedRuleFinders) // what the plain finders found: --explain
            out << "  " << Cp1251ToUtf8(RequisiteLabel(e.requisite)) << " "
                << TerminalSafe(Cp1251ToUtf8(e.value)) << " <- line " << e.line + 1 << ": "
                << TerminalSafe(Cp1251ToUtf8Display(TrimSpaces(e.lineText))) << '\n';
}

void PrintExplanation(std::ostream& out, const OpenedDocument& doc) {
    const CRequisiteRecord& record = doc.record;
    out << "Explain:\n";
    auto print = [&](RequisiteId id, const std::string& value) {
        std::string shown = TerminalSafe(Cp1251ToUtf8(value));
        std::replace(shown.begin(), shown.end(), '\n', ' ');
        out << "  " << Cp1251ToUtf8(RequisiteLabel(id)) << ": " << shown;
        const auto e =
            std::find_if(doc.evidence.begin(), doc.evidence.end(), [&](const RequisiteEvidence& x) {
                return x.requisite == id && (x.value == value || id == kReqTitle);
            });
        if (e == doc.evidence.end())
            out << " <- not located\n";
        else
            out << " <- line " << e->line + 1 << " (" << ExtendedRuleName(e->rule)
                << "): " << TerminalSafe(Cp1251ToUtf8Display(TrimSpaces(e->lineText))) << '\n';
    };
    for (const std::string& k : record.m_kinds)
        print(kReqKinds, k);
    for (const std::string& o : record.m_organs)
        print(kReqOrgans, o);
    for (const CDateValue& d : record.m_adoptionDates)
        print(kReqAdoptionDates, FormatDate(d));
    for (const std::string& n : record.m_numbers)
        print(kReqNumbers, n);
    if (!IsNoDate(record.m_justiceDate))
        print(kReqJusticeDate, FormatDate(record.m_justiceDate));
    if (!record.m_justiceNumber.empty())
        print(kReqJusticeNumber, record.m_justiceNumber);
    if (!record.m_title.empty())
        print(kReqTitle, record.m_title);
}

std::string FormatTagCounts(const LineList& lines) {
    std::string s;
    for (const auto& [code, n] : CountTagBlocks(lines)) {
        if (!s.empty())
            s += ", ";
        s += Cp1251ToUtf8(code) + " " + std::to_string(n);
    }
    return s.empty() ? "none" : s;
}

} // namespace norvak::cli
