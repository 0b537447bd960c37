#include "dictionaries/uppercasedict.h"

#include "core/literal.h"
#include "dictbytes.h"
#include "dictionaries/archive.h"

#include <gtest/gtest.h>

namespace norvak {
namespace {

using testing::I32;
using testing::Str;

TEST(UpperCaseDictTest, SetWordCaseAddsAndReplaces) {
    CUpperCaseDict d;
    d.SetWordCase("РФ"_cp, "РФ"_cp);
    d.SetWordCase("ФИНАНСОВ"_cp, "финансов"_cp);
    d.SetWordCase("ФИНАНСОВ"_cp, "Финансов"_cp);
    EXPECT_EQ(d.GetCount(), 2);
    EXPECT_EQ(*d.Find("ФИНАНСОВ"_cp), "Финансов"_cp);
    EXPECT_EQ(d.Find("НЕТ"_cp), nullptr);
}

TEST(UpperCaseDictTest, LearnLetterCase) {
    CUpperCaseDict d;
    d.LearnLetterCase("МИНИСТЕРСТВО ФИНАНСОВ"_cp, "Министерство финансов"_cp);
    EXPECT_EQ(d.GetCount(), 2);
    EXPECT_EQ(*d.Find("МИНИСТЕРСТВО"_cp), "Министерство"_cp);
    d.LearnLetterCase("МИНИСТЕРСТВО ФИНАНСОВ"_cp, "Министерство Финансов"_cp);
    EXPECT_EQ(*d.Find("ФИНАНСОВ"_cp), "Финансов"_cp);

    CUpperCaseDict other;
    other.LearnLetterCase("МИНИСТЕРСТВО ФИНАНСОВ"_cp, "Министерство"_cp);
    EXPECT_EQ(other.GetCount(), 0) << "different word counts store nothing";
    other.LearnLetterCase("ГЛАВНОЕ УПРАВЛЕНИЕ"_cp, "  Главное   Управление  "_cp);
    EXPECT_EQ(other.GetCount(), 2) << "the empty last word of the typed phrase is not used";
    EXPECT_EQ(*other.Find("УПРАВЛЕНИЕ"_cp), "Управление"_cp);
    other.LearnLetterCase("", "");
    EXPECT_EQ(other.GetCount(), 2) << "an empty name teaches no empty word";
}

TEST(UpperCaseDictTest, ApplyLetterCase) {
    CUpperCaseDict d;
    d.LearnLetterCase("МИНИСТЕРСТВО ФИНАНСОВ РОССИЙСКОЙ ФЕДЕРАЦИИ"_cp,
                      "Министерство финансов Российской Федерации"_cp);
    d.SetWordCase("РФ"_cp, "РФ"_cp);
    d.SetWordCase("КОМ"_cp, "Ко"_cp);
    d.SetWordCase("ДЛИННОЕ"_cp, "ДЛИННОЕСЛОВО"_cp);
    struct Case {
        const char* name;
        std::string_view key;
        std::string_view form;
        std::string_view expected;
    } cases[] = {
        {"nominal: instrumental from the nominative's spellings",
         "МИНИСТЕРСТВО ФИНАНСОВ РОССИЙСКОЙ ФЕДЕРАЦИИ"_cp,
         "МИНИСТЕРСТВОМ ФИНАНСОВ РОССИЙСКОЙ ФЕДЕРАЦИИ"_cp,
         "Министерством финансов Российской Федерации"_cp},
        {"nominal: nothing learned gives lower case", "ГЛАВНОЕ УПРАВЛЕНИЕ"_cp,
         "ГЛАВНЫМ УПРАВЛЕНИЕМ"_cp, "главным управлением"_cp},
        {"nominal: abbreviation stays capital", "РФ"_cp, "РФ"_cp, "РФ"_cp},
        {"boundary: shorter spelling leaves the rest lower", "КОМ"_cp, "КОМИТЕТОМ"_cp,
         "Комитетом"_cp},
        {"boundary: longer spelling used up to the form's length", "ДЛИННОЕ"_cp, "ДЛИН"_cp,
         "ДЛИН"_cp},
        {"robustness: different word counts return the form", "А Б"_cp, "А Б В"_cp, "А Б В"_cp},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(d.ApplyLetterCase(c.key, c.form), c.expected);
    }
}

TEST(UpperCaseDictTest, SerializeInUnsignedKeyOrder) {
    CUpperCaseDict d;
    d.SetWordCase("Я"_cp, "я"_cp);
    d.SetWordCase("ЯБ"_cp, "Яб"_cp);
    d.SetWordCase("A", "a");
    CArchive out;
    CScriptedOperator op;
    ASSERT_TRUE(d.Serialize(out, op));
    EXPECT_EQ(out.Data(), I32(3) + Str("A") + Str("a") + Str("Я"_cp) + Str("я"_cp) + Str("ЯБ"_cp) +
                              Str("Яб"_cp));
    CUpperCaseDict back;
    CArchive in(out.Data());
    ASSERT_TRUE(back.Serialize(in, op));
    EXPECT_EQ(back, d);

    CUpperCaseDict empty;
    CArchive e;
    ASSERT_TRUE(empty.Serialize(e, op));
    EXPECT_EQ(e.Data(), I32(0));
    d.RemoveAll();
    EXPECT_EQ(d.GetCount(), 0);
}

TEST(UpperCaseDictTest, LoadKeepsTheFirstOfDuplicateKeysAndReportsErrors) {
    CScriptedOperator op;
    CUpperCaseDict d;
    CArchive dup(I32(2) + Str("K") + Str("first") + Str("K") + Str("second"));
    ASSERT_TRUE(d.Serialize(dup, op));
    EXPECT_EQ(*d.Find("K"), "first");

    CArchive cut(I32(3) + Str("A") + Str("a") + Str("B"));
    EXPECT_FALSE(d.Serialize(cut, op));
    EXPECT_EQ(d.GetCount(), 1);
    ASSERT_EQ(op.Entries().size(), 1u);
    EXPECT_EQ(op.Entries()[0].text, "Ошибка операции ввода/вывода словаря регистров букв!"_cp);
    EXPECT_EQ(op.Entries()[0].icon, MessageIcon::Error);
}

} // namespace
} // namespace norvak
