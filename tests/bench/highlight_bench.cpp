// The editor's lazy highlighting of a 100 000-line document with and without spell checking:
// setting the text and highlighting what is visible, then paging down; the counter
// "highlighted" is how many blocks had to be highlighted (the rest wait until they are seen).
#include "core/textfile.h"
#include "norvakview.h"
#include "spelling/spellingfiles.h"
#include "taghighlighter.h"

#include <QApplication>
#include <QScrollBar>
#include <QTextBlock>

#include <benchmark/benchmark.h>

#include <memory>

namespace norvak {
namespace {

constexpr int kLines = 100000;

// The lines of a real act, repeated up to kLines.
const LineList& Lines() {
    static const LineList lines = [] {
        std::string bytes;
        ReadFileBytes(std::string(NORVAK_SOURCE_DIR) +
                          "/tests/data/samples/ips102038209_rf_vodnyj_1995_167fz.cp866.txt",
                      bytes);
        const LineList act = SplitDosTextLines(bytes);
        LineList all;
        all.reserve(kLines);
        while (!act.empty() && all.size() < kLines)
            all.push_back(act[all.size() % act.size()]);
        return all;
    }();
    return lines;
}

const CSpellChecker* Checker() {
    static const SpellingSetup setup = OpenSpelling("");
    return setup.checker.get();
}

int HighlightedBlocks(const CNorvakView& view) {
    int n = 0;
    for (QTextBlock b = view.document()->begin(); b.isValid(); b = b.next())
        n += CTagHighlighter::IsHighlighted(b);
    return n;
}

std::unique_ptr<CNorvakView> MakeView(bool spelling) {
    auto view = std::make_unique<CNorvakView>(nullptr);
    view->resize(1000, 700);
    view->show();
    if (spelling)
        view->Highlighter().SetSpelling(Checker());
    return view;
}

void BM_OpenAndShow(benchmark::State& state) {
    const bool spelling = state.range(0) != 0;
    if (spelling && Checker() == nullptr) {
        state.SkipWithError("hunspell-ru is not installed");
        return;
    }
    auto view = MakeView(spelling);
    for (auto _ : state) {
        view->SetText(Lines(), true);
        QCoreApplication::processEvents();
    }
    state.counters["highlighted"] = HighlightedBlocks(*view);
}
BENCHMARK(BM_OpenAndShow)->ArgName("spelling")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_PageDown(benchmark::State& state) {
    const bool spelling = state.range(0) != 0;
    if (spelling && Checker() == nullptr) {
        state.SkipWithError("hunspell-ru is not installed");
        return;
    }
    auto view = MakeView(spelling);
    view->SetText(Lines(), true);
    QScrollBar* bar = view->verticalScrollBar();
    for (auto _ : state) {
        if (bar->value() >= bar->maximum() - bar->pageStep())
            bar->setValue(0);
        bar->setValue(bar->value() + bar->pageStep());
        view->HighlightVisible();
        view->viewport()->repaint();
    }
    state.counters["highlighted"] = HighlightedBlocks(*view);
}
BENCHMARK(BM_PageDown)->ArgName("spelling")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace norvak

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
