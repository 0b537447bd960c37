#include "markup/markupdriver.h"

#include "core/literal.h"
#include "core/progress.h"
#include "document/settings.h"
#include "markup/alignstages.h"
#include "markup/centredstage.h"
#include "markup/framestage.h"
#include "markup/mergestage.h"
#include "markup/titlestage.h"
#include "markup/unformattedstage.h"
#include "requisites/requisiterecord.h"

#include <iterator>
#include <string_view>

namespace norvak {

const std::vector<std::string>& TagProgressTexts() {
    // Built from string_views: clang 14 crashes on a braced list of strings made from _cp
    // literals in a static's initializer.
    static constexpr std::string_view kTexts[] = {
        "Расстановка тегов ТАБ"_cp, "Расстановка тегов ПРВ"_cp, "Расстановка тегов ЛЕВ"_cp,
        "Расстановка тегов ЛИП"_cp, "Расстановка тегов ЗАГ"_cp, "Расстановка тегов НФТ"_cp,
        "Расстановка тегов ЦНТ"_cp, "Расстановка тегов"_cp};
    static const std::vector<std::string> texts(std::begin(kTexts), std::end(kTexts));
    return texts;
}

const std::vector<std::string>& QuestionTagProgressTexts() {
    static constexpr std::string_view kTexts[] = {"Расстановка тегов ПРВ"_cp,
                                                  "Расстановка тегов"_cp};
    static const std::vector<std::string> texts(std::begin(kTexts), std::end(kTexts));
    return texts;
}

void AnnounceTagProgress(CProgress& progress) {
    progress.Begin();
    progress.AddTexts(TagProgressTexts());
}

bool IsQuestionDocument(const DocSettings& settings, const CRequisiteRecord& record) {
    for (const std::string& kind : record.m_kinds)
        if (kind == settings.m_questionDoc)
            return true;
    return false;
}

void RunMarkup(LineList& lines, const DocSettings& settings, const CRequisiteRecord& record,
               CProgress& progress) {
    // Room for the tag lines of a typical document, so that the list is not moved to a new
    // buffer by the first stage that inserts.
    lines.reserve(lines.size() + lines.size() / 4 + 1024);
    // Values outside their ranges reach here only from code that skipped the checks of the
    // settings; the stages get the defaults instead.
    DocSettings sane = settings;
    sane.Sanitize();
    const int posParagraph = sane.m_posParagraph;
    const int stringLength = sane.m_stringLength;
    const int leftSpaces = sane.m_leftSpaces;
    if (IsQuestionDocument(settings, record)) {
        RunRightAlignedStage(lines, stringLength, leftSpaces);
        progress.StepAndPump();
        RunMergeStage(lines);
        progress.Step();
        return;
    }
    RunFramedTablesStage(lines);
    progress.StepAndPump();
    RunRightAlignedStage(lines, stringLength, leftSpaces);
    progress.StepAndPump();
    RunLeftAlignedStage(lines, stringLength);
    progress.StepAndPump();
    RunLeftRightStage(lines);
    progress.StepAndPump();
    RunTitlesStage(lines, posParagraph, stringLength, IsLawDocument(record.m_kinds));
    progress.StepAndPump();
    RunUnformattedStage(lines, stringLength);
    progress.StepAndPump();
    RunCentredStage(lines, posParagraph, stringLength);
    progress.StepAndPump();
    progress.StepAndPump();
}

} // namespace norvak
