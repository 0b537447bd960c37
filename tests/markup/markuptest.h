#pragma once
// Helpers for the markup tests: documents written as lists of lines in which "<ПРВ>" stands
// for an opening line and "</>" for the closing line, and a readable form for failure output.

#include "core/codepage.h"
#include "core/literal.h"
#include "core/textcore.h"
#include "markup/tags.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace norvak::test {

inline std::optional<TagCode> TokenCode(std::string_view item) {
    if (item.size() != 5 || item.front() != '<' || item.back() != '>')
        return std::nullopt;
    for (TagCode code : {TagCode::ZAG, TagCode::CNT, TagCode::PRV, TagCode::LEV, TagCode::LIP,
                         TagCode::NFT, TagCode::TAB, TagCode::TTT, TagCode::OGL})
        if (item.substr(1, 3) == TagCodeText(code))
            return code;
    return std::nullopt;
}

// Items "<XYZ>" (CP1251 code) become opening lines, "</>" the closing line, "</КОН>" the
// closing of a table of contents; every other item is a line as it stands.
inline LineList Lines(std::initializer_list<std::string_view> items) {
    LineList lines;
    for (std::string_view item : items) {
        if (item == "</>")
            lines.push_back(ClosingLine());
        else if (item == "</КОН>"_cp)
            lines.push_back(ClosingLine(TagCode::OGL));
        else if (auto code = TokenCode(item))
            lines.push_back(OpeningLine(*code));
        else
            lines.emplace_back(item);
    }
    return lines;
}

// One line per row, tag lines as their tokens, the rest in UTF-8 with frame codes drawn.
inline std::string Show(const LineList& lines) {
    std::string out;
    for (const std::string& line : lines) {
        std::string shown;
        if (line == ClosingLine())
            shown = "</>";
        else if (line == ClosingLine(TagCode::OGL))
            shown = "</КОН>";
        else
            for (TagCode code :
                 {TagCode::ZAG, TagCode::CNT, TagCode::PRV, TagCode::LEV, TagCode::LIP,
                  TagCode::NFT, TagCode::TAB, TagCode::TTT, TagCode::OGL})
                if (line == OpeningLine(code))
                    shown = "<" + Cp1251ToUtf8(TagCodeText(code)) + ">";
        if (shown.empty())
            shown = "|" + Cp1251ToUtf8Display(line) + "|";
        out += shown;
        out += '\n';
    }
    return out;
}

// lead spaces, the text, trail spaces.
inline std::string Pad(int lead, std::string_view text, int trail = 0) {
    return std::string(static_cast<std::size_t>(lead), ' ') + std::string(text) +
           std::string(static_cast<std::size_t>(trail), ' ');
}

// The text pressed against column width (the line is exactly width bytes long).
inline std::string RightAt(std::string_view text, int width = 66) {
    return Pad(width - static_cast<int>(text.size()), text);
}

// The text with ten spaces before it: centred with the default layout settings.
inline std::string Centred(std::string_view text) {
    return Pad(10, text);
}

// A justified body line of exactly width bytes with no leading space.
inline std::string Body(int width = 66) {
    std::string line = "Text of an article, justified to the full width of the line, x";
    line.resize(static_cast<std::size_t>(width), 'x');
    return line;
}

inline LineList WithoutTagLines(const LineList& lines) {
    LineList out;
    for (const std::string& line : lines)
        if (!IsTagLine(line))
            out.push_back(line);
    return out;
}

// A named case of a stage: the lines before and after it, and the line length and left
// margin the aligning stages take.
struct StageCase {
    const char* name;
    LineList input;
    LineList expected;
    int stringLength = 66;
    int leftSpaces = 20;
};

// Lets run change each case's input and expects the case's result, shown line by line.
template <class Run> void ExpectStageCases(std::vector<StageCase> cases, Run run) {
    for (StageCase& c : cases) {
        run(c);
        EXPECT_EQ(Show(c.input), Show(c.expected)) << c.name;
    }
}

} // namespace norvak::test
