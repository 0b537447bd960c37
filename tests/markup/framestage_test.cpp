#include "markup/framestage.h"

#include "core/codepage.h"
#include "core/literal.h"
#include "core/textfile.h"
#include "markup/tags.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace norvak {
namespace {

// A line drawn with box characters in UTF-8, as the stage sees it after a DOS text has been
// read: the eleven single-line characters become the internal frame codes, double-line ones
// take their ordinary best fit, "@TAB" and "@END" stand for the ТАБ opening and closing lines.
std::string Line(std::string_view utf8) {
    if (utf8 == "@TAB")
        return OpeningLine(TagCode::TAB);
    if (utf8 == "@END")
        return ClosingLine(TagCode::TAB);
    struct Box {
        std::string_view utf8;
        char code;
    };
    static const Box boxes[] = {
        {"┌", '\x1B'}, {"─", '\x16'}, {"┬", '\x18'}, {"┐", '\x1A'}, {"│", '\x12'}, {"├", '\x10'},
        {"┼", '\x13'}, {"┤", '\x11'}, {"└", '\x1C'}, {"┴", '\x19'}, {"┘", '\xA7'}, {"╔", '+'},
        {"═", '='},    {"╦", '+'},    {"╗", '+'},    {"║", '|'},    {"╚", '+'},    {"╩", '+'},
        {"╝", '+'},    {"╠", '+'},    {"╬", '+'},    {"╣", '+'}};
    std::string out;
    for (std::size_t i = 0; i < utf8.size();) {
        bool found = false;
        for (const Box& b : boxes)
            if (utf8.substr(i, b.utf8.size()) == b.utf8) {
                out += b.code;
                i += b.utf8.size();
                found = true;
                break;
            }
        if (found)
            continue;
        unsigned char c = static_cast<unsigned char>(utf8[i]);
        std::size_t len = c < 0x80 ? 1 : (c & 0xE0) == 0xC0 ? 2 : 3;
        out += Utf8ToCp1251(utf8.substr(i, len));
        i += len;
    }
    return out;
}

LineList Lines(std::initializer_list<std::string_view> utf8) {
    LineList lines;
    for (std::string_view l : utf8)
        lines.push_back(Line(l));
    return lines;
}

struct Case {
    const char* name;
    LineList input;
    LineList expected;
};

std::vector<Case> Cases() {
    return {
        {"nominal: a complete frame",
         Lines({"text", "┌──┬───┐", "│a │ b │", "├──┼───┤", "│c │ d │", "└──┴───┘", "after"}),
         Lines({"text", "@TAB", "┌──┬───┐", "│a │ b │", "├──┼───┤", "│c │ d │", "└──┴───┘", "@END",
                "after"})},
        {"edge: top line among the last four lines is not tagged",
         Lines({"┌────┐", "│    │", "│    │", "└────┘"}),
         Lines({"┌────┐", "│    │", "│    │", "└────┘"})},
        {"edge: top line with exactly four lines after it is tagged",
         Lines({"┌────┐", "│    │", "└────┘", "x", "y"}),
         Lines({"@TAB", "┌────┐", "│    │", "└────┘", "@END", "x", "y"})},
        {"edge: middle line with a cross at the right edge abandons the frame",
         Lines({"┌────┐", "│    ┼", "│    │", "└────┘", "x", "y"}),
         Lines({"┌────┐", "│    ┼", "│    │", "└────┘", "x", "y"})},
        {"edge: bottom line with a cross between the corners is not accepted",
         Lines({"┌──┬─┐", "│  │ │", "└──┼─┘", "x", "y"}),
         Lines({"┌──┬─┐", "│  │ │", "└──┼─┘", "x", "y"})},
        {"nominal: text to the right of the frame does not prevent tagging",
         Lines({"┌────┐ note", "│    │ more", "└────┘ end", "x", "y"}),
         Lines({"@TAB", "┌────┐ note", "│    │ more", "└────┘ end", "@END", "x", "y"})},
        {"nominal: two frames one after the other are both tagged",
         Lines({"┌────┐", "│    │", "└────┘", "┌─────┐", "│     │", "└─────┘", "x", "y", "z", "w"}),
         Lines({"@TAB", "┌────┐", "│    │", "└────┘", "@END", "@TAB", "┌─────┐", "│     │",
                "└─────┘", "@END", "x", "y", "z", "w"})},
        {"edge: a frame drawn with double lines is left untagged",
         Lines({"╔════╦═╗", "║    ║ ║", "╠════╬═╣", "╚════╩═╝", "x", "y"}),
         Lines({"╔════╦═╗", "║    ║ ║", "╠════╬═╣", "╚════╩═╝", "x", "y"})},
        {"edge: a line shorter than the frame abandons it",
         Lines({"┌────┐", "│   ", "└────┘", "x", "y"}),
         Lines({"┌────┐", "│   ", "└────┘", "x", "y"})},
        {"edge: an empty line abandons the frame", Lines({"┌────┐", "", "└────┘", "x", "y"}),
         Lines({"┌────┐", "", "└────┘", "x", "y"})},
        {"edge: top line of five characters opens nothing",
         Lines({"┌───┐", "│   │", "└───┘", "x", "y"}),
         Lines({"┌───┐", "│   │", "└───┘", "x", "y"})},
        {"edge: top line of six characters opens a frame",
         Lines({"┌────┐", "│    │", "└────┘", "x", "y"}),
         Lines({"@TAB", "┌────┐", "│    │", "└────┘", "@END", "x", "y"})},
        {"edge: a foreign character in the top rule opens nothing",
         Lines({"┌──x─┐", "│    │", "└────┘", "x", "y"}),
         Lines({"┌──x─┐", "│    │", "└────┘", "x", "y"})},
        {"edge: a top rule without its corner opens nothing",
         Lines({"┌──────", "│    │", "└────┘", "x", "y"}),
         Lines({"┌──────", "│    │", "└────┘", "x", "y"})},
        {"edge: the first corner fixes the width",
         Lines({"┌────┐──┐", "│    │  │", "└────┘──┘", "x", "y"}),
         Lines({"@TAB", "┌────┐──┐", "│    │  │", "└────┘──┘", "@END", "x", "y"})},
        {"edge: middle lines may mix tees and verticals; inner characters are not examined",
         Lines({"┌──┬──┐", "├xx?yy│", "│──┼──┤", "└──┴──┘", "x", "y"}),
         Lines({"@TAB", "┌──┬──┐", "├xx?yy│", "│──┼──┤", "└──┴──┘", "@END", "x", "y"})},
        {"edge: a middle line starting with a cross abandons the frame",
         Lines({"┌──┬──┐", "┼──┼──┤", "└──┴──┘", "x", "y"}),
         Lines({"┌──┬──┐", "┼──┼──┤", "└──┴──┘", "x", "y"})},
        {"edge: bottom corner one place too far right abandons the frame",
         Lines({"┌────┐", "│    │", "└─────┘", "x", "y"}),
         Lines({"┌────┐", "│    │", "└─────┘", "x", "y"})},
        {"edge: a bottom line ends the frame; the next frame opens after it",
         Lines({"┌────┐", "└──x─┘", "┌────┐", "│    │", "└────┘", "x", "y"}),
         Lines({"┌────┐", "└──x─┘", "@TAB", "┌────┐", "│    │", "└────┘", "@END", "x", "y"})},
        {"edge: the line that abandons a frame is not tried as a top line",
         Lines({"┌────┐", "│    │", "┌────┐", "│    │", "└────┘", "x", "y"}),
         Lines({"┌────┐", "│    │", "┌────┐", "│    │", "└────┘", "x", "y"})},
        {"edge: a frame closed at once by its bottom line",
         Lines({"┌────┐", "└────┘", "x", "y", "z"}),
         Lines({"@TAB", "┌────┐", "└────┘", "@END", "x", "y", "z"})},
        {"nominal: carriage returns at both ends are ignored and kept",
         Lines({"\r┌────┐\r", "\r\r│    │", "└────┘\r", "x", "y"}),
         Lines({"@TAB", "\r┌────┐\r", "\r\r│    │", "└────┘\r", "@END", "x", "y"})},
        {"edge: a bottom line with a space in its rule is not accepted",
         Lines({"┌────┐", "│    │", "└─── §", "x", "y"}),
         Lines({"┌────┐", "│    │", "└─── §", "x", "y"})},
        {"edge: empty text", {}, {}},
        {"edge: blank lines only", Lines({"", "", "", "", "", ""}),
         Lines({"", "", "", "", "", ""})},
    };
}

TEST(FramedTablesStage, Cases) {
    for (Case& c : Cases()) {
        LineList lines = c.input;
        RunFramedTablesStage(lines);
        EXPECT_EQ(lines, c.expected) << c.name;
    }
}

TEST(FramedTablesStage, CountsFramesAndDoesNotLookForExistingTags) {
    LineList lines = Lines({"┌────┐", "│    │", "└────┘", "┌────┐", "└────┘", "x", "y", "z"});
    EXPECT_EQ(RunFramedTablesStage(lines), 2u);
    LineList again = lines;
    EXPECT_EQ(RunFramedTablesStage(again), 2u);
    EXPECT_EQ(again.size(), lines.size() + 4);
}

// The stage as literally described: insert two lines per frame into the list and carry on with
// the next index of the lengthened list. Quadratic, but the reference for the fast stage.
void ReferenceStage(LineList& lines) {
    bool open = false;
    std::size_t top = 0, w = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string s = StripCR(lines[i]);
        if (!open) {
            if (i + 4 < lines.size() && s.size() > 5 && s[0] == '\x1B') {
                for (std::size_t p = 1; p < s.size(); ++p) {
                    if (s[p] == '\x1A') {
                        open = true;
                        top = i;
                        w = p;
                        break;
                    }
                    if (s[p] != '\x16' && s[p] != '\x18')
                        break;
                }
            }
        } else if (s.size() < w + 1) {
            open = false;
        } else if (s[0] == '\x1C' && s[w] == '\xA7') {
            open = false;
            bool rule = true;
            for (std::size_t p = 1; p < w; ++p)
                rule = rule && (s[p] == '\x16' || s[p] == '\x19');
            if (rule) {
                lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(i) + 1,
                             ClosingLine(TagCode::TAB));
                lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(top),
                             OpeningLine(TagCode::TAB));
            }
        } else if (!((s[0] == '\x10' || s[0] == '\x12') && (s[w] == '\x11' || s[w] == '\x12'))) {
            open = false;
        }
    }
}

