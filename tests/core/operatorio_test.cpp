#include "core/literal.h"
#include "core/operatorio.h"
#include "core/progress.h"

#include <gtest/gtest.h>

#include <string>

namespace norvak {
namespace {

TEST(FormatMessage, FirstConversionTakesTheArgument) {
    struct Case {
        const char* name;
        std::string format;
        std::string text;
        std::string out;
    };
    const Case cases[] = {
        {"nominal: string", std::string("Ошибка чтения файла %s!"_cp), "a.txt",
         std::string("Ошибка чтения файла a.txt!"_cp)},
        {"nominal: left-justified width", "[%-5s]", "x", "[x    ]"},
        {"nominal: right-justified width", "[%3s]", "x", "[  x]"},
        {"nominal: precision cuts the string", "[%.2s]", "xyz", "[xy]"},
        {"edge: text wider than the width", "[%2s]", "xyz", "[xyz]"},
        {"nominal: length modifier", "n=%ld.", "7", "n=7."},
        {"nominal: long long modifier", "n=%lld.", "7", "n=7."},
        {"edge: percent sign doubled", "100%% %s", "x", "100% x"},
        {"edge: second conversion stays", "%s and %s", "x", "x and %s"},
        {"edge: lone percent at the end", "100%", "x", "100%"},
        {"edge: no conversion", "plain", "x", "plain"},
        {"edge: empty format", "", "x", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatMessage(c.format, c.text), c.out) << c.name;
    EXPECT_EQ(FormatMessage("%d lines", 42), "42 lines");
    EXPECT_EQ(FormatMessage("%i", -5), "-5");
    EXPECT_EQ(FormatMessage(" %3i.", 7), "   7.");
    EXPECT_EQ(FormatMessage("%05d", -42), "-0042");
    EXPECT_EQ(FormatMessage("%-4d|", 42), "42  |");
    EXPECT_EQ(FormatMessage("%+d", 3), "+3");
    EXPECT_EQ(FormatMessage("%.3d", 5), "005");
    EXPECT_EQ(FormatMessage("%d", -9223372036854775807LL - 1), "-9223372036854775808");
}

TEST(ScriptedOperator, RecordsMessagesAndAnswers) {
    CScriptedOperator op(Answer::Cancel);
    op.Message("m1", MessageIcon::Error);
    EXPECT_EQ(op.AskYesNo("q1"), Answer::No) << "a Yes/No box has no Cancel";
    EXPECT_EQ(op.AskYesNoCancel("q2"), Answer::Cancel);
    op.SetAnswer(Answer::Yes);
    EXPECT_EQ(op.AskYesNo("q3"), Answer::Yes);
    EXPECT_EQ(op.Messages(), (std::vector<std::string>{"m1"}));
    EXPECT_EQ(op.Questions(), (std::vector<std::string>{"q1", "q2", "q3"}));
    ASSERT_EQ(op.Entries().size(), 4u);
    EXPECT_EQ(op.Entries()[0].icon, MessageIcon::Error);
    op.Clear();
    EXPECT_TRUE(op.Entries().empty());
}

TEST(RecordingProgress, StepsShowTheRegisteredTextsInOrder) {
    CRecordingProgress p;
    p.Begin();
    p.AddTexts({"one", "two"});
    p.StepAndPump();
    p.Step();
    p.Step(); // past the list: shows nothing
    EXPECT_EQ(p.Shown(), (std::vector<std::string>{"one", "two"}));
    EXPECT_EQ(p.Steps(), 3);
    EXPECT_EQ(p.Pumps(), 1);
    p.Begin();
    EXPECT_TRUE(p.Texts().empty());
    EXPECT_TRUE(p.Shown().empty());
    EXPECT_EQ(p.Begins(), 2);
    // The do-nothing receiver accepts everything.
    NullProgress().Begin();
    NullProgress().AddTexts({"x"});
    NullProgress().StepAndPump();
    NullProgress().End();
}

} // namespace
} // namespace norvak
