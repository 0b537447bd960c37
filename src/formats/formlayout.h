#pragma once
// Lays a read document out in the classic fixed-width form of a DOS text, so that the markup
// recognises its layout as it recognises a DOS text's.

#include "core/textcore.h"
#include "core/textfile.h"
#include "formats/flowdocument.h"

#include <string>
#include <vector>

namespace norvak {

// The settings the layout follows (the document settings of the same names).
struct LayoutOptions {
    int stringLength = 66;
    int posParagraph = 5;
    int leftSpaces = 20;
};

// The laid-out text and the lines that hold characters CP1251 lacked.
struct LaidOutText {
    LineList lines;
    std::vector<LossyLine> replaced;
};

// The layout rules, line width W = stringLength:
// - a centred paragraph is wrapped within W - 2 * (posParagraph + 1) columns, each line
//   centred, with a blank line before and after it;
// - a right-aligned paragraph is wrapped within W - leftSpaces columns, each line ending at
//   column W; a run of right-aligned paragraphs stands between blank lines;
// - a justified paragraph is wrapped at W and every line but the last of each piece between
//   hard breaks is justified (extra spaces from the left); a left paragraph is wrapped only;
// - indents count 10 columns to the inch (7.2 pt a column); one under a quarter inch is
//   none, and none is more than posParagraph, so no wrapped line looks centred;
// - in a left or justified paragraph a tab or a run of three or more spaces parts the text
//   placed at the left from the text placed at the right ("Президент ...     Б.Ельцин"):
//   both go on one line, the right part ending at column W, when they fit;
// - a bordered table becomes one box-drawn frame W columns wide (see DrawTableFrame); a
//   borderless one places its cells side by side, the first at the left margin, the last
//   ending at column W;
// - a bold left paragraph that is a section heading (IsSectionHeading) is centred;
// - an empty paragraph is a blank line; non-breaking spaces print as spaces, and words they
//   join that do not fit on a line of their own break at them.
// Only a single word longer than its line makes a line longer than W.
LaidOutText LayOutDocument(const FlowDocument& doc, const LayoutOptions& options);

// Words of text in order, split at spaces, tabs, breaks and runs of non-breaking spaces; a
// single non-breaking space joins two words into one.
std::vector<std::string> SplitFlowWords(const std::string& text);

// Greedy wrap of words: the first line holds at most firstWidth columns, the others width.
// A word longer than its line stands alone on it, except that one of words joined by
// non-breaking spaces (SplitFlowWords) is broken at those spaces.
std::vector<std::vector<std::string>> WrapWords(const std::vector<std::string>& words,
                                                int firstWidth, int width);

} // namespace norvak
