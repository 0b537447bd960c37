#pragma once
// The titles stage of the automatic markup: runs of centred lines that make the document's
// title, and in laws and codes the centred section and chapter headings, become ЗАГ blocks.

#include "core/textcore.h"

#include <string>
#include <vector>

namespace norvak {

// True when the kinds of document hold one exactly equal to "ЗАКОН" or "КОДЕКС"; such
// documents get ЗАГ blocks for their centred section headings too.
bool IsLawDocument(const std::vector<std::string>& kinds);

void RunTitlesStage(LineList& lines, int posParagraph, int stringLength, bool lawDocument);

} // namespace norvak
