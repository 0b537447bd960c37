// Time of the whole automatic markup on generated documents of 10k, 100k and 1M lines. The
// ns/line counter must stay flat as the documents grow: the markup is linear in their length.

#include "core/literal.h"
#include "core/progress.h"
#include "document/openroad.h"
#include "document/settings.h"
#include "markup/markupdriver.h"
#include "requisites/requisiterecord.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace norvak {
namespace {

std::string Pad(int lead, std::string_view text) {
    return std::string(static_cast<std::size_t>(lead), ' ') + std::string(text);
}

std::string Body(std::mt19937& random) {
    std::string line("Текст статьи, выровненный по ширине строки, с переносами слов, и"_cp);
    line.resize(66, 'x');
    if (random() % 5 == 0)
        line.resize(20 + random() % 40);
    return line;
}

// One page of an ordinary document: stamp, title, articles, a framed table, a ruled table,
// a sum, centred paragraphs, signatures.
void AddPage(LineList& lines, std::mt19937& random) {
    lines.push_back(Pad(56, "УТВЕРЖДЕНО"_cp));
    lines.push_back(Pad(36, "приказом Министерства финансов"_cp));
    lines.push_back(std::string("г. Москва"_cp));
    lines.push_back("");
    lines.push_back(Pad(12, "ГЛАВА 1. ОБЩИЕ ПОЛОЖЕНИЯ"_cp));
    lines.push_back("");
    for (int article = 0; article < 3; ++article) {
        lines.push_back(Pad(5, "Статья 1. Основные понятия"_cp));
        lines.push_back("");
        const int n = 3 + static_cast<int>(random() % 8);
        for (int i = 0; i < n; ++i)
            lines.push_back(Body(random));
        lines.push_back("");
    }
    lines.push_back("\x1B\x16\x16\x16\x18\x16\x16\x16\x1A");
    for (int i = 0; i < 4; ++i)
        lines.push_back(std::string("\x12") + "abc" + "\x12" + "def" + "\x12");
    lines.push_back("\x1C\x16\x16\x16\x19\x16\x16\x16\xA7");
    lines.push_back("");
    lines.push_back("\x16\x16\x16\x18\x16\x16\x16");
    for (int i = 0; i < 5; ++i)
        lines.push_back("  1 \x12 2");
    lines.push_back("");
    lines.push_back(Body(random));
    lines.push_back("");
    lines.push_back(std::string("Расчет:"_cp));
    lines.push_back(std::string("Итого ----- = 100"_cp));
    lines.push_back("");
    lines.push_back(Pad(10, "Приложение к порядку"_cp));
    lines.push_back("");
    lines.push_back(Pad(54, "И.И. Иванов"_cp));
    lines.push_back("");
}

// Long blocks: every block the stages insert spans hundreds of lines.
void AddLongBlocks(LineList& lines, std::mt19937&) {
    lines.push_back("");
    for (int i = 0; i < 400; ++i)
        lines.push_back(Pad(10, "ЦЕНТРИРОВАННЫЙ ТЕКСТ"_cp));
    lines.push_back("");
    lines.push_back("\x16\x16\x16\x18\x16\x16\x16");
    for (int i = 0; i < 400; ++i)
        lines.push_back(i % 7 ? "  1 \x12 2" : "");
    for (int i = 0; i < 400; ++i)
        lines.push_back(Pad(56, "УТВЕРЖДЕНО"_cp));
    lines.push_back("");
}

LineList Generate(std::size_t count, void (*add)(LineList&, std::mt19937&)) {
    std::mt19937 random(7);
    LineList lines;
    lines.reserve(count + 2000);
    while (lines.size() < count)
        add(lines, random);
    lines.resize(count);
    return lines;
}

// Runs the markup over documents of state.range(0) lines. With batch set, each iteration tags
// a million lines in all, split into documents of that length, so that every size works on the
// same amount of memory: the comparison then shows how the cost per line depends on the length
// of a document alone, not on whether a small document happens to sit in the cache.
void RunBenchmark(benchmark::State& state, void (*add)(LineList&, std::mt19937&),
                  std::string_view kind, bool batch) {
    const std::size_t count = static_cast<std::size_t>(state.range(0));
    const std::size_t copies = batch ? std::max<std::size_t>(1, 1'000'000 / count) : 1;
    const LineList input = Generate(count, add);
    DocSettings settings;
    settings.questionDoc = std::string("ВОПРОС-ОТВЕТ"_cp);
    CRequisiteRecord record;
    record.m_kinds.emplace_back(kind);
    std::vector<LineList> documents;
    for (auto _ : state) {
        state.PauseTiming();
        documents.assign(copies, input);
        state.ResumeTiming();
        for (LineList& lines : documents) {
            RunMarkup(lines, MarkupOptionsFor(settings, record), NullProgress());
            benchmark::DoNotOptimize(lines.data());
        }
        state.PauseTiming();
        documents.clear();
        state.ResumeTiming();
    }
    const auto lines = static_cast<double>(count * copies);
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(count * copies));
    // Seconds per line, shown with a unit prefix (n for nanoseconds).
    state.counters["per_line"] = benchmark::Counter(
        lines, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_MarkupOrdinary(benchmark::State& state) {
    RunBenchmark(state, AddPage, "ЗАКОН"_cp, false);
}
void BM_MarkupLongBlocks(benchmark::State& state) {
    RunBenchmark(state, AddLongBlocks, "ЗАКОН"_cp, false);
}
void BM_MarkupQuestion(benchmark::State& state) {
    RunBenchmark(state, AddPage, "ВОПРОС-ОТВЕТ"_cp, false);
}
void BM_MarkupOrdinaryMillionLines(benchmark::State& state) {
    RunBenchmark(state, AddPage, "ЗАКОН"_cp, true);
}
void BM_MarkupLongBlocksMillionLines(benchmark::State& state) {
    RunBenchmark(state, AddLongBlocks, "ЗАКОН"_cp, true);
}
void BM_MarkupQuestionMillionLines(benchmark::State& state) {
    RunBenchmark(state, AddPage, "ВОПРОС-ОТВЕТ"_cp, true);
}

double Fastest(const std::vector<double>& runs) {
    return *std::min_element(runs.begin(), runs.end());
}

// With --benchmark_repetitions=N the "min" rows give the fastest run, the least disturbed by
// other work on the machine.
#define NORVAK_SIZES                                                                               \
    ->Arg(10'000)                                                                                  \
        ->Arg(100'000)                                                                             \
        ->Arg(1'000'000)                                                                           \
        ->Unit(benchmark::kMillisecond)                                                            \
        ->ComputeStatistics("min", Fastest)
BENCHMARK(BM_MarkupOrdinary) NORVAK_SIZES;
BENCHMARK(BM_MarkupLongBlocks) NORVAK_SIZES;
BENCHMARK(BM_MarkupQuestion) NORVAK_SIZES;
BENCHMARK(BM_MarkupOrdinaryMillionLines) NORVAK_SIZES;
BENCHMARK(BM_MarkupLongBlocksMillionLines) NORVAK_SIZES;
BENCHMARK(BM_MarkupQuestionMillionLines) NORVAK_SIZES;

} // namespace
} // namespace norvak

BENCHMARK_MAIN();
