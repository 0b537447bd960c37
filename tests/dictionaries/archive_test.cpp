#include "dictionaries/archive.h"

#include "core/literal.h"
#include "dictbytes.h"

#include <gtest/gtest.h>

namespace norvak {
namespace {

using testing::Bytes;
using testing::I32;

std::string Stored(std::string_view text) {
    CArchive ar;
    ar.PutString(text);
    return ar.Data();
}

TEST(ArchiveTest, StringPrefixForms) {
    struct Case {
        const char* name;
        std::size_t length;
        std::string prefix;
    } cases[] = {
        {"nominal: empty string is one zero byte", 0, Bytes({0x00})},
        {"nominal: 254 bytes, one-byte prefix", 254, Bytes({0xFE})},
        {"boundary: 255 bytes, FF and 16-bit length", 255, Bytes({0xFF, 0xFF, 0x00})},
        {"nominal: 300 bytes", 300, Bytes({0xFF, 0x2C, 0x01})},
        {"boundary: 65533 bytes, last 16-bit length", 65533, Bytes({0xFF, 0xFD, 0xFF})},
        {"boundary: 65534 bytes, 32-bit length", 65534,
         Bytes({0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00})},
        {"nominal: 70000 bytes", 70000, Bytes({0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string text(c.length, 'x');
        std::string bytes = Stored(text);
        ASSERT_EQ(bytes.size(), c.prefix.size() + c.length);
        EXPECT_EQ(bytes.substr(0, c.prefix.size()), c.prefix);
        CArchive in(bytes);
        EXPECT_EQ(in.GetString(), text);
        EXPECT_EQ(in.Remaining(), 0u);
    }
}

TEST(ArchiveTest, Int32IsLittleEndianTwosComplement) {
    CArchive ar;
    ar.PutInt32(-1);
    ar.PutInt32(0x01020304);
    ar.PutInt32(INT32_MIN);
    EXPECT_EQ(ar.Data(), Bytes({0xFF, 0xFF, 0xFF, 0xFF, 4, 3, 2, 1, 0, 0, 0, 0x80}));
    CArchive in(ar.Data());
    EXPECT_EQ(in.GetInt32(), -1);
    EXPECT_EQ(in.GetInt32(), 0x01020304);
    EXPECT_EQ(in.GetInt32(), INT32_MIN);
}

TEST(ArchiveTest, LoadingAcceptsEveryPrefixForm) {
    struct Case {
        const char* name;
        std::string bytes;
        std::string expected;
    } cases[] = {
        {"nominal: one-byte prefix", Bytes({3}) + "abc", "abc"},
        {"nominal: 16-bit prefix for a short text", Bytes({0xFF, 3, 0}) + "abc", "abc"},
        {"nominal: 32-bit prefix for a short text", Bytes({0xFF, 0xFF, 0xFF, 3, 0, 0, 0}) + "abc",
         "abc"},
        {"nominal: wide string, one-byte count of code units",
         Bytes({0xFF, 0xFE, 0xFF, 2, 'A', 0, 0x11, 0x04}), std::string("A") + "Б"_cp.data()},
        {"nominal: wide string, 16-bit count", Bytes({0xFF, 0xFE, 0xFF, 0xFF, 1, 0, 0x2F, 0x04}),
         std::string("Я"_cp)},
        {"nominal: wide string, 32-bit count",
         Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 1, 0, 0, 0, 0x16, 0x21}), std::string("№"_cp)},
        {"robustness: wide unit without a CP1251 form", Bytes({0xFF, 0xFE, 0xFF, 1, 0x2D, 0x4E}),
         "?"},
        {"robustness: wide surrogate pair", Bytes({0xFF, 0xFE, 0xFF, 2, 0x3D, 0xD8, 0x00, 0xDE}),
         "?"},
        {"robustness: narrow text cut at a zero byte", Bytes({5, 'a', 'b', 0, 'c', 'd'}), "ab"},
        {"robustness: wide text cut at a zero unit", Bytes({0xFF, 0xFE, 0xFF, 2, 0, 0, 'x', 0}),
         ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CArchive in(c.bytes + I32(42));
        EXPECT_EQ(in.GetString(), c.expected);
        EXPECT_EQ(in.GetInt32(), 42); // the whole announced text was consumed
    }
}

TEST(ArchiveTest, ReadErrorsAreRaisedAtOnce) {
    struct Case {
        const char* name;
        std::string bytes;
        bool asString;
        std::size_t positionAfter;
    } cases[] = {
        {"robustness: no data for an integer", "", false, 0},
        {"robustness: three bytes for an integer", "abc", false, 3},
        {"robustness: no data for a string", "", true, 0},
        {"robustness: text shorter than its prefix", Bytes({5}) + "abc", true, 1},
        {"robustness: FF and nothing more", Bytes({0xFF}), true, 1},
        {"robustness: half a 16-bit length", Bytes({0xFF, 0x01}), true, 2},
        {"robustness: 16-bit length beyond the data", Bytes({0xFF, 0x00, 0x01}) + "ab", true, 3},
        {"robustness: half a 32-bit length", Bytes({0xFF, 0xFF, 0xFF, 1, 0}), true, 5},
        {"robustness: 4-gigabyte length", Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}), true,
         7},
        {"robustness: wide marker twice", Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0xFE, 0xFF, 0, 0}), true,
         6},
        {"robustness: wide text of an odd byte count", Bytes({0xFF, 0xFE, 0xFF, 2, 'a', 0, 'b'}),
         true, 4},
        {"robustness: wide marker and no length", Bytes({0xFF, 0xFE, 0xFF}), true, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CArchive in(c.bytes);
        try {
            if (c.asString)
                in.GetString();
            else
                in.GetInt32();
            ADD_FAILURE() << "no error";
        } catch (const CArchiveException& e) {
            EXPECT_EQ(e.GetKind(), CArchiveException::Kind::Read);
        }
        EXPECT_EQ(in.Position(), c.positionAfter);
    }
}

TEST(ArchiveTest, CheckCountRefusesCountsTheDataCannotHold) {
    CArchive in(std::string(10, 'x'));
    EXPECT_NO_THROW(in.CheckCount(10));
    EXPECT_NO_THROW(in.CheckCount(0));
    EXPECT_NO_THROW(in.CheckCount(-5));
    EXPECT_THROW(in.CheckCount(11), CArchiveException);
    EXPECT_THROW(in.CheckCount(INT32_MAX), CArchiveException);
    EXPECT_EQ(in.Position(), 0u);
}

TEST(ArchiveTest, DirectionIsEnforced) {
    CArchive store;
    EXPECT_TRUE(store.IsStoring());
    EXPECT_THROW(store.GetInt32(), CArchiveException);
    CArchive load(std::string_view("abcd"));
    EXPECT_TRUE(load.IsLoading());
    EXPECT_THROW(load.PutInt32(1), CArchiveException);
}

TEST(ArchiveTest, FileRoundTripThroughTheBuffer) {
    testing::TempDir dir;
    const std::string path = dir.File("a.dat");
    std::string big(5000, 'q');
    {
        CArchive out;
        ASSERT_TRUE(out.OpenForStoring(path));
        out.PutInt32(7);
        out.PutString(big);
        out.PutString("конец"_cp);
        out.Close();
    }
    CArchive in;
    ASSERT_TRUE(in.OpenForLoading(path));
    EXPECT_EQ(in.GetInt32(), 7);
    EXPECT_EQ(in.GetString(), big);
    EXPECT_EQ(in.GetString(), "конец"_cp);
    EXPECT_EQ(in.Remaining(), 0u);
}

TEST(ArchiveTest, FileErrors) {
    testing::TempDir dir;
    CArchive in;
    EXPECT_FALSE(in.OpenForLoading(dir.File("missing.dat")));
    EXPECT_EQ(in.Remaining(), 0u);
    CArchive out;
    EXPECT_FALSE(out.OpenForStoring(dir.File("no/such/dir/a.dat")));
    if (std::filesystem::exists("/dev/full")) {
        CArchive full;
        ASSERT_TRUE(full.OpenForStoring("/dev/full"));
        full.PutString("abc");
        try {
            full.Close();
            ADD_FAILURE() << "writing to a full device succeeded";
        } catch (const CArchiveException& e) {
            EXPECT_EQ(e.GetKind(), CArchiveException::Kind::Write);
        }
    }
}

} // namespace
} // namespace norvak