TEST(FramedTablesStage, PropertySameAsInsertingBlockByBlock) {
    const std::vector<std::string> pieces = {
        Line("┌────┐"),     Line("┌──┬─┐ x"), Line("│    │"), Line("├────┤"),
        Line("│  │ │"),     Line("└────┘"),   Line("└──┴─┘"), Line("└─┼──┘"),
        Line("│    ┼"),     Line("text"),     Line(""),       Line("┌───┐"),
        Line("\r└────┘\r"), Line("┌────┐\r"), Line("│   "),   Line("┌──────┐"),
        Line("│      │"),   Line("└──────┘"), Line("§ 5"),    OpeningLine(TagCode::TAB)};
    std::mt19937 rng(12345);
    int tagged = 0;
    for (int round = 0; round < 3000; ++round) {
        LineList lines(rng() % 40);
        for (std::string& l : lines)
            l = pieces[rng() % pieces.size()];
        LineList expected = lines;
        ReferenceStage(expected);
        LineList actual = lines;
        RunFramedTablesStage(actual);
        ASSERT_EQ(actual, expected) << "round " << round;
        tagged += actual.size() != lines.size();
        // Deleting the tag lines gives back the text.
        DeleteTagLines(actual, 0, actual.size());
        LineList original = lines;
        DeleteTagLines(original, 0, original.size());
        ASSERT_EQ(actual, original) << "round " << round;
    }
    EXPECT_GT(tagged, 100) << "the random texts must hold frames";
}

