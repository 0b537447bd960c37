// Requisites detection on a large document with large dictionaries: a 100 000-line ordinary
// document with appendices, 1 000 kinds and 10 000 bodies (with aliases).

#include "core/codepage.h"
#include "core/operatorio.h"
#include "core/progress.h"
#include "dictionaries/servicedata.h"
#include "document/docclassing.h"
#include "document/settings.h"

#include <benchmark/benchmark.h>

#include <string>

namespace norvak {
namespace {

std::string W(const std::string& utf8) {
    return Utf8ToCp1251(utf8);
}

// A capital word made from n: distinct words for distinct n.
std::string Word(int n) {
    static const std::string letters = W("АБВГДЕЖЗИКЛМНОПРСТУФХЦЧШЭЮЯ");
    std::string w;
    do {
        w += letters[static_cast<std::size_t>(n % 27)];
        n /= 27;
    } while (n > 0);
    return w + letters[0] + letters[1];
}

std::string Phrase(int n, int words) {
    std::string s;
    for (int i = 0; i < words; ++i)
        s += (i ? " " : "") + Word(n * 7 + i);
    return s;
}

void Fill(CServiceData& sd, int kinds, int bodies) {
    for (int i = 0; i < kinds; ++i) {
        CDocKindEntry e = sd.DocDict().CreateEntry();
        const std::string name = Phrase(i, 1 + i % 3);
        e.GetCases().SetForm(0, name);
        e.GetCases().SetForm(4, name + W("ОМ"));
        CCases alias;
        alias.SetForm(0, W("ВРЕМЕННОЕ ") + name);
        alias.SetForm(4, W("ВРЕМЕННЫМ ") + name);
        e.AddAlias(alias);
        sd.DocDict().Add(e);
    }
    for (int i = 0; i < bodies; ++i) {
        COrganEntry e = sd.OrganDict().CreateEntry();
        const std::string name = Phrase(100000 + i, 1 + i % 5);
        e.GetCases().SetForm(0, name);
        e.GetCases().SetForm(1, name + W("А"));
        e.GetCases().SetForm(4, name + W("ОМ"));
        e.SetLetterCaseName(name);
        sd.OrganDict().Add(e);
    }
}

LineList Document(int lines, const CServiceData& sd) {
    LineList doc = {"      " + sd.OrganDict().GetAt(17).Name(),
                    "",
                    "      " + sd.DocDict().GetAt(5).Name(),
                    "",
                    W("      от 12 февраля 2004 г. N 75"),
                    "",
                    W("      О ПОРЯДКЕ УЧЕТА"),
                    ""};
    // Body text: a word at PosParagraph, as in an indented paragraph and its full lines.
    const std::string body =
        W("     Текст документа продолжается и далее и далее и далее и далее и");
    const std::string mark = std::string(50, ' ') + W("Приложение N 1");
    const std::string title = std::string(20, ' ') + sd.DocDict().GetAt(9).Name() + W(" УЧЕТА");
    while (static_cast<int>(doc.size()) < lines) {
        for (int i = 0; i < 40; ++i)
            doc.push_back(body.substr(0, 66));
        doc.insert(doc.end(), {"", mark, "", title, ""});
    }
    doc.resize(static_cast<std::size_t>(lines));
    return doc;
}

void BM_OrdinaryAnalysis(benchmark::State& state) {
    CServiceData sd;
    Fill(sd, 1000, 10000);
    const LineList doc = Document(static_cast<int>(state.range(0)), sd);
    DocSettings settings;
    CScriptedOperator op;
    for (auto _ : state) {
        CProgress progress;
        auto prepared = PrepareRequisitesDetection(doc, sd, settings, progress, op);
        CRequisiteRecord record = prepared.analyzer->Run(doc);
        benchmark::DoNotOptimize(record);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_OrdinaryAnalysis)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace norvak

BENCHMARK_MAIN();
