#pragma once
// CQuestionDocAnalyzer: the requisites of an official answer to a question: the kind is the
// QuestionDoc setting, the title is the question paragraph, and bodies, dates and numbers are
// searched in that paragraph.

#include "requisites/docanalyzer.h"

#include <string>

namespace norvak {

// Analyzer of class 2 documents (first line beginning "ВОПРОС").
class CQuestionDocAnalyzer : public CDocAnalyzer {
public:
    // questionDoc (CP1251) becomes the record's kind before any text is read.
    CQuestionDocAnalyzer(const CDocDict& kinds, const COrganDict& organs,
                         const CUpperCaseDict& letterCase, int stringLength, int posParagraph,
                         CProgress& progress, const std::string& questionDoc);

    // Five progress steps.
    CRequisiteRecord Run(const LineList& lines) override;
};

} // namespace norvak
