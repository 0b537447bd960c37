#include "markup/markupdriver.h"

#include "core/literal.h"
#include "core/progress.h"
#include "markup/alignstages.h"
#include "markup/centredstage.h"
#include "markup/framestage.h"
#include "markup/mergestage.h"
#include "markup/titlestage.h"
#include "markup/unformattedstage.h"

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

void RunMarkup(LineList& lines, const MarkupOptions& options, CProgress& progress) {
    // Room for the tag lines of a typical document, so that the list is not moved to a new
    // buffer by the first stage that inserts.
    lines.reserve(lines.size() + lines.size() / 4 + 1024);
    const int posParagraph = options.posParagraph;
    const int stringLength = options.stringLength;
    if (options.question) {
        RunRightAlignedStage(lines, stringLength, options.leftSpaces);
        progress.StepAndPump();
        RunMergeStage(lines);
        progress.Step();
        return;
    }
    RunFramedTablesStage(lines);
    progress.StepAndPump();
    RunRightAlignedStage(lines, stringLength, options.leftSpaces);
    progress.StepAndPump();
    RunLeftAlignedStage(lines, stringLength);
    progress.StepAndPump();
    RunLeftRightStage(lines);
    progress.StepAndPump();
    RunTitlesStage(lines, posParagraph, stringLength, options.law);
    progress.StepAndPump();
    RunUnformattedStage(lines, stringLength);
    progress.StepAndPump();
    RunCentredStage(lines, posParagraph, stringLength);
    progress.StepAndPump();
    progress.StepAndPump();
}

} // namespace norvak
