#include "dictionaries/dictmerge.h"

#include "core/filelock.h"
#include "core/literal.h"
#include "dictbytes.h"
#include "dictionaries/archive.h"
#include "dictionaries/servicedata.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace norvak {
namespace {

namespace fs = std::filesystem;

std::string Golden() {
    return testing::ReadAll(testing::GoldenPath("small_dict.dat"));
}

void LoadGolden(CServiceData& data) {
    CScriptedOperator op;
    CArchive in(Golden());
    ASSERT_TRUE(data.SerializeAll(in, op));
}

void AddKind(CServiceData& data, std::string_view name) {
    CDocKindEntry k = data.DocDict().CreateEntry();
    k.GetCases().SetForm(CaseNominative, name);
    data.DocDict().Add(k);
}

std::vector<std::string> KindNames(const CServiceData& data) {
    std::vector<std::string> names;
    for (const CDocKindEntry& e : data.DocDict().Entries())
        names.push_back(e.Name());
    std::sort(names.begin(), names.end());
    return names;
}

bool HasKind(const CServiceData& data, std::string_view name) {
    const auto& all = data.DocDict().Entries();
    return std::any_of(all.begin(), all.end(), [&](const auto& e) { return e.Name() == name; });
}

// Two editors on one dict.dat, each adding a kind and committing: the second to write brings
// in the first one's kind instead of erasing it.
TEST(SharedDictionary, TwoDocumentsOnOneFileEachAddingAKindKeepBoth) {
    testing::TempDir dir;
    const std::string path = dir.File("dict.dat");
    testing::WriteAll(path, Golden());
    CScriptedOperator op;
    CServiceData first, second;
    ASSERT_TRUE(first.Load(path, op));
    ASSERT_TRUE(second.Load(path, op));
    AddKind(first, "ПРИКАЗ"_cp);
    AddKind(second, "РАСПОРЯЖЕНИЕ"_cp);
    ASSERT_EQ(first.Save(path, op), 1);
    ASSERT_EQ(second.Save(path, op), 1);
    EXPECT_TRUE(op.Entries().empty()) << "no conflict, nothing asked";
    EXPECT_TRUE(HasKind(second, "ПРИКАЗ"_cp)) << "the writer holds the merged dictionaries";

    CServiceData back;
    ASSERT_TRUE(back.Load(path, op));
    EXPECT_EQ(back.DocDict().GetCount(), 4);
    EXPECT_TRUE(HasKind(back, "ПРИКАЗ"_cp));
    EXPECT_TRUE(HasKind(back, "РАСПОРЯЖЕНИЕ"_cp));
    // The first, saving again at its exit with nothing new, writes nothing and erases nothing.
    ASSERT_EQ(first.Save(path, op), 1);
    CServiceData after;
    ASSERT_TRUE(after.Load(path, op));
    EXPECT_EQ(KindNames(after), KindNames(back));
}

// Two processes adding kinds in turn as fast as they can: the lock and the merge keep every
// kind of both.
TEST(SharedDictionary, TwoProcessesAddingKindsKeepEveryOne) {
    testing::TempDir dir;
    const std::string path = dir.File("dict.dat");
    testing::WriteAll(path, Golden());
    constexpr int kRounds = 15;
    pid_t children[2];
    for (int c = 0; c < 2; ++c) {
        children[c] = ::fork();
        ASSERT_GE(children[c], 0);
        if (children[c] == 0) {
            CScriptedOperator op;
            CServiceData data;
            if (!data.Load(path, op))
                std::_Exit(10);
            for (int i = 0; i < kRounds; ++i) {
                AddKind(data, "KIND " + std::to_string(c) + "-" + std::to_string(i));
                if (data.Save(path, op) != 1)
                    std::_Exit(11);
            }
            std::_Exit(op.Entries().empty() ? 0 : 12);
        }
    }
    for (pid_t child : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    }
    CServiceData back;
    CScriptedOperator op;
    ASSERT_TRUE(back.Load(path, op));
    EXPECT_TRUE(back.LoadedCleanly());
    EXPECT_EQ(back.DocDict().GetCount(), 2 + 2 * kRounds);
    for (int c = 0; c < 2; ++c)
        for (int i = 0; i < kRounds; ++i)
            EXPECT_TRUE(HasKind(back, "KIND " + std::to_string(c) + "-" + std::to_string(i)));
}

TEST(SharedDictionary, AFileRemovedMeanwhileIsWrittenWholeAgain) {
    testing::TempDir dir;
    const std::string path = dir.File("dict.dat");
    testing::WriteAll(path, Golden());
    CServiceData data;
    CScriptedOperator op;
    ASSERT_TRUE(data.Load(path, op));
    AddKind(data, "ПРИКАЗ"_cp);
    fs::remove(path);
    ASSERT_EQ(data.Save(path, op), 1);
    CServiceData back;
    ASSERT_TRUE(back.Load(path, op));
    EXPECT_EQ(back.DocDict().GetCount(), 3) << "not taken as every entry removed";
    EXPECT_EQ(back.SourceDict().GetCount(), 3);
}

TEST(SharedDictionary, NothingChangedWritesNothing) {
    testing::TempDir dir;
    const std::string path = dir.File("dict.dat");
    testing::WriteAll(path, Golden());
    struct stat before {};
    ASSERT_EQ(::stat(path.c_str(), &before), 0);
    CServiceData data;
    CScriptedOperator op;
    ASSERT_TRUE(data.Load(path, op));
    // What the opening road does to the dictionaries is no change.
    data.DocDict().SortByWordCount();
    data.OrganDict().SortByName();
    data.SourceDict().Sort();
    EXPECT_FALSE(data.NeedsSave(path));
    ::chmod(dir.Path().c_str(), 0555); // a read-only dictionary folder
    EXPECT_EQ(data.Save(path, op), 1);
    ::chmod(dir.Path().c_str(), 0755);
    EXPECT_TRUE(op.Entries().empty());
    struct stat after {};
    ASSERT_EQ(::stat(path.c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino) << "the file was not replaced";
    EXPECT_FALSE(fs::exists(path + ".bak"));
    EXPECT_FALSE(fs::exists(path + ".lock")) << "not even the lock was taken";

    data.SourceDict().Add("Новый источник"_cp);
    EXPECT_TRUE(data.NeedsSave(path));
    EXPECT_TRUE(data.NeedsSave(dir.File("other.dat"))) << "another file is always written";
}

TEST(SharedDictionary, ASaveWaitsForTheLockAndFailsClearlyWhenItStaysTaken) {
    testing::TempDir dir;
    const std::string path = dir.File("dict.dat");
    testing::WriteAll(path, Golden());
    CServiceData data;
    CScriptedOperator op;
    ASSERT_TRUE(data.Load(path, op));
    data.SourceDict().Add("Новый источник"_cp);
    CFileLock other;
    ASSERT_TRUE(other.Lock(path + ".lock", 0));
    CFileLock second;
    std::string error;
    EXPECT_FALSE(second.Lock(path + ".lock", 0, &error)) << "a second holder is refused";
    EXPECT_NE(error.find("held by another program"), std::string::npos) << error;
    other.Unlock();
    EXPECT_EQ(data.Save(path, op), 1);
}

TEST(SharedDictionary, TheBackupReplacesASymlinkInsteadOfWritingThroughIt) {
    testing::TempDir dir;
    const std::string path = dir.File("dict.dat");
    testing::WriteAll(path, Golden());
    testing::WriteAll(dir.File("victim"), "precious");
    fs::create_symlink(dir.File("victim"), path + ".bak");
    CServiceData data;
    CScriptedOperator op;
    ASSERT_TRUE(data.Load(path, op));
    data.SourceDict().Add("Новый источник"_cp);
    ASSERT_EQ(data.Save(path, op), 1);
    EXPECT_EQ(testing::ReadAll(dir.File("victim")), "precious");
    EXPECT_FALSE(fs::is_symlink(path + ".bak"));
    EXPECT_EQ(testing::ReadAll(path + ".bak"), Golden());
}

TEST(SharedDictionary, TheDamagedCopyIsNamedAndMadeOnce) {
    testing::TempDir dir;
    const std::string path = dir.File("dict.dat");
    const std::string damaged = Golden().substr(0, 40);
    testing::WriteAll(path, damaged);
    for (int run = 0; run < 2; ++run) {
        CServiceData data;
        CScriptedOperator op;
        ASSERT_TRUE(data.Load(path, op));
        ASSERT_FALSE(data.LoadedCleanly());
        EXPECT_EQ(data.KeepDamagedCopy(), path + ".damaged") << "run " << run;
    }
    EXPECT_EQ(testing::ReadAll(path + ".damaged"), damaged);
    EXPECT_FALSE(fs::exists(path + ".damaged.1"));
}

TEST(SharedDictionary, AFileThatCannotBeReadIsToldApartFromADamagedOne) {
    testing::TempDir dir;
    const std::string path = dir.File("dict.dat");
    fs::create_directories(path);
    CServiceData data;
    CScriptedOperator op;
    EXPECT_FALSE(data.Load(path, op));
    EXPECT_TRUE(data.Unreadable());
    EXPECT_NE(data.ReadError().find("directory"), std::string::npos) << data.ReadError();
    EXPECT_TRUE(op.Entries().empty());
    EXPECT_EQ(data.Save(path, op), 1) << "nothing changed: nothing to write, no error";
    EXPECT_TRUE(op.Entries().empty());

    CServiceData missing;
    EXPECT_FALSE(missing.Load(dir.File("none.dat"), op));
    EXPECT_FALSE(missing.Unreadable());
}

// ---------------------------------------------------------------- merging entry by entry

struct MergeCase {
    const char* name;
    std::function<void(CServiceData&)> mine;
    std::function<void(CServiceData&)> theirs;
    Answer answer;
    int questions;
    std::function<void(const CServiceData&)> check;
};

COrganEntry* Body(CServiceData& d, std::string_view name) {
    for (int i = 0; i < d.OrganDict().GetCount(); ++i)
        if (d.OrganDict().GetAt(i).Name() == name)
            return &d.OrganDict().GetAt(i);
    return nullptr;
}

void RenameTheme(CServiceData& d, int index, std::string_view name) {
    std::vector<CTemathicsRec> themes = d.TemathicsDict().Themes();
    themes[static_cast<std::size_t>(index)].SetName(name);
    d.TemathicsDict().SetThemes(themes);
}

TEST(DictionaryMerge, ChangesOfBothSidesComeTogether) {
    const std::string minfin(std::string_view("МИНИСТЕРСТВО ФИНАНСОВ"_cp));
    const MergeCase cases[] = {
        {"nominal: kinds added on both sides", [](CServiceData& d) { AddKind(d, "A"); },
         [](CServiceData& d) { AddKind(d, "B"); }, Answer::No, 0,
         [](const CServiceData& d) {
             EXPECT_TRUE(HasKind(d, "A"));
             EXPECT_TRUE(HasKind(d, "B"));
             EXPECT_EQ(d.DocDict().GetCount(), 4);
         }},
        {"nominal: the same kind added on both sides is kept once",
         [](CServiceData& d) { AddKind(d, "A"); }, [](CServiceData& d) { AddKind(d, "A"); },
         Answer::No, 0, [](const CServiceData& d) { EXPECT_EQ(d.DocDict().GetCount(), 3); }},
        {"nominal: a body edited there only takes their edit", [](CServiceData&) {},
         [&](CServiceData& d) { Body(d, minfin)->SetLetterCaseName("Минфин России"_cp); },
         Answer::Yes, 0,
         [&](const CServiceData& d) {
             EXPECT_EQ(d.OrganDict().GetAt(0).LetterCaseName(), "Минфин России"_cp);
         }},
        {"nominal: a source removed there and one added here",
         [](CServiceData& d) { d.SourceDict().Add("Мой источник"_cp); },
         [](CServiceData& d) { d.SourceDict().RemoveAt(0); }, Answer::No, 0,
         [](const CServiceData& d) {
             EXPECT_EQ(d.SourceDict().GetCount(), 3);
             EXPECT_EQ(d.SourceDict().Sources().back(), "Мой источник"_cp);
         }},
        {"nominal: a kind removed here stays removed",
         [](CServiceData& d) { d.DocDict().RemoveAt(0); },
         [](CServiceData& d) { d.SourceDict().Add("x"); }, Answer::No, 0,
         [](const CServiceData& d) {
             EXPECT_EQ(d.DocDict().GetCount(), 1);
             EXPECT_EQ(d.SourceDict().GetCount(), 4);
         }},
        {"nominal: a theme and a letter-case word added there", [](CServiceData&) {},
         [](CServiceData& d) {
             CScriptedOperator op;
             d.TemathicsDict().AddTheme("НАЛОГИ"_cp, 77, 0, op);
             d.UpperCaseDict().SetWordCase("МИНФИН"_cp, "Минфин"_cp);
         },
         Answer::No, 0,
         [](const CServiceData& d) {
             EXPECT_EQ(d.TemathicsDict().GetCount(), 4);
             EXPECT_NE(d.UpperCaseDict().Find("МИНФИН"_cp), nullptr);
         }},
        {"conflict: a theme renamed on both sides, the operator keeps this side's",
         [](CServiceData& d) { RenameTheme(d, 1, "ЗДЕСЬ"_cp); },
         [](CServiceData& d) { RenameTheme(d, 1, "ТАМ"_cp); }, Answer::Yes, 1,
         [](const CServiceData& d) { EXPECT_EQ(d.TemathicsDict().GetAt(1).Name(), "ЗДЕСЬ"_cp); }},
        {"conflict: a theme renamed on both sides, the operator takes the other's",
         [](CServiceData& d) { RenameTheme(d, 1, "ЗДЕСЬ"_cp); },
         [](CServiceData& d) { RenameTheme(d, 1, "ТАМ"_cp); }, Answer::No, 1,
         [](const CServiceData& d) { EXPECT_EQ(d.TemathicsDict().GetAt(1).Name(), "ТАМ"_cp); }},
        {"conflict: a body edited here and removed there, kept on Yes",
         [&](CServiceData& d) { Body(d, minfin)->SetLetterCaseName("Минфин"_cp); },
         [](CServiceData& d) { d.OrganDict().RemoveAll(); }, Answer::Yes, 1,
         [](const CServiceData& d) { EXPECT_EQ(d.OrganDict().GetCount(), 1); }},
        {"conflict: a body removed here and edited there, removed on Yes",
         [](CServiceData& d) { d.OrganDict().RemoveAll(); },
         [&](CServiceData& d) { Body(d, minfin)->SetLetterCaseName("Минфин"_cp); }, Answer::Yes, 1,
         [](const CServiceData& d) { EXPECT_EQ(d.OrganDict().GetCount(), 0); }},
    };
    for (const MergeCase& c : cases) {
        SCOPED_TRACE(c.name);
        CServiceData base, mine, theirs;
        LoadGolden(base);
        LoadGolden(mine);
        LoadGolden(theirs);
        c.mine(mine);
        c.theirs(theirs);
        CScriptedOperator op(c.answer);
        EXPECT_EQ(MergeDictionaries(base, mine, theirs, op), c.questions);
        EXPECT_EQ(op.Questions().size(), static_cast<std::size_t>(c.questions));
        c.check(mine);
        // Merged entries are linked to the dictionaries they now live in.
        for (const CDocKindEntry& e : mine.DocDict().Entries())
            EXPECT_EQ(e.GetUniDict(), &mine.UniDict());
        for (const COrganEntry& e : mine.OrganDict().Entries())
            EXPECT_EQ(e.GetUpperCaseDict(), &mine.UpperCaseDict());
    }
}

TEST(DictionaryMerge, SameDictionariesIgnoresOrderOnly) {
    CServiceData a, b;
    LoadGolden(a);
    LoadGolden(b);
    b.DocDict().SortByWordCount();
    b.SourceDict().Sort();
    EXPECT_TRUE(SameDictionaries(a, b));
    b.DocDict().GetAt(0).SetGender(GenderFeminine);
    EXPECT_FALSE(SameDictionaries(a, b));
}

} // namespace
} // namespace norvak
