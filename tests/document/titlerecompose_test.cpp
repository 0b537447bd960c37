// The title composed again after the operator corrected the requisites: the own title kept,
// the requisite part written afresh, the appendices left as they were, and a title that was
// never composed left alone.

#include "document/titlerecompose.h"

#include "core/codepage.h"
#include "core/operatorio.h"
#include "dictionaries/servicedata.h"
#include "document/settings.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace norvak {
namespace {

class TitleRecompose : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        CScriptedOperator op;
        ASSERT_TRUE(s_dictionaries.Load(NORVAK_BUILT_DICT, op));
    }
    static CServiceData s_dictionaries;
};
CServiceData TitleRecompose::s_dictionaries;

std::string Cp(const char* utf8) {
    return Utf8ToCp1251(utf8);
}

TEST_F(TitleRecompose, TheRequisitePartIsWrittenAfreshAroundTheOwnTitle) {
    struct Case {
        const char* name;
        const char* title;
        const char* date; // the corrected date
        const char* want; // "" when the title is left alone
    };
    const Case cases[] = {
        {"nominal: a corrected date",
         "ПОСТАНОВЛЕНИЕ Правительства Российской Федерации от 12.02.2004 N 75 \n\"ОБ "
         "УТВЕРЖДЕНИИ ПЕРЕЧНЯ\"",
         "13.02.2004",
         "ПОСТАНОВЛЕНИЕ Правительства Российской Федерации от 13.02.2004 N 75 \n\"ОБ "
         "УТВЕРЖДЕНИИ ПЕРЕЧНЯ\""},
        {"nominal: the appendices stay after it",
         "ПОСТАНОВЛЕНИЕ Правительства Российской Федерации от 12.02.2004 N 75 \n\"ОБ "
         "УТВЕРЖДЕНИИ ПЕРЕЧНЯ\" \n(вместе с \"ПЕРЕЧНЕМ ПОКАЗАТЕЛЕЙ\")",
         "13.02.2004",
         "ПОСТАНОВЛЕНИЕ Правительства Российской Федерации от 13.02.2004 N 75 \n\"ОБ "
         "УТВЕРЖДЕНИИ ПЕРЕЧНЯ\" \n(вместе с \"ПЕРЕЧНЕМ ПОКАЗАТЕЛЕЙ\")"},
        {"edge: no own title", "ПОСТАНОВЛЕНИЕ от 12.02.2004 N 75 \n<>", "13.02.2004",
         "ПОСТАНОВЛЕНИЕ Правительства Российской Федерации от 13.02.2004 N 75 \n<>"},
        {"robustness: an act's own name alone is not a composed title",
         "Воздушный кодекс Российской Федерации", "13.02.2004", ""},
    };
    for (const Case& c : cases) {
        CRequisiteRecord r;
        r.m_kinds = {Cp("ПОСТАНОВЛЕНИЕ")};
        r.m_organs = {Cp("ПРАВИТЕЛЬСТВО РОССИЙСКОЙ ФЕДЕРАЦИИ")};
        r.m_numbers = {"75"};
        int d = 0, m = 0, y = 0;
        ASSERT_EQ(std::sscanf(c.date, "%d.%d.%d", &d, &m, &y), 3);
        r.m_adoptionDates = {CDateValue(y, m, d)};
        r.m_title = Cp(c.title);
        CScriptedOperator op;
        const std::optional<std::string> got =
            RecomposedTitle(r, s_dictionaries, DocSettings(), op);
        if (*c.want == '\0') {
            EXPECT_FALSE(got.has_value()) << c.name;
            continue;
        }
        ASSERT_TRUE(got.has_value()) << c.name;
        EXPECT_EQ(Cp1251ToUtf8(*got), c.want) << c.name;
    }
}

} // namespace
} // namespace norvak
