#include "dictionaries/cases.h"

#include "core/literal.h"
#include "dictbytes.h"
#include "dictionaries/archive.h"

#include <gtest/gtest.h>

namespace norvak {
namespace {

using testing::Bytes;
using testing::CasesBytes;
using testing::I32;

TEST(CasesTest, NewRecordStoresAsTenZeroBytes) {
    CCases c;
    CArchive ar;
    c.Serialize(ar);
    EXPECT_EQ(ar.Data(), std::string(10, '\0'));
}

TEST(CasesTest, FormsInCaseOrderThenTheInteger) {
    CCases c;
    for (int i = 0; i < kCaseCount; ++i)
        c.SetForm(i, std::string(1, static_cast<char>('a' + i)));
    c.SetValue(-2);
    CArchive ar;
    c.Serialize(ar);
    EXPECT_EQ(ar.Data(), CasesBytes({"a", "b", "c", "d", "e", "f"}, -2));
}

TEST(CasesTest, LongFormUsesTheThreeBytePrefix) {
    CCases c;
    c.SetForm(CaseGenitive, std::string(300, 'x'));
    CArchive ar;
    c.Serialize(ar);
    EXPECT_EQ(ar.Data().substr(1, 3), Bytes({0xFF, 0x2C, 0x01}));
    EXPECT_EQ(ar.Data().size(), 1 + 3 + 300 + 4 + 4u);
}

TEST(CasesTest, LoadedIntegerSurvivesCopiesAndIsWrittenBack) {
    const std::string bytes = CasesBytes({"ПРИКАЗ"_cp, "", "", "", "ПРИКАЗОМ"_cp}, 7);
    CArchive in(bytes);
    CCases loaded;
    loaded.SetForm(CaseDative, "old");
    loaded.Serialize(in);
    EXPECT_EQ(loaded.GetValue(), 7);
    EXPECT_EQ(loaded.GetForm(CaseDative), ""); // loading replaces every form
    CCases copy = loaded;
    CCases assigned;
    assigned = copy;
    CArchive out;
    assigned.Serialize(out);
    EXPECT_EQ(out.Data(), bytes);
}

TEST(CasesTest, ShortRecordRaisesAReadError) {
    std::string bytes = CasesBytes({"A"}, 1);
    for (std::size_t cut = 0; cut < bytes.size(); ++cut) {
        CArchive in(bytes.substr(0, cut));
        CCases c;
        EXPECT_THROW(c.Serialize(in), CArchiveException) << "cut at " << cut;
    }
}

} // namespace
} // namespace norvak
