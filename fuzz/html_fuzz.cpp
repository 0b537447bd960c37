// The Html reader over arbitrary bytes, then the layout of what it read: never a crash or a
// hang, a failure always with its message, and the layout's invariants on every success.

#include "formatcheck.h"
#include "formats/htmlreader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return FuzzReader(norvak::ReadHtml, data, size);
}
