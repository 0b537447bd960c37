// The rules of the extended detection on whole acts as they are published: own titles in
// their letter case, the kinds they name, repeal stamps, closing dates and Soviet-era
// signatures, decrees, the Constitution; each with the near misses that must not fire. The
// shipped dictionaries, the opening road's analysis with the extended detection on.

#include "analyzerfixture.h"
#include "core/operatorio.h"
#include "core/progress.h"
#include "dictionaries/servicedata.h"
#include "document/docclassing.h"
#include "document/settings.h"
#include "requisites/extendeddetection.h"

#include <gtest/gtest.h>

namespace norvak::test {
namespace {

struct Analysed {
    CRequisiteRecord record;
    std::vector<RequisiteEvidence> evidence;
    std::vector<int> rules;
};

Analysed Analyse(const LineList& lines, bool extended = true) {
    CServiceData sd;
    CScriptedOperator op(Answer::No);
    EXPECT_TRUE(sd.Load(NORVAK_BUILT_DICT, op));
    DocSettings settings;
    settings.extendedRecvisits = extended ? 1 : 0;
    PreparedDetection prepared =
        PrepareRequisitesDetection(lines, sd, settings, NullProgress(), op);
    Analysed a;
    a.record = prepared.analyzer->Run(lines);
    a.record.RemoveDuplicates();
    if (prepared.extension) {
        a.evidence = prepared.extension->Evidence();
        const std::vector<ExtendedRule> fired = prepared.extension->FiredRules();
        a.rules.assign(fired.begin(), fired.end());
    }
    return a;
}

// Lines of a paragraph-per-line text: paragraphs with a blank line between.
LineList Paragraphs(std::initializer_list<const char*> utf8) {
    LineList lines;
    for (const char* p : utf8) {
        if (!lines.empty())
            lines.emplace_back();
        lines.push_back(W(p));
    }
    return lines;
}

LineList Cat(LineList a, const LineList& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

std::string Indented(const char* utf8) {
    return "     " + W(utf8);
}

const char* const kBody = "Настоящий Кодекс регулирует отношения, указанные в статье 2.";

struct ActCase {
    const char* name;
    LineList lines;
    std::vector<std::string> kinds, organs, dates, numbers;
    std::string title;      // UTF-8, the line break of a composed title as "\n"
    std::vector<int> rules; // every rule that must have fired
};

void ExpectAct(const ActCase& c) {
    SCOPED_TRACE(c.name);
    const Analysed a = Analyse(c.lines);
    EXPECT_EQ(U(a.record.m_kinds), c.kinds);
    EXPECT_EQ(U(a.record.m_organs), c.organs);
    EXPECT_EQ(Dates(a.record.m_adoptionDates), c.dates);
    EXPECT_EQ(U(a.record.m_numbers), c.numbers);
    EXPECT_EQ(U(a.record.m_title), c.title);
    for (int rule : c.rules)
        EXPECT_NE(std::find(a.rules.begin(), a.rules.end(), rule), a.rules.end())
            << "rule " << rule << " did not fire";
    // Every value of the record has its line, and the line is the analysed one.
    for (const RequisiteEvidence& e : a.evidence) {
        ASSERT_GE(e.line, 0);
        ASSERT_LT(static_cast<std::size_t>(e.line), c.lines.size());
        EXPECT_EQ(e.lineText, c.lines[static_cast<std::size_t>(e.line)]);
    }
    auto evidenced = [&](RequisiteId id, const std::string& value) {
        return std::any_of(a.evidence.begin(), a.evidence.end(), [&](const RequisiteEvidence& e) {
            return e.requisite == id && e.value == value;
        });
    };
    for (const std::string& k : a.record.m_kinds)
        EXPECT_TRUE(evidenced(kReqKinds, k)) << U(k);
    for (const std::string& o : a.record.m_organs)
        EXPECT_TRUE(evidenced(kReqOrgans, o)) << U(o);
    for (const CDateValue& d : a.record.m_adoptionDates)
        EXPECT_TRUE(evidenced(kReqAdoptionDates, FormatDate(d))) << FormatDate(d);
    for (const std::string& n : a.record.m_numbers)
        EXPECT_TRUE(evidenced(kReqNumbers, n)) << U(n);
}

// ---- modern codes, laws and decrees one paragraph per line ----------------------------------

TEST(ActRules, ModernActsOneParagraphPerLine) {
    const LineList signature2001 =
        Paragraphs({"Президент Российской Федерации В.Путин", "Москва, Кремль",
                    "30 декабря 2001 года", "№ 197-ФЗ"});
    const std::vector<ActCase> cases = {
        {"code: mixed-case title under the state, kind from the title, signature with №",
         Cat(Paragraphs({"РОССИЙСКАЯ ФЕДЕРАЦИЯ", "Трудовой кодекс Российской Федерации",
                         "Принят Государственной Думой 21 декабря 2001 года",
                         "Одобрен Советом Федерации 26 декабря 2001 года",
                         "(В редакции федеральных законов от 24.07.2002 № 97-ФЗ)",
                         "(С учетом постановления Конституционного Суда Российской Федерации "
                         "от 15.03.2005 № 3-П)",
                         "ЧАСТЬ ПЕРВАЯ", "Раздел I. ОБЩИЕ ПОЛОЖЕНИЯ", kBody, ""}),
             signature2001),
         {"КОДЕКС"},
         {},
         {"30.12.2001"},
         {"197-ФЗ"},
         "Трудовой кодекс Российской Федерации",
         {ExtendedRuleNotes, ExtendedRuleChambers, ExtendedRuleSignature, ExtendedRuleOwnTitle,
          ExtendedRuleTitleKind}},
        {"code in parts: the part goes with the name",
         Cat(Paragraphs({"РОССИЙСКАЯ ФЕДЕРАЦИЯ", "Налоговый кодекс Российской Федерации",
                         "Часть первая", "Принят Государственной Думой 16 июля 1998 года",
                         "Раздел I. ОБЩИЕ ПОЛОЖЕНИЯ", kBody, ""}),
             Paragraphs({"Москва, Кремль", "31 июля 1998 года", "№ 146-ФЗ"})),
         {"КОДЕКС"},
         {},
         {"31.07.1998"},
         {"146-ФЗ"},
         "Налоговый кодекс Российской Федерации (часть первая)",
         {ExtendedRuleOwnTitle, ExtendedRuleTitleKind}},
        {"law: the title is the line after the kind line",
         Cat(Paragraphs({"РОССИЙСКАЯ ФЕДЕРАЦИЯ", "ФЕДЕРАЛЬНЫЙ ЗАКОН",
                         "О специальной оценке условий труда",
                         "Принят Государственной Думой 23 декабря 2013 года",
                         "Глава 1. Общие положения", "Статья 1. Предмет регулирования", ""}),
             Paragraphs({"Президент Российской Федерации В.Путин", "Москва, Кремль",
                         "28 декабря 2013 года", "№ 426-ФЗ"})),
         {"ФЕДЕРАЛЬНЫЙ ЗАКОН"},
         {},
         {"28.12.2013"},
         {"426-ФЗ"},
         "ФЕДЕРАЛЬНЫЙ ЗАКОН от 28.12.2013 N 426-ФЗ \n\"О специальной оценке условий труда\"",
         {ExtendedRuleOwnTitle, ExtendedRuleSignature}},
        {"decree of 2021: body from the heading, date in words, number under the signature",
         Paragraphs({"УКАЗ", "ПРЕЗИДЕНТА РОССИЙСКОЙ ФЕДЕРАЦИИ",
                     "О мерах по реализации государственной политики",
                     "1. Установить, что меры принимаются в установленном порядке.",
                     "Президент Российской Федерации В.Путин", "Москва, Кремль",
                     "30 декабря 2021 года", "№ 745"}),
         {"УКАЗ"},
         {"ПРЕЗИДЕНТ РОССИЙСКОЙ ФЕДЕРАЦИИ"},
         {"30.12.2021"},
         {"745"},
         "УКАЗ Президента Российской Федерации от 30.12.2021 N 745 \n\"О мерах по реализации "
         "государственной политики\"",
         {ExtendedRuleOwnTitle, ExtendedRuleSignature}},
        {"the Constitution: its date is the popular vote",
         Paragraphs({"КОНСТИТУЦИЯ РОССИЙСКОЙ ФЕДЕРАЦИИ",
                     "Принята всенародным голосованием 12 декабря 1993 года",
                     "(С учетом поправок, внесенных Законами Российской Федерации о поправках к "
                     "Конституции Российской Федерации от 30.12.2008 № 6-ФКЗ)",
                     "Мы, многонациональный народ Российской Федерации, принимаем "
                     "КОНСТИТУЦИЮ РОССИЙСКОЙ ФЕДЕРАЦИИ.",
                     "РАЗДЕЛ ПЕРВЫЙ", "Глава 1. Основы конституционного строя"}),
         {"КОНСТИТУЦИЯ"},
         {},
         {"12.12.1993"},
         {},
         "КОНСТИТУЦИЯ РОССИЙСКОЙ ФЕДЕРАЦИИ",
         {ExtendedRulePopularVote, ExtendedRuleNotes, ExtendedRuleTitleKind}},
        {"near miss: a repeal note under the title whose date equals the signature's",
         Cat(Paragraphs({"РОССИЙСКАЯ ФЕДЕРАЦИЯ", "ФЕДЕРАЛЬНЫЙ ЗАКОН", "О недрах",
                         "(Утратил силу на основании Федерального закона от 30 декабря 2001 г. "
                         "№ 196-ФЗ - Собрание законодательства Российской Федерации, 2002, № 1)",
                         "Статья 1. Предмет регулирования", ""}),
             signature2001),
         {"ФЕДЕРАЛЬНЫЙ ЗАКОН"},
         {},
         {"30.12.2001"},
         {"197-ФЗ"},
         "ФЕДЕРАЛЬНЫЙ ЗАКОН от 30.12.2001 N 197-ФЗ \n\"О недрах\"",
         {ExtendedRuleRepeal, ExtendedRuleSignature}},
    };
    for (const ActCase& c : cases)
        ExpectAct(c);
}

// ---- acts in the DOS layout -----------------------------------------------------------------

TEST(ActRules, ActsInTheDosLayout) {
    const LineList body = {Indented("Гражданское законодательство основывается на признании"),
                           W("равенства участников регулируемых им отношений."), ""};
    const std::string frameTop = "\x1B" + std::string(30, '\x16') + "\x1A";
    const std::string frameBottom = "\x1C" + std::string(30, '\x16') + "\xA7";
    const std::vector<ActCase> cases = {
        {"soviet code: publication list, chapter heading in capitals, bare closing date",
         Cat(Cat({Centred("ГРАЖДАНСКИЙ КОДЕКС РСФСР"), "",
                  Indented("(Ведомости Верховного Совета РСФСР, 1964, N 24, ст. 407;"),
                  Indented("1977, N 12, ст. 255)"), "", Centred("ОБЩИЕ ПОЛОЖЕНИЯ"), ""},
                 body),
             {"", Indented("27 октября 1960 года")}),
         {"КОДЕКС"},
         {"ВЕРХОВНЫЙ СОВЕТ РСФСР"},
         {"27.10.1960"},
         {},
         "ГРАЖДАНСКИЙ КОДЕКС РСФСР",
         {ExtendedRuleNotes, ExtendedRuleTitleKind, ExtendedRuleSovietCode,
          ExtendedRuleClosingDate}},
        {"soviet code: the Presidium's signature gives the date and the Supreme Soviet",
         Cat(Cat({Centred("Жилищный кодекс РСФСР"), ""}, body),
             {Indented("Председатель Президиума"),
              Indented("Верховного Совета РСФСР                     В.ОРЛОВ"), "",
              Indented("Москва, Кремль"), Indented("24 июня 1983 года")}),
         {"КОДЕКС"},
         {"ВЕРХОВНЫЙ СОВЕТ РСФСР"},
         {"24.06.1983"},
         {},
         "Жилищный кодекс РСФСР",
         {ExtendedRuleClosingDate}},
        {"repeal stamp right-aligned over two lines: not the code's own",
         Cat(Cat({RightAligned("Утратил силу - Федеральный закон"),
                  RightAligned("от 03.06.2006 г. N 73-ФЗ"), "", Centred("РОССИЙСКАЯ ФЕДЕРАЦИЯ"), "",
                  Centred("Водный кодекс Российской Федерации"), ""},
                 body),
             {Indented("Президент Российской Федерации             Б.Ельцин"), "",
              Indented("Москва, Кремль"), Indented("16 ноября 1995 года"), Indented("N 167-ФЗ")}),
         {"КОДЕКС"},
         {},
         {"16.11.1995"},
         {"167-ФЗ"},
         "Водный кодекс Российской Федерации",
         {ExtendedRuleRepeal, ExtendedRuleSignature, ExtendedRuleTitleKind}},
        {"near miss: a date line at the end that is part of a table",
         Cat(Cat({Centred("ГРАЖДАНСКИЙ КОДЕКС РСФСР"), ""}, body),
             {frameTop, "\x12" + W("  27 октября 1960 года") + std::string(8, ' ') + "\x12",
              frameBottom, "", W("27 октября 1960 года")}),
         {"КОДЕКС"},
         {"ВЕРХОВНЫЙ СОВЕТ РСФСР"},
         {},
         {},
         "ГРАЖДАНСКИЙ КОДЕКС РСФСР",
         {}},
        {"near miss: a date that ends a paragraph of the text",
         Cat(Cat({Centred("ГРАЖДАНСКИЙ КОДЕКС РСФСР"), ""}, body),
             {Indented("Настоящий Кодекс вводится в действие с"), W("1 октября 1964 года")}),
         {"КОДЕКС"},
         {"ВЕРХОВНЫЙ СОВЕТ РСФСР"},
         {},
         {},
         "ГРАЖДАНСКИЙ КОДЕКС РСФСР",
         {}},
        {"ministry named over two lines, a title of two lines, a date of 2022 in words",
         Cat({Centred("МИНИСТЕРСТВО СТРОИТЕЛЬСТВА И ЖИЛИЩНО-КОММУНАЛЬНОГО"),
              Centred("ХОЗЯЙСТВА РОССИЙСКОЙ ФЕДЕРАЦИИ"), "", Centred("ПРИКАЗ"), "",
              Centred("от 14 января 2022 г. N 15/пр"), "",
              Centred("ОБ УТВЕРЖДЕНИИ ТРЕБОВАНИЙ К СОСТАВУ"), Centred("ПРОЕКТНОЙ ДОКУМЕНТАЦИИ"),
              ""},
             body),
         {"ПРИКАЗ"},
         {"МИНИСТЕРСТВО СТРОИТЕЛЬСТВА И ЖИЛИЩНО-КОММУНАЛЬНОГО ХОЗЯЙСТВА РОССИЙСКОЙ ФЕДЕРАЦИИ"},
         {"14.01.2022"},
         {"15/пр"},
         "ПРИКАЗ Министерства строительства и жилищно-коммунального хозяйства Российской "
         "Федерации от 14.01.2022 N 15/пр \n\"ОБ УТВЕРЖДЕНИИ ТРЕБОВАНИЙ К СОСТАВУ ПРОЕКТНОЙ "
         "ДОКУМЕНТАЦИИ\"",
         {}},
    };
    for (const ActCase& c : cases)
        ExpectAct(c);
}

// With the setting off the finders keep their year window and the number sign "№" is text.
TEST(ActRules, DatesAfter2020AndTheNumberSignOnlyWithTheExtension) {
    const LineList lines = {Centred("ПРИКАЗ"),
                            Centred("от 14 января 2022 г. № 15"),
                            "",
                            Centred("ОБ УТВЕРЖДЕНИИ ПОРЯДКА"),
                            "",
                            BodyLine()};
    const Analysed off = Analyse(lines, false);
    EXPECT_TRUE(off.record.m_adoptionDates.empty());
    EXPECT_TRUE(off.record.m_numbers.empty());
    const Analysed on = Analyse(lines, true);
    EXPECT_EQ(Dates(on.record.m_adoptionDates), std::vector<std::string>{"14.01.2022"});
    EXPECT_EQ(U(on.record.m_numbers), std::vector<std::string>{"15"});
}

TEST(ActRules, RuleNames) {
    EXPECT_EQ(FormatExtendedRules({ExtendedRuleRepeal, ExtendedRuleOwnTitle, ExtendedRuleTitleKind,
                                   ExtendedRuleClosingDate, ExtendedRulePopularVote,
                                   ExtendedRuleSovietCode}),
              "5 repeal; 6 title; 7 title kind; 8 closing date; 9 popular vote; 10 soviet code");
    EXPECT_EQ(ExtendedRuleName(ExtendedRuleFinders), "finders");
    EXPECT_EQ(ExtendedRuleName(static_cast<ExtendedRule>(99)), "?");
}

} // namespace
} // namespace norvak::test
