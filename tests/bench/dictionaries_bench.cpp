// Loading a large service data file: 10 000 adopting bodies and 1 000 document kinds with
// aliases, plus sources, themes and learned letter case.

#include "core/literal.h"
#include "core/operatorio.h"
#include "dictionaries/archive.h"
#include "dictionaries/servicedata.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

using namespace norvak;

std::string LargeDictBytes() {
    CServiceData data;
    CScriptedOperator op;
    for (int i = 0; i < 1000; ++i) {
        CDocKindEntry k = data.DocDict().CreateEntry();
        std::string name = std::string("ПОЛОЖЕНИЕ О ПОРЯДКЕ "_cp) + std::to_string(i);
        k.GetCases().SetForm(CaseNominative, name);
        k.GetCases().SetForm(CaseInstrumental, name + "М");
        k.SetGender(i % 3);
        for (int a = 0; a < 3; ++a) {
            CCases alias;
            alias.SetForm(CaseNominative, name + " ПСЕВДОНИМ " + std::to_string(a));
            alias.SetForm(CaseInstrumental, name + " ПСЕВДОНИМОМ " + std::to_string(a));
            k.AddAlias(alias);
        }
        data.DocDict().Add(k);
    }
    for (int i = 0; i < 10000; ++i) {
        COrganEntry b = data.OrganDict().CreateEntry();
        std::string n = std::to_string(i);
        b.GetCases().SetForm(CaseNominative, std::string("МИНИСТЕРСТВО ФИНАНСОВ "_cp) + n);
        b.GetCases().SetForm(CaseGenitive, std::string("МИНИСТЕРСТВА ФИНАНСОВ "_cp) + n);
        b.GetCases().SetForm(CaseInstrumental, std::string("МИНИСТЕРСТВОМ ФИНАНСОВ "_cp) + n);
        b.SetLetterCaseName(std::string("Министерство финансов "_cp) + n);
        if (i % 4 == 0) {
            CCases alias;
            alias.SetForm(CaseNominative, std::string("МИНФИН "_cp) + n);
            b.AddAlias(alias);
        }
        data.OrganDict().Add(b);
    }
    for (int i = 0; i < 500; ++i)
        data.SourceDict().Add(std::string("Собрание законодательства, выпуск "_cp) +
                              std::to_string(i));
    for (int i = 1; i <= 2000; ++i)
        data.TemathicsDict().AddTheme("Тема"_cp, i, i / 10, op);
    std::string bytes;
    data.StoreToBytes(bytes, op);
    return bytes;
}

void BM_LoadLargeDictDat(benchmark::State& state) {
    const std::string bytes = LargeDictBytes();
    for (auto _ : state) {
        CServiceData data;
        CScriptedOperator op;
        CArchive in(bytes);
        bool ok = data.SerializeAll(in, op);
        benchmark::DoNotOptimize(ok);
        if (!ok || data.OrganDict().GetCount() != 10000)
            state.SkipWithError("load failed");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(bytes.size()));
}
BENCHMARK(BM_LoadLargeDictDat)->Unit(benchmark::kMillisecond);

void BM_SaveLargeDictDat(benchmark::State& state) {
    const std::string bytes = LargeDictBytes();
    CServiceData data;
    CScriptedOperator op;
    CArchive in(bytes);
    data.SerializeAll(in, op);
    for (auto _ : state) {
        std::string out;
        data.StoreToBytes(out, op);
        benchmark::DoNotOptimize(out);
    }
}
BENCHMARK(BM_SaveLargeDictDat)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
