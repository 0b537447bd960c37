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
    if (!opts.Parse(args, &error)) {
        err << "norvak-cli convert: " << error << '\n';
        return 2;
    }
    if (opts.Positional().size() != 1) {
        err << "norvak-cli convert: give exactly one input file (see --help)\n";
        return 2;
    }
    ConvertEnv env;
    if (!MakeConvertEnv(opts, env, &error)) {
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
    if (!LoadDictionaries(env.dictPath, dictionaries, &error)) {
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
        out << ", laid out at " << env.settings.stringLength << " columns";
    out << '\n';
    if (r.doc.docClass) {
        static const char* const kClassNames[] = {"ordinary", "approval stamp",
                                                  "question and answer"};
        const DocClass docClass = *r.doc.docClass;
        out << "Class:   " << docClass << " (" << kClassNames[docClass] << ")\n";
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

} // namespace norvak::cli
