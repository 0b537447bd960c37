#include "dictionaries/unidict.h"

#include "core/literal.h"
#include "dictbytes.h"
#include "dictionaries/archive.h"

#include <gtest/gtest.h>

namespace norvak {
namespace {

using testing::CasesBytes;
using testing::I32;

const std::string_view kUniError = "Ошибка операции ввода/вывода универсального словаря!"_cp;

CCases Named(std::string_view nominative, std::int32_t value = 0) {
    CCases c;
    c.SetForm(CaseNominative, nominative);
    c.SetValue(value);
    return c;
}

TEST(UniDictTest, EmptyStoresAsFourZeroBytes) {
    CUniDict d;
    CArchive ar;
    CScriptedOperator op;
    EXPECT_TRUE(d.Serialize(ar, op));
    EXPECT_EQ(ar.Data(), I32(0));
}

TEST(UniDictTest, RoundTripKeepsOrderAndValues) {
    CUniDict d;
    d.Add(Named("В", 3));
    d.Add(Named("А"));
    d.Add(Named("Б", -1));
    CArchive out;
    CScriptedOperator op;
    ASSERT_TRUE(d.Serialize(out, op));
    EXPECT_EQ(out.Data(),
              I32(3) + CasesBytes({"В"}, 3) + CasesBytes({"А"}) + CasesBytes({"Б"}, -1));
    CUniDict back;
    back.Add(Named("old"));
    CArchive in(out.Data());
    ASSERT_TRUE(back.Serialize(in, op));
    EXPECT_EQ(back, d);
    EXPECT_TRUE(op.Entries().empty());
}

TEST(UniDictTest, LoadErrors) {
    struct Case {
        const char* name;
        std::string bytes;
        bool ok;
        int records;
    } cases[] = {
        {"nominal: negative count is empty", I32(-3), true, 0},
        {"robustness: missing count", "", false, 0},
        {"robustness: count beyond the data", I32(1000) + CasesBytes({"A"}), false, 0},
        {"robustness: second record cut short",
         I32(2) + CasesBytes({"A"}) + CasesBytes({"B"}).substr(0, 5), false, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CUniDict d;
        CScriptedOperator op;
        CArchive in(c.bytes);
        EXPECT_EQ(d.Serialize(in, op), c.ok);
        EXPECT_EQ(d.GetCount(), c.records);
        if (c.ok) {
            EXPECT_TRUE(op.Entries().empty());
        } else {
            ASSERT_EQ(op.Entries().size(), 1u);
            EXPECT_EQ(op.Entries()[0].text, kUniError);
            EXPECT_EQ(op.Entries()[0].icon, MessageIcon::None);
        }
    }
}

} // namespace
} // namespace norvak
