// The three analyzers (approved, ordinary, question and answer) and document classing.

#include "analyzerfixture.h"
#include "core/operatorio.h"
#include "core/progress.h"
#include "document/docclassing.h"
#include "document/settings.h"
#include "requisites/approveddocanalyzer.h"
#include "requisites/ordinarydocanalyzer.h"
#include "requisites/questiondocanalyzer.h"

#include <gtest/gtest.h>

namespace norvak::test {
namespace {

class Analyzers : public ::testing::Test {
protected:
    void SetUp() override { FillRealisticDictionaries(m_sd); }
    CApprovedDocAnalyzer Approved() {
        return {m_sd.DocDict(), m_sd.OrganDict(), m_sd.UpperCaseDict(), 66, 5, m_progress};
    }
    COrdinaryDocAnalyzer Ordinary() {
        return {m_sd.DocDict(), m_sd.OrganDict(), m_sd.UpperCaseDict(), 66, 5, m_progress, m_op};
    }
    CServiceData m_sd;
    CRecordingProgress m_progress;
    CScriptedOperator m_op{Answer::No};
};

CDateValue Found(int y, int m, int d) {
    return CDateValue(y, m, d, 1, 1, 1);
}

// ---- BuildApprovedTitle --------------------------------------------------------------------

// Puts a case's kinds, bodies, adoption dates and numbers into the record.
template <class Case> void FillRequisites(CRequisiteRecord& r, const Case& c) {
    for (const auto& k : c.kinds)
        r.m_kinds.push_back(W(k));
    for (const auto& o : c.organs)
        r.m_organs.push_back(W(o));
    r.m_adoptionDates = c.dates;
    for (const auto& n : c.numbers)
        r.m_numbers.push_back(W(n));
}

TEST_F(Analyzers, BuildApprovedTitle) {
    struct Case {
        const char* name;
        const char* heading;
        std::vector<std::string> kinds, organs;
        std::vector<CDateValue> dates;
        std::vector<std::string> numbers;
        const char* title;
    };
    const std::string finance = "МИНИСТЕРСТВО ФИНАНСОВ РОССИЙСКОЙ ФЕДЕРАЦИИ";
    const std::vector<Case> cases = {
        {"nominal: neuter kind, one body and one date; two spaces after the participle",
         "ПОЛОЖЕНИЕ О ПОРЯДКЕ",
         {"ПОЛОЖЕНИЕ"},
         {finance},
         {Found(2002, 12, 1)},
         {},
         "\"ПОЛОЖЕНИЕ О ПОРЯДКЕ\" утверждённое  Министерством финансов Российской Федерации от "
         "01.12.2002"},
        {"nominal: two bodies and one number; the number goes with the first",
         "ИНСТРУКЦИЯ",
         {"ИНСТРУКЦИЯ"},
         {finance, "ПРАВИТЕЛЬСТВО РОССИЙСКОЙ ФЕДЕРАЦИИ"},
         {},
         {"5"},
         "\"ИНСТРУКЦИЯ\" утверждённая  Министерством финансов Российской Федерации N 5,  "
         "Правительством Российской Федерации"},
        {"nominal: masculine kind",
         "ПОРЯДОК",
         {"ПОРЯДОК"},
         {},
         {},
         {"1"},
         "\"ПОРЯДОК\" утверждённый  N 1"},
        {"nominal: a kind not in the dictionary reads as masculine",
         "X",
         {"ПЕРЕЧЕНЬ"},
         {},
         {},
         {},
         "\"X\" утверждённый "},
        {"nominal: no kinds, no participle; quotes already there are kept",
         "\"ПОРЯДОК\"",
         {},
         {},
         {},
         {},
         "\"ПОРЯДОК\""},
        {"robustness: empty heading leaves the title", "", {"ПОЛОЖЕНИЕ"}, {}, {}, {}, "прежнее"},
    };
    for (const auto& c : cases) {
        auto a = Approved();
        FillRequisites(a.Record(), c);
        a.Record().m_title = W("прежнее");
        a.BuildApprovedTitle(W(c.heading));
        EXPECT_EQ(U(a.Record().m_title), c.title) << c.name;
    }
}

TEST_F(Analyzers, ApprovedRunAdvancesEightSteps) {
    auto a = Approved();
    const CRequisiteRecord r =
        a.Run(Lines({"УТВЕРЖДЕНО", "приказом Минфина России", "от 1 декабря 2002 г. N 123", "",
                     "ПОРЯДОК", "УЧЕТА", "", "Текст."}));
    EXPECT_EQ(m_progress.Steps(), 8);
    EXPECT_EQ(m_progress.Pumps(), 6);
    EXPECT_EQ(U(r.m_organs),
              std::vector<std::string>{"МИНИСТЕРСТВО ФИНАНСОВ РОССИЙСКОЙ ФЕДЕРАЦИИ"});
    EXPECT_EQ(U(r.m_title), "\"ПОРЯДОК УЧЕТА\" утверждённый  Министерством финансов Российской "
                            "Федерации от 01.12.2002 N 123");
}

// ---- CollectHeading and FindOwnTitle --------------------------------------------------------

TEST_F(Analyzers, CollectHeading) {
    struct Case {
        const char* name;
        LineList lines;
        const char* heading;
    };
    const std::string dashes17(17, '-');
    const std::vector<Case> cases = {
        {"nominal: stops at the first body-text line",
         Lines({"  ПРИКАЗ", "      от 1 мая 2003 г.", "     Текст приказа."}),
         " ПРИКАЗ ОТ 1 МАЯ 2003 Г. "},
        {"nominal: an amendment title ends the heading and is not taken",
         Lines({"  ПОСТАНОВЛЕНИЕ N 5", "  О внесении изменений в приказ N 7", "  ЕЩЕ"}),
         " ПОСТАНОВЛЕНИЕ N 5 "},
        {"nominal: a line of 17 dashes is passed over",
         {W("  ПРИКАЗ"), dashes17 + "x", W("  N 5")},
         " ПРИКАЗ N 5 "},
        {"nominal: a dated numbered line underlined by dashes belongs to the heading",
         {W("     от 1 мая 2003 года N 5"), std::string(16, '-'), W("     Текст.")},
         " ОТ 1 МАЯ 2003 ГОДА N 5 ---------------- "},
        {"robustness: a body-text line at the start gives an empty heading",
         Lines({"     Текст.", "  ПРИКАЗ"}), "  "},
        {"robustness: no lines", {}, "  "},
    };
    for (const auto& c : cases) {
        auto a = Ordinary();
        EXPECT_EQ(U(a.CollectHeading(c.lines)), c.heading) << c.name;
    }
}

TEST_F(Analyzers, FindOwnTitle) {
    struct Case {
        const char* name;
        LineList lines;
        const char* own;
    };
    const std::vector<Case> cases = {
        {"nominal: the capital paragraph above the body",
         Lines({"  ПРАВИТЕЛЬСТВО", "", "  О ПОРЯДКЕ", "  УЧЕТА", "", "     Текст."}),
         "О ПОРЯДКЕ УЧЕТА"},
        {"robustness: body text on the first line gives no own title",
         Lines({"     Текст.", "", "  О ПОРЯДКЕ"}), ""},
        {"nominal: a paragraph beginning \" от \" gives no own title",
         Lines({"  ПРИКАЗ", "", "от 12 мая", "", "     Текст."}), ""},
        {"nominal: a mixed-case paragraph that reaches the first line gives no own title",
         Lines({"      Приказ", "      о порядке", "", "     Текст."}), ""},
        {"decision: when the walk stands on the first line it collects and tests it",
         Lines({"      ЗАГОЛОВОК", "", "      Подзаголовок", "", "     Текст."}), "ЗАГОЛОВОК"},
        {"quirk: the line above a bounding blank is skipped when the walk goes on",
         Lines({"      ПЕРВЫЙ", "      ВТОРОЙ", "", "      Строчная", "", "     Текст."}),
         "ПЕРВЫЙ"},
        {"nominal: no body-text line", Lines({"  ПРИКАЗ", "", "  УЧЕТА"}), ""},
    };
    for (const auto& c : cases) {
        auto a = Ordinary();
        EXPECT_EQ(U(a.FindOwnTitle(c.lines)), c.own) << c.name;
    }
}

// ---- ComposeTitle ----------------------------------------------------------------------------

TEST_F(Analyzers, ComposeTitle) {
    struct Case {
        const char* name;
        std::vector<std::string> kinds, organs;
        std::vector<CDateValue> dates;
        std::vector<std::string> numbers;
        const char* own;
        const char* title;
    };
    const std::vector<Case> cases = {
        {"nominal: kind, body in the genitive, date, number, own title on the second line",
         {"ПОСТАНОВЛЕНИЕ"},
         {"ПРАВИТЕЛЬСТВО РОССИЙСКОЙ ФЕДЕРАЦИИ"},
         {Found(2004, 2, 12)},
         {"75"},
         "О ПОРЯДКЕ",
         "ПОСТАНОВЛЕНИЕ Правительства Российской Федерации от 12.02.2004 N 75 \n\"О ПОРЯДКЕ\""},
        {"nominal: a quoted kind holds the own title and leaves out the bodies",
         {"ПОЛОЖЕНИЕ"},
         {"ПРАВИТЕЛЬСТВО РОССИЙСКОЙ ФЕДЕРАЦИИ"},
         {Found(2004, 2, 12), Found(2004, 3, 1)},
         {"7"},
         "О ПОРЯДКЕ",
         "\"ПОЛОЖЕНИЕ О ПОРЯДКЕ\" от 12.02.2004 N 7,  от 01.03.2004"},
        {"nominal: an empty own title is written as <>",
         {"ПРИКАЗ"},
         {},
         {},
         {"1"},
         "",
         "ПРИКАЗ N 1 \n<>"},
        {"nominal: nothing at all gives an empty title", {}, {}, {}, {}, "", ""},
        {"nominal: no kind, own title only, quotes kept",
         {},
         {},
         {},
         {},
         "\"О ЧЕМ-ТО\"",
         "\"О ЧЕМ-ТО\""},
    };
    for (const auto& c : cases) {
        auto a = Ordinary();
        FillRequisites(a.Record(), c);
        a.ComposeTitle(W(c.own));
        EXPECT_EQ(U(a.Record().m_title), c.title) << c.name;
    }
}

TEST_F(Analyzers, LetterAsksOnceAndYesPutsTheKindInAngleBrackets) {
    m_op.SetAnswer(Answer::Yes);
    auto a = Ordinary();
    const CRequisiteRecord r =
        a.Run(Lines({"  МИНФИН РОССИИ", "", "  ПИСЬМО", "", "      от 5 мая 2003 г. N 16-00", "",
                     "  О НАЛОГЕ", "", "     Текст письма."}));
    a.ComposeTitle(W("ЕЩЕ РАЗ"));
    ASSERT_EQ(m_op.Questions().size(), 1u);
    EXPECT_EQ(U(m_op.Questions()[0]), "Поместить выд документа \"ПИСЬМО\" в кавычки?");
    EXPECT_EQ(U(r.m_title), "<ПИСЬМО> Министерства финансов Российской Федерации от 05.05.2003 N "
                            "16-00 \n\"О НАЛОГЕ\"");
    EXPECT_EQ(m_progress.Steps(), 8);
    EXPECT_EQ(m_progress.Pumps(), 6);
}

TEST_F(Analyzers, LetterAnsweredNoKeepsThePlainKind) {
    auto a = Ordinary();
    const CRequisiteRecord r = a.Run(Lines({"  ПИСЬМО", "", "  О НАЛОГЕ", "", "     Текст."}));
    EXPECT_EQ(U(r.m_title), "ПИСЬМО \n\"О НАЛОГЕ\"");
}

TEST_F(Analyzers, AmendmentTitleKeepsItsKindsAndNumbersOut) {
    auto a = Ordinary();
    const CRequisiteRecord r =
        a.Run(Lines({"  ПРАВИТЕЛЬСТВО РОССИЙСКОЙ ФЕДЕРАЦИИ", "", "  ПОСТАНОВЛЕНИЕ",
                     "      от 1 июля 2003 г. N 400", "", "  О ВНЕСЕНИИ ИЗМЕНЕНИЙ В ПРИКАЗ N 17",
                     "", "     Правительство постановляет:"}));
    EXPECT_EQ(U(r.m_kinds), std::vector<std::string>{"ПОСТАНОВЛЕНИЕ"});
    EXPECT_EQ(U(r.m_numbers), std::vector<std::string>{"400"});
}

// ---- CQuestionDocAnalyzer ------------------------------------------------------------------

TEST_F(Analyzers, QuestionAnalyzer) {
    struct Case {
        const char* name;
        LineList lines;
        const char* title;
        std::vector<std::string> organs;
    };
    const std::vector<Case> cases = {
        {"nominal: three question lines then a blank line",
         Lines({"ВОПРОС-ОТВЕТ", "Вопрос: как учесть", "расходы по письму",
                "Минфина России по налогу?", "", "Ответ: так."}),
         "  Вопрос: как учесть расходы по письму Минфина России по налогу? ",
         {"МИНИСТЕРСТВО ФИНАНСОВ РОССИЙСКОЙ ФЕДЕРАЦИИ"}},
        {"nominal: Ответ inside the paragraph cuts the title, bodies are searched in all of it",
         Lines({"Вопрос: можно ли?", "Ответ: можно, см. письмо Минфина России"}),
         "  Вопрос: можно ли? ",
         {"МИНИСТЕРСТВО ФИНАНСОВ РОССИЙСКОЙ ФЕДЕРАЦИИ"}},
        {"robustness: no label gives a title of two spaces",
         Lines({"ВОПРОС", "", "Текст"}),
         "  ",
         {}},
        {"robustness: the label in lower case does not start the paragraph",
         Lines({"вопрос: Минфина России"}),
         "  ",
         {}},
    };
    for (const auto& c : cases) {
        CRecordingProgress progress;
        CQuestionDocAnalyzer a(m_sd.DocDict(), m_sd.OrganDict(), m_sd.UpperCaseDict(), 66, 5,
                               progress, W("ВОПРОС-ОТВЕТ"));
        const CRequisiteRecord r = a.Run(c.lines);
        EXPECT_EQ(U(r.m_title), c.title) << c.name;
        EXPECT_EQ(U(r.m_organs), c.organs) << c.name;
        EXPECT_EQ(U(r.m_kinds), std::vector<std::string>{"ВОПРОС-ОТВЕТ"}) << c.name;
        EXPECT_EQ(progress.Steps(), 5) << c.name;
        EXPECT_EQ(progress.Pumps(), 4) << c.name;
    }
}

// ---- classing ------------------------------------------------------------------------------

TEST(DocClassing, ClassByTheFirstNonBlankLine) {
    struct Case {
        const char* name;
        LineList lines;
        int docClass;
    };
    const std::vector<Case> cases = {
        {"nominal: вопрос in lower case after spaces", Lines({"", "   вопрос: как?"}), 2},
        {"nominal: УТВЕРЖДЕНО", Lines({"                 УТВЕРЖДЕНО"}), 1},
        {"nominal: УТВЕРЖДАЮ", Lines({"\t\r УТВЕРЖДАЮ"}), 1},
        {"nominal: anything else", Lines({"ПРИКАЗ"}), 0},
        {"robustness: empty list", {}, 0},
        {"robustness: blank lines only", Lines({"", "   ", "\t\v"}), 0},
        {"nominal: question before approval", Lines({"ВОПРОС УТВЕРЖДЕН"}), 2},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ClassifyDocument(c.lines), c.docClass) << c.name;
}

TEST(DocClassing, ProgressTexts) {
    EXPECT_EQ(ClassProgressTexts(DocClassOrdinary, true).size(), 16u);
    EXPECT_EQ(ClassProgressTexts(DocClassOrdinary, false).size(), 8u);
    EXPECT_EQ(ClassProgressTexts(DocClassApproved, true).size(), 16u);
    const auto question = U(ClassProgressTexts(DocClassQuestion, true));
    EXPECT_EQ(question,
              (std::vector<std::string>{"Определение реквизитов", "Определение принявших органов",
                                        "Определение принявших органов", "Определение дат принятия",
                                        "Определение дат принятия", "Расстановка тегов ПРВ",
                                        "Расстановка тегов"}));
    const auto ordinary = U(ClassProgressTexts(DocClassOrdinary, true));
    EXPECT_EQ(ordinary[0], "Определение видов документов");
    EXPECT_EQ(ordinary[7], "Обработка приложений");
    EXPECT_EQ(ordinary[8], "Расстановка тегов ТАБ");
    EXPECT_EQ(ordinary[15], "Расстановка тегов");
    EXPECT_EQ(U(ClassProgressTexts(DocClassApproved, false))[5], "Определение номеров документов");
}

TEST(DocClassing, PreparationSortsKindsThenBodiesAndCreatesTheClassAnalyzer) {
    CServiceData sd;
    AddKind(sd, "ФЕДЕРАЛЬНЫЙ ЗАКОН", "ФЕДЕРАЛЬНЫМ ЗАКОНОМ", 0);
    AddKind(sd, "ЗАКОН", "ЗАКОНОМ", 0);
    AddOrgan(sd, "СОВЕТ ФЕДЕРАЦИИ", "СОВЕТА ФЕДЕРАЦИИ", "СОВЕТОМ ФЕДЕРАЦИИ", "Совет Федерации");
    AddOrgan(sd, "СЕНАТ", "СЕНАТА", "СЕНАТОМ", "Сенат");
    DocSettings settings;
    settings.createTags = 0;
    CRecordingProgress progress;
    CScriptedOperator op;
    auto prepared = PrepareRequisitesDetection(Lines({"УТВЕРЖДЕНО"}), sd, settings, progress, op);
    EXPECT_EQ(prepared.docClass, 1);
    EXPECT_NE(dynamic_cast<CApprovedDocAnalyzer*>(prepared.analyzer.get()), nullptr);
    EXPECT_EQ(U(sd.DocDict().GetAt(0).Name()), "ЗАКОН");
    EXPECT_EQ(U(sd.OrganDict().GetAt(0).Name()), "СЕНАТ");
    EXPECT_EQ(progress.Begins(), 1);
    EXPECT_EQ(progress.Texts().size(), 8u);

    settings.questionDoc = W("ОТВЕТ НА ВОПРОС");
    auto question = CreateAnalyzer(DocClassQuestion, sd, settings, progress, op);
    EXPECT_EQ(U(question->Run({}).m_kinds), std::vector<std::string>{"ОТВЕТ НА ВОПРОС"});
    EXPECT_NE(dynamic_cast<COrdinaryDocAnalyzer*>(
                  CreateAnalyzer(DocClassOrdinary, sd, settings, progress, op).get()),
              nullptr);
}

} // namespace
} // namespace norvak::test
