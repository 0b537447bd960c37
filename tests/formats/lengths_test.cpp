// Lengths of styles in points: each unit's factor, and what is no length.

#include "formats/lengths.h"

#include <gtest/gtest.h>

namespace norvak {
namespace {

struct LengthCase {
    const char* name;
    const char* text;
    std::optional<double> points;
};

TEST(Lengths, AbsoluteUnits) {
    const LengthCase cases[] = {
        {"nominal: points", "12pt", 12},
        {"nominal: centimetres", "2.54cm", 72},
        {"nominal: millimetres", "25.4mm", 72},
        {"nominal: inches", "0.5in", 36},
        {"nominal: picas", "2pc", 24},
        {"nominal: CSS pixels", "16px", 12},
        {"edge: negative", "-1cm", -72 / 2.54},
        {"edge: no unit is none of them", "12", std::nullopt},
        {"error: unknown unit", "3furlongs", std::nullopt},
        {"error: a unit in capitals", "12PT", std::nullopt},
        {"error: space before the unit", "12 pt", std::nullopt},
        {"error: no number", "pt", std::nullopt},
        {"error: empty", "", std::nullopt},
    };
    for (const LengthCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<LengthText> split = SplitLength(c.text);
        const std::optional<double> points =
            split ? AbsoluteLengthPt(split->number, split->unit) : std::nullopt;
        ASSERT_EQ(points.has_value(), c.points.has_value());
        if (points) {
            EXPECT_NEAR(*points, *c.points, 1e-9);
        }
    }
}

TEST(Lengths, TheUnitIsKeptAsWrittenForTheReaderToRead) {
    const std::optional<LengthText> split = SplitLength("1.5em ");
    ASSERT_TRUE(split);
    EXPECT_EQ(split->number, 1.5);
    EXPECT_EQ(split->unit, "em ");
}

} // namespace
} // namespace norvak
