#pragma once
// The alignment stages of the automatic markup: right-aligned paragraphs (ПРВ), the
// left-aligned paragraph that follows one (ЛЕВ), and the left-and-right line near the top (ЛИП).

#include "core/textcore.h"

namespace norvak {

// Encloses every paragraph of full-length lines (stringLength, trailing spaces and carriage
// returns not counted) with at least leftSpaces leading spaces, standing at the top of the text
// or after a blank line, in a ПРВ block.
void RunRightAlignedStage(LineList& lines, int stringLength, int leftSpaces);

// Encloses the paragraph that follows a ПРВ block's closing line directly, starts at the left
// margin, consists of lines shorter than stringLength and ends with a blank line, in a ЛЕВ block.
void RunLeftAlignedStage(LineList& lines, int stringLength);

// Encloses the first of the first two lines that carries text at both margins (no leading or
// trailing spaces, its first run of ten spaces at position 4 or later) in a ЛИП block.
void RunLeftRightStage(LineList& lines);

} // namespace norvak
