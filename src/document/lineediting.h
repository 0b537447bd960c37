#pragma once
// The editor's line-formatting commands as pure functions on lists of lines, and the text side
// of the tag-insertion commands. The view takes the affected lines, calls one of these and puts
// the result in their place as one undo step.

#include "core/textcore.h"
#include "document/settings.h"
#include "markup/tags.h"

#include <optional>
#include <string>
#include <string_view>

namespace norvak {

// The lines a formatting command rewrites: from the line holding the selection start to the line
// holding the last selected character. A selection that ends at the start of a line (column 0)
// does not take that line; without a selection it is the caret's line.
struct LineRange {
    int first = 0;
    int last = 0; // inclusive
    bool operator==(const LineRange&) const = default;
};
LineRange AffectedLines(int startLine, int endLine, int endColumn);

// The selected text as a list of lines: cut at every CR, LF or CR LF.
LineList CutLines(std::string_view text);
// The lines joined with LF, as the view puts them back in place of the selection.
std::string JoinLines(const LineList& lines);

// Each command first replaces every tab by one space. Widths are taken between 0 and 4096.
LineList AlignLeft(const LineList& lines);
LineList AlignCentre(const LineList& lines, int stringLength);
LineList AlignRight(const LineList& lines, int stringLength);
LineList AlignLeftAndRight(const LineList& lines, int stringLength);
LineList RemoveLeftSpaces(const LineList& lines);
// Paragraph by paragraph: an indented line (posParagraph spaces, then a non-space) opens a
// paragraph, a blank line ends one; words are refilled to stringLength columns and every line
// but a paragraph's last is stretched to the full width.
LineList Justify(const LineList& lines, int posParagraph, int stringLength);
// The words joined with single spaces, then the gaps widened one space at a time, first gap to
// last and round again, until the line is width long. One word stays as it is.
std::string JustifyLine(const std::vector<std::string>& words, int width);

enum class LineCommand { Left, Centre, Right, Justify, LeftAndRight, RemoveLeftSpaces };
LineList ApplyLineCommand(LineCommand command, const LineList& lines, const DocSettings& settings);

// Block tag insertion: the opening text is the opening line and LF, the closing text LF and the
// closing line (the КОН line for the table of contents).
struct BlockTagTexts {
    std::string opening;
    std::string closing;
};
BlockTagTexts BlockTagInsertion(TagCode code);
// What replaces the selection for the horizontal line: LF, 66 "-", LF.
std::string HorizontalLineInsertion();

// An in-document link span written into one line.
struct LinkSpanEdit {
    std::string line; // the new text of the line
    int caret = 0;    // caret column, just after the last marker written
};
// Marks the words around the selection [start, end) of one line as an in-document link span.
// Returns nothing (the view beeps and changes nothing) when the selection starts and ends on
// different lines. The selection is widened to whole words, but not past stringLength; the space
// before the span becomes 0x01 and the one after it 0x02; a span at the line start gets only
// 0x02 and a span ending at stringLength only 0x01.
std::optional<LinkSpanEdit> MarkLinkSpan(std::string_view line, int startLine, int start,
                                         int endLine, int end, int stringLength);

} // namespace norvak
