#include "cli/clienv.h"
#include "cli/options.h"
#include "core/codepage.h"
#include "core/failure.h"
#include "core/filelock.h"
#include "core/textfile.h"
#include "dictionaries/servicedata.h"
#include "document/dictlocation.h"
#include "markup/tags.h"
#include "spelling/spellchecker.h"
#include "spelling/spellingfiles.h"

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <mutex>
#include <ostream>
#include <set>
#include <thread>

namespace norvak::cli {
namespace fs = std::filesystem;

namespace {

struct BatchItem {
    std::string input;
    std::string output;
    ConvertResult result;
    std::string problem;  // set when the entry fails before its conversion
    std::string spelling; // the report's spelling field
};

// The name under which the output folder is locked while a batch writes into it.
constexpr const char* kLockName = ".norvak-batch.lock";

// The path as the file system knows it, for comparing inputs with outputs; path itself when
// it cannot be resolved.
std::string Canonical(const std::string& path) {
    std::error_code ec;
    fs::path p = fs::weakly_canonical(path, ec);
    return ec ? path : p.string();
}

// The entries of a folder (not its subfolders): files, and entries that cannot be looked at
// (a symlink loop, no permission), which fail on their own. False with error set when the
// folder itself cannot be read.
// The report of an earlier run into the same folder (skip) is not a document.
bool ListFolder(const std::string& dir, const std::string& skip, std::vector<BatchItem>& items,
                std::string* error) {
    std::error_code ec;
    fs::directory_iterator it(dir, ec);
    if (ec) {
        SetError(error, "cannot read the folder " + dir + ": " + ec.message());
        return false;
    }
    std::vector<BatchItem> found;
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (ec) {
            SetError(error, "cannot read the folder " + dir + ": " + ec.message());
            return false;
        }
        const fs::path& path = it->path();
        if (path.filename().string()[0] == '.' || Canonical(path.string()) == skip)
            continue;
        std::error_code sec;
        const fs::file_status st = fs::status(path, sec);
        if (sec) {
            BatchItem bad{path.string(), {}, {}, {}, {}};
            bad.problem = "cannot look at " + path.string() + ": " + sec.message();
            found.push_back(std::move(bad));
        } else if (fs::is_regular_file(st)) {
            found.push_back({path.string(), {}, {}, {}, {}});
        }
        // Subfolders and other kinds of entries are not documents of the folder.
    }
    std::sort(found.begin(), found.end(),
              [](const BatchItem& a, const BatchItem& b) { return a.input < b.input; });
    for (BatchItem& f : found)
        items.push_back(std::move(f));
    return true;
}

std::string CsvField(const std::string& s) {
    if (s.find_first_of(",\"\r\n") == std::string::npos)
        return s;
    std::string q = "\"";
    for (char c : s) {
        if (c == '"')
            q += '"';
        q += c;
    }
    return q + "\"";
}

std::string JoinUtf8(const std::vector<std::string>& items) {
    std::string s;
    for (std::size_t i = 0; i < items.size(); ++i)
        s += (i ? "; " : "") + Cp1251ToUtf8(items[i]);
    return s;
}

std::string ReportCsv(const std::vector<BatchItem>& items) {
    std::string csv = "file,status,class,kinds,bodies,dates,numbers,title,extended";
    for (TagCode c : kAllTagCodes)
        csv += "," + Cp1251ToUtf8(TagCodeText(c));
    csv += ",type,encoding,warnings,failure,output,spelling\r\n";
    for (const BatchItem& it : items) {
        const ConvertResult& r = it.result;
        const CRequisiteRecord& rec = r.doc.record;
        std::vector<std::string> fields = {it.input, r.ok ? "converted" : "failed"};
        fields.push_back(r.ok && r.doc.docClass ? std::to_string(*r.doc.docClass) : "");
        fields.push_back(JoinUtf8(rec.m_kinds));
        fields.push_back(JoinUtf8(rec.m_organs));
        std::vector<std::string> dates;
        for (const CDateValue& d : rec.m_adoptionDates)
            dates.push_back(FormatDate(d));
        fields.push_back(JoinUtf8(dates));
        fields.push_back(JoinUtf8(rec.m_numbers));
        std::string title = Cp1251ToUtf8(rec.m_title);
        std::replace(title.begin(), title.end(), '\n', ' ');
        fields.push_back(title);
        fields.push_back(FormatExtendedRules(r.doc.extendedRules));
        auto counts = CountTagBlocks(r.doc.lines);
        for (TagCode c : kAllTagCodes) {
            auto f = counts.find(std::string(TagCodeText(c)));
            fields.push_back(r.ok ? std::to_string(f == counts.end() ? 0 : f->second) : "");
        }
        fields.push_back(FileTypeName(r.doc.type));
        fields.push_back(r.ok && r.doc.type == FileType::Text ? EncodingName(r.doc.encoding) : "");
        std::string warnings;
        for (std::size_t i = 0; i < r.warnings.size(); ++i)
            warnings += (i ? "; " : "") + r.warnings[i];
        fields.push_back(warnings);
        fields.push_back(r.failure);
        fields.push_back(r.ok ? it.output : "");
        fields.push_back(it.spelling);
        for (std::size_t i = 0; i < fields.size(); ++i)
            csv += (i ? "," : "") + CsvField(fields[i]);
        csv += "\r\n";
    }
    return csv;
}

void DrawProgress(std::ostream& err, std::size_t done, std::size_t total, const std::string& name) {
    const int width = 30;
    int filled = total ? static_cast<int>(done * width / total) : width;
    std::string shown = fs::path(name).filename().string();
    if (shown.size() > 40)
        shown = shown.substr(0, 37) + "...";
    err << "\r[" << std::string(static_cast<std::size_t>(filled), '#')
        << std::string(static_cast<std::size_t>(width - filled), ' ') << "] " << done << "/"
        << total << " " << shown << "\x1b[K" << std::flush;
}

} // namespace

int BatchCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    for (const std::string& a : args)
        if (a == "-h" || a == "--help") {
            out << "Usage: norvak-cli batch DIR|FILES... -o OUTDIR [-j N] [options of convert]\n"
                   "Converts every file (a directory: every file in it, not its subdirectories)\n"
                   "into OUTDIR/NAME.rla and writes OUTDIR/report.csv; its spelling column counts\n"
                   "the words the Russian dictionary does not know (--no-spelling: left empty).\n";
            return 0;
        }
    std::set<std::string> valueFlags = {"-o", "--output", "-j"};
    for (const char* const* f = kConvertValueFlags; *f; ++f)
        valueFlags.insert(*f);
    std::set<std::string> boolFlags = {"--no-spelling"};
    for (const char* const* f = kConvertBoolFlags; *f; ++f)
        boolFlags.insert(*f);
    COptions opts(valueFlags, boolFlags);
    std::string error;
    if (!opts.Parse(args, &error)) {
        err << "norvak-cli batch: " << error << '\n';
        return 2;
    }
    std::string outDir = opts.Value("-o").value_or(opts.Value("--output").value_or(""));
    if (outDir.empty() || opts.Positional().empty()) {
        err << "norvak-cli batch: give the inputs and -o OUTDIR (see --help)\n";
        return 2;
    }
    int jobs = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    if (!opts.IntValue("-j", jobs, &error) || jobs < 1) {
        err << "norvak-cli batch: " << (error.empty() ? "-j must be at least 1" : error) << '\n';
        return 2;
    }
    ConvertEnv env;
    if (!MakeConvertEnv(opts, env, &error)) {
        err << "norvak-cli batch: " << error << '\n';
        return 2;
    }

    for (const std::string& w : env.warnings)
        err << "warning: " << TerminalSafe(w) << '\n';
    const std::string reportPath = (fs::path(outDir) / "report.csv").string();
    std::vector<BatchItem> items;
    for (const std::string& p : opts.Positional()) {
        std::error_code ec;
        if (fs::is_directory(p, ec)) {
            if (!ListFolder(p, Canonical(reportPath), items, &error)) {
                err << "norvak-cli batch: " << TerminalSafe(error) << '\n';
                return 1;
            }
        } else {
            items.push_back({p, {}, {}, {}, {}});
        }
    }
    std::error_code ec;
    fs::create_directories(outDir, ec);
    if (!fs::is_directory(outDir)) {
        err << "norvak-cli batch: cannot create the output directory " << outDir << '\n';
        return 1;
    }
    // One batch at a time writes into a folder; a second one would mix its files and its
    // report with this one's.
    CFileLock folderLock;
    if (!folderLock.Lock((fs::path(outDir) / kLockName).string(), 0, &error)) {
        err << "norvak-cli batch: another batch run is writing into " << outDir << " (" << error
            << ")\n";
        return 1;
    }
    std::set<std::string> inputs;
    for (const BatchItem& it : items)
        inputs.insert(Canonical(it.input));
    if (inputs.count(Canonical(reportPath))) {
        err << "norvak-cli batch: the report would overwrite the input " << reportPath << '\n';
        return 2;
    }
    std::set<std::string> usedNames;
    for (BatchItem& it : items) {
        std::string name = DefaultOutputName(it.input, outDir);
        // An entry whose output would be an input (its own or another's) fails rather than
        // take another name: a rerun into the same folder would otherwise pile up copies.
        if (it.problem.empty() && inputs.count(Canonical(name))) {
            it.problem = "the output would overwrite the input " + name;
            it.output = name;
            continue;
        }
        std::string candidate = name;
        for (int n = 2; usedNames.count(candidate); ++n)
            candidate =
                fs::path(name).replace_extension("").string() + "-" + std::to_string(n) + ".rla";
        usedNames.insert(candidate);
        it.output = candidate;
        // Never written over an input, this entry's own or another's.
        if (it.problem.empty() && inputs.count(Canonical(candidate)))
            it.problem = "the output would overwrite the input " + candidate;
    }

    // One checker for all workers: its dictionary serialises the calls.
    SpellingSetup spelling;
    if (!opts.Has("--no-spelling")) {
        spelling = OpenSpelling(ExecutableDir());
        if (spelling.checker == nullptr)
            err << "warning: spell checking unavailable, the spelling column stays empty: "
                << spelling.error << '\n';
        else if (!spelling.error.empty())
            err << "warning: " << spelling.error << '\n';
    }

    std::atomic<std::size_t> next{0};
    std::atomic<std::size_t> done{0};
    std::mutex errMutex;
    std::string dictError;
    auto worker = [&] {
        CServiceData dictionaries; // each worker sorts its own copy
        std::string e;
        bool dictOk = LoadDictionaries(env.dictPath, dictionaries, &e);
        for (std::size_t i = next++; i < items.size(); i = next++) {
            BatchItem& it = items[i];
            std::error_code sameEc;
            if (it.problem.empty() && fs::exists(it.output, sameEc) &&
                fs::equivalent(it.input, it.output, sameEc))
                it.problem = "the output would overwrite the input " + it.input;
            if (!it.problem.empty()) {
                it.result.failure = it.problem;
            } else if (!dictOk) {
                it.result.failure = e;
            } else {
                try {
                    it.result = ConvertOne(it.input, it.output, env, dictionaries);
                    if (it.result.ok && spelling.checker != nullptr)
                        it.spelling = SpellingField(*spelling.checker, it.result.doc.lines);
                } catch (const std::exception& ex) {
                    it.result = ConvertResult{};
                    it.result.failure = std::string("internal error: ") + ex.what();
                }
            }
            std::size_t d = ++done;
            if (ProgressOnTerminal()) {
                std::lock_guard<std::mutex> lock(errMutex);
                DrawProgress(err, d, items.size(), it.input);
            }
        }
    };
    {
        std::vector<std::thread> threads;
        int n = std::min<int>(jobs, static_cast<int>(std::max<std::size_t>(1, items.size())));
        for (int t = 0; t < n; ++t)
            threads.emplace_back(worker);
        for (std::thread& t : threads)
            t.join();
    }
    if (ProgressOnTerminal())
        err << '\n';

    if (!WriteFileAtomic(reportPath, ReportCsv(items), &error)) {
        err << "norvak-cli batch: cannot write the report: " << error << '\n';
        return 1;
    }
    std::size_t failed = 0, warned = 0;
    for (const BatchItem& it : items) {
        if (!it.result.ok)
            ++failed;
        else if (!it.result.warnings.empty())
            ++warned;
    }
    out << "Converted " << items.size() - failed << " of " << items.size() << " document(s)";
    if (warned)
        out << ", " << warned << " with warnings";
    out << "; report: " << reportPath << '\n';
    for (const BatchItem& it : items)
        if (!it.result.ok)
            out << "failed: " << TerminalSafe(it.input) << ": " << TerminalSafe(it.result.failure)
                << '\n';
    return failed ? 1 : 0;
}

} // namespace norvak::cli
