// The source-format reader over arbitrary bytes, in both encodings (chosen by the first
// byte): it never crashes, and what it reads writes a file whose blocks read back as the
// eighteen headers in order; a second write and read changes nothing.

#include "core/textfile.h"
#include "document/sourceformat.h"
#include "fuzzcheck.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

// Header numbers of the lines before the text block header that the reader takes for
// headers, in file order.
std::string HeadersBeforeText(const std::string& file) {
    std::string seen;
    for (const std::string& line : norvak::SplitTextLines(file)) {
        if (line.size() < 2 || line[0] != '$' || line[1] == '$')
            continue;
        std::string number = line.substr(1, line.find(' ') - 1);
        seen += number + ",";
        if (number == "18")
            break;
    }
    return seen;
}

std::string WithoutText(norvak::CRequisiteRecord r, int width) {
    r.m_text.clear();
    return norvak::WriteSourceBytes(r, width);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace norvak;
    if (size == 0)
        return 0;
    const bool dos = (data[0] & 1) != 0;
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    const int width = 20 + data[0] % 64;

    const CRequisiteRecord first = ReadSourceBytes(bytes, dos);
    const std::string written = WriteSourceBytes(first, width);
    NORVAK_FUZZ_CHECK(HeadersBeforeText(written) ==
                      "0,100,101,19,17,16,3,13,10,11,5,4,6,7,14,15,9,18,");

    const CRequisiteRecord second = ReadSourceBytes(written, true);
    const CRequisiteRecord third = ReadSourceBytes(WriteSourceBytes(second, width), true);
    NORVAK_FUZZ_CHECK(WithoutText(second, width) == WithoutText(third, width));
    NORVAK_FUZZ_CHECK(third.m_text == second.m_text);
    return 0;
}
