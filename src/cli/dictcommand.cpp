#include "cli/clienv.h"
#include "cli/options.h"
#include "cli/terminaloperator.h"
#include "core/textfile.h"
#include "dictionaries/dicttext.h"
#include "dictionaries/servicedata.h"

#include <filesystem>
#include <ostream>

namespace norvak::cli {
namespace fs = std::filesystem;

namespace {
const char* const kDictUsage =
    "Usage: norvak-cli dict export --dict DICT.dat -o FOLDER\n"
    "       norvak-cli dict import FOLDER -o DICT.dat\n"
    "       norvak-cli dict list --dict DICT.dat\n"
    "The readable form is a folder of UTF-8 text files (kinds.txt, organs.txt, sources.txt,\n"
    "unidict.txt, themes.txt, lettercase.txt); see docs/dictionary-text-format.md.\n";

// Loads a dict.dat strictly: a damaged file is an error naming the sections that failed.
bool LoadStrict(const std::string& path, CServiceData& data, std::ostream& err, const char* cmd) {
    std::error_code ec;
    if (!fs::exists(path, ec)) {
        err << "norvak-cli dict " << cmd << ": dictionary file not found: " << path << '\n';
        return false;
    }
    CTerminalOperator op(nullptr, false);
    if (!data.Load(path, op)) {
        err << "norvak-cli dict " << cmd << ": " << path << " cannot be read: " << data.ReadError()
            << '\n';
        return false;
    }
    if (op.Messages().empty() && data.LoadedCleanly())
        return true;
    err << "norvak-cli dict " << cmd << ": " << path << " is damaged:\n";
    for (const std::string& m : op.Messages())
        err << "  " << m << '\n';
    return false;
}
} // namespace

int DictCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty() || args[0] == "-h" || args[0] == "--help") {
        (args.empty() ? err : out) << kDictUsage;
        return args.empty() ? 2 : 0;
    }
    const std::string sub = args[0];
    COptions opts({"--dict", "-o", "--output"}, {});
    std::string error;
    if (!opts.Parse(std::vector<std::string>(args.begin() + 1, args.end()), &error)) {
        err << "norvak-cli dict " << sub << ": " << error << '\n';
        return 2;
    }
    std::string output = opts.Value("-o").value_or(opts.Value("--output").value_or(""));
    if (sub == "export") {
        auto dict = opts.Value("--dict");
        if (!dict || output.empty() || !opts.Positional().empty()) {
            err << kDictUsage;
            return 2;
        }
        CServiceData data;
        if (!LoadStrict(*dict, data, err, "export"))
            return 1;
        if (!ExportDictionaries(data, output, &error)) {
            err << "norvak-cli dict export: " << error << '\n';
            return 1;
        }
        out << "Exported " << *dict << " to " << output << '\n';
        return 0;
    }
    if (sub == "import") {
        if (opts.Positional().size() != 1 || output.empty()) {
            err << kDictUsage;
            return 2;
        }
        CServiceData data;
        if (!ImportDictionaries(opts.Positional()[0], data, &error)) {
            err << "norvak-cli dict import: " << error << '\n';
            return 1;
        }
        CTerminalOperator op(nullptr, false);
        std::string bytes;
        // Under the lock the editor takes, so that a running editor sees the new file as a
        // change made by another program and merges it instead of writing over it.
        if (!data.StoreToBytes(bytes, op) || !CServiceData::ReplaceFile(output, bytes, &error)) {
            err << "norvak-cli dict import: cannot write " << output << ": " << error << '\n';
            return 1;
        }
        out << "Imported " << opts.Positional()[0] << " into " << output << '\n';
        return 0;
    }
    if (sub == "list") {
        auto dict = opts.Value("--dict");
        if (!dict || !opts.Positional().empty()) {
            err << kDictUsage;
            return 2;
        }
        CServiceData data;
        bool ok = LoadStrict(*dict, data, err, "list");
        out << "Document kinds:      " << data.DocDict().GetCount() << '\n'
            << "Adopting bodies:     " << data.OrganDict().GetCount() << '\n'
            << "Publication sources: " << data.SourceDict().GetCount() << '\n'
            << "Word forms by case:  " << data.UniDict().GetCount() << '\n'
            << "Themes:              " << data.TemathicsDict().GetCount() << '\n'
            << "Letter-case words:   " << data.UpperCaseDict().Words().size() << '\n';
        return ok ? 0 : 1;
    }
    err << "norvak-cli dict: unknown subcommand '" << sub << "'\n" << kDictUsage;
    return 2;
}

} // namespace norvak::cli
