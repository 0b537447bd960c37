#pragma once
// The centred-text stage of the automatic markup: centred paragraphs standing between blank
// lines, outside the title and unformatted blocks, become ЦНТ blocks.

#include "core/textcore.h"

#include <string_view>

namespace norvak {

void RunCentredStage(LineList& lines, int posParagraph, int stringLength);

} // namespace norvak
