#include "markup/tagcheck.h"

#include <gtest/gtest.h>

#include <random>

namespace norvak {
namespace {

using K = TagProblemKind;

std::string Open(TagCode c) {
    return OpeningLine(c);
}
std::string Close(TagCode c = TagCode::ZAG) {
    return ClosingLine(c);
}

TEST(TagCheck, FindsEachKindOfProblemWhereItIs) {
    struct Case {
        const char* name;
        LineList lines;
        std::vector<TagProblem> problems;
    };
    const Case cases[] = {
        {"nominal: two closed blocks and text between",
         {Open(TagCode::ZAG), "A", Close(), "text", Open(TagCode::OGL), "B", Close(TagCode::OGL)},
         {}},
        {"edge: empty text", {}, {}},
        {"edge: tag lines with carriage returns",
         {"\r" + Open(TagCode::CNT) + "\r", Close() + "\r"},
         {}},
        {"error: opened and never closed",
         {"a", Open(TagCode::TAB), "row"},
         {{K::NotClosed, 1, TagCode::TAB, 1}}},
        {"error: closing without an opening", {"a", Close()}, {{K::Unopened, 1, TagCode::ZAG}}},
        {"error: contents closing without an opening",
         {Close(TagCode::OGL)},
         {{K::Unopened, 0, TagCode::OGL}}},
        {"error: nested block",
         {Open(TagCode::ZAG), Open(TagCode::CNT), "x", Close()},
         {{K::Nested, 1, TagCode::ZAG, 0}}},
        {"error: doubled block",
         {Open(TagCode::PRV), "x", Open(TagCode::PRV), "y", Close()},
         {{K::Doubled, 2, TagCode::PRV, 0}}},
        {"error: ОГЛ closed by the ordinary closing line",
         {Open(TagCode::OGL), "x", Close()},
         {{K::WrongClosing, 2, TagCode::OGL, 0}}},
        {"error: ЗАГ closed by КОН",
         {Open(TagCode::ZAG), Close(TagCode::OGL)},
         {{K::WrongClosing, 1, TagCode::ZAG, 0}}},
        {"nominal: links, labels and horizontal lines are no blocks",
         {Open(TagCode::NFT), std::string("\x04\x04") + "\xd1\xd1_ 1", HorizontalLine(), Close()},
         {}},
        {"error: several problems in line order",
         {Close(), Open(TagCode::LEV), Open(TagCode::LIP)},
         {{K::Unopened, 0, TagCode::ZAG},
          {K::Nested, 2, TagCode::LEV, 1},
          {K::NotClosed, 2, TagCode::LIP, 2}}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CheckTagStructure(c.lines), c.problems) << c.name;
}

// Whatever the mix of lines, a text that the markup would write (each block opened and
// closed in turn) has no problem, and removing one tag line from it makes exactly one.
TEST(TagCheck, PropertyOneMissingTagLineIsOneProblem) {
    std::mt19937 random(18);
    for (int round = 0; round < 200; ++round) {
        LineList lines;
        std::vector<std::size_t> tagLines;
        const int blocks = 1 + static_cast<int>(random() % 6);
        for (int b = 0; b < blocks; ++b) {
            lines.push_back("text " + std::to_string(b));
            const TagCode code = kAllTagCodes[random() % std::size(kAllTagCodes)];
            tagLines.push_back(lines.size());
            lines.push_back(OpeningLine(code));
            for (int k = static_cast<int>(random() % 3); k > 0; --k)
                lines.push_back("inside");
            tagLines.push_back(lines.size());
            lines.push_back(ClosingLine(code));
        }
        ASSERT_TRUE(CheckTagStructure(lines).empty()) << round;
        LineList broken = lines;
        broken.erase(broken.begin() +
                     static_cast<std::ptrdiff_t>(tagLines[random() % tagLines.size()]));
        EXPECT_EQ(CheckTagStructure(broken).size(), 1u) << round;
    }
}

} // namespace
} // namespace norvak
