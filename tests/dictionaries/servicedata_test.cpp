#include "dictionaries/servicedata.h"

#include "core/literal.h"
#include "dictbytes.h"
#include "dictionaries/archive.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace norvak {
namespace {

using testing::CasesBytes;
using testing::I32;
using testing::Str;

std::string Golden() {
    return testing::ReadAll(testing::GoldenPath("small_dict.dat"));
}

TEST(ServiceDataTest, DictPathBesideTheExecutable) {
    EXPECT_EQ(CServiceData::DictPath("C:\\Program Files\\Norvak\\norvak.exe"),
              "C:\\Program Files\\Norvak\\dict.dat");
    EXPECT_EQ(CServiceData::DictPath("/opt/norvak/bin/norvak"), "/opt/norvak/bin/dict.dat");
    EXPECT_EQ(CServiceData::DictPath("norvak.exe"), "dict.dat");
}

TEST(ServiceDataTest, GoldenFileLoadsEverySection) {
    CServiceData data;
    CScriptedOperator op;
    ASSERT_TRUE(data.Load(testing::GoldenPath("small_dict.dat"), op));
    EXPECT_TRUE(op.Entries().empty());
    EXPECT_TRUE(data.LoadedCleanly());

    const CDocDict& kinds = data.DocDict();
    ASSERT_EQ(kinds.GetCount(), 2);
    EXPECT_EQ(kinds.GetAt(0).Name(), "ПОСТАНОВЛЕНИЕ"_cp);
    EXPECT_EQ(kinds.GetAt(0).Gender(), 2);
    EXPECT_EQ(kinds.GetAt(0).GetAliasCount(), 0);
    EXPECT_EQ(kinds.GetAt(1).QuoteTitle(), 1);
    ASSERT_EQ(kinds.GetAt(1).GetAliasCount(), 2);
    EXPECT_EQ(kinds.GetAt(1).Aliases()[0].Form(CaseInstrumental), "РАСПОРЯЖЕНИЕМ"_cp);
    EXPECT_EQ(kinds.GetAt(1).Aliases()[0].GetValue(), 7);
    EXPECT_EQ(kinds.GetAt(1).Aliases()[1].Form(CaseNominative), "УКАЗАНИЕ"_cp);
    EXPECT_EQ(kinds.GetAt(1).GetUniDict(), &data.UniDict());

    const COrganDict& bodies = data.OrganDict();
    ASSERT_EQ(bodies.GetCount(), 1);
    EXPECT_EQ(bodies.GetAt(0).GetCases().Form(CaseGenitive), "МИНИСТЕРСТВА ФИНАНСОВ"_cp);
    EXPECT_EQ(bodies.GetAt(0).LetterCaseName(), "Министерство финансов"_cp);
    EXPECT_EQ(bodies.GetAt(0).Aliases().at(0).Form(CaseInstrumental), "МИНФИНОМ"_cp);
    EXPECT_EQ(bodies.GetAt(0).GetUpperCaseDict(), &data.UpperCaseDict());

    ASSERT_EQ(data.SourceDict().GetCount(), 3);
    EXPECT_EQ(data.SourceDict().GetAt(1), "Собрание законодательства РФ"_cp);
    EXPECT_EQ(data.SourceDict().GetAt(2).size(), 300u);
    ASSERT_EQ(data.UniDict().GetCount(), 1);
    EXPECT_EQ(data.UniDict().GetAt(0).Form(CasePrepositional), "Е"_cp);
    EXPECT_EQ(data.UniDict().GetAt(0).GetValue(), 3);
    ASSERT_EQ(data.TemathicsDict().GetCount(), 3);
    EXPECT_EQ(data.TemathicsDict().TreeCount(), 3);
    EXPECT_EQ(data.TemathicsDict().GetAt(2).ParentCode(), 1);
    EXPECT_EQ(data.UpperCaseDict().ApplyLetterCase("МИНИСТЕРСТВО ФИНАНСОВ"_cp,
                                                   "МИНИСТЕРСТВОМ ФИНАНСОВ"_cp),
              "Министерством финансов"_cp);
}

TEST(ServiceDataTest, SaveReproducesTheGoldenBytes) {
    CServiceData data;
    CScriptedOperator op;
    ASSERT_TRUE(data.Load(testing::GoldenPath("small_dict.dat"), op));
    std::string bytes;
    ASSERT_TRUE(data.StoreToBytes(bytes, op));
    EXPECT_EQ(bytes, Golden());

    testing::TempDir dir;
    const std::string path = dir.File("dict.dat");
    ASSERT_EQ(data.Save(path, op), 1);
    CServiceData again;
    ASSERT_TRUE(again.Load(path, op));
    ASSERT_EQ(again.Save(path, op), 1);
    EXPECT_EQ(testing::ReadAll(path), Golden());
    EXPECT_TRUE(op.Entries().empty());
}

TEST(ServiceDataTest, MissingFileGivesEmptyDictionariesAndAFreshFile) {
    testing::TempDir dir;
    const std::string path = dir.File("dict.dat");
    CServiceData data;
    CScriptedOperator op;
    EXPECT_FALSE(data.Load(path, op));
    EXPECT_TRUE(op.Entries().empty()) << "a missing file is not reported";
    ASSERT_EQ(data.Save(path, op), 1);
    EXPECT_EQ(testing::ReadAll(path), std::string(24, '\0'));
    EXPECT_FALSE(std::filesystem::exists(path + ".bak"));
    EXPECT_FALSE(std::filesystem::exists(path + ".damaged"));
}

TEST(ServiceDataTest, SaveKeepsThePreviousFileAsBak) {
    testing::TempDir dir;
    const std::string path = dir.File("dict.dat");
    testing::WriteAll(path, Golden());
    CServiceData data;
    CScriptedOperator op;
    ASSERT_TRUE(data.Load(path, op));
    data.SourceDict().Add("Новый источник"_cp);
    ASSERT_EQ(data.Save(path, op), 1);
    EXPECT_EQ(testing::ReadAll(path + ".bak"), Golden());
    CServiceData back;
    ASSERT_TRUE(back.Load(path, op));
    EXPECT_EQ(back.SourceDict().GetAt(3), "Новый источник"_cp);
    EXPECT_FALSE(std::filesystem::exists(path + ".damaged"));
}

TEST(ServiceDataTest, FailedSaveIsReportedAndLeavesTheOldFile) {
    testing::TempDir dir;
    CServiceData data;
    CScriptedOperator op;
    EXPECT_EQ(data.Save(dir.File("no/such/dir/dict.dat"), op), 0);
    ASSERT_EQ(op.Entries().size(), 1u);
    EXPECT_EQ(op.Entries()[0].text, "Ошибка сохранения файла служебных данных!"_cp);
    EXPECT_EQ(op.Entries()[0].icon, MessageIcon::Exclamation);
}

TEST(ServiceDataTest, TruncatedInSectionTwo) {
    const std::string golden = Golden();
    // Section 1 ends where the bodies count (1) is followed by the body's nominative.
    const std::string bodyStart = I32(1) + Str("МИНИСТЕРСТВО ФИНАНСОВ"_cp);
    const std::size_t section2 = golden.find(bodyStart);
    ASSERT_NE(section2, std::string::npos);
    testing::TempDir dir;
    const std::string path = dir.File("dict.dat");
    testing::WriteAll(path, golden.substr(0, section2 + 30));
    CServiceData data;
    CScriptedOperator op;
    ASSERT_TRUE(data.Load(path, op)) << "a damaged file still loads";
    EXPECT_FALSE(data.LoadedCleanly());
    EXPECT_EQ(data.DocDict().GetCount(), 2);
    EXPECT_EQ(data.OrganDict().GetCount(), 0);
    std::vector<std::string> expected = {
        std::string("Ошибка операции ввода/вывода словаря принявших органов!"_cp),
        std::string("Ошибка операции ввода/вывода словаря источников публикации!"_cp),
        std::string("Ошибка операции ввода/вывода универсального словаря!"_cp),
        std::string("Ошибка операции ввода/вывода словаря тематик!"_cp),
        std::string("Ошибка операции ввода/вывода словаря регистров букв!"_cp),
    };
    EXPECT_EQ(op.Messages(), expected);

    // The first save keeps the damaged file aside; later saves do not copy it again.
    op.Clear();
    ASSERT_EQ(data.Save(path, op), 1);
    EXPECT_EQ(testing::ReadAll(path + ".damaged"), golden.substr(0, section2 + 30));
    ASSERT_EQ(data.Save(path, op), 1);
    EXPECT_FALSE(std::filesystem::exists(path + ".damaged.1"));
    CServiceData back;
    ASSERT_TRUE(back.Load(path, op));
    EXPECT_TRUE(back.LoadedCleanly());
    EXPECT_EQ(back.DocDict().GetCount(), 2);
}

TEST(ServiceDataTest, EarlierDamagedCopyIsNotOverwritten) {
    testing::TempDir dir;
    const std::string path = dir.File("dict.dat");
    testing::WriteAll(path + ".damaged", "older");
    testing::WriteAll(path, I32(5));
    CServiceData data;
    CScriptedOperator op;
    ASSERT_TRUE(data.Load(path, op));
    ASSERT_EQ(data.Save(path, op), 1);
    EXPECT_EQ(testing::ReadAll(path + ".damaged"), "older");
    EXPECT_EQ(testing::ReadAll(path + ".damaged.1"), I32(5));
}

TEST(ServiceDataTest, NegativeKindsCountLetsTheNextSectionReadOn) {
    // Kinds: count -1, then a well-formed rest of the file starting with the bodies.
    const std::string rest = I32(1) + CasesBytes({"A"}) + I32(-1) + Str("a") + I32(1) + Str("src") +
                             I32(0) + I32(0) + I32(0);
    CServiceData data;
    CScriptedOperator op;
    CArchive in(I32(-1) + rest);
    EXPECT_FALSE(data.SerializeAll(in, op));
    EXPECT_EQ(op.Messages(), std::vector<std::string>{std::string(
                                 "Ошибка операции ввода/вывода словаря видов документов!"_cp)});
    EXPECT_EQ(data.OrganDict().GetCount(), 1);
    EXPECT_EQ(data.SourceDict().GetAt(0), "src");
}

TEST(ServiceDataTest, SaveLoadPreservesOrderOfEveryDictionary) {
    CServiceData data;
    CScriptedOperator op;
    for (std::string_view n : {"Z", "A", "M"}) {
        CDocKindEntry k = data.DocDict().CreateEntry();
        k.GetCases().SetForm(CaseNominative, n);
        CCases alias;
        for (std::string_view a : {"3", "1", "2"}) {
            alias.SetForm(CaseNominative, std::string(n) + std::string(a));
            k.AddAlias(alias);
        }
        data.DocDict().Add(k);
        COrganEntry b = data.OrganDict().CreateEntry();
        b.GetCases().SetForm(CaseNominative, n);
        b.SetAliases({alias, CCases()});
        b.SetLetterCaseName(n);
        data.OrganDict().Add(b);
        data.SourceDict().Add(n);
        data.UniDict().Add(alias);
        data.TemathicsDict().AddTheme(n, static_cast<int>(n[0]), 0, op);
    }
    testing::TempDir dir;
    ASSERT_EQ(data.Save(dir.File("dict.dat"), op), 1);
    CServiceData back;
    ASSERT_TRUE(back.Load(dir.File("dict.dat"), op));
    EXPECT_EQ(back.DocDict().Entries(), data.DocDict().Entries());
    EXPECT_EQ(back.OrganDict().Entries(), data.OrganDict().Entries());
    EXPECT_EQ(back.SourceDict(), data.SourceDict());
    EXPECT_EQ(back.UniDict(), data.UniDict());
    EXPECT_EQ(back.TemathicsDict(), data.TemathicsDict());
    EXPECT_EQ(back.UpperCaseDict(), data.UpperCaseDict());
    EXPECT_TRUE(op.Entries().empty());
}

TEST(ServiceDataTest, ClearingAsksTheOperatorFirst) {
    CServiceData data;
    CScriptedOperator op;
    ASSERT_TRUE(data.Load(testing::GoldenPath("small_dict.dat"), op));
    struct Case {
        const char* name;
        std::function<bool(COperator&)> clear;
        std::function<int()> count;
        std::string_view question;
    } cases[] = {
        {"kinds", [&](COperator& o) { return data.DocDict().ConfirmRemoveAll(o); },
         [&] { return data.DocDict().GetCount(); }, "Удалить все виды документов?"_cp},
        {"bodies", [&](COperator& o) { return data.OrganDict().ConfirmRemoveAll(o); },
         [&] { return data.OrganDict().GetCount(); }, "Удалить все принявшие органы?"_cp},
        {"sources", [&](COperator& o) { return data.SourceDict().ConfirmRemoveAll(o); },
         [&] { return data.SourceDict().GetCount(); }, "Удалить все источники публикаций?"_cp},
        {"universal", [&](COperator& o) { return data.UniDict().ConfirmRemoveAll(o); },
         [&] { return data.UniDict().GetCount(); }, "Очистить словарь падежей?"_cp},
        {"themes", [&](COperator& o) { return data.TemathicsDict().ConfirmRemoveAll(o); },
         [&] { return data.TemathicsDict().GetCount(); }, "Очистить словарь тематик?"_cp},
        {"letter case", [&](COperator& o) { return data.UpperCaseDict().ConfirmRemoveAll(o); },
         [&] { return data.UpperCaseDict().GetCount(); },
         "Очистить словарь регистров букв в принявших органах?"_cp},
        {"aliases",
         [&](COperator& o) { return data.DocDict().GetAt(1).ConfirmRemoveAllAliases(o); },
         [&] { return data.DocDict().GetCount() ? data.DocDict().GetAt(1).GetAliasCount() : 0; },
         "Удалить все псевдонимы?"_cp},
    };
    // Aliases first, while the kinds are still there.
    std::rotate(std::begin(cases), std::end(cases) - 1, std::end(cases));
    for (Case& c : cases) {
        SCOPED_TRACE(c.name);
        const int before = c.count();
        ASSERT_GT(before, 0);
        CScriptedOperator no(Answer::No);
        EXPECT_FALSE(c.clear(no));
        EXPECT_EQ(c.count(), before);
        EXPECT_EQ(no.Questions(), std::vector<std::string>{std::string(c.question)});
        CScriptedOperator yes(Answer::Yes);
        EXPECT_TRUE(c.clear(yes));
        EXPECT_EQ(c.count(), 0);
    }
}

} // namespace
} // namespace norvak
