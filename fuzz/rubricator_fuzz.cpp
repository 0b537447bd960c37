// The rubricator loader over arbitrary bytes, in both encodings (chosen by the first byte):
// it never crashes, its codes stay unique, the tree built from the themes ends and places
// each theme at most once, and the themes survive the service data section unchanged.

#include "core/operatorio.h"
#include "dictionaries/archive.h"
#include "dictionaries/temathicsdict.h"
#include "fuzzcheck.h"

#include <cstddef>
#include <cstdint>
#include <set>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace norvak;
    if (size == 0)
        return 0;
    const RubricatorEncoding enc =
        (data[0] & 1) ? RubricatorEncoding::Dos : RubricatorEncoding::Windows;
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);

    CTemathicsDict dict;
    CScriptedOperator op;
    const int result = dict.LoadRubricatorBytes(bytes, enc, op);
    NORVAK_FUZZ_CHECK(result == 0 || result == 1);
    NORVAK_FUZZ_CHECK(result == 1 || !op.Entries().empty());

    std::set<std::int32_t> codes;
    for (const CTemathicsRec& t : dict.Themes())
        NORVAK_FUZZ_CHECK(codes.insert(t.Code()).second);

    const auto tree = dict.BuildTree();
    NORVAK_FUZZ_CHECK(tree.size() <= static_cast<std::size_t>(dict.GetCount()));
    for (std::size_t i = 0; i < tree.size(); ++i)
        NORVAK_FUZZ_CHECK(tree[i].parentItem < static_cast<int>(i));

    CArchive out;
    NORVAK_FUZZ_CHECK(dict.Serialize(out, op));
    CArchive in(out.Data());
    CTemathicsDict back;
    CScriptedOperator quiet;
    NORVAK_FUZZ_CHECK(back.Serialize(in, quiet));
    NORVAK_FUZZ_CHECK(back.Themes() == dict.Themes());
    return 0;
}
