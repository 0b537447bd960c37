#include "requisites/approveddocanalyzer.h"

#include "core/literal.h"
#include "dictionaries/docdict.h"

#include <algorithm>

namespace norvak {

CApprovedDocAnalyzer::CApprovedDocAnalyzer(const CDocDict& kinds, const COrganDict& organs,
                                           const CUpperCaseDict& letterCase, int stringLength,
                                           int posParagraph, CProgress& progress)
    : CDocAnalyzer(kinds, organs, letterCase, stringLength, posParagraph, progress),
      m_kindDict(kinds) {}

CRequisiteRecord CApprovedDocAnalyzer::Run(const LineList& lines) {
    const LineList& texts = FinderLines(lines);
    const std::string heading = UpperCaseHeading(texts);
    std::string stamp = NormalizeName(FirstParagraph(texts));

    std::string headingCopy = heading;
    FindKinds(headingCopy, 0);
    StepAndPump();
    FindOrgans(stamp, 0);
    StepAndPump();
    FindOrgans(stamp, 1);
    StepAndPump();
    FindAdoptionDates(stamp);
    StepAndPump();
    StepAndPump();
    FindNumbers(stamp);
    StepAndPump();

    CompleteExtended();
    m_record.RemoveDuplicates();
    BuildApprovedTitle(heading);
    StepProgress();
    FindAppendices(lines, heading);
    StepProgress();
    return m_record;
}

void CApprovedDocAnalyzer::BuildApprovedTitle(const std::string& heading) {
    if (heading.empty())
        return;
    std::string s;
    if (heading.front() != '"')
        s += '"';
    s += heading;
    if (heading.back() != '"')
        s += '"';
    if (!m_record.m_kinds.empty())
        s += ApprovedParticiple(m_kindDict.FindGender(m_record.m_kinds.front()));

    const auto& organs = m_record.m_organs;
    const auto& dates = m_record.m_adoptionDates;
    const auto& numbers = m_record.m_numbers;
    const std::size_t n = std::max({organs.size(), dates.size(), numbers.size()});
    for (std::size_t i = 0; i < n; ++i) {
        if (i > 0)
            s += ", ";
        if (i < organs.size()) {
            s.push_back(' ');
            s += OrganInInstrumental(organs[i]);
        }
        if (i < dates.size())
            s.append(" от "_cp).append(FormatDate(dates[i]));
        if (i < numbers.size())
            s += " N " + numbers[i];
    }
    m_record.m_title = s;
}

} // namespace norvak
