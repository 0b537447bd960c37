#pragma once
// The automatic markup run: the tag-placement stages in their fixed order over a document's
// lines, with the progress texts the run announces.

#include "core/textcore.h"

#include <string>
#include <vector>

namespace norvak {

class CProgress;

// What the markup run needs of a document and its layout: the opening road fills it from the
// document settings and the requisites.
struct MarkupOptions {
    int posParagraph = 5;  // where a paragraph's first line begins
    int stringLength = 66; // the width of the text
    int leftSpaces = 20;   // the leading spaces of a right-aligned paragraph, at least
    bool question = false; // a question-and-answer document (its kinds hold QuestionDoc)
    bool law = false;      // IsLawDocument of its kinds: section headings get ЗАГ too
};

// The eight texts of an ordinary run, one per step: "Расстановка тегов ТАБ" ... "Расстановка
// тегов".
const std::vector<std::string>& TagProgressTexts();
// The two texts of a question-and-answer run: "Расстановка тегов ПРВ", "Расстановка тегов".
const std::vector<std::string>& QuestionTagProgressTexts();
// Begins progress and adds the eight ordinary texts; used when tags are placed without
// requisites detection (which announces its own texts first).
void AnnounceTagProgress(CProgress& progress);

// Runs the markup over lines in place. A question-and-answer document gets the right-aligned
// stage and merging (two steps); any other the framed-tables, right-aligned, left-aligned,
// left-and-right, titles, unformatted and centred stages (eight steps). Each stage is followed
// by a step and a pump; the question-and-answer run ends with a step alone.
void RunMarkup(LineList& lines, const MarkupOptions& options, CProgress& progress);

} // namespace norvak
