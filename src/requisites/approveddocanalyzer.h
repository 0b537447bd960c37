#pragma once
// CApprovedDocAnalyzer: the requisites of a document that opens with an approval stamp
// ("УТВЕРЖДЕНО приказом ..."): kinds from the capital heading, the approving body, date and
// number from the stamp, and a title built from both.

#include "requisites/docanalyzer.h"

#include <string>

namespace norvak {

// Analyzer of class 1 documents (first line beginning "УТВЕРЖД").
class CApprovedDocAnalyzer : public CDocAnalyzer {
public:
    CApprovedDocAnalyzer(const CDocDict& kinds, const COrganDict& organs,
                         const CUpperCaseDict& letterCase, int stringLength, int posParagraph,
                         CProgress& progress);

    // Eight progress steps.
    CRequisiteRecord Run(const LineList& lines) override;

    // The heading in double quotes, the participle of the first kind's gender, then each
    // adopting act: body in the instrumental, " от " date, " N " number. Nothing when heading
    // is empty.
    void BuildApprovedTitle(const std::string& heading);

private:
    const CDocDict& m_kindDict;
};

} // namespace norvak
