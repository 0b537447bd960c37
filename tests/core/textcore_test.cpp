#include "core/literal.h"
#include "core/textcore.h"

#include <gtest/gtest.h>

namespace norvak {
namespace {

TEST(TextCore, CountWords) {
    EXPECT_EQ(CountWords(""), 0);
    EXPECT_EQ(CountWords("   "), 0);
    EXPECT_EQ(CountWords(" a b "), 2);
}

} // namespace
} // namespace norvak
