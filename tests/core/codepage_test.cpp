#include "core/codepage.h"
#include "core/literal.h"

#include <gtest/gtest.h>

namespace norvak {
namespace {

TEST(Literal, RussianTextBecomesCp1251) {
    EXPECT_EQ("ПРИКАЗ"_cp, std::string_view("\xCF\xD0\xC8\xCA\xC0\xC7"));
    EXPECT_EQ("Ёё №"_cp, std::string_view("\xA8\xB8\x20\xB9"));
    EXPECT_EQ(""_cp.size(), 0u);
}

TEST(Codepage, RoundTripOfEveryByteBothPagesHold) {
    for (int b = 0; b < 256; ++b) {
        char c = static_cast<char>(b);
        char w = Cp866ToCp1251(c);
        if (IsLossyCp866(c))
            continue;
        EXPECT_EQ(Cp1251ToCp866(w), c) << "byte " << b;
    }
}

} // namespace
} // namespace norvak
