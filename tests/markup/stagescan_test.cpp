#include "markup/stagescan.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace norvak {
namespace {

LineList Numbered(std::size_t n) {
    LineList lines;
    for (std::size_t i = 0; i < n; ++i)
        lines.push_back("line " + std::to_string(i));
    return lines;
}

// The scan must behave exactly like a vector edited in place, whatever the stage does: walk
// forward, look back, insert before or after lines already passed, delete, step back.
TEST(StageScan, BehavesLikeAVectorEditedInPlace) {
    std::mt19937 random(20240517);
    for (int round = 0; round < 300; ++round) {
        LineList model = Numbered(random() % 40);
        LineList lines = model;
        {
            CStageScan scan(lines);
            int inserted = 0;
            for (std::size_t i = 0; i < scan.Size(); ++i) {
                ASSERT_EQ(scan.Size(), model.size());
                ASSERT_EQ(scan.At(i), model[i]) << "round " << round << " index " << i;
                const unsigned op = random() % 10;
                const std::size_t back = std::min<std::size_t>(i, random() % 6);
                if (op == 0) {
                    // a block from i - back to i: closing after i, opening before i - back
                    std::string open = "open " + std::to_string(inserted++);
                    std::string close = "close " + std::to_string(inserted++);
                    scan.Insert(i + 1, close);
                    model.insert(model.begin() + static_cast<std::ptrdiff_t>(i + 1), close);
                    scan.Insert(i - back, open);
                    model.insert(model.begin() + static_cast<std::ptrdiff_t>(i - back), open);
                } else if (op == 1 && i > back) {
                    scan.Erase(i);
                    model.erase(model.begin() + static_cast<std::ptrdiff_t>(i));
                    scan.Erase(i - back - 1);
                    model.erase(model.begin() + static_cast<std::ptrdiff_t>(i - back - 1));
                    i -= 2;
                } else if (op == 2 && i > 0) {
                    --i; // examine the line now at i again
                }
                if (i + 1 < scan.Size() && random() % 7 == 0) {
                    ASSERT_EQ(scan.At(i + 1), model[i + 1]); // look ahead
                }
            }
            if (random() % 2 == 0) {
                scan.Insert(scan.Size(), "appended");
                model.push_back("appended");
            }
        }
        ASSERT_EQ(lines, model) << "round " << round;
    }
}

TEST(StageScan, EmptyListStaysEmptyAndTakesAnAppendedLine) {
    LineList lines;
    {
        CStageScan scan(lines);
        EXPECT_EQ(scan.Size(), 0u);
        scan.Insert(0, "only");
    }
    EXPECT_EQ(lines, LineList{"only"});
}

TEST(StageScan, LinesNeverReadAreHandedBackUnchanged) {
    LineList lines = Numbered(10);
    const LineList original = lines;
    {
        CStageScan scan(lines);
        EXPECT_EQ(scan.At(2), "line 2");
    }
    EXPECT_EQ(lines, original);
}

TEST(StageScan, CarriageReturnViews) {
    EXPECT_EQ(StripCRBoth("\r\rab\r c\r\r"), "ab\r c");
    EXPECT_EQ(StripCRLeading("\r a\r"), " a\r");
    EXPECT_EQ(StripCRTrailing("\r a\r\r"), "\r a");
    EXPECT_EQ(StripCRBoth("\r\r"), "");
    EXPECT_EQ(SkipLeadingSpaces("   a b "), "a b ");
    EXPECT_EQ(SkipLeadingSpaces("   "), "");
}

} // namespace
} // namespace norvak
