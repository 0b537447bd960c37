// The Odt reader over arbitrary bytes, then the layout of what it read: never a crash or a
// hang, a failure always with its message, and the layout's invariants on every success.

#include "formatcheck.h"
#include "formats/odtreader.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace norvak;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    FlowDocument doc;
    std::string error;
    if (!ReadOdt(bytes, doc, &error)) {
        NORVAK_FUZZ_CHECK(!error.empty());
        NORVAK_FUZZ_CHECK(doc.blocks.empty());
        return 0;
    }
    CheckLayout(doc, 66);
    CheckLayout(doc, 24);
    return 0;
}
