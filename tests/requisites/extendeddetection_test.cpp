// The extended requisites detection: the lines it leaves out of the finders' texts, the
// registration and signature-block values with their evidence, and how the analyzers use it.

#include "analyzerfixture.h"
#include "core/operatorio.h"
#include "core/progress.h"
#include "document/docclassing.h"
#include "document/settings.h"
#include "requisites/approveddocanalyzer.h"
#include "requisites/extendeddetection.h"
#include "requisites/ordinarydocanalyzer.h"
#include "requisites/questiondocanalyzer.h"

#include <gtest/gtest.h>

namespace norvak::test {
namespace {

std::string C(const std::string& utf8, int width = 66) { // centred
    const std::string s = W(utf8);
    return std::string((static_cast<std::size_t>(width) - s.size()) / 2, ' ') + s;
}

std::vector<std::size_t> LeftOut(const CExtendedDetection& x, std::size_t count) {
    std::vector<std::size_t> out;
    for (std::size_t i = 0; i < count; ++i)
        if (x.IsLeftOut(i))
            out.push_back(i);
    return out;
}

// ---- FindDateIn ----------------------------------------------------------------------------

// The rules' numbers, as the case tables write them.
std::vector<int> RuleNumbers(const std::vector<ExtendedRule>& rules) {
    return {rules.begin(), rules.end()};
}

TEST(FindDateIn, WordsAndDigits) {
    struct Case {
        const char* name;
        const char* text;
        const char* date; // "" when none
    };
    const std::vector<Case> cases = {
        {"nominal: words", "Зарегистрировано 21 февраля 2019 г. N 53863", "21.02.2019"},
        {"nominal: digits", "в Минюсте РФ 01.02.2010 N 16190", "01.02.2010"},
        {"nominal: any letter case", "23 НОЯБРЯ 2009 ГОДА", "23.11.2009"},
        {"nominal: day in quotes", "\"5\" марта 2019 г.", "05.03.2019"},
        {"nominal: years after 2020", "4 августа 2023 года", "04.08.2023"},
        {"robustness: no such day", "31 февраля 2019 года", ""},
        {"robustness: three-digit day", "121.02.2019", ""},
        {"robustness: month without a year", "21 февраля, а также", ""},
        {"robustness: a year alone", "в 2019 году", ""},
        {"robustness: empty", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto found = FindDateIn(W(c.text));
        EXPECT_EQ(found ? FormatDate(found->date) : std::string(), c.date);
    }
}

// ---- the pre-pass ----------------------------------------------------------------------------

TEST(ExtendedDetection, LinesLeftOutOfTheFindersTexts) {
    struct Case {
        const char* name;
        LineList lines;
        std::vector<std::size_t> leftOut;
        std::vector<int> rules;
    };
    const std::vector<Case> cases = {
        {"nominal: centred note of two lines under a title",
         {C("ПОСТАНОВЛЕНИЕ"), C("ОБ УТВЕРЖДЕНИИ ПОЛОЖЕНИЯ"), "",
          C("(в ред. Постановлений Правительства РФ от 17.02.2014 N 112,"),
          C("от 29.12.2016 N 1544)"), "", W("     В соответствии с законом")},
         {3, 4},
         {1}},
        {"nominal: note right under a capital title line",
         {C("ОБ УТВЕРЖДЕНИИ ПОЛОЖЕНИЯ"), C("(ред. от 28.09.2018)"), W("     Текст.")},
         {1},
         {1}},
        {"nominal: capitals and the other openings",
         {C("(В РЕДАКЦИИ ФЕДЕРАЛЬНОГО ЗАКОНА"), C("от 31.12.1997 N 3-ФКЗ)"), "",
          C("(с изм. от 01.02.2003)"), W("     Текст.")},
         {0, 1, 3},
         {1}},
        {"nominal: flush-left note ends collection no more",
         {C("ЗАКОН"), "", W("(В редакции федеральных законов от 30.06.2003 г. N 86-ФЗ;"),
          W("  от 22.08.2004 г. N 122-ФЗ)"), "", W("     Текст закона.")},
         {2, 3},
         {1}},
        {"nominal: registration on one line",
         {W("Зарегистрировано в Минюсте России 21 февраля 2019 г. N 53863"), "", C("ПРИКАЗ")},
         {0},
         {2}},
        {"nominal: registration over two lines",
         {W("Зарегистрировано в Министерстве юстиции Российской Федерации"),
          W("5 марта 2019 г. N 53940"), "", C("ПРИКАЗ")},
         {0, 1},
         {2}},
        {"nominal: chamber marks on single lines",
         {C("ФЕДЕРАЛЬНЫЙ ЗАКОН"), W("     Принят Государственной Думой    18 октября 1995 года"),
          W("          Одобрен Советом Федерации 26 декабря 2001 года"), W("     Текст.")},
         {1, 2},
         {3}},
        {"nominal: chamber marks as right-aligned blocks",
         {C("ФЕДЕРАЛЬНЫЙ ЗАКОН"), "", RightAligned("Принят"), RightAligned("Государственной Думой"),
          RightAligned("11 ноября 2009 года"), "", RightAligned("Одобрен"),
          RightAligned("Советом Федерации"), RightAligned("18 ноября 2009 года"), "",
          W("     Текст.")},
         {2, 3, 4, 6, 7, 8},
         {3}},
        {"near miss: note inside a sentence",
         {C("ПОСТАНОВЛЕНИЕ"), W("     Утвердить правила (в ред. от 01.02.2003) в целом.")},
         {},
         {}},
        {"near miss: a line that goes on a sentence",
         {C("ПОСТАНОВЛЕНИЕ"), W("     Утвердить прилагаемые правила, применяемые"),
          W("(в ред. настоящего постановления) с 1 сентября 2012 года.")},
         {},
         {}},
        {"near miss: note in the body",
         {C("ПОСТАНОВЛЕНИЕ"), W("     Первый абзац текста."),
          W("(в ред. Постановления Правительства РФ от 17.02.2014 N 112)")},
         {},
         {}},
        {"near miss: registration deep in the body",
         {C("ПОСТАНОВЛЕНИЕ"), W("     Первый абзац текста."),
          W("Зарегистрировано в Минюсте России 1 июня 2011 г. N 20900")},
         {},
         {}},
        {"near miss: registration without a number",
         {W("Зарегистрировано в Минюсте России 21 февраля 2019 г."), C("ПРИКАЗ")},
         {},
         {}},
        {"near miss: registered somewhere else",
         {W("Зарегистрировано в Росреестре 21 февраля 2019 г. N 5"), C("ПРИКАЗ")},
         {},
         {}},
        {"near miss: adopted by another body",
         {C("ЗАКОН"), W("          Принят Верховным Советом 18 октября 1991 года")},
         {},
         {}},
        {"robustness: unclosed note ends with its paragraph",
         {C("ЗАКОН"), "", C("(в ред. закона от 01.02.2003 N 5"), C("от 02.03.2004 N 6"), "",
          C("ГЛАВНЫЙ ЗАГОЛОВОК")},
         {2, 3},
         {1}},
        {"robustness: no lines", {}, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CExtendedDetection x(5);
        const LineList& view = x.Prepare(c.lines);
        EXPECT_EQ(LeftOut(x, c.lines.size()), c.leftOut);
        EXPECT_EQ(RuleNumbers(x.FiredRules()), c.rules);
        EXPECT_EQ(view.size(), c.lines.size() - c.leftOut.size());
    }
}

TEST(ExtendedDetection, NoteClosedMidLineLeavesTheRestOfTheLine) {
    CExtendedDetection x(5);
    const LineList lines = {C("ПРИКАЗ"), W("     (в ред. от 01.02.2003) ОБ УТВЕРЖДЕНИИ")};
    const LineList& view = x.Prepare(lines);
    ASSERT_EQ(view.size(), 2u);
    EXPECT_FALSE(x.IsLeftOut(1));
    EXPECT_EQ(NormalizeName(view[1]), W("ОБ УТВЕРЖДЕНИИ"));
    EXPECT_EQ(view[1].size(), lines[1].size()) << "positions stay where they were";
}

TEST(ExtendedDetection, HeadingEndIsSetOnlyWhenALineWasLeftOut) {
    CExtendedDetection x(5);
    x.Prepare({C("ПОСТАНОВЛЕНИЕ"), C("Раздел I"), W("     Текст.")});
    EXPECT_EQ(x.HeadingEnd(), std::string::npos);
    x.Prepare({C("КОДЕКС"), "", W("(В редакции закона от 01.02.2003 N 5)"), "", C("Раздел I"),
               C("Глава 1(Утратила силу)")});
    EXPECT_EQ(x.HeadingEnd(), 3u) << "the view's index of the first title of a part";
}

// A note closes within 60 lines or is no note; one line more and it is text.
TEST(ExtendedDetection, NoteRunsSixtyLinesAtMost) {
    struct Case {
        const char* name;
        std::size_t length;
        bool leftOut;
    };
    const Case cases[] = {
        {"edge: closed on its sixtieth line", 60, true},
        {"edge: closed on its sixty-first line", 61, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LineList lines = {C("ПОСТАНОВЛЕНИЕ"), C("ОБ УТВЕРЖДЕНИИ ПОЛОЖЕНИЯ"), "",
                          C("(в ред. Постановлений Правительства РФ от 17.02.2014 N 112,")};
        while (lines.size() < 3 + c.length - 1)
            lines.push_back(C("от 17.02.2014 N 112,"));
        lines.push_back(C("от 29.12.2016 N 1544)"));
        lines.push_back("");
        lines.push_back(W("     В соответствии с законом"));
        CExtendedDetection x(5);
        x.Prepare(lines);
        EXPECT_EQ(x.IsLeftOut(3), c.leftOut);
        EXPECT_EQ(x.IsLeftOut(3 + c.length - 1), c.leftOut);
    }
}

// ---- the post-pass -------------------------------------------------------------------------

CRequisiteRecord LawRecord(const char* kind = "ФЕДЕРАЛЬНЫЙ ЗАКОН") {
    CRequisiteRecord r;
    r.m_kinds.push_back(W(kind));
    r.m_adoptionDates.emplace_back(2009, 11, 11, 1, 1, 1);
    r.m_adoptionDates.emplace_back(2010, 5, 8, 1, 1, 1);
    r.m_numbers.push_back(W("83-ФЗ"));
    return r;
}

TEST(ExtendedDetection, SignatureBlockOfLawsAndCodes) {
    struct Case {
        const char* name;
        const char* kind;
        LineList tail;
        std::vector<std::string> dates;   // after the post-pass
        std::vector<std::string> numbers; // after the post-pass
        std::vector<int> evidenceLines;   // in the document: two lines stand above the tail
        int rule = ExtendedRuleSignature; // the rule that gave them
    };
    const std::vector<std::string> headingDates = {"11.11.2009", "08.05.2010"};
    const std::vector<std::string> headingNumbers = {"83-ФЗ"};
    const std::vector<Case> cases = {
        {"nominal: Кремль block",
         "ФЕДЕРАЛЬНЫЙ ЗАКОН",
         {W("Президент Российской Федерации   Д.МЕДВЕДЕВ"), W("Москва, Кремль"),
          W("23 ноября 2009 года"), W("N 261-ФЗ")},
         {"23.11.2009"},
         {"261-ФЗ"},
         {4, 5}},
        {"nominal: indented block of a code",
         "КОДЕКС",
         {W("     Москва, Кремль"), W("     30 декабря 2001 года"), W("     N 195-ФЗ")},
         {"30.12.2001"},
         {"195-ФЗ"},
         {3, 4}},
        {"nominal: Дом Советов, blank lines and the number sign",
         "ЗАКОН",
         {W("Москва, Дом Советов России"), "", W("7 февраля 1992 года"), "", W("№ 2300-1")},
         {"07.02.1992"},
         {"2300-1"},
         {4, 6}},
        {"nominal: date and number on one line",
         "ФЕДЕРАЛЬНЫЙ КОНСТИТУЦИОННЫЙ ЗАКОН",
         {W("Москва, Кремль"), W("17 декабря 1997 года N 2-ФКЗ")},
         {"17.12.1997"},
         {"2-ФКЗ"},
         {3, 3}},
        {"near miss: Москва without a date after it",
         "ФЕДЕРАЛЬНЫЙ ЗАКОН",
         {W("Председатель Правительства   В.ПУТИН"), "", W("Москва"), "", W("Приложение")},
         headingDates,
         headingNumbers,
         {}},
        {"date without a number: a closing date, the numbers stay",
         "ФЕДЕРАЛЬНЫЙ ЗАКОН",
         {W("Москва, Кремль"), W("23 ноября 2009 года")},
         {"23.11.2009"},
         headingNumbers,
         {3},
         ExtendedRuleClosingDate},
        {"near miss: Москва, Кремль in an article's text",
         "ФЕДЕРАЛЬНЫЙ ЗАКОН",
         {W("     Заседания проходят по адресу:"), W("Москва, Кремль, Сенатский дворец, зал 2."),
          W("23 ноября 2009 года N 261-ФЗ")},
         headingDates,
         headingNumbers,
         {}},
        {"near miss: a sentence about Москва",
         "ФЕДЕРАЛЬНЫЙ ЗАКОН",
         {W("Москва является столицей Российской Федерации"), W("23 ноября 2009 года"),
          W("N 261-ФЗ")},
         headingDates,
         headingNumbers,
         {}},
        {"near miss: not a law",
         "ПОСТАНОВЛЕНИЕ",
         {W("Москва, Кремль"), W("23 ноября 2009 года"), W("N 261")},
         headingDates,
         headingNumbers,
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LineList lines = {C(c.kind), W("     Текст закона.")};
        lines.insert(lines.end(), c.tail.begin(), c.tail.end());
        CExtendedDetection x(5);
        x.Prepare(lines);
        CRequisiteRecord record = LawRecord(c.kind);
        x.Complete(record);
        EXPECT_EQ(Dates(record.m_adoptionDates), c.dates);
        EXPECT_EQ(U(record.m_numbers), c.numbers);
        std::vector<int> evidenceLines;
        for (const RequisiteEvidence& e : x.Evidence()) {
            EXPECT_EQ(e.lineText, lines[static_cast<std::size_t>(e.line)]);
            if (e.rule == ExtendedRuleFinders)
                continue; // the values the record came with, located
            evidenceLines.push_back(e.line);
            EXPECT_EQ(e.rule, c.rule);
        }
        EXPECT_EQ(evidenceLines, c.evidenceLines);
        const bool fired = !c.evidenceLines.empty();
        EXPECT_EQ(RuleNumbers(x.FiredRules()),
                  fired ? std::vector<int>{c.rule} : std::vector<int>{});
    }
}

// The signature block is looked for among the last 40 lines that are not blank.
TEST(ExtendedDetection, SignatureBlockStandsAmongTheLastFortyLines) {
    struct Case {
        const char* name;
        std::size_t placeFromEnd; // of the "Москва" line, counting non-blank lines
        bool found;
    };
    const Case cases[] = {
        {"edge: fortieth line from the end", 40, true},
        {"edge: forty-first line from the end", 41, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LineList lines = {C("ФЕДЕРАЛЬНЫЙ ЗАКОН"),   W("     Текст закона."),
                          W("Москва, Кремль"),      "",
                          W("23 ноября 2009 года"), W("N 261-ФЗ")};
        for (std::size_t k = 3; k < c.placeFromEnd; ++k) {
            lines.push_back("");
            lines.push_back(W("     Текст приложения."));
        }
        CExtendedDetection x(5);
        x.Prepare(lines);
        CRequisiteRecord record = LawRecord();
        x.Complete(record);
        const std::vector<std::string> expected =
            c.found ? std::vector<std::string>{"23.11.2009"}
                    : std::vector<std::string>{"11.11.2009", "08.05.2010"};
        EXPECT_EQ(Dates(record.m_adoptionDates), expected);
    }
}

TEST(ExtendedDetection, RegistrationFillsTheJusticeRequisitesWithEvidence) {
    const LineList lines = {W("Зарегистрировано в Министерстве юстиции Российской Федерации"),
                            W("5 марта 2019 г. N 53940"), "", C("ПРИКАЗ")};
    CExtendedDetection x(5);
    x.Prepare(lines);
    CRequisiteRecord record;
    x.Complete(record);
    EXPECT_EQ(FormatDate(record.m_justiceDate), "05.03.2019");
    EXPECT_EQ(record.m_justiceNumber, "53940");
    ASSERT_EQ(x.Evidence().size(), 2u);
    EXPECT_EQ(x.Evidence()[0], (RequisiteEvidence{kReqJusticeDate, "05.03.2019", 1, lines[1],
                                                  ExtendedRuleRegistration}));
    EXPECT_EQ(x.Evidence()[1], (RequisiteEvidence{kReqJusticeNumber, "53940", 1, lines[1],
                                                  ExtendedRuleRegistration}));
    // A second preparation starts afresh.
    x.Prepare({C("ПРИКАЗ")});
    EXPECT_TRUE(x.Evidence().empty());
    EXPECT_TRUE(x.FiredRules().empty());
}

TEST(ExtendedDetection, FormatExtendedRules) {
    EXPECT_EQ(FormatExtendedRules({}), "");
    EXPECT_EQ(FormatExtendedRules({ExtendedRuleNotes, ExtendedRuleSignature}),
              "1 notes; 4 signature");
    EXPECT_EQ(FormatExtendedRules({ExtendedRuleRegistration, ExtendedRuleChambers}),
              "2 registration; 3 chambers");
}

// ---- the analyzers with the extension ----------------------------------------------------

class ExtendedAnalyzers : public ::testing::Test {
protected:
    void SetUp() override { FillRealisticDictionaries(m_sd); }
    CRequisiteRecord RunOrdinary(const LineList& lines, bool extended) {
        COrdinaryDocAnalyzer a(m_sd.DocDict(), m_sd.OrganDict(), m_sd.UpperCaseDict(), 66, 5,
                               m_progress, m_op);
        CExtendedDetection x(5);
        if (extended)
            a.SetExtension(&x);
        return a.Run(lines);
    }
    CServiceData m_sd;
    CRecordingProgress m_progress;
    CScriptedOperator m_op{Answer::No};
};

TEST_F(ExtendedAnalyzers, OrdinaryHeadingWithoutNotesRegistrationAndChambers) {
    struct Case {
        const char* name;
        LineList lines;
        std::vector<std::string> dates;   // with the extension
        std::vector<std::string> numbers; // with the extension
        std::vector<std::string> offDates;
    };
    const std::vector<Case> cases = {
        {"editorial note under the title",
         {C("ПРАВИТЕЛЬСТВО РОССИЙСКОЙ ФЕДЕРАЦИИ"), "", C("ПОСТАНОВЛЕНИЕ"),
          C("от 27 декабря 2010 г. N 1160"), "", C("ОБ УТВЕРЖДЕНИИ ПОЛОЖЕНИЯ"), "",
          C("(в ред. Постановления Правительства РФ от 17.02.2014 N 112)"), "",
          W("     В соответствии с законом постановляет:")},
         {"27.12.2010"},
         {"1160"},
         {"27.12.2010", "17.02.2014"}},
        {"a left-out note does not end the heading",
         {C("ПОСТАНОВЛЕНИЕ"), W("(в ред. от 01.02.2003)"), C("от 27 декабря 2010 г. N 1160"), "",
          W("     Текст постановления.")},
         {"27.12.2010"},
         {"1160"},
         {}},
        {"registration above the heading",
         {W("Зарегистрировано в Минюсте России 21 февраля 2019 г. N 53863"), "",
          C("МИНИСТЕРСТВО ФИНАНСОВ РОССИЙСКОЙ ФЕДЕРАЦИИ"), "", C("ПРИКАЗ"),
          C("от 30 января 2019 г. N 30н"), "", W("     Текст приказа.")},
         {"30.01.2019"},
         {"30н"},
         {}},
        {"chamber marks and the signature block of a law",
         {C("ФЕДЕРАЛЬНЫЙ ЗАКОН"), "", C("ОБ ЭНЕРГОСБЕРЕЖЕНИИ"), "", RightAligned("Принят"),
          RightAligned("Государственной Думой"), RightAligned("11 ноября 2009 года"), "",
          W("     Текст закона."), "", W("Москва, Кремль"), W("23 ноября 2009 года"),
          W("N 261-ФЗ")},
         {"23.11.2009"},
         {"261-ФЗ"},
         {"11.11.2009"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const CRequisiteRecord on = RunOrdinary(c.lines, true);
        EXPECT_EQ(Dates(on.m_adoptionDates), c.dates);
        EXPECT_EQ(U(on.m_numbers), c.numbers);
        EXPECT_EQ(Dates(RunOrdinary(c.lines, false).m_adoptionDates), c.offDates);
    }
}

TEST_F(ExtendedAnalyzers, ComposedTitleUsesTheSignatureBlock) {
    const LineList lines = {C("ФЕДЕРАЛЬНЫЙ ЗАКОН"),
                            "",
                            C("ОБ ЭНЕРГОСБЕРЕЖЕНИИ"),
                            "",
                            W("     Текст закона."),
                            "",
                            W("Москва, Кремль"),
                            W("23 ноября 2009 года"),
                            W("N 261-ФЗ")};
    EXPECT_EQ(U(RunOrdinary(lines, true).m_title),
              "ФЕДЕРАЛЬНЫЙ ЗАКОН от 23.11.2009 N 261-ФЗ \n\"ОБ ЭНЕРГОСБЕРЕЖЕНИИ\"");
}

TEST_F(ExtendedAnalyzers, ApprovalStampBelowARegistrationLine) {
    const LineList lines = {W("Зарегистрировано в Минюсте России 3 апреля 2018 г. N 50612"),
                            "",
                            RightAligned("УТВЕРЖДЕН"),
                            RightAligned("приказом Министерства финансов"),
                            RightAligned("Российской Федерации"),
                            RightAligned("от 15 января 2018 г. N 12"),
                            "",
                            C("ПОРЯДОК"),
                            C("ВЕДЕНИЯ УЧЕТА"),
                            "",
                            W("     1. Текст порядка.")};
    DocSettings settings;
    settings.createTags = 0;
    CScriptedOperator op;
    auto off = settings;
    off.extendedRecvisits = 0;
    EXPECT_EQ(PrepareRequisitesDetection(lines, m_sd, off, m_progress, op).docClass, 0);

    auto prepared = PrepareRequisitesDetection(lines, m_sd, settings, m_progress, op);
    ASSERT_EQ(prepared.docClass, 1);
    ASSERT_NE(prepared.extension, nullptr);
    EXPECT_EQ(prepared.analyzer->Extension(), prepared.extension.get());
    const CRequisiteRecord r = prepared.analyzer->Run(lines);
    EXPECT_EQ(U(r.m_kinds), std::vector<std::string>{"ПОРЯДОК"});
    EXPECT_EQ(U(r.m_organs),
              std::vector<std::string>{"МИНИСТЕРСТВО ФИНАНСОВ РОССИЙСКОЙ ФЕДЕРАЦИИ"});
    EXPECT_EQ(Dates(r.m_adoptionDates), std::vector<std::string>{"15.01.2018"});
    EXPECT_EQ(U(r.m_numbers), std::vector<std::string>{"12"});
    EXPECT_EQ(FormatDate(r.m_justiceDate), "03.04.2018");
    EXPECT_EQ(r.m_justiceNumber, "50612");
    EXPECT_EQ(prepared.extension->FiredRules(),
              std::vector<ExtendedRule>{ExtendedRuleRegistration});
}

TEST_F(ExtendedAnalyzers, QuestionParagraphWithoutItsNote) {
    const LineList lines = {W("     Вопрос: Как учитывать расходы по приказу Минфина России от"),
                            W("22 июля 2003 г. N 67н?"),
                            W("(в ред. Приказа Минфина России от 01.02.2010 N 5н)"), "",
                            W("     Ответ: В общем порядке.")};
    CQuestionDocAnalyzer a(m_sd.DocDict(), m_sd.OrganDict(), m_sd.UpperCaseDict(), 66, 5,
                           m_progress, W("ВОПРОС-ОТВЕТ"));
    CExtendedDetection x(5);
    a.SetExtension(&x);
    const CRequisiteRecord r = a.Run(lines);
    EXPECT_EQ(Dates(r.m_adoptionDates), std::vector<std::string>{"22.07.2003"});
    EXPECT_EQ(x.FiredRules(), std::vector<ExtendedRule>{ExtendedRuleNotes});
}

} // namespace
} // namespace norvak::test
