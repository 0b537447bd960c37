#include "markup/tags.h"

#include "core/literal.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace norvak {
namespace {

std::string S(std::string_view s) {
    return std::string(s);
}
const std::string kMarker = "\x04\x04";

TEST(TagLines, OpeningAndClosingShapes) {
    struct Case {
        TagCode code;
        std::string_view text;
        std::string_view closing;
    };
    const Case cases[] = {
        {TagCode::ZAG, "ЗАГ"_cp, "!!!"},    {TagCode::CNT, "ЦНТ"_cp, "!!!"},
        {TagCode::PRV, "ПРВ"_cp, "!!!"},    {TagCode::LEV, "ЛЕВ"_cp, "!!!"},
        {TagCode::LIP, "ЛИП"_cp, "!!!"},    {TagCode::NFT, "НФТ"_cp, "!!!"},
        {TagCode::TAB, "ТАБ"_cp, "!!!"},    {TagCode::TTT, "ТТТ"_cp, "!!!"},
        {TagCode::OGL, "ОГЛ"_cp, "КОН"_cp},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TagCodeText(c.code), c.text);
        EXPECT_EQ(OpeningLine(c.code), kMarker + S(c.text) + std::string(61, '-'));
        EXPECT_EQ(ClosingLine(c.code), kMarker + S(c.closing) + std::string(61, '-'));
        EXPECT_EQ(OpeningLine(c.code).size(), 66u);
        EXPECT_EQ(ClosingLine(c.code).size(), 66u);
        EXPECT_TRUE(IsTagLine(OpeningLine(c.code)));
        EXPECT_TRUE(IsTagLine(ClosingLine(c.code)));
    }
    EXPECT_EQ(HorizontalLine(), std::string(66, '-'));
    EXPECT_FALSE(IsTagLine(HorizontalLine()));
}

