#include "requisites/questiondocanalyzer.h"

#include "core/literal.h"

namespace norvak {

CQuestionDocAnalyzer::CQuestionDocAnalyzer(const CDocDict& kinds, const COrganDict& organs,
                                           const CUpperCaseDict& letterCase, int stringLength,
                                           int posParagraph, CProgress& progress,
                                           const std::string& questionDoc)
    : CDocAnalyzer(kinds, organs, letterCase, stringLength, posParagraph, progress) {
    m_record.m_kinds.push_back(questionDoc);
}

CRequisiteRecord CQuestionDocAnalyzer::Run(const LineList& all) {
    const LineList& lines = FinderLines(all);
    // The question paragraph: from the first line holding the label to the next blank line.
    std::string question = " ";
    std::size_t i = 0;
    while (i < lines.size() && lines[i].find("Вопрос:"_cp) == std::string::npos)
        ++i;
    for (; i < lines.size() && !IsBlankLine(lines[i]); ++i)
        question.append(" ").append(lines[i]);
    question += " ";

    const std::size_t answer = question.find("Ответ"_cp);
    m_record.m_title = answer == std::string::npos ? question : question.substr(0, answer);
    StepProgress();

    std::string text = NormalizeName(question);
    FindOrgans(text, 0);
    StepAndPump();
    FindOrgans(text, 1);
    StepAndPump();
    FindAdoptionDates(text);
    StepAndPump();
    FindNumbers(text);
    StepAndPump();
    CompleteExtended();
    return m_record;
}

} // namespace norvak
