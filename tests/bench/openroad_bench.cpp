// The opening road measured stage by stage on generated DOS documents of 10 000, 100 000 and
// 1 000 000 lines and on the bundled samples, with the shipped dictionaries, next to the bare
// baseline of reading the file and converting it CP866 -> CP1251 -> CP866.
//
//   norvak_openroad_bench [benchmark options]   the timings
//   norvak_openroad_bench --rss <lines>         peak memory of the whole road on one file

#include "core/codepage.h"
#include "core/operatorio.h"
#include "core/progress.h"
#include "core/textfile.h"
#include "dictionaries/dicttext.h"
#include "dictionaries/servicedata.h"
#include "document/docclassing.h"
#include "document/inputsniff.h"
#include "document/openroad.h"
#include "document/settings.h"
#include "document/sourceformat.h"
#include "markup/markupdriver.h"
#include "requisites/docanalyzer.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <unistd.h>

namespace norvak {
namespace {

namespace fs = std::filesystem;

std::string W(const std::string& utf8) {
    return Utf8ToCp1251(utf8);
}

// A frame row in CP866: left, fill, joint and right box bytes around three cells.
std::string FrameRow(char left, char fill, char joint, char right, const char* const cells[3]) {
    std::string row(1, left);
    for (int i = 0; i < 3; ++i) {
        std::string cell = cells ? Cp1251ToCp866(W(cells[i])) : std::string();
        cell.resize(14, cells ? ' ' : fill);
        row += cell;
        row += i < 2 ? joint : right;
    }
    return row;
}

// A DOS document (CP866, 66 columns, CR LF) of the given number of lines: a heading with
// body, kind, date and number, a capital title, then articles with centred headings,
// indented paragraphs, a right-aligned note now and then and a framed table every 40 articles.
std::string GenerateDosDocument(int lines) {
    std::string out;
    out.reserve(static_cast<std::size_t>(lines) * 64);
    int n = 0;
    auto raw = [&](const std::string& cp866) {
        out += cp866;
        out += "\r\n";
        ++n;
    };
    auto line = [&](const std::string& utf8) { raw(Cp1251ToCp866(W(utf8))); };
    line("              МИНИСТЕРСТВО ФИНАНСОВ РОССИЙСКОЙ ФЕДЕРАЦИИ");
    line("");
    line("                             ПРИКАЗ");
    line("                  от 12 марта 2002 г. N 25н");
    line("");
    line("          ОБ УТВЕРЖДЕНИИ ПОЛОЖЕНИЯ О ПОРЯДКЕ УЧЕТА ИМУЩЕСТВА");
    line("");
    const char* const head[3] = {"Показатель", "Код строки", "Сумма"};
    const char* const row[3] = {"Имущество", "010", "1000"};
    int article = 0;
    while (n < lines) {
        line("");
        line("                          Статья " + std::to_string(++article));
        line("");
        for (int p = 0; p < 4; ++p) {
            line("     Организация  ведет  учет  имущества,  обязательств  и");
            line("хозяйственных операций путем двойной записи на взаимосвязанных");
            line("счетах бухгалтерского учета, включенных в рабочий план счетов.");
        }
        if (article % 10 == 0)
            line("                                       (в ред. от 01.01.2003)");
        if (article % 40 == 0) {
            raw(FrameRow('\xDA', '\xC4', '\xC2', '\xBF', nullptr));
            raw(FrameRow('\xB3', ' ', '\xB3', '\xB3', head));
            raw(FrameRow('\xC3', '\xC4', '\xC5', '\xB4', nullptr));
            raw(FrameRow('\xB3', ' ', '\xB3', '\xB3', row));
            raw(FrameRow('\xC0', '\xC4', '\xC1', '\xD9', nullptr));
        }
    }
    return out;
}

CServiceData& Dictionaries() {
    static CServiceData* data = [] {
        auto* d = new CServiceData;
        std::string error;
        if (!ImportDictionaries(NORVAK_SOURCE_DIR "/data/dict", *d, &error))
            std::fprintf(stderr, "no shipped dictionaries: %s\n", error.c_str());
        return d;
    }();
    return *data;
}

// The generated file of n lines on disk, made once per size.
const std::string& DocumentFile(int n) {
    static std::map<int, std::string> files;
    auto it = files.find(n);
    if (it != files.end())
        return it->second;
    const std::string path =
        (fs::temp_directory_path() /
         ("norvak_bench_" + std::to_string(::getpid()) + "_" + std::to_string(n) + ".txt"))
            .string();
    WriteFileAtomic(path, GenerateDosDocument(n));
    return files[n] = path;
}

void Cleanup() {
    for (const auto& e : fs::directory_iterator(fs::temp_directory_path()))
        if (e.path().filename().string().rfind("norvak_bench_" + std::to_string(::getpid()), 0) ==
            0)
            fs::remove(e.path());
}

std::string StripForAnalysis(const std::string& line) {
    auto junk = [](char c) { return c == '\r' || c == '\t' || c == '\v'; };
    std::size_t b = 0, e = line.size();
    while (b < e && junk(line[b]))
        ++b;
    while (e > b && junk(line[e - 1]))
        --e;
    return line.substr(b, e - b);
}

void SetCounters(benchmark::State& state, std::size_t lines, std::size_t bytes) {
    state.counters["lines"] = static_cast<double>(lines);
    state.counters["ns_per_line"] = benchmark::Counter(
        static_cast<double>(lines) * 1e-9,
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}

// Baseline: read the file and convert it CP866 -> CP1251 -> CP866 as a whole.
void BM_Baseline(benchmark::State& state) {
    const std::string& path = DocumentFile(static_cast<int>(state.range(0)));
    std::string bytes;
    for (auto _ : state) {
        ReadFileBytes(path, bytes);
        std::string back = Cp1251ToCp866(Cp866ToCp1251(bytes));
        benchmark::DoNotOptimize(back.data());
    }
    SetCounters(state, static_cast<std::size_t>(state.range(0)), bytes.size());
}

// Stage 1: reading and conversion into lines.
void BM_ReadAndConvert(benchmark::State& state) {
    const std::string& path = DocumentFile(static_cast<int>(state.range(0)));
    std::string bytes;
    for (auto _ : state) {
        ReadFileBytes(path, bytes);
        LineList lines = SplitDosTextLines(bytes);
        benchmark::DoNotOptimize(lines.data());
    }
    SetCounters(state, static_cast<std::size_t>(state.range(0)), bytes.size());
}

LineList ReadLines(int n, std::size_t* size = nullptr) {
    std::string bytes;
    ReadFileBytes(DocumentFile(n), bytes);
    if (size)
        *size = bytes.size();
    return SplitDosTextLines(bytes);
}

// Stage 2: classing and requisites analysis.
void BM_ClassingAndAnalysis(benchmark::State& state) {
    std::size_t size = 0;
    LineList lines = ReadLines(static_cast<int>(state.range(0)), &size);
    for (std::string& l : lines)
        l = StripForAnalysis(l);
    DocSettings settings;
    CScriptedOperator op;
    for (auto _ : state) {
        PreparedDetection prepared =
            PrepareRequisitesDetection(lines, Dictionaries(), settings, NullProgress(), op);
        CRequisiteRecord record = prepared.analyzer->Run(lines);
        benchmark::DoNotOptimize(record.m_kinds.data());
    }
    SetCounters(state, lines.size(), size);
}

// Stage 3: the markup stages.
void BM_Markup(benchmark::State& state) {
    std::size_t size = 0;
    const LineList lines = ReadLines(static_cast<int>(state.range(0)), &size);
    DocSettings settings;
    CRequisiteRecord record;
    for (auto _ : state) {
        state.PauseTiming();
        LineList copy = lines;
        state.ResumeTiming();
        RunMarkup(copy, MarkupOptionsFor(settings, record), NullProgress());
        benchmark::DoNotOptimize(copy.data());
    }
    SetCounters(state, lines.size(), size);
}

// Stage 4: writing the source-format file.
void BM_Write(benchmark::State& state) {
    std::size_t size = 0;
    CRequisiteRecord record;
    record.m_text = ReadLines(static_cast<int>(state.range(0)), &size);
    RunMarkup(record.m_text, MarkupOptionsFor(DocSettings(), record), NullProgress());
    const std::string path = DocumentFile(static_cast<int>(state.range(0))) + ".rla";
    for (auto _ : state) {
        std::string bytes = WriteSourceBytes(record, 66);
        WriteFileAtomic(path, bytes);
    }
    SetCounters(state, record.m_text.size(), size);
}

// What the editor's Open checks before the road: whether the chosen type fits the file and
// which encoding its bytes suggest.
void BM_TypeCheck(benchmark::State& state) {
    const std::string& path = DocumentFile(static_cast<int>(state.range(0)));
    std::string bytes;
    ReadFileBytes(path, bytes);
    for (auto _ : state) {
        TypeMismatch m = CheckFileType(bytes, FileType::Text, path);
        benchmark::DoNotOptimize(m.found);
    }
    SetCounters(state, static_cast<std::size_t>(state.range(0)), bytes.size());
}

// The whole road: open (read, convert, class, analyse, tag) and save.
void RunRoad(const std::string& path, const OpenOptions& options) {
    CScriptedOperator op;
    DocSettings settings;
    OpenedDocument doc = OpenDocument(path, options, settings, Dictionaries(), NullProgress(), op);
    CRequisiteRecord record = doc.record;
    record.m_text = std::move(doc.lines);
    WriteFileAtomic(path + ".rla", WriteSourceBytes(record, settings.stringLength));
}

void BM_WholeRoad(benchmark::State& state) {
    const std::string& path = DocumentFile(static_cast<int>(state.range(0)));
    for (auto _ : state)
        RunRoad(path, OpenOptions());
    SetCounters(state, static_cast<std::size_t>(state.range(0)), fs::file_size(path));
}

void BM_Sample(benchmark::State& state, const std::string& name) {
    const std::string path = NORVAK_SOURCE_DIR "/data/samples/" + name;
    const std::string copy =
        (fs::temp_directory_path() / ("norvak_bench_" + std::to_string(::getpid()) + "_" + name))
            .string();
    fs::copy_file(path, copy, fs::copy_options::overwrite_existing);
    std::string bytes;
    ReadFileBytes(copy, bytes);
    for (auto _ : state)
        RunRoad(copy, OpenOptions());
    SetCounters(state, SplitTextLines(bytes).size(), bytes.size());
}

void BM_SampleBaseline(benchmark::State& state, const std::string& name) {
    const std::string path = NORVAK_SOURCE_DIR "/data/samples/" + name;
    std::string bytes;
    for (auto _ : state) {
        ReadFileBytes(path, bytes);
        std::string back = Cp1251ToCp866(Cp866ToCp1251(bytes));
        benchmark::DoNotOptimize(back.data());
    }
    SetCounters(state, SplitTextLines(bytes).size(), bytes.size());
}

void Sizes(benchmark::internal::Benchmark* b) {
    b->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_Baseline)->Apply(Sizes);
BENCHMARK(BM_ReadAndConvert)->Apply(Sizes);
BENCHMARK(BM_ClassingAndAnalysis)->Apply(Sizes);
BENCHMARK(BM_Markup)->Apply(Sizes);
BENCHMARK(BM_Write)->Apply(Sizes);
BENCHMARK(BM_WholeRoad)->Apply(Sizes);
BENCHMARK(BM_TypeCheck)->Apply(Sizes);

void RegisterSamples() {
    for (const auto& e : fs::directory_iterator(NORVAK_SOURCE_DIR "/data/samples")) {
        const std::string name = e.path().filename().string();
        benchmark::RegisterBenchmark(("BM_SampleBaseline/" + name).c_str(), BM_SampleBaseline, name)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(("BM_SampleWholeRoad/" + name).c_str(), BM_Sample, name)
            ->Unit(benchmark::kMicrosecond);
    }
}

long StatusKb(const char* field) {
    std::ifstream in("/proc/self/status");
    std::string key;
    long value = -1;
    while (in >> key) {
        if (key == field) {
            in >> value;
            break;
        }
        std::getline(in, key);
    }
    return value;
}

// Peak memory of the whole road on a generated file of n lines: the high-water mark is reset
// after the dictionaries are loaded, so the figure is what the road itself adds.
int MeasureRss(int n) {
    const std::string& path = DocumentFile(n);
    Dictionaries();
    std::ofstream("/proc/self/clear_refs") << "5"; // resets VmHWM to the current RSS
    const long before = StatusKb("VmRSS:");
    RunRoad(path, OpenOptions());
    const long peak = StatusKb("VmHWM:");
    const double fileKb = static_cast<double>(fs::file_size(path)) / 1024.0;
    std::printf("lines %d, file %.0f KiB, RSS before %ld KiB, peak %ld KiB, road added %ld KiB "
                "(%.1f x the file)\n",
                n, fileKb, before, peak, peak - before,
                static_cast<double>(peak - before) / fileKb);
    return 0;
}

} // namespace
} // namespace norvak

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--rss") == 0) {
        int rc = norvak::MeasureRss(std::atoi(argv[2]));
        norvak::Cleanup();
        return rc;
    }
    norvak::RegisterSamples();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    norvak::Cleanup();
    return 0;
}
