#include "document/docclassing.h"

#include "core/literal.h"
#include "core/progress.h"
#include "dictionaries/servicedata.h"
#include "document/settings.h"
#include "markup/markupdriver.h"
#include "requisites/approveddocanalyzer.h"
#include "requisites/ordinarydocanalyzer.h"
#include "requisites/questiondocanalyzer.h"

namespace norvak {

namespace {

std::vector<std::string> Texts(std::initializer_list<std::string_view> texts) {
    return {texts.begin(), texts.end()};
}

} // namespace

std::vector<std::string> ClassProgressTexts(DocClass docClass, bool createTags) {
    const std::string_view kinds = "Определение видов документов"_cp;
    const std::string_view organs = "Определение принявших органов"_cp;
    const std::string_view dates = "Определение дат принятия"_cp;
    const std::string_view numbers = "Определение номеров документов"_cp;
    const std::string_view title = "Создание названия документа"_cp;
    const std::string_view appendices = "Обработка приложений"_cp;

    std::vector<std::string> texts;
    switch (docClass) {
    case DocClassApproved:
        texts = Texts({kinds, organs, organs, dates, dates, numbers, title, appendices});
        break;
    case DocClassQuestion:
        texts = Texts({"Определение реквизитов"_cp, organs, organs, dates, dates});
        break;
    default:
        texts = Texts({kinds, kinds, organs, organs, dates, dates, title, appendices});
        break;
    }
    if (createTags) {
        const auto& tags =
            docClass == DocClassQuestion ? QuestionTagProgressTexts() : TagProgressTexts();
        texts.insert(texts.end(), tags.begin(), tags.end());
    }
    return texts;
}

void AnnounceClassProgress(CProgress& progress, DocClass docClass, bool createTags) {
    progress.Begin();
    progress.AddTexts(ClassProgressTexts(docClass, createTags));
}

std::unique_ptr<CDocAnalyzer> CreateAnalyzer(DocClass docClass, const CServiceData& dictionaries,
                                             const DocSettings& settings, CProgress& progress,
                                             COperator& op) {
    const CDocDict& kinds = dictionaries.DocDict();
    const COrganDict& organs = dictionaries.OrganDict();
    const CUpperCaseDict& letterCase = dictionaries.UpperCaseDict();
    const int length = settings.stringLength;
    const int paragraph = settings.posParagraph;
    switch (docClass) {
    case DocClassApproved:
        return std::make_unique<CApprovedDocAnalyzer>(kinds, organs, letterCase, length, paragraph,
                                                      progress);
    case DocClassQuestion:
        return std::make_unique<CQuestionDocAnalyzer>(kinds, organs, letterCase, length, paragraph,
                                                      progress, settings.questionDoc);
    default:
        return std::make_unique<COrdinaryDocAnalyzer>(kinds, organs, letterCase, length, paragraph,
                                                      progress, op);
    }
}

PreparedDetection PrepareRequisitesDetection(const LineList& lines, CServiceData& dictionaries,
                                             const DocSettings& settings, CProgress& progress,
                                             COperator& op) {
    dictionaries.DocDict().SortByWordCount();
    dictionaries.OrganDict().SortByWordCount();
    PreparedDetection prepared;
    if (settings.extendedRecvisits) {
        prepared.extension = std::make_unique<CExtendedDetection>(settings.posParagraph);
        prepared.docClass = ClassifyDocument(prepared.extension->Prepare(lines));
    } else {
        prepared.docClass = ClassifyDocument(lines);
    }
    AnnounceClassProgress(progress, prepared.docClass, settings.createTags != 0);
    prepared.analyzer = CreateAnalyzer(prepared.docClass, dictionaries, settings, progress, op);
    prepared.analyzer->SetExtension(prepared.extension.get());
    return prepared;
}

} // namespace norvak
