#include "dictionaries/organdict.h"

#include "core/literal.h"
#include "dictbytes.h"
#include "dictionaries/archive.h"
#include "dictionaries/unidict.h"
#include "dictionaries/uppercasedict.h"

#include <gtest/gtest.h>

namespace norvak {
namespace {

using testing::CasesBytes;
using testing::I32;
using testing::Str;

const std::string_view kBodiesError = "Ошибка операции ввода/вывода словаря принявших органов!"_cp;

COrganEntry Body(std::string_view nom, std::string_view gen, std::string_view ins) {
    COrganEntry e;
    e.GetCases().SetForm(CaseNominative, nom);
    e.GetCases().SetForm(CaseGenitive, gen);
    e.GetCases().SetForm(CaseInstrumental, ins);
    return e;
}

TEST(OrganDictTest, SettingTheLetterCaseNameRegistersItsWords) {
    CUniDict uni;
    CUpperCaseDict upper;
    COrganDict d;
    d.SetUniDict(&uni);
    d.SetUpperCaseDict(&upper);
    COrganEntry e = d.CreateEntry();
    EXPECT_EQ(e.GetUniDict(), &uni);
    EXPECT_EQ(e.GetUpperCaseDict(), &upper);
    e.SetLetterCaseName("Министерство  Финансов"_cp);
    EXPECT_EQ(e.LetterCaseName(), "Министерство  Финансов"_cp) << "stored exactly as typed";
    ASSERT_EQ(upper.GetCount(), 2);
    EXPECT_EQ(*upper.Find("МИНИСТЕРСТВО"_cp), "Министерство"_cp);
    EXPECT_EQ(*upper.Find("ФИНАНСОВ"_cp), "Финансов"_cp);

    COrganEntry unlinked;
    unlinked.SetLetterCaseName("Правительство"_cp);
    EXPECT_EQ(unlinked.LetterCaseName(), "Правительство"_cp);
}

TEST(OrganDictTest, SerializeRoundTripDoesNotRegister) {
    CUpperCaseDict upper;
    COrganDict d;
    d.SetUpperCaseDict(&upper);
    COrganEntry e = Body("ПРАВИТЕЛЬСТВО"_cp, "ПРАВИТЕЛЬСТВА"_cp, "ПРАВИТЕЛЬСТВОМ"_cp);
    e.AddAlias(CCases());
    d.Add(e);
    d.Add(Body("B", "", ""));
    d.GetAt(1).SetLetterCaseName("Bb");
    upper.RemoveAll();
    CArchive out;
    CScriptedOperator op;
    ASSERT_TRUE(d.Serialize(out, op));
    EXPECT_EQ(
        out.Data(),
        I32(2) + CasesBytes({"ПРАВИТЕЛЬСТВО"_cp, "ПРАВИТЕЛЬСТВА"_cp, "", "", "ПРАВИТЕЛЬСТВОМ"_cp}) +
            I32(1) + CasesBytes({}) + Str("") + CasesBytes({"B"}) + I32(-1) + Str("Bb"));
    COrganDict back;
    back.SetUpperCaseDict(&upper);
    CArchive in(out.Data());
    ASSERT_TRUE(back.Serialize(in, op));
    EXPECT_EQ(back.Entries(), d.Entries());
    EXPECT_EQ(back.GetAt(0).GetUpperCaseDict(), &upper);
    EXPECT_EQ(upper.GetCount(), 0);
}

TEST(OrganDictTest, LoadErrorsAndEmptyCounts) {
    const std::string a = CasesBytes({"A"}) + I32(-1) + Str("a");
    struct Case {
        const char* name;
        std::string bytes;
        bool ok;
        int entries;
    } cases[] = {
        {"nominal: negative count is empty", I32(-4) + a, true, 0},
        {"nominal: zero count", I32(0), true, 0},
        {"robustness: count beyond the data", I32(50) + a, false, 0},
        {"robustness: truncated second entry keeps the first",
         I32(2) + a + a.substr(0, a.size() - 1), false, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        COrganDict d;
        CScriptedOperator op;
        CArchive in(c.bytes);
        EXPECT_EQ(d.Serialize(in, op), c.ok);
        EXPECT_EQ(d.GetCount(), c.entries);
        EXPECT_EQ(op.Messages().size(), c.ok ? 0u : 1u);
        if (!c.ok) {
            EXPECT_EQ(op.Messages()[0], kBodiesError);
        }
    }
}

TEST(OrganDictTest, SortsAreThoseOfTheKinds) {
    COrganDict d;
    d.Add(Body("A A", "1", ""));
    d.Add(Body("B B", "2", ""));
    d.Add(Body("C", "3", ""));
    d.SortByWordCount();
    EXPECT_EQ(d.GetAt(0).Name(), "C");
    EXPECT_EQ(d.GetAt(1).Name(), "B B");
    EXPECT_EQ(d.GetAt(2).Name(), "A A");
    d.SortByName();
    EXPECT_EQ(d.GetAt(0).Name(), "A A");
    EXPECT_EQ(d.GetAt(2).Name(), "C");
    d.RemoveAt(0);
    EXPECT_EQ(d.GetCount(), 2);
}

TEST(OrganDictTest, SaveListingIsByteExact) {
    COrganDict d;
    COrganEntry minfin = Body("МИНФИН"_cp, "МИНФИНА"_cp, "МИНФИНОМ"_cp);
    minfin.SetLetterCaseName("Минфин"_cp);
    minfin.AddAlias(CCases());
    d.Add(minfin);
    d.Add(Body("ГОСДУМА"_cp, "ГОСДУМЫ"_cp, "ГОСДУМОЙ"_cp));
    d.Add(Body("ВЦСПС"_cp, "", ""));
    testing::TempDir dir;
    const std::string path = dir.File("bodies.txt");
    CScriptedOperator op;
    ASSERT_TRUE(d.SaveListing(path, op));
    const std::string expected = std::string("                           ") +
                                 std::string("Словарь принявших органов\r\n"
                                             "\r\n"
                                             "   1   Именительный падеж: ВЦСПС\r\n"
                                             "       Родительный падеж:  \r\n"
                                             "       Творительный падеж: \r\n"
                                             "       С учётом регистра:  \r\n"
                                             "   2   Именительный падеж: ГОСДУМА\r\n"
                                             "       Родительный падеж:  ГОСДУМЫ\r\n"
                                             "       Творительный падеж: ГОСДУМОЙ\r\n"
                                             "       С учётом регистра:  \r\n"
                                             "   3   Именительный падеж: МИНФИН\r\n"
                                             "       Родительный падеж:  МИНФИНА\r\n"
                                             "       Творительный падеж: МИНФИНОМ\r\n"
                                             "       С учётом регистра:  Минфин\r\n"
                                             "           Псевдонимы\r\n"
                                             "          Именительный падеж: \r\n"
                                             "          Родительный падеж:  \r\n"
                                             "          Творительный падеж: \r\n"
                                             "\r\n"_cp);
    EXPECT_EQ(testing::ReadAll(path), expected);
}

TEST(OrganDictTest, SaveListingErrors) {
    testing::TempDir dir;
    COrganDict d;
    d.Add(Body("A", "", ""));
    CScriptedOperator op;
    EXPECT_FALSE(d.SaveListing(dir.File("missing/x.txt"), op));
    EXPECT_EQ(op.Messages().at(0), "Ошибка открытия файла!"_cp);
    if (std::filesystem::exists("/dev/full")) {
        op.Clear();
        EXPECT_FALSE(d.SaveListing("/dev/full", op));
        EXPECT_EQ(op.Messages().at(0), "Ошибка сохранения файла!"_cp);
    }
}

} // namespace
} // namespace norvak
