#include "document/lineediting.h"

#include "core/literal.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <random>
#include <string>
#include <vector>

namespace norvak {
namespace {

std::string Sp(int n) {
    return std::string(static_cast<std::size_t>(n), ' ');
}

std::vector<std::string> WordsOf(const LineList& lines) {
    std::vector<std::string> words;
    for (std::string line : lines) {
        std::replace(line.begin(), line.end(), '\t', ' ');
        for (const std::string& w : SplitWords(line))
            if (!w.empty())
                words.push_back(w);
    }
    return words;
}

TEST(LineEditing, AffectedLines) {
    struct Case {
        const char* name;
        int startLine, endLine, endColumn;
        LineRange range;
    };
    const Case cases[] = {
        {"nominal: no selection is the caret's line", 4, 4, 7, {4, 4}},
        {"nominal: inside one line", 2, 2, 9, {2, 2}},
        {"nominal: over three lines", 1, 3, 5, {1, 3}},
        {"edge: ending at a line start leaves that line", 1, 3, 0, {1, 2}},
        {"edge: one line selected with its break", 1, 2, 0, {1, 1}},
        {"edge: caret at a line start", 5, 5, 0, {5, 5}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(AffectedLines(c.startLine, c.endLine, c.endColumn), c.range) << c.name;
}

TEST(LineEditing, CutAndJoinLines) {
    EXPECT_EQ(CutLines("a\nb"), (LineList{"a", "b"}));
    EXPECT_EQ(CutLines("a\rb\r\nc"), (LineList{"a", "b", "c"}));
    EXPECT_EQ(CutLines(""), (LineList{""}));
    EXPECT_EQ(CutLines("a\n"), (LineList{"a", ""}));
    EXPECT_EQ(JoinLines({"a", "", "b"}), "a\n\nb");
    EXPECT_EQ(JoinLines({}), "");
}

// Single-purpose commands, W = 66 unless stated.
TEST(LineEditing, LeftCentreRight) {
    const std::string s64(64, 'x'), s65(65, 'x'), s70(70, 'x');
    struct Case {
        const char* name;
        LineCommand command;
        LineList in;
        LineList out;
    };
    const Case cases[] = {
        {"nominal: left drops leading spaces",
         LineCommand::Left,
         {"   a b  ", "c"},
         {"a b  ", "c"}},
        {"nominal: tabs become one space first", LineCommand::Left, {"\t\ta\tb"}, {"a b"}},
        {"edge: left keeps blank lines empty", LineCommand::Left, {"   "}, {""}},
        {"edge: centring a 65-character line adds nothing", LineCommand::Centre, {s65}, {s65}},
        {"edge: centring a 64-character line adds one space",
         LineCommand::Centre,
         {s64},
         {" " + s64}},
        {"nominal: centre trims both ends first",
         LineCommand::Centre,
         {"   abcd   "},
         {Sp(31) + "abcd"}},
        {"edge: centre leaves an empty line empty", LineCommand::Centre, {"    "}, {""}},
        {"edge: centre of a longer line only trims", LineCommand::Centre, {s70 + "  "}, {s70}},
        {"nominal: right pads to the width", LineCommand::Right, {"abc  "}, {Sp(63) + "abc"}},
        {"edge: right of a longer line leaves it", LineCommand::Right, {s70}, {s70}},
        {"edge: right of an empty line fills the width", LineCommand::Right, {""}, {Sp(66)}},
    };
    DocSettings settings;
    for (const Case& c : cases)
        EXPECT_EQ(ApplyLineCommand(c.command, c.in, settings), c.out) << c.name;
}

TEST(LineEditing, LeftAndRight) {
    struct Case {
        const char* name;
        LineList in;
        LineList out;
    };
    const Case cases[] = {
        {"edge: two spaces between two words keep the line", {"abc  def"}, {"abc  def"}},
        {"nominal: three spaces move the right part to the margin",
         {"abc   def"},
         {"abc" + Sp(14) + "def"}},
        {"nominal: leading and trailing spaces go first",
         {"  abc    def  "},
         {"abc" + Sp(14) + "def"}},
        {"nominal: the longest run splits, the right part keeps its own spaces",
         {"a b   c     d e"},
         {"a b   c" + Sp(10) + "d e"}},
        {"edge: the first of equally long runs splits", {"a   b   c"}, {"a" + Sp(14) + "b   c"}},
        {"edge: an empty line becomes one space", {""}, {" "}},
        {"edge: a blank line becomes one space", {"    "}, {" "}},
        {"edge: parts as wide as the line keep one space between them",
         {"abcdefghij   klmnopqrstu"},
         {"abcdefghij klmnopqrstu"}},
        {"edge: parts one short of the line get one space",
         {"abcdefghij   klmnopqrs"},
         {"abcdefghij klmnopqrs"}},
        {"edge: a tab counts as a space", {"a\t\t\tb"}, {"a" + Sp(18) + "b"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(AlignLeftAndRight(c.in, 20), c.out) << c.name;
}

TEST(LineEditing, RemoveLeftSpaces) {
    struct Case {
        const char* name;
        LineList in;
        LineList out;
    };
    const Case cases[] = {
        {"edge: one line at the margin removes nothing",
         {"    a", "  b", "c"},
         {"    a", "  b", "c"}},
        {"nominal: the smallest indentation goes", {"    a", "  b"}, {"  a", "b"}},
        {"nominal: blank lines stay and do not count",
         {"    a", "", "  ", "   b"},
         {" a", "", "  ", "b"}},
        {"edge: only blank lines", {"  ", ""}, {"  ", ""}},
        {"edge: tabs are spaces", {"\t\ta", "\tb"}, {" a", "b"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RemoveLeftSpaces(c.in), c.out) << c.name;
}

TEST(LineEditing, JustifyLine) {
    struct Case {
        const char* name;
        std::vector<std::string> words;
        int width;
        std::string out;
    };
    const Case cases[] = {
        {"nominal: extra spaces from the first gap", {"a", "b", "c"}, 8, "a   b  c"},
        {"nominal: even spread", {"aa", "bb", "cc"}, 10, "aa  bb  cc"},
        {"edge: one word stays", {"abc"}, 10, "abc"},
        {"edge: already wide enough", {"abc", "def"}, 5, "abc def"},
        {"edge: no words", {}, 10, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(JustifyLine(c.words, c.width), c.out) << c.name;
}

// W = 20, P = 2.
TEST(LineEditing, JustifyParagraphRules) {
    struct Case {
        const char* name;
        LineList in;
        LineList out;
    };
    const Case cases[] = {
        {"nominal: indented paragraph refilled, last line with single spaces",
         {"  Aaa bbb ccc ddd eee fff", "ggg"},
         {"  Aaa  bbb  ccc  ddd", "eee fff ggg"}},
        {"nominal: two indented paragraphs and one blank line give two empty lines",
         {"  Aaa bbb ccc ddd eee fff", "ggg", "", "  Hhh iii"},
         {"  Aaa  bbb  ccc  ddd", "eee fff ggg", "", "", "  Hhh" + Sp(12) + "iii"}},
        {"nominal: a one-line paragraph is stretched to the width",
         {"Aaa bbb", "ccc"},
         {"Aaa      bbb     ccc"}},
        {"nominal: an indented line opens a new paragraph without a blank line",
         {"  Aaa bbb", "  Ccc ddd"},
         {"  Aaa" + Sp(12) + "bbb", "  Ccc" + Sp(12) + "ddd"}},
        {"nominal: a line indented deeper continues the paragraph",
         {"  Aaa", "      bbb"},
         {"  Aaa" + Sp(12) + "bbb"}},
        {"nominal: an unindented paragraph after a blank line",
         {"Aaa", "", "bbb ccc"},
         {"Aaa", "", "bbb" + Sp(14) + "ccc"}},
        {"edge: two blank lines between paragraphs give three",
         {"Aaa", "", "", "Bbb"},
         {"Aaa", "", "", "", "Bbb"}},
        {"edge: a blank first selected line is dropped", {"", "  Aaa"}, {"  Aaa"}},
        {"edge: a blank last line adds one line", {"Aaa", ""}, {"Aaa", "", ""}},
        {"edge: a word longer than the width stands alone",
         {"aaaaaaaaaaaaaaaaaaaaaaaa bb"},
         {"aaaaaaaaaaaaaaaaaaaaaaaa", "bb"}},
        {"edge: tabs separate words", {"Aaa\tbbb"}, {"Aaa" + Sp(14) + "bbb"}},
        {"edge: one word", {"  Aaa"}, {"  Aaa"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Justify(c.in, 2, 20), c.out) << c.name;
    EXPECT_EQ(Justify({}, 2, 20), LineList{});
}

TEST(LineEditing, OddSettingsDoNotBreakTheText) {
    const LineList in = {"  Aaa bbb", "ccc", "", "ddd"};
    const int settings[][2] = {{-3, 20}, {2, 0}, {2, -5}, {INT_MAX, 20}, {2, INT_MAX}, {40, 20}};
    for (const auto& ps : settings) {
        const LineList out = Justify(in, ps[0], ps[1]);
        EXPECT_EQ(WordsOf(out), WordsOf(in)) << ps[0] << " " << ps[1];
    }
    EXPECT_EQ(AlignLeftAndRight({"a   b"}, -1), (LineList{"a b"}));
    EXPECT_EQ(AlignCentre({"ab"}, 0), (LineList{"ab"}));
    EXPECT_EQ(AlignRight({"ab"}, -4), (LineList{"ab"}));
}

TEST(LineEditing, JustifyWithDefaultSettings) {
    DocSettings settings; // P = 5, W = 66
    const LineList in = {Sp(5) +
                             std::string("Настоящий приказ вступает в силу со дня его официального "
                                         "опубликования и"_cp),
                         std::string("действует до принятия нового порядка."_cp)};
    const LineList out = ApplyLineCommand(LineCommand::Justify, in, settings);
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0].size(), 66u);
    EXPECT_EQ(out[0].substr(0, 6), Sp(5) + "Н"_cp.data()[0]);
    EXPECT_EQ(WordsOf(out), WordsOf(in));
}

// Every command keeps the words and their order; Justify keeps lines within the width.
TEST(LineEditing, PropertyWordsKeptAndWidthRespected) {
    std::mt19937 rng(8);
    const std::string alphabet = "ab " + std::string("вд"_cp) + "\t";
    const LineCommand commands[] = {LineCommand::Left,         LineCommand::Centre,
                                    LineCommand::Right,        LineCommand::Justify,
                                    LineCommand::LeftAndRight, LineCommand::RemoveLeftSpaces};
    DocSettings settings;
    settings.stringLength = 24;
    settings.posParagraph = 3;
    for (int round = 0; round < 300; ++round) {
        LineList in(rng() % 6);
        for (std::string& line : in) {
            const std::size_t length = rng() % 30;
            for (std::size_t k = 0; k < length; ++k)
                line += alphabet[rng() % alphabet.size()];
        }
        for (LineCommand command : commands) {
            const LineList out = ApplyLineCommand(command, in, settings);
            EXPECT_EQ(WordsOf(out), WordsOf(in)) << "command " << static_cast<int>(command);
            for (const std::string& line : out)
                EXPECT_EQ(line.find('\t'), std::string::npos);
            if (command != LineCommand::Justify)
                continue;
            for (const std::string& line : out) {
                if (CountWords(line) > 1) {
                    EXPECT_LE(line.size(), 24u) << line;
                }
            }
        }
    }
}

TEST(TagInsertion, Texts) {
    const BlockTagTexts zag = BlockTagInsertion(TagCode::ZAG);
    EXPECT_EQ(zag.opening, OpeningLine(TagCode::ZAG) + "\n");
    EXPECT_EQ(zag.closing, "\n" + ClosingLine());
    const BlockTagTexts ogl = BlockTagInsertion(TagCode::OGL);
    EXPECT_EQ(ogl.closing, "\n\x04\x04" + std::string("КОН"_cp) + std::string(61, '-'));
    EXPECT_EQ(HorizontalLineInsertion(), "\n" + std::string(66, '-') + "\n");
}

// Line "aaa bbb ccc", W = 20 unless stated.
TEST(TagInsertion, LinkSpan) {
    struct Case {
        const char* name;
        std::string line;
        int start, end, width;
        std::string out;
        int caret;
    };
    const std::string a15(15, 'a'), a18(18, 'a');
    const Case cases[] = {
        {"nominal: a word inside the line", "aaa bbb ccc", 5, 6, 20,
         "aaa\x01"
         "bbb\x02"
         "ccc",
         8},
        {"nominal: caret without selection inside a word", "aaa bbb ccc", 5, 5, 20,
         "aaa\x01"
         "bbb\x02"
         "ccc",
         8},
        {"nominal: two words", "aaa bbb ccc dd", 5, 9, 20,
         "aaa\x01"
         "bbb ccc\x02"
         "dd",
         12},
        {"edge: a span at the line start writes only 0x02", "aaa bbb ccc", 1, 2, 20,
         "aaa\x02"
         "bbb ccc",
         4},
        {"edge: a span reaching the line length writes only 0x01", a15 + " wwww", 17, 18, 20,
         a15 + "\x01"
               "wwww",
         16},
        {"edge: widening stops at the line length", a18 + " bbbbbb", 20, 20, 20,
         a18 + "\x01"
               "bbbbbb",
         19},
        {"edge: a word ending a shorter line gets both markers", "aaa bbb", 5, 5, 20,
         "aaa\x01"
         "bbb\x02",
         8},
        {"edge: a whole one-word line", "aaa", 0, 3, 20, "aaa\x02", 4},
        {"edge: the line length unchanged when both spaces are there", "x aa y", 2, 4, 66,
         "x\x01"
         "aa\x02"
         "y",
         5},
        {"robustness: a selection past the line end is clamped", "aaa bbb", 50, 60, 20,
         "aaa\x01"
         "bbb\x02",
         8},
        {"robustness: a reversed selection", "aaa bbb ccc", 6, 5, 20,
         "aaa\x01"
         "bbb\x02"
         "ccc",
         8},
    };
    for (const Case& c : cases) {
        const auto edit = MarkLinkSpan(c.line, 3, c.start, 3, c.end, c.width);
        ASSERT_TRUE(edit.has_value()) << c.name;
        EXPECT_EQ(edit->line, c.out) << c.name;
        EXPECT_EQ(edit->caret, c.caret) << c.name;
    }
    EXPECT_FALSE(MarkLinkSpan("aaa bbb", 3, 1, 4, 2, 20).has_value())
        << "a selection across lines beeps";
    EXPECT_FALSE(MarkLinkSpan("aaa bbb", 3, 1, 4, 0, 20).has_value())
        << "even when it ends at the next line's start";
}

TEST(TagInsertion, LinkSpanIsHighlighted) {
    for (const std::string& line : {std::string("aaa bbb ccc"), std::string(15, 'a') + " wwww"}) {
        const auto edit = MarkLinkSpan(line, 0, 17, 0, 17, 20);
        ASSERT_TRUE(edit.has_value());
        const auto spans = HighlightSpans(edit->line);
        ASSERT_EQ(spans.size(), 1u) << edit->line;
        EXPECT_EQ(spans[0].kind, SpanKind::Link);
    }
}

} // namespace
} // namespace norvak
