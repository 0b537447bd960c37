#pragma once
// The source-format file (*.rla): eighteen numbered requisite blocks and the marked-up text,
// in CP866 with CR LF line ends. The writer builds it from a requisite record, the reader turns
// it back into one.

#include "core/textcore.h"
#include "requisites/requisiterecord.h"

#include <string>
#include <string_view>

namespace norvak {

// Breaks a note or a title into the lines of a wrapped-text block of width `width`: words
// are cut as SplitWords cuts them and filled into lines of at most `width` bytes, each full
// line justified; a word longer than the width stands on a line of its own. Every LF in the
// text starts a new line. No line of the result is empty.
LineList WrapText(std::string_view text, int width);

// Pads a line of two or more words to `width` by widening its gaps, the leftmost gaps first.
// A line of one word, or one already `width` bytes long or longer, is returned unchanged.
std::string JustifyLine(std::string_view line, int width);

// The whole file for a record, wrapped text cut at `stringLength`. Outside the text, values
// that the reader would take for a block's end (empty, blank, "...") are left out of lists,
// and a value line that would read as a header ("$" and not "$$"), or would after its
// leading spaces, gets one more leading space. A tag line in the note stands on a line of
// its own whatever the width.
std::string WriteSourceBytes(const CRequisiteRecord& record, int stringLength);

// Writes the file through a temporary file renamed over `path`, so a failed write leaves the
// previous file in place. On failure puts the reason into `error` (when given) and returns
// false; the caller tells the operator ("Ошибка сохранения файла!").
bool WriteSourceFile(const CRequisiteRecord& record, const std::string& path, int stringLength,
                     std::string* error = nullptr);

// Parses the bytes of a file. `dos`: the lines are CP866 with box-drawing characters (the
// usual case); otherwise they are taken as CP1251 as they are. What WriteSourceBytes wrote
// reads back as the record it was written from: the justification padding of the note and
// the title collapses to single spaces, a title line beginning with "(вместе с" follows
// " \n", the space that kept a value from reading as a header goes, and the empty line that
// ends the text block is not taken for a line of the text. An empty source list reads back
// as the one source "Документ опубликован не был" the writer puts in its place.
CRequisiteRecord ReadSourceBytes(std::string_view bytes, bool dos);

// Reads and parses a file (`path` in the file system's encoding, UTF-8) into `record`. When it
// cannot be read, says why in `error` (when given), leaves `record` untouched
// and returns false; the caller tells the operator ("Ошибка чтения файла %s!").
bool ReadSourceFile(const std::string& path, bool dos, CRequisiteRecord& record,
                    std::string* error = nullptr);

// The file name the save dialog proposes: the database number as "%05d", empty for -1.
std::string ProposedSaveName(int dbNumber);

} // namespace norvak
