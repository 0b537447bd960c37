#include "core/textfile.h"

#include <gtest/gtest.h>

namespace norvak {
namespace {

TEST(TextFile, SplitsAtLineEnds) {
    EXPECT_EQ(SplitTextLines("a\r\nb\nc"), (LineList{"a", "b", "c"}));
    EXPECT_EQ(SplitTextLines("a\n"), (LineList{"a"}));
}

} // namespace
} // namespace norvak
