#pragma once
// Texts saved with one paragraph per line (from a web page or a word processor): whether a
// text is one, and the formatting its lines suggest.

#include "core/textcore.h"
#include "formats/flowdocument.h"

namespace norvak {

// True when the lines were not laid out at a fixed width: some line is longer than twice
// stringLength, or more than a tenth of the non-blank lines run past stringLength + 10.
bool IsParagraphPerLine(const LineList& lines, int stringLength);

// One paragraph per non-blank line (a blank line stays a blank line), set by these rules:
// - centred: a line of at most stringLength - 2 * (posParagraph + 1) characters that has no
//   final full stop, comma or semicolon and is written in capitals (two letters at least, no
//   small letter), or begins a heading ("Раздел", "Подраздел", "Глава", "Часть" followed by a
//   numeral or a capital word); or, among the first fifteen non-blank lines, a line of at
//   most 2 * stringLength characters, not in brackets and without such a final mark, that
//   names the kind of act ("... кодекс ...", "Федеральный закон", "Закон", "Указ",
//   "Постановление", "Распоряжение", "Приказ", "Положение");
// - right-aligned: a line beginning with "Принят " or "Одобрен " (also "Принята", "Одобрена",
//   "Принято", "Одобрено"), or "УТВЕРЖДЕН" in any form, and at most stringLength characters;
// - every other line: justified, its first line indented by posParagraph.
// True when a line begins as a heading of a part of an act: "Раздел", "Подраздел", "Глава"
// or "Часть" (in any case) followed by a numeral or a capital word.
bool IsSectionHeading(std::string_view line);

FlowDocument ParagraphsFromLines(const LineList& lines, int stringLength, int posParagraph);

} // namespace norvak