TEST(TagLines, IsTagLine) {
    struct Case {
        const char* name;
        std::string line;
        bool tag;
    };
    const Case cases[] = {
        {"edge: the marker alone is not a tag line", kMarker, false},
        {"edge: the marker and one character is", kMarker + "x", true},
        {"edge: the marker and a space is", kMarker + " ", true},
        {"edge: empty", "", false},
        {"edge: one marker byte", "\x04", false},
        {"edge: one marker byte and text", "\x04xyz", false},
        {"nominal: carriage returns at both ends are removed", "\r" + kMarker + "x\r\r", true},
        {"edge: marker between carriage returns only", "\r\r" + kMarker + "\r", false},
        {"edge: marker not at the start", " " + kMarker + "x", false},
        {"nominal: a link line", kMarker + S("СС_ПОТ_1234#"_cp) + std::string(50, '-'), true},
        {"nominal: a label line", kMarker + S("МЕТ12#"_cp) + std::string(58, '-'), true},
        {"edge: in-document link markers", "\x01word\x02", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsTagLine(c.line), c.tag) << c.name;

    EXPECT_TRUE(IsLinkLine(kMarker + S("СС_ПОТ_1234#"_cp)));
    EXPECT_TRUE(IsLinkLine("\r" + kMarker + S("СС_ВИЗ_7_15-О-П#"_cp) + "\r"));
    EXPECT_FALSE(IsLinkLine(kMarker + S("МЕТ12#"_cp)));
    EXPECT_FALSE(IsLinkLine(kMarker + S("СС"_cp)));
    EXPECT_TRUE(IsLabelLine(kMarker + S("МЕТ12#"_cp)));
    EXPECT_FALSE(IsLabelLine(OpeningLine(TagCode::ZAG)));
    EXPECT_FALSE(IsLabelLine(""));
}

TEST(TagLines, BeginsWithTagLine) {
    const std::string open = OpeningLine(TagCode::PRV);
    struct Case {
        const char* name;
        std::string line;
        bool begins;
    };
    const Case cases[] = {
        {"nominal: the tag line itself", open, true},
        {"nominal: carriage returns at both ends", "\r\r" + open + "\r", true},
        {"nominal: more text after the tag line", open + "---xyz", true},
        {"edge: one dash short", open.substr(0, 65), false},
        {"edge: other code", OpeningLine(TagCode::LEV), false},
        {"edge: closing line", ClosingLine(TagCode::PRV), false},
        {"edge: leading space", " " + open, false},
        {"edge: carriage return inside", open.substr(0, 10) + "\r" + open.substr(10), false},
        {"edge: empty", "", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(BeginsWithTagLine(c.line, open), c.begins) << c.name;
}

TEST(TagBlocks, InsertBlockTag) {
    const std::string o = OpeningLine(TagCode::ZAG), c = ClosingLine(TagCode::ZAG);
    struct Case {
        const char* name;
        LineList lines;
        std::size_t first, last;
        LineList expected;
    };
    const Case cases[] = {
        {"nominal: range in the middle", {"a", "b", "c", "d"}, 1, 2, {"a", o, "b", "c", c, "d"}},
        {"nominal: one line", {"a", "b"}, 0, 0, {o, "a", c, "b"}},
        {"nominal: the last line of the text", {"a", "b"}, 1, 1, {"a", o, "b", c}},
        {"nominal: whole text", {"a", "b"}, 0, 1, {o, "a", "b", c}},
        {"edge: empty text gets an empty block", {}, 0, 0, {o, c}},
        {"robustness: last past the end is clamped", {"a", "b"}, 1, 9, {"a", o, "b", c}},
        {"robustness: first past the end adds an empty block at the end", {"a"}, 5, 7, {"a", o, c}},
        {"robustness: last before first", {"a", "b"}, 1, 0, {"a", o, "b", c}},
    };
    for (const Case& k : cases) {
        LineList lines = k.lines;
        InsertBlockTag(lines, k.first, k.last, TagCode::ZAG);
        EXPECT_EQ(lines, k.expected) << k.name;
    }
    LineList toc = {"x"};
    InsertBlockTag(toc, 0, 0, TagCode::OGL);
    EXPECT_EQ(toc, (LineList{OpeningLine(TagCode::OGL), "x", ClosingLine(TagCode::OGL)}));
}

TEST(TagBlocks, DeleteTagLines) {
    const std::string o = OpeningLine(TagCode::CNT), c = ClosingLine(TagCode::CNT);
    const std::string link = kMarker + S("СС_ПОТ_1234#"_cp);
    const std::string label = kMarker + S("МЕТ3#"_cp);
    struct Case {
        const char* name;
        LineList lines;
        std::size_t first, end;
        LineList expected;
        std::size_t deleted;
    };
    const Case cases[] = {
        {"nominal: opening directly followed by closing", {"a", o, c, "b"}, 0, 4, {"a", "b"}, 2},
        {"nominal: range end excludes its line", {o, "a", c}, 0, 2, {"a", c}, 1},
        {"nominal: links and labels go too", {link, "a", label}, 0, 3, {"a"}, 2},
        {"nominal: horizontal lines and link markers stay",
         {HorizontalLine(), "\x01x\x02", o},
         0,
         3,
         {HorizontalLine(), "\x01x\x02"},
         1},
        {"nominal: leading carriage returns removed first", {"\r\r" + o, "a"}, 0, 2, {"a"}, 1},
        {"edge: marker and a trailing carriage return counts",
         {kMarker + "\r", "a"},
         0,
         2,
         {"a"},
         1},
        {"edge: the marker alone stays",
         {kMarker, "\r" + kMarker},
         0,
         2,
         {kMarker, "\r" + kMarker},
         0},
        {"edge: marker after a space stays", {" " + o}, 0, 1, {" " + o}, 0},
        {"edge: lines before the range stay", {o, o, "a", o}, 1, 4, {o, "a"}, 2},
        {"edge: empty range", {o}, 0, 0, {o}, 0},
        {"robustness: end past the text is clamped", {"a", o}, 0, 99, {"a"}, 1},
        {"robustness: first past the end", {o}, 5, 9, {o}, 0},
        {"robustness: first after end", {o, o}, 2, 1, {o, o}, 0},
        {"edge: empty text", {}, 0, 0, {}, 0},
    };
    for (const Case& k : cases) {
        LineList lines = k.lines;
        EXPECT_EQ(DeleteTagLines(lines, k.first, k.end), k.deleted) << k.name;
        EXPECT_EQ(lines, k.expected) << k.name;
    }
}

TEST(Highlight, Spans) {
    using Spans = std::vector<HighlightSpan>;
    const SpanKind T = SpanKind::TagLine, L = SpanKind::Link;
    struct Case {
        const char* name;
        std::string line;
        Spans spans;
    };
    const std::string open = OpeningLine(TagCode::ZAG);
    const Case cases[] = {
        {"nominal: tag line", open, {{0, 66, T}}},
        {"nominal: tag line with carriage returns", "\r" + open + "\r", {{0, 68, T}}},
        {"edge: the marker alone is ordinary text", kMarker, {}},
        {"nominal: plain text", "a b c", {}},
        {"edge: empty", "", {}},
        {"nominal: link in the middle",
         "see\x01"
         "art 5\x02of",
         {{3, 7, L}}},
        {"nominal: link at the line start writes only 0x02", "art\x02of it", {{0, 4, L}}},
        {"edge: 0x02 after a space from the start is no span", "art 5\x02of", {}},
        {"nominal: link reaching the line end writes only 0x01",
         "see it\x01"
         "art",
         {{6, 4, L}}},
        {"edge: 0x01 before a space from the end is no span",
         "see\x01"
         "art 5",
         {}},
        {"nominal: the last 0x01 seen opens the span",
         "a\x01"
         "b\x01"
         "c\x02",
         {{3, 3, L}}},
        {"nominal: two links",
         "\x01"
         "a\x02 b \x01"
         "c\x02",
         {{0, 3, L}, {6, 3, L}}},
        {"nominal: start, middle and end links",
         "a\x02"
         "b \x01"
         "c\x02 d\x01"
         "e",
         {{0, 2, L}, {4, 3, L}, {9, 2, L}}},
        {"edge: 0x02 before 0x01 from the end stops the end span",
         "x \x01"
         "a\x02"
         "b",
         {{2, 3, L}}},
        {"edge: markers alone", "\x01\x02", {{0, 2, L}}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(HighlightSpans(c.line), c.spans) << c.name;
}

TEST(Highlight, SpansStayInsideTheLine) {
    std::mt19937 rng(7);
    const char alphabet[] = {'a', ' ', '\x01', '\x02', '\x04', '\r'};
    for (int round = 0; round < 5000; ++round) {
        std::string line(rng() % 12, 'a');
        for (char& ch : line)
            ch = alphabet[rng() % sizeof alphabet];
        for (const HighlightSpan& s : HighlightSpans(line)) {
            ASSERT_GE(s.start, 0) << round;
            ASSERT_GT(s.length, 0) << round;
            ASSERT_LE(static_cast<std::size_t>(s.start + s.length), line.size()) << round;
        }
    }
    std::string big(10u << 20, 'x');
    big[5] = '\x01';
    big[big.size() - 5] = '\x02';
    EXPECT_EQ(HighlightSpans(big),
              (std::vector<HighlightSpan>{{5, static_cast<int>(big.size()) - 9, SpanKind::Link}}));
}

// Inserting tags and then deleting every tag line gives back the original text.
TEST(TagBlocks, PropertyInsertThenDeleteRestoresTheText) {
    const std::vector<std::string> pieces = {"",
                                             "   ",
                                             "a",
                                             S("Приказ N 5"_cp),
                                             "\r",
                                             "\rtext\r",
                                             kMarker,
                                             "\r" + kMarker,
                                             "\x04x",
                                             " " + kMarker + "x",
                                             HorizontalLine(),
                                             "\x01link\x02 text",
                                             std::string("nul\0in", 6)};
    const TagCode codes[] = {TagCode::ZAG, TagCode::CNT, TagCode::PRV, TagCode::LEV, TagCode::LIP,
                             TagCode::NFT, TagCode::TAB, TagCode::TTT, TagCode::OGL};
    std::mt19937 rng(2024);
    for (int round = 0; round < 2000; ++round) {
        LineList original(rng() % 30);
        for (std::string& l : original)
            l = pieces[rng() % pieces.size()];
        LineList lines = original;
        const int tags = static_cast<int>(rng() % 8);
        for (int t = 0; t < tags; ++t) {
            std::size_t n = lines.size() + 1;
            std::size_t a = rng() % n, b = rng() % n;
            InsertBlockTag(lines, std::min(a, b), std::max(a, b), codes[rng() % 9]);
        }
        ASSERT_EQ(lines.size(), original.size() + 2 * static_cast<std::size_t>(tags));
        EXPECT_EQ(DeleteTagLines(lines, 0, lines.size()), 2 * static_cast<std::size_t>(tags));
        ASSERT_EQ(lines, original) << "round " << round;
    }
}

} // namespace
} // namespace norvak
