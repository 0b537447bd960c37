#include "cli/clienv.h"
#include "cli/options.h"
#include "core/codepage.h"
#include "core/textfile.h"
#include "dictionaries/servicedata.h"
#include "document/dictlocation.h"
#include "document/sourceformat.h"
#include "spelling/spellchecker.h"
#include "spelling/spellingfiles.h"

#include <filesystem>
#include <ostream>

namespace norvak::cli {
namespace fs = std::filesystem;

namespace {
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
} // namespace

int ConvertCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (WantsHelp(args)) {
        out << "Usage: norvak-cli convert INPUT [-o OUTPUT.rla]\n"
               "       [--type auto|text|source|marked|html|docx|odt]\n"
               "       [--encoding dos|windows|utf8] [--no-tags] [--no-requisites] "
               "[--no-extended]\n"
               "       [--dict PATH]"
               "       [--settings PATH] [--string-length N] [--pos-paragraph N]\n"
               "       [--left-spaces N] [--question-doc TEXT] [--quote-letter-kind yes|no]\n"
               "       [--explain] [--spelling]\n"
               "  --explain   print, for each requisite found, its value, the line it came from\n"
               "              and the rule that found it\n"
               "  --spelling  also list the words the Russian dictionary does not know\n";
        return 0;
    }
    COptions opts(FlagSet(kConvertValueFlags, {"-o", "--output"}),
                  FlagSet(kConvertBoolFlags, {"--spelling", "--explain"}));
    std::string error;
    if (!opts.Parse(args, error)) {
        err << "norvak-cli convert: " << error << '\n';
        return 2;
    }
    if (opts.Positional().size() != 1) {
        err << "norvak-cli convert: give exactly one input file (see --help)\n";
        return 2;
    }
    ConvertEnv env;
    if (!MakeConvertEnv(opts, env, error)) {
        err << "norvak-cli convert: " << error << '\n';
        return 2;
    }
    const std::string input = opts.Positional()[0];
    std::string output = opts.Value("-o").value_or(opts.Value("--output").value_or(""));
    if (output.empty())
        output = DefaultOutputName(input);
    for (const std::string& w : env.warnings)
        err << "warning: " << TerminalSafe(w) << '\n';
    std::error_code ec;
    if (fs::exists(output, ec) && fs::equivalent(input, output, ec)) {
        err << "norvak-cli convert: the output would overwrite the input " << input << '\n';
        return 2;
    }
    if (fs::exists(output, ec) && !NotRegularFileReason(output).empty()) {
        err << "norvak-cli convert: the output " << output
            << " is not a regular file and is not replaced\n";
        return 1;
    }
    CServiceData dictionaries;
    if (!LoadDictionaries(env.dictPath, dictionaries, error)) {
        err << "norvak-cli convert: " << error << '\n';
        return 1;
    }
    // Asked for and impossible: fail before anything is written.
    SpellingSetup spelling;
    if (opts.Has("--spelling")) {
        spelling = OpenSpelling(ExecutableDir());
        if (spelling.checker == nullptr) {
            err << "norvak-cli convert: spell checking unavailable: " << spelling.error << '\n';
            return 1;
        }
        if (!spelling.error.empty())
            err << "warning: " << spelling.error << '\n';
    }
    ConvertResult r = ConvertOne(input, output, env, dictionaries);
    if (!r.ok) {
        err << "norvak-cli convert: " << TerminalSafe(r.failure) << '\n';
        return 1;
    }
    out << "Written: " << output << '\n';
    out << "Input:   " << FileTypeName(r.doc.type);
    if (r.doc.type == FileType::Text)
        out << ", " << EncodingName(r.doc.encoding);
    if (r.doc.laidOut)
        out << ", laid out at " << env.settings.m_stringLength << " columns";
    out << '\n';
    if (r.doc.docClass >= 0) {
        static const char* const kClassNames[] = {"ordinary", "approval stamp",
                                                  "question and answer"};
        out << "Class:   " << r.doc.docClass << " (" << kClassNames[r.doc.docClass] << ")\n";
    }
    PrintRequisites(out, r.doc.record);
    PrintExtended(out, r.doc);
    if (opts.Has("--explain"))
        PrintExplanation(out, r.doc);
    out << "Tags:    " << FormatTagCounts(r.doc.lines) << '\n';
    out << "Lines:   " << r.savedLines.size() << '\n';
    out << "Dictionary: " << (env.dictPath.empty() ? "(none: empty dictionaries)" : env.dictPath)
        << '\n';
    if (spelling.checker != nullptr)
        PrintSpelling(out, *spelling.checker, r.doc.lines);
    for (const std::string& w : r.warnings)
        err << "warning: " << TerminalSafe(w) << '\n';
    return 0;
}

int ShowCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (WantsHelp(args)) {
        out << "Usage: norvak-cli show FILE.rla [--encoding dos|windows]\n";
        return 0;
    }
    COptions opts({"--encoding"}, {});
    std::string error;
    if (!opts.Parse(args, error) || opts.Positional().size() != 1) {
        err << "norvak-cli show: " << (error.empty() ? "give exactly one file" : error) << '\n';
        return 2;
    }
    bool dos = opts.Value("--encoding").value_or("dos") != "windows";
    std::string bytes;
    const std::string& path = opts.Positional()[0];
    std::string readError;
    if (!ReadFileBytes(path, bytes, &readError)) {
        err << "norvak-cli show: cannot read " << path << ": " << readError << '\n';
        return 1;
    }
    CRequisiteRecord r = ReadSourceBytes(bytes, dos);
    for (const RequisiteInfo& info : RequisiteTable()) {
        if (info.id == kReqText)
            continue;
        std::string value;
        auto join = [&](const std::vector<std::string>& v) {
            for (std::size_t i = 0; i < v.size(); ++i)
                value += (i ? "; " : "") + Cp1251ToUtf8(v[i]);
        };
        auto date = [](const CDateValue& d) { return IsNoDate(d) ? std::string() : FormatDate(d); };
        switch (info.id) {
        case kReqDbNumber:
            value = r.m_dbNumber == -1 ? "" : std::to_string(r.m_dbNumber);
            break;
        case kReqEntryDate:
            value = date(r.m_entryDate);
            break;
        case kReqTextDate:
            value = date(r.m_textDate);
            break;
        case kReqFirstEdition:
            value = r.m_firstEdition == -1 ? "" : std::to_string(r.m_firstEdition);
            break;
        case kReqEditionDate:
            value = date(r.m_editionDate);
            break;
        case kReqStatus:
            value = std::to_string(r.m_status);
            break;
        case kReqNote:
            value = Cp1251ToUtf8Display(r.m_note);
            break;
        case kReqThemes:
            for (std::size_t i = 0; i < r.m_themes.size(); ++i)
                value += (i ? "; " : "") + std::to_string(r.m_themes[i]);
            break;
        case kReqSources:
            join(r.m_sources);
            break;
        case kReqLinks:
            join(r.m_links);
            break;
        case kReqKinds:
            join(r.m_kinds);
            break;
        case kReqOrgans:
            join(r.m_organs);
            break;
        case kReqAdoptionDates:
            for (std::size_t i = 0; i < r.m_adoptionDates.size(); ++i)
                value += (i ? "; " : "") + FormatDate(r.m_adoptionDates[i]);
            break;
        case kReqNumbers:
            join(r.m_numbers);
            break;
        case kReqJusticeDate:
            value = date(r.m_justiceDate);
            break;
        case kReqJusticeNumber:
            value = Cp1251ToUtf8(r.m_justiceNumber);
            break;
        case kReqTitle:
            value = Cp1251ToUtf8(r.m_title);
            break;
        default:
            break;
        }
        out << Cp1251ToUtf8(info.label) << ": " << TerminalSafe(value) << '\n';
    }
    out << Cp1251ToUtf8(RequisiteLabel(kReqText)) << ":\n";
    for (const std::string& line : r.m_text)
        out << TerminalSafe(Cp1251ToUtf8Display(line)) << '\n';
    return 0;
}

} // namespace norvak::cli
