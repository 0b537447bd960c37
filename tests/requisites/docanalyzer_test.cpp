// The finders of the requisites analyzers, grouped by finder.

#include "requisites/docanalyzer.h"

#include "analyzerfixture.h"
#include "core/progress.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace norvak::test {
namespace {

class Finders : public ::testing::Test {
protected:
    void SetUp() override { FillRealisticDictionaries(m_sd); }
    CServiceData m_sd;
    CRecordingProgress m_progress;
};

// ---- phrase lists ----------------------------------------------------------------------

TEST_F(Finders, PhraseListsHoldOwnFormsAndAliasesUnderTheCanonicalName) {
    CFinderProbe probe(m_sd, m_progress);
    // 10 kinds and 3 kind aliases; 8 bodies and 2 body aliases.
    EXPECT_EQ(probe.KindPhrases().size(), 13u);
    EXPECT_EQ(probe.OrganPhrases().size(), 10u);
    int previous = 0;
    for (const auto& p : probe.KindPhrases()) {
        EXPECT_GE(CountWords(p.name), previous) << "ascending word count";
        previous = CountWords(p.name);
    }
    int aliasesOfLetter = 0;
    for (const auto& p : probe.KindPhrases())
        if (U(p.forms.Form(CaseNominative)) == "ИНФОРМАЦИОННОЕ ПИСЬМО") {
            EXPECT_EQ(U(p.name), "ПИСЬМО");
            ++aliasesOfLetter;
        }
    EXPECT_EQ(aliasesOfLetter, 1);
}

std::vector<CPhraseEntry> Phrases(std::initializer_list<const char*> names) {
    std::vector<CPhraseEntry> out;
    for (const char* n : names)
        out.push_back({W(n), CCases()});
    return out;
}

TEST(SortPhrasesByWordCount, SelectionSortWithItsSwaps) {
    struct Case {
        const char* name;
        std::vector<CPhraseEntry> in;
        std::vector<std::string> out;
    };
    const std::vector<Case> cases = {
        {"nominal: two two-word names then a one-word name end reversed",
         Phrases({"А А", "Б Б", "В"}),
         {"В", "Б Б", "А А"}},
        {"nominal: one two-word name then two one-word names",
         Phrases({"А А", "Б", "В"}),
         {"Б", "В", "А А"}},
        {"robustness: empty list", {}, {}},
        {"robustness: one entry", Phrases({"А Б В"}), {"А Б В"}},
        {"nominal: an empty name counts no words", Phrases({"А", ""}), {"", "А"}},
    };
    for (auto c : cases) {
        CDocAnalyzer::SortPhrasesByWordCount(c.in);
        std::vector<std::string> names;
        for (const auto& p : c.in)
            names.push_back(U(p.name));
        EXPECT_EQ(names, c.out) << c.name;
    }
}

// ---- FindKinds and FindOrgans ------------------------------------------------------------

struct PhraseCase {
    const char* name;
    const char* text;
    int caseIndex;
    std::vector<std::string> found;
    const char* masked; // the text after the search; nullptr when not checked
};

TEST_F(Finders, FindKinds) {
    const std::vector<PhraseCase> cases = {
        {"nominal: a kind in the nominative",
         "ПОСТАНОВЛЕНИЕ ОТ 12 ФЕВРАЛЯ",
         0,
         {"ПОСТАНОВЛЕНИЕ"},
         " ************* ОТ 12 ФЕВРАЛЯ "},
        {"nominal: the two-word kind is searched first and masks the one-word kind in it",
         "ФЕДЕРАЛЬНЫЙ ЗАКОН О ЗАКОНЕ",
         0,
         {"ФЕДЕРАЛЬНЫЙ ЗАКОН"},
         " *********** ***** О ЗАКОНЕ "},
        {"nominal: a kind in the instrumental",
         "УТВЕРЖДЕНО ПРИКАЗОМ МИНФИНА",
         4,
         {"ПРИКАЗ"},
         " УТВЕРЖДЕНО ******** МИНФИНА "},
        {"nominal: an alias reports the canonical name",
         "МЕТОДИЧЕСКАЯ ИНСТРУКЦИЯ ПО УЧЕТУ",
         0,
         {"ИНСТРУКЦИЯ"},
         nullptr},
        {"nominal: two kinds in one text",
         "ПРИКАЗ И ПОЛОЖЕНИЕ",
         0,
         {"ПРИКАЗ", "ПОЛОЖЕНИЕ"},
         nullptr},
        {"robustness: a kind inside a longer word is not found",
         "ЗАКОНОДАТЕЛЬСТВО ПРИКАЗЫ",
         0,
         {},
         " ЗАКОНОДАТЕЛЬСТВО ПРИКАЗЫ "},
        {"nominal: each phrase is tried once, the second occurrence stays",
         "ПРИКАЗ ПРИКАЗ",
         0,
         {"ПРИКАЗ"},
         " ****** ПРИКАЗ "},
        {"robustness: empty text is padded and finds nothing", "", 0, {}, "  "},
        {"robustness: the nominative form is not searched with case 4",
         "ПРИКАЗ",
         4,
         {},
         " ПРИКАЗ "},
    };
    for (const auto& c : cases) {
        CFinderProbe probe(m_sd, m_progress);
        std::string text = W(c.text);
        probe.FindKinds(text, c.caseIndex);
        std::vector<std::string> found = U(probe.Record().m_kinds);
        std::sort(found.begin(), found.end());
        std::vector<std::string> expected = c.found;
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(found, expected) << c.name;
        if (c.masked) {
            EXPECT_EQ(U(text), c.masked) << c.name;
        }
    }
}

TEST_F(Finders, FindKindsInAVeryLongTextFindsAndMasksAsInAShortOne) {
    // A document whose heading never ends hands the finders its whole text; the long-text path
    // must find and mask exactly as the short one.
    std::string filler;
    while (filler.size() < 20000)
        filler += "СТАТЬЯ ЗАКОНОДАТЕЛЬСТВО ";
    for (const char* tail : {"ФЕДЕРАЛЬНЫЙ ЗАКОН О ЗАКОНЕ", "ПРИКАЗ И ПОЛОЖЕНИЕ"}) {
        CFinderProbe shortProbe(m_sd, m_progress), longProbe(m_sd, m_progress);
        std::string shortText = W(tail);
        std::string longText = W(filler + tail);
        shortProbe.FindKinds(shortText, 0);
        longProbe.FindKinds(longText, 0);
        EXPECT_EQ(longProbe.Record().m_kinds, shortProbe.Record().m_kinds) << tail;
        EXPECT_EQ(longText.substr(longText.size() - shortText.size()), shortText) << tail;
    }
}

TEST_F(Finders, FindKindsOrderIsFromTheMostWordsToTheFewest) {
    CFinderProbe probe(m_sd, m_progress);
    std::string text = W("ПРИКАЗ ОБ УТВЕРЖДЕНИИ ФЕДЕРАЛЬНЫЙ ЗАКОН");
    probe.FindKinds(text, 0);
    EXPECT_EQ(U(probe.Record().m_kinds), (std::vector<std::string>{"ФЕДЕРАЛЬНЫЙ ЗАКОН", "ПРИКАЗ"}));
}

TEST_F(Finders, FindOrgans) {
    const std::vector<PhraseCase> cases = {
        {"nominal: a body in the genitive, as an approval stamp names it",
         "УТВЕРЖДЕНО ПРИКАЗОМ МИНИСТЕРСТВА ФИНАНСОВ РОССИЙСКОЙ ФЕДЕРАЦИИ ОТ 1 ДЕКАБРЯ 2002 Г. N "
         "123",
         1,
         {"МИНИСТЕРСТВО ФИНАНСОВ РОССИЙСКОЙ ФЕДЕРАЦИИ"},
         " УТВЕРЖДЕНО ПРИКАЗОМ ************ ******** ********** ********* ОТ 1 ДЕКАБРЯ 2002 Г. N "
         "123 "},
        {"nominal: a body in the nominative",
         "ПРАВИТЕЛЬСТВО РОССИЙСКОЙ ФЕДЕРАЦИИ ПОСТАНОВЛЕНИЕ",
         0,
         {"ПРАВИТЕЛЬСТВО РОССИЙСКОЙ ФЕДЕРАЦИИ"},
         nullptr},
        {"nominal: an alias of a body reports the canonical name",
         "ПИСЬМО МИНФИНА РОССИИ",
         1,
         {"МИНИСТЕРСТВО ФИНАНСОВ РОССИЙСКОЙ ФЕДЕРАЦИИ"},
         " ПИСЬМО ******* ****** "},
        {"robustness: the genitive is not found with case 0",
         "ПРИКАЗ МИНИСТЕРСТВА ФИНАНСОВ",
         0,
         {},
         nullptr},
        {"nominal: two bodies",
         "ПРЕЗИДЕНТ РОССИЙСКОЙ ФЕДЕРАЦИИ И СОВЕТ ФЕДЕРАЦИИ",
         0,
         {"ПРЕЗИДЕНТ РОССИЙСКОЙ ФЕДЕРАЦИИ", "СОВЕТ ФЕДЕРАЦИИ"},
         nullptr},
    };
    for (const auto& c : cases) {
        CFinderProbe probe(m_sd, m_progress);
        std::string text = W(c.text);
        probe.FindOrgans(text, c.caseIndex);
        std::vector<std::string> found = U(probe.Record().m_organs);
        std::sort(found.begin(), found.end());
        EXPECT_EQ(found, c.found) << c.name;
        if (c.masked) {
            EXPECT_EQ(U(text), c.masked) << c.name;
        }
    }
}

TEST(FindPhrases, EmptyFormsAreNeverFound) {
    CServiceData sd;
    // A kind whose instrumental was never typed, and an alias without a nominative.
    AddKind(sd, "УКАЗ", "", 0, 0, {{"", "УКАЗАНИЕМ"}});
    AddOrgan(sd, "СЕНАТ", "", "", "Сенат");
    CRecordingProgress progress;
    CFinderProbe probe(sd, progress);
    std::string text = W("ЛЮБОЙ ТЕКСТ");
    probe.FindKinds(text, 4);
    probe.FindKinds(text, 0);
    probe.FindOrgans(text, 1);
    EXPECT_TRUE(probe.Record().m_kinds.empty());
    EXPECT_TRUE(probe.Record().m_organs.empty());
    EXPECT_EQ(U(text), "   ЛЮБОЙ ТЕКСТ   ") << "padded once per call, nothing masked";
}

TEST(FindPhrases, AnEntryWithoutANominativeRecordsNothing) {
    CServiceData sd;
    AddKind(sd, "", "ПРИКАЗОМ", 0);
    CRecordingProgress progress;
    CFinderProbe probe(sd, progress);
    std::string text = W("УТВЕРЖДЕНО ПРИКАЗОМ");
    probe.FindKinds(text, 4);
    EXPECT_TRUE(probe.Record().m_kinds.empty()) << "an empty kind would end the kinds block";
}

TEST(FindPhrases, EmptyListOrBadCaseIndexLeavesTheTextAlone) {
    CServiceData empty;
    CRecordingProgress progress;
    CFinderProbe probe(empty, progress);
    std::string text = W("ПРИКАЗ");
    probe.FindKinds(text, 0);
    probe.FindOrgans(text, 0);
    EXPECT_EQ(U(text), "ПРИКАЗ") << "an empty phrase list does not even pad";

    CServiceData sd;
    FillRealisticDictionaries(sd);
    CFinderProbe full(sd, progress);
    for (int k : {-1, 6, 100}) {
        std::string t = W("ПРИКАЗ");
        full.FindKinds(t, k);
        EXPECT_EQ(U(t), "ПРИКАЗ") << k;
    }
    EXPECT_TRUE(full.Record().m_kinds.empty());
}

// ---- FindAdoptionDates -------------------------------------------------------------------

TEST_F(Finders, FindAdoptionDates) {
    struct Case {
        const char* name;
        const char* text;
        std::vector<std::string> dates;
        const char* masked;
    };
    const std::vector<Case> cases = {
        {"nominal: day, month name and year are masked whole",
         " ОТ 1 ДЕКАБРЯ 2002 Г. N 123 ",
         {"01.12.2002"},
         " ОТ * ******* **** Г. N 123 "},
        {"nominal: digits; the mask starts at the first dot",
         " ОТ 01.12.2002 N 45), ",
         {"01.12.2002"},
         " ОТ 01******** N 45), "},
        {"nominal: pass A finds months in month order, then pass B",
         " 10.01.2001 5 ДЕКАБРЯ 2000 Г. 3 МАРТА 2001 ",
         {"03.03.2001", "05.12.2000", "10.01.2001"},
         nullptr},
        {"robustness: a month name followed by a comma is no date",
         " 1 ДЕКАБРЯ, 2002 ",
         {},
         nullptr},
        {"robustness: pass A rejects 1925", " 1 ДЕКАБРЯ 1925 Г. ", {}, nullptr},
        {"nominal: pass B accepts 1925", " 01.12.1925 ", {"01.12.1925"}, nullptr},
        {"robustness: pass B rejects 2051", " 01.12.2051 ", {}, nullptr},
        {"nominal: pass A window edges 1930 and 2020",
         " 1 МАЯ 1930 2 МАЯ 2020 3 МАЯ 2021 ",
         {"01.05.1930", "02.05.2020"},
         nullptr},
        {"nominal: pass B window edges 1900 and 2049",
         " 01.01.1900 02.01.2049 03.01.2050 ",
         {"01.01.1900", "02.01.2049"},
         nullptr},
        {"nominal: two-digit years are in the 1900s",
         " 5 МАЯ 95 Г. 21.03.91 Г. ",
         {"05.05.1995", "21.03.1991"},
         nullptr},
        {"robustness: day out of range", " 32 МАЯ 1995 0 ИЮНЯ 1995 ", {}, nullptr},
        {"robustness: pass B day, month out of range",
         " 32.01.2000 10.13.2000 00.01.2000 ",
         {},
         nullptr},
        {"robustness: a month name at the start is skipped and later dates of that month stay",
         "МАЯ 5 МАЯ 1995 ",
         {"05.05.1995"},
         nullptr},
        {"quirk: a month name inside a longer word is still a month",
         " 5 МАЯК 1995 ",
         {"05.05.1995"},
         nullptr},
        {"robustness: a month name at the end of the text has no year", " 5 МАЯ", {}, nullptr},
        {"robustness: single dots are not dates", " Г. И.И.ИВАНОВ 1.2 ", {}, nullptr},
        {"quirk: a one-digit day at the start of the text shifts the fields of pass B",
         "1.12.2002 ",
         {"01.02.1902"},
         nullptr},
        {"robustness: empty text", "", {}, ""},
    };
    for (const auto& c : cases) {
        CFinderProbe probe(m_sd, m_progress);
        std::string text = W(c.text);
        probe.FindAdoptionDates(text);
        EXPECT_EQ(Dates(probe.Record().m_adoptionDates), c.dates) << c.name;
        if (c.masked) {
            EXPECT_EQ(U(text), c.masked) << c.name;
        }
    }
}

TEST_F(Finders, FoundDatesCarryTheTime010101) {
    CFinderProbe probe(m_sd, m_progress);
    std::string text = W(" 1 ДЕКАБРЯ 2002 Г. 02.12.2002 ");
    probe.FindAdoptionDates(text);
    ASSERT_EQ(probe.Record().m_adoptionDates.size(), 2u);
    for (const auto& d : probe.Record().m_adoptionDates) {
        EXPECT_EQ(d.Hour(), 1);
        EXPECT_EQ(d.Minute(), 1);
        EXPECT_EQ(d.Second(), 1);
    }
}

TEST_F(Finders, ImpossibleDatesAreKeptWithTheStatusTheConversionGives) {
    CFinderProbe probe(m_sd, m_progress);
    std::string text = W(" 31 ФЕВРАЛЯ 2003 Г. ");
    probe.FindAdoptionDates(text);
    ASSERT_EQ(probe.Record().m_adoptionDates.size(), 1u);
    EXPECT_FALSE(probe.Record().m_adoptionDates[0].IsValid());
}

// ---- FindNumbers -------------------------------------------------------------------------

TEST_F(Finders, FindNumbers) {
    struct Case {
        const char* name;
        const char* text;
        std::vector<std::string> numbers;
        const char* masked;
    };
    const std::vector<Case> cases = {
        {"nominal: the word after N",
         " ОТ 1 ДЕКАБРЯ 2002 Г. N 123 ",
         {"123"},
         " ОТ 1 ДЕКАБРЯ 2002 Г. N *** "},
        {"nominal: trailing brackets and commas are removed",
         " N 45), N 46,) ",
         {"45", "46"},
         nullptr},
        {"nominal: spaces after N are skipped", " N   7 ", {"7"}, " N   * "},
        {"nominal: letters and dashes stay", "N 137-ФЗ; N 27Н", {"137-ФЗ;", "27Н"}, nullptr},
        {"robustness: nothing after N records nothing", " N ", {}, " N "},
        {"robustness: a number of brackets only is not recorded, the search goes on",
         " N ), N 5 ",
         {"5"},
         nullptr},
        {"robustness: a Cyrillic capital is not N", " Н 5 ", {}, nullptr},
        {"robustness: N without a space", " N5 N", {}, nullptr},
        {"robustness: empty text", "", {}, ""},
    };
    for (const auto& c : cases) {
        CFinderProbe probe(m_sd, m_progress);
        std::string text = W(c.text);
        probe.FindNumbers(text);
        EXPECT_EQ(U(probe.Record().m_numbers), c.numbers) << c.name;
        if (c.masked) {
            EXPECT_EQ(U(text), c.masked) << c.name;
        }
    }
}

// ---- OrganInGenitive and OrganInInstrumental ---------------------------------------------

TEST_F(Finders, OrganInCases) {
    CFinderProbe probe(m_sd, m_progress);
    const std::string finance = W("МИНИСТЕРСТВО ФИНАНСОВ РОССИЙСКОЙ ФЕДЕРАЦИИ");
    EXPECT_EQ(U(probe.OrganInGenitive(finance)), "Министерства финансов Российской Федерации");
    EXPECT_EQ(U(probe.OrganInInstrumental(finance)), "Министерством финансов Российской Федерации");
    EXPECT_EQ(U(probe.OrganInGenitive(W("ВЕРХОВНЫЙ СОВЕТ РСФСР"))), "Верховного Совета РСФСР");
    EXPECT_EQ(U(probe.OrganInGenitive(W("НЕИЗВЕСТНЫЙ ОРГАН"))), "НЕИЗВЕСТНЫЙ ОРГАН")
        << "a name no phrase carries comes back unchanged";
}

TEST(OrganInCases, UnlearnedWordsComeOutInLowerCase) {
    CServiceData sd;
    AddOrgan(sd, "ГЛАВНОЕ УПРАВЛЕНИЕ", "ГЛАВНОГО УПРАВЛЕНИЯ", "ГЛАВНЫМ УПРАВЛЕНИЕМ", "");
    CRecordingProgress progress;
    CFinderProbe probe(sd, progress);
    EXPECT_EQ(U(probe.OrganInInstrumental(W("ГЛАВНОЕ УПРАВЛЕНИЕ"))), "главным управлением");
}

TEST(OrganInCases, AnEmptyFormKeepsTheName) {
    CServiceData sd;
    AddOrgan(sd, "СЕНАТ", "", "", "Сенат");
    CRecordingProgress progress;
    CFinderProbe probe(sd, progress);
    EXPECT_EQ(U(probe.OrganInGenitive(W("СЕНАТ"))), "СЕНАТ");
}

// ---- FindAppendices ----------------------------------------------------------------------

// A body paragraph, then an appendix mark and the centred title lines given.
LineList Appendix(std::initializer_list<std::string> titleLines, bool blankAfter = true) {
    LineList lines = {
        BodyLine(), BodyLine(), "", RightAligned("Приложение N 1"), RightAligned("к Положению"),
        ""};
    for (const auto& l : titleLines)
        lines.push_back(l);
    if (blankAfter)
        lines.push_back("");
    lines.push_back(BodyLine());
    return lines;
}

TEST_F(Finders, FindAppendices) {
    struct Case {
        const char* name;
        LineList lines;
        const char* heading;
        const char* title;
        std::vector<std::string> kinds;
    };
    const std::vector<Case> cases = {
        {"nominal: a centred title beginning with a kind, in the instrumental",
         Appendix({Centred("ПРАВИЛА"), Centred("заполнения формы учета")}),
         "",
         " \n(вместе с \"ПРАВИЛАМИ ЗАПОЛНЕНИЯ ФОРМЫ УЧЕТА\")",
         {"ПРАВИЛА"}},
        {"nominal: the kind may share its line with the title",
         Appendix({Centred("ИНСТРУКЦИЯ О ПОРЯДКЕ СВЕРКИ")}),
         "",
         " \n(вместе с \"ИНСТРУКЦИЕЙ О ПОРЯДКЕ СВЕРКИ\")",
         {"ИНСТРУКЦИЯ"}},
        {"nominal: a title line beginning \"(в ред. \" ends the title",
         Appendix({Centred("ПОРЯДОК"), Centred("ВЕДЕНИЯ УЧЕТА"), Centred("(в ред. от 01.02.2003)"),
                   Centred("ЕЩЕ СТРОКА")}),
         "",
         " \n(вместе с \"ПОРЯДКОМ ВЕДЕНИЯ УЧЕТА\")",
         {"ПОРЯДОК"}},
        {"robustness: a centred title followed by a non-centred line is dropped",
         Appendix({Centred("ПРАВИЛА"), BodyLine()}),
         "",
         "",
         {}},
        {"robustness: a title still open at the end of the text is dropped",
         {BodyLine(), "", RightAligned("Приложение"), "", Centred("ПРАВИЛА")},
         "",
         "",
         {}},
        {"robustness: a centred line that begins with no kind is no title",
         Appendix({Centred("ПЕРЕЧЕНЬ ДОКУМЕНТОВ")}),
         "",
         "",
         {}},
        {"robustness: no right-aligned block before the title",
         {BodyLine(), "", Centred("ПРАВИЛА"), ""},
         "",
         "",
         {}},
        {"robustness: no full-width line, the body is never entered",
         {"короткая строка", "", RightAligned("Приложение"), "", Centred("ПРАВИЛА"), ""},
         "",
         "",
         {}},
        {"nominal: a title repeating the end of the heading is left out, its kind stays",
         Appendix({Centred("ПОЛОЖЕНИЕ О ПОРЯДКЕ ВЕДЕНИЯ УЧЕТА")}),
         "ПРИКАЗ ОБ УТВЕРЖДЕНИИ ПОЛОЖЕНИЯ О ПОРЯДКЕ ВЕДЕНИЯ УЧЕТА",
         "",
         {"ПОЛОЖЕНИЕ"}},
        {"nominal: a leading carriage return is removed before the tests",
         Appendix({"\r" + Centred("ПРАВИЛА")}),
         "",
         " \n(вместе с \"ПРАВИЛАМИ\")",
         {"ПРАВИЛА"}},
    };
    for (const auto& c : cases) {
        CFinderProbe probe(m_sd, m_progress);
        probe.FindAppendices(c.lines, W(c.heading));
        EXPECT_EQ(U(probe.Record().m_title), c.title) << c.name;
        EXPECT_EQ(U(probe.Record().m_kinds), c.kinds) << c.name;
    }
}

TEST_F(Finders, FindAppendicesJoinsSeveralTitlesAndAppendsToTheTitle) {
    LineList lines = Appendix({Centred("ПРАВИЛА УЧЕТА")});
    LineList second = {
        "", RightAligned("Приложение N 2"), "", Centred("ИНСТРУКЦИЯ"), Centred("\"О СВЕРКЕ\""), ""};
    lines.insert(lines.end(), second.begin(), second.end());
    CFinderProbe probe(m_sd, m_progress);
    probe.Record().m_title = W("ПРИКАЗ");
    probe.FindAppendices(lines, "");
    EXPECT_EQ(U(probe.Record().m_title),
              "ПРИКАЗ \n(вместе с \"ПРАВИЛАМИ УЧЕТА\", \"ИНСТРУКЦИЕЙ \"О СВЕРКЕ\")")
        << "a title ending in a quote gets no second one";
    EXPECT_EQ(U(probe.Record().m_kinds), (std::vector<std::string>{"ПРАВИЛА", "ИНСТРУКЦИЯ"}));
}

TEST(FindAppendicesStart, ChaptersSectionsAndEmptyNominativesNeverStartATitle) {
    CServiceData sd;
    AddKind(sd, "ГЛАВА", "ГЛАВОЙ", 1);
    AddKind(sd, "РАЗДЕЛ", "РАЗДЕЛОМ", 0);
    AddKind(sd, "", "ПУСТЫМ", 0);
    CRecordingProgress progress;
    for (const char* title : {"ГЛАВА 1", "РАЗДЕЛ I", "ПЕРЕЧЕНЬ"}) {
        CFinderProbe probe(sd, progress);
        probe.FindAppendices(Appendix({Centred(title)}), "");
        EXPECT_EQ(probe.Record().m_title, "") << title;
        EXPECT_TRUE(probe.Record().m_kinds.empty()) << title;
    }
}

TEST(FindAppendicesScale, LinearInTheNumberOfLines) {
    CServiceData sd;
    FillRealisticDictionaries(sd);
    CRecordingProgress progress;
    LineList lines;
    for (int i = 0; i < 20000; ++i) {
        LineList block = Appendix({Centred("ПРАВИЛА")});
        lines.insert(lines.end(), block.begin(), block.end());
    }
    CFinderProbe probe(sd, progress);
    probe.FindAppendices(lines, "");
    EXPECT_EQ(probe.Record().m_kinds.size(), 20000u);
}

} // namespace
} // namespace norvak::test
