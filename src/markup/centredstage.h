#pragma once
// The centred-text stage of the automatic markup: centred paragraphs standing between blank
// lines, outside the title and unformatted blocks, become ЦНТ blocks.

#include "core/textcore.h"

#include <string_view>

namespace norvak {

struct DocSettings;

// The centred-line test with the document's layout settings, applied to the line as stored
// (trailing spaces count towards the right margin).
bool IsCentredText(std::string_view line, const DocSettings& settings);

void RunCentredStage(LineList& lines, int posParagraph, int stringLength);

} // namespace norvak
