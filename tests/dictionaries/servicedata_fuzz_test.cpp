// Damaged service data files: random bytes, every truncation and random mutations of the
// golden file. The loader must never crash or hang, must report every error it meets, and
// whatever it loaded must save and load back to the same bytes.

#include "dictionaries/servicedata.h"

#include "dictbytes.h"
#include "dictionaries/archive.h"

#include <gtest/gtest.h>

#include <random>

namespace norvak {
namespace {

// Loads bytes; checks the reporting contract and the round trip of what was loaded.
void CheckLoad(const std::string& bytes, bool expectClean) {
    CServiceData data;
    CScriptedOperator op;
    CArchive in(bytes);
    bool clean = false;
    ASSERT_NO_THROW(clean = data.SerializeAll(in, op));
    EXPECT_EQ(clean, op.Entries().empty()) << "every error is reported, nothing else is";
    EXPECT_LE(op.Entries().size(), 6u) << "at most one message per section";
    if (expectClean) {
        EXPECT_TRUE(clean);
    }

    std::string saved;
    ASSERT_TRUE(data.StoreToBytes(saved, op));
    CServiceData again;
    CScriptedOperator quiet;
    CArchive reread(saved);
    EXPECT_TRUE(again.SerializeAll(reread, quiet));
    std::string resaved;
    ASSERT_TRUE(again.StoreToBytes(resaved, quiet));
    EXPECT_EQ(resaved, saved);
}

std::string Golden() {
    return testing::ReadAll(testing::GoldenPath("small_dict.dat"));
}

TEST(ServiceDataFuzzTest, EveryTruncationOfTheGoldenFileIsReported) {
    const std::string golden = Golden();
    ASSERT_FALSE(golden.empty());
    for (std::size_t cut = 0; cut < golden.size(); ++cut) {
        SCOPED_TRACE("cut at " + std::to_string(cut));
        CServiceData data;
        CScriptedOperator op;
        CArchive in(golden.substr(0, cut));
        EXPECT_FALSE(data.SerializeAll(in, op));
        EXPECT_FALSE(op.Entries().empty());
        CheckLoad(golden.substr(0, cut), false);
    }
    CheckLoad(golden, true);
}

TEST(ServiceDataFuzzTest, RandomBytes) {
    std::mt19937 rng(20240611);
    for (int i = 0; i < 3000; ++i) {
        std::size_t len = rng() % 200;
        std::string bytes(len, '\0');
        for (char& c : bytes) {
            // Mostly small values and FF, so that counts and prefixes are often plausible.
            unsigned r = rng() % 8;
            c = static_cast<char>(r < 4 ? rng() % 4 : r < 6 ? 0xFF : rng() % 256);
        }
        SCOPED_TRACE("random case " + std::to_string(i));
        CheckLoad(bytes, false);
        if (::testing::Test::HasFailure())
            return;
    }
}

TEST(ServiceDataFuzzTest, MutatedGoldenFile) {
    const std::string golden = Golden();
    std::mt19937 rng(777);
    for (int i = 0; i < 3000; ++i) {
        std::string bytes = golden;
        int edits = 1 + static_cast<int>(rng() % 4);
        for (int e = 0; e < edits; ++e) {
            std::size_t at = rng() % bytes.size();
            switch (rng() % 4) {
            case 0:
                bytes[at] = static_cast<char>(rng() % 256);
                break;
            case 1:
                bytes[at] = '\xFF';
                break;
            case 2:
                bytes.erase(at, 1 + rng() % 8);
                break;
            default:
                bytes.insert(at, 1, static_cast<char>(rng() % 256));
                break;
            }
            if (bytes.empty())
                break;
        }
        SCOPED_TRACE("mutation " + std::to_string(i));
        CheckLoad(bytes, false);
        if (::testing::Test::HasFailure())
            return;
    }
}

TEST(ServiceDataFuzzTest, HugeCountsAndLengthsFailAtOnce) {
    using testing::I32;
    const std::string cases[] = {
        I32(INT32_MAX),
        I32(0) + I32(INT32_MAX),
        I32(1) + testing::Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}),
        I32(1) + std::string(6, '\0') + I32(0) + I32(INT32_MAX),
        I32(0) + I32(0) + I32(0) + I32(0) + I32(INT32_MAX) + I32(0),
    };
    for (const std::string& bytes : cases)
        CheckLoad(bytes, false);
}

} // namespace
} // namespace norvak
