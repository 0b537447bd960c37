#pragma once
// COrdinaryDocAnalyzer: the requisites of an ordinary document, found in its heading (body,
// kind, date and number lines above the title), and the title composed from them and from the
// document's own capital-letter title.

#include "requisites/docanalyzer.h"

#include <optional>
#include <string>

namespace norvak {

class COperator;

// Analyzer of class 0 documents.
class COrdinaryDocAnalyzer : public CDocAnalyzer {
public:
    COrdinaryDocAnalyzer(const CDocDict& kinds, const COrganDict& organs,
                         const CUpperCaseDict& letterCase, int stringLength, int posParagraph,
                         CProgress& progress, COperator& op);

    // Eight progress steps. A first kind ПИСЬМО asks the operator once whether it goes in
    // angle brackets.
    CRequisiteRecord Run(const LineList& lines) override;

    // The lines above the first body-text line (a dated, numbered line underlined by dashes
    // belongs to the heading), up to an amendment or repeal title. Returns the heading
    // normalised and padded with a space at both ends; RawHeading() keeps it as collected.
    std::string CollectHeading(const LineList& lines);
    // The capital-letter paragraph closest above the first body-text line; empty when there
    // is none.
    std::string FindOwnTitle(const LineList& lines) const;
    // Sets the title from the first kind, the bodies (genitive), dates and numbers and the own
    // title on a second line ("<>" when it is empty).
    void ComposeTitle(const std::string& own);

    const std::string& RawHeading() const { return m_rawHeading; }
    // Whether a line is body text: longer than PosParagraph, no space at PosParagraph, and not
    // all capitals.
    bool IsBodyTextLine(const std::string& line) const;

private:
    const CDocDict& m_kindDict;
    COperator& m_operator;
    std::string m_rawHeading;
    std::optional<bool> m_letterInBrackets; // the operator's answer, asked once per run
};

} // namespace norvak