TEST(FramedTablesStage, LargeDocumentInLinearTime) {
    const LineList frame = Lines({"┌────┬────┐", "│ a  │ b  │", "├────┼────┤", "│ c  │ d  │",
                                  "└────┴────┘", "text between the tables"});
    LineList lines;
    const std::size_t frames = 25000;
    lines.reserve(frames * frame.size());
    for (std::size_t i = 0; i < frames; ++i)
        lines.insert(lines.end(), frame.begin(), frame.end());
    EXPECT_EQ(RunFramedTablesStage(lines), frames);
    EXPECT_EQ(lines.size(), frames * (frame.size() + 2));
    EXPECT_EQ(lines[0], OpeningLine(TagCode::TAB));
    EXPECT_EQ(lines[6], ClosingLine(TagCode::TAB));
    EXPECT_EQ(lines[lines.size() - 2], ClosingLine(TagCode::TAB));
}

// A DOS document read, tagged and written back as CP866 matches the expected file.
TEST(FramedTablesStage, GoldenDocument) {
    std::string input, expected;
    const std::string dir = std::string(NORVAK_TEST_DATA) + "/markup/";
    ASSERT_TRUE(ReadFileBytes(dir + "frames_input.cp866.txt", input));
    ASSERT_TRUE(ReadFileBytes(dir + "frames_expected.cp866.txt", expected));
    LineList lines = SplitDosTextLines(input);
    EXPECT_EQ(RunFramedTablesStage(lines), 3u);
    std::string written;
    for (const std::string& line : lines)
        written += WindowsToDos(line) + "\r\n";
    EXPECT_EQ(written, expected);
}

} // namespace
} // namespace norvak
