#pragma once
// The unformatted-blocks stage of the automatic markup: paragraphs whose layout the loader is
// to keep character for character (ruled tables, sums, formulas) become НФТ blocks.

#include "core/textcore.h"

namespace norvak {

void RunUnformattedStage(LineList& lines, int stringLength);

} // namespace norvak
