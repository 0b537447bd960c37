#pragma once
// The merging stage of the question-and-answer markup: blocks of one kind separated only by
// blank lines are joined into one block.

#include "core/textcore.h"

namespace norvak {

// Deletes the closing line of the first block and the opening line of the second wherever a
// block follows one of the same kind (ЗАГ, ЦНТ, ПРВ, ЛЕВ, ЛИП, НФТ, ТАБ, ТТТ) with only blank
// lines between them.
void RunMergeStage(LineList& lines);

} // namespace norvak
