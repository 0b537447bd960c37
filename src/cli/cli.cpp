#include "cli/cli.h"

#include "cli/clienv.h"
#include "cli/options.h"
#include "cli/terminaloperator.h"
#include "core/codepage.h"
#include "core/literal.h"
#include "core/textfile.h"
#include "dictionaries/servicedata.h"
#include "document/dictlocation.h"
#include "document/sourceformat.h"
#include "markup/tags.h"

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <ostream>
#include <set>

#ifndef NORVAK_VERSION
#define NORVAK_VERSION "1.0.0"
#endif

namespace norvak::cli {
namespace fs = std::filesystem;

namespace {

const char* const kUsage =
    "Usage: norvak-cli COMMAND [OPTIONS]\n"
    "\n"
    "Prepares Russian legal documents for the reference database: reads a DOS text, a\n"
    "source-format file, an HTML page, a DOCX or ODT document or a text written one\n"
    "paragraph per line, finds its requisites, places the layout tags and writes the\n"
    "source-format file (*.rla, CP866).\n"
    "\n"
    "Commands:\n"
    "  convert INPUT [-o OUTPUT.rla]   convert one document\n"
    "  batch DIR|FILES... -o OUTDIR    convert many documents, write OUTDIR/report.csv\n"
    "  show FILE.rla                   print a source-format file's requisites and text\n"
    "  dict export --dict DICT.dat -o FOLDER\n"
    "                                  write the dictionaries as readable text files\n"
    "  dict import FOLDER -o DICT.dat  build dict.dat from the readable text files\n"
    "  dict list --dict DICT.dat       count the entries of every dictionary\n"
    "\n"
    "Options of convert and batch:\n"
    "  --type auto|text|source|marked|html|docx|odt\n"
    "                                  the input: told from its bytes (auto, the default),\n"
    "                                  DOS/Windows text read as it stands, source format\n"
    "                                  (tagged on opening), source format with markup (kept),\n"
    "                                  or a page or document laid out in the 66-column form\n"
    "  --encoding dos|windows|utf8     encoding of a text (default: guessed with --type auto,\n"
    "                                  else dos)\n"
    "  --no-tags                       do not place tags\n"
    "  --no-requisites                 do not determine requisites\n"
    "  --no-extended                   only the plain requisites detection (no editorial\n"
    "                                  notes, registration or signature-block rules)\n"
    "  --dict PATH                     dict.dat to use (default: beside the program, else\n"
    "                                  ~/.local/share/norvak/dict.dat, else the shipped one)\n"
    "  --settings PATH                 settings file (Name=value lines, UTF-8)\n"
    "  --string-length N, --pos-paragraph N, --left-spaces N, --question-doc TEXT\n"
    "                                  override single settings\n"
    "  --quote-letter-kind yes|no      put the kind ПИСЬМО into angle brackets (default no)\n"
    "  -j N                            (batch) documents converted in parallel\n"
    "  --spelling                      (convert) list the words the Russian dictionary\n"
    "                                  does not know, with their line numbers\n"
    "  --no-spelling                   (batch) leave the report's spelling column empty\n"
    "  --explain                       (convert) each requisite's value, the line it came\n"
    "                                  from and the rule that found it\n"
    "\n"
    "  -h, --help                      this text\n"
    "  --version                       the program's version\n"
    "\n"
    "Exit status: 0 on success, 1 when the work failed, 2 on a usage error.\n"
    "convert and batch only read the dictionaries; they never write dict.dat.\n";

} // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) {
        err << kUsage;
        return 2;
    }
    const std::string& cmd = args[0];
    std::vector<std::string> rest(args.begin() + 1, args.end());
    if (cmd == "-h" || cmd == "--help" || cmd == "help") {
        out << kUsage;
        return 0;
    }
    if (cmd == "--version") {
        out << "norvak-cli " << NORVAK_VERSION << '\n';
        return 0;
    }
    try {
        if (cmd == "convert")
            return ConvertCommand(rest, out, err);
        if (cmd == "batch")
            return BatchCommand(rest, out, err);
        if (cmd == "show")
            return ShowCommand(rest, out, err);
        if (cmd == "dict")
            return DictCommand(rest, out, err);
    } catch (const std::exception& e) {
        err << "norvak-cli: " << e.what() << '\n';
        return 1;
    }
    err << "norvak-cli: unknown command '" << cmd << "' (see norvak-cli --help)\n";
    return 2;
}

} // namespace norvak::cli
