// The service data loader over arbitrary bytes: loading never crashes, reports every damaged
// section, and whatever it kept saves and loads back cleanly to the same bytes.

#include "core/operatorio.h"
#include "dictionaries/archive.h"
#include "dictionaries/servicedata.h"
#include "fuzzcheck.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace norvak;
    CServiceData dicts;
    CScriptedOperator op;
    CArchive in(std::string_view(reinterpret_cast<const char*>(data), size));
    const bool clean = dicts.SerializeAll(in, op);
    NORVAK_FUZZ_CHECK(clean == op.Entries().empty());
    NORVAK_FUZZ_CHECK(op.Entries().size() <= 6);

    std::string saved;
    NORVAK_FUZZ_CHECK(dicts.StoreToBytes(saved, op));
    CServiceData again;
    CScriptedOperator quiet;
    CArchive reread(saved);
    NORVAK_FUZZ_CHECK(again.SerializeAll(reread, quiet));
    NORVAK_FUZZ_CHECK(reread.Remaining() == 0);
    std::string resaved;
    NORVAK_FUZZ_CHECK(again.StoreToBytes(resaved, quiet));
    NORVAK_FUZZ_CHECK(resaved == saved);
    return 0;
}
