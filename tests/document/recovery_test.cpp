// Recovery copies: every field and line comes back exactly, damaged files are refused, the
// folder follows XDG_STATE_HOME, and only copies of editors that no longer run are offered.

#include "document/recovery.h"

#include "core/literal.h"
#include "core/textfile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace norvak {
namespace {

namespace fs = std::filesystem;

std::string S(std::string_view s) {
    return std::string(s);
}

RecoveryCopy FullCopy() {
    RecoveryCopy c;
    c.sourcePath = "/home/оператор/док\\умент.rla";
    CRequisiteRecord& r = c.record;
    r.m_dbNumber = 42;
    r.m_entryDate = CDateValue(2003, 1, 15, 1, 1, 1);
    r.m_textDate = CDateValue(2002, 13, 1); // invalid, kept as such
    r.m_firstEdition = -7;
    r.m_editionDate = CDateValue::Null();
    r.m_status = 2;
    r.m_note = S("строка\nс переводом\r и \\n буквально"_cp);
    r.m_themes = {10, -1, 2030};
    r.m_sources = {"", S("Российская газета"_cp)};
    r.m_links = {"a=b"};
    r.m_kinds = {S("ПРИКАЗ"_cp), "..."};
    r.m_organs = {S("МИНФИН РОССИИ"_cp)};
    r.m_adoptionDates = {CDateValue(2002, 12, 1), CDateValue(2003, 1, 10, 12, 30, 0)};
    r.m_numbers = {S("123н"_cp)};
    r.m_justiceDate = CDateValue(2003, 1, 14);
    r.m_justiceNumber = "4123\\";
    r.m_title = S("ПОЛОЖЕНИЕ \n(вместе с Правилами)"_cp);
    r.m_text = {"", "\x04\x04ZAG---", S("текст\r"_cp), "\\", "end", "line=x", "   "};
    return c;
}

void ExpectSameDate(const CDateValue& a, const CDateValue& b) {
    EXPECT_EQ(a.Value(), b.Value());
    EXPECT_EQ(a.GetStatus(), b.GetStatus());
}

TEST(RecoveryCopy, EveryFieldComesBackExactly) {
    const RecoveryCopy in = FullCopy();
    RecoveryCopy out;
    ASSERT_TRUE(DecodeRecoveryCopy(EncodeRecoveryCopy(in), out));
    const CRequisiteRecord &a = in.record, &b = out.record;
    EXPECT_EQ(out.sourcePath, in.sourcePath);
    EXPECT_EQ(b.m_dbNumber, a.m_dbNumber);
    ExpectSameDate(b.m_entryDate, a.m_entryDate);
    ExpectSameDate(b.m_textDate, a.m_textDate);
    EXPECT_EQ(b.m_firstEdition, a.m_firstEdition);
    ExpectSameDate(b.m_editionDate, a.m_editionDate);
    EXPECT_EQ(b.m_status, a.m_status);
    EXPECT_EQ(b.m_note, a.m_note);
    EXPECT_EQ(b.m_themes, a.m_themes);
    EXPECT_EQ(b.m_sources, a.m_sources);
    EXPECT_EQ(b.m_links, a.m_links);
    EXPECT_EQ(b.m_kinds, a.m_kinds);
    EXPECT_EQ(b.m_organs, a.m_organs);
    ASSERT_EQ(b.m_adoptionDates.size(), a.m_adoptionDates.size());
    for (std::size_t i = 0; i < a.m_adoptionDates.size(); ++i)
        ExpectSameDate(b.m_adoptionDates[i], a.m_adoptionDates[i]);
    EXPECT_EQ(b.m_numbers, a.m_numbers);
    ExpectSameDate(b.m_justiceDate, a.m_justiceDate);
    EXPECT_EQ(b.m_justiceNumber, a.m_justiceNumber);
    EXPECT_EQ(b.m_title, a.m_title);
    EXPECT_EQ(b.m_text, a.m_text);

    RecoveryCopy empty;
    ASSERT_TRUE(DecodeRecoveryCopy(EncodeRecoveryCopy(RecoveryCopy()), empty));
    EXPECT_TRUE(empty.record.m_text.empty());
    EXPECT_TRUE(IsNoDate(empty.record.m_entryDate));
}

TEST(RecoveryCopy, DamagedFilesAreRefused) {
    const std::string good = EncodeRecoveryCopy(FullCopy());
    const std::string cut = good.substr(0, good.size() / 2);
    std::string badInt = good;
    badInt.replace(badInt.find("db=42"), 5, "db=4x");
    std::string badDate = good;
    badDate.replace(badDate.find("entry="), 6, "entry=x");
    struct Case {
        const char* name;
        std::string bytes;
    };
    const Case cases[] = {
        {"error: empty", ""},
        {"error: cut in the middle", cut},
        {"error: cut before the end line", good.substr(0, good.rfind("end"))},
        {"error: the end line without its line end", good.substr(0, good.size() - 1)},
        {"error: another file", "$$\r\n$0 Номер\r\n"},
        {"error: a number that is none", badInt},
        {"error: a date that is none", badDate},
        {"error: a line without a key", S("NORVAK RECOVERY 1\nnonsense\nend\n")},
    };
    for (const Case& c : cases) {
        RecoveryCopy out;
        out.sourcePath = "untouched";
        EXPECT_FALSE(DecodeRecoveryCopy(c.bytes, out)) << c.name;
        EXPECT_EQ(out.sourcePath, "untouched") << c.name;
    }
    RecoveryCopy out;
    EXPECT_TRUE(DecodeRecoveryCopy(S("NORVAK RECOVERY 1\nlater=field\nend\n"), out))
        << "keys of later versions are passed over";
}

TEST(RecoveryFolder, FollowsTheStateHome) {
    EXPECT_EQ(RecoveryFolder("/state", "/home/u"), "/state/norvak");
    EXPECT_EQ(RecoveryFolder(nullptr, "/home/u"), "/home/u/.local/state/norvak");
    EXPECT_EQ(RecoveryFolder("", "/home/u"), "/home/u/.local/state/norvak");
    EXPECT_EQ(RecoveryFolder("relative/state", "/home/u"), "/home/u/.local/state/norvak");
    EXPECT_EQ(RecoveryFolder(nullptr, nullptr), "");
    EXPECT_EQ(RecoveryFolder(nullptr, ""), "");
}

class RecoveryStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_root = fs::temp_directory_path() /
                 ("norvak_recovery_" + std::to_string(::getpid()) + "_" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_root);
        fs::create_directories(m_root);
    }
    void TearDown() override { fs::remove_all(m_root); }
    // The pid of a process that has ended.
    static long EndedPid() {
        const pid_t child = ::fork();
        if (child == 0)
            ::_exit(0);
        ::waitpid(child, nullptr, 0);
        return child;
    }
    fs::path m_root;
};

TEST_F(RecoveryStoreTest, WritesIntoAPrivateFolderAndRemoves) {
    CRecoveryStore store((m_root / "state" / "norvak").string(), 12345);
    ASSERT_TRUE(store.Write(FullCopy()));
    struct stat st {};
    ASSERT_EQ(::stat(store.Folder().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    RecoveryCopy back;
    ASSERT_TRUE(CRecoveryStore::Read(store.Path(), back));
    EXPECT_EQ(back.record.m_text, FullCopy().record.m_text);
    RecoveryCopy other = FullCopy();
    other.record.m_text = {"changed"};
    ASSERT_TRUE(store.Write(other));
    ASSERT_TRUE(CRecoveryStore::Read(store.Path(), back));
    EXPECT_EQ(back.record.m_text, LineList{"changed"});
    EXPECT_EQ(std::distance(fs::directory_iterator(store.Folder()), fs::directory_iterator()), 1)
        << "one file per editor, no temporary file left";
    store.Remove();
    EXPECT_FALSE(fs::exists(store.Path()));
    store.Remove(); // nothing left to remove
}

TEST_F(RecoveryStoreTest, WriteErrors) {
    CRecoveryStore noFolder("", 1);
    std::string error;
    EXPECT_FALSE(noFolder.Write(FullCopy(), &error));
    EXPECT_NE(error.find("HOME"), std::string::npos) << error;
    ASSERT_TRUE(WriteFileAtomic((m_root / "file").string(), "x"));
    CRecoveryStore underFile((m_root / "file" / "norvak").string(), 1);
    error.clear();
    EXPECT_FALSE(underFile.Write(FullCopy(), &error));
    EXPECT_FALSE(error.empty());
}

TEST_F(RecoveryStoreTest, OffersOnlyCopiesOfEditorsThatEnded) {
    const std::string folder = (m_root / "norvak").string();
    const long ended = EndedPid();
    CRecoveryStore crashed(folder, ended), running(folder, ::getppid()), self(folder, ::getpid());
    ASSERT_TRUE(crashed.Write(FullCopy()));
    ASSERT_TRUE(running.Write(FullCopy()));
    ASSERT_TRUE(WriteFileAtomic(folder + "/recovery-abc.txt", "x"));
    ASSERT_TRUE(WriteFileAtomic(folder + "/notes.txt", "x"));
    fs::create_directory(folder + "/recovery-999999999-1.txt"); // not a file
    EXPECT_EQ(self.Orphans(), std::vector<std::string>{crashed.Path()});
    // Its own copy is never offered to an editor; one left by an earlier editor with its pid is.
    ASSERT_TRUE(self.Write(FullCopy()));
    EXPECT_EQ(self.Orphans(), std::vector<std::string>{crashed.Path()});
    CRecoveryStore earlier(folder, ::getpid());
    EXPECT_EQ(earlier.Orphans(), (std::vector<std::string>{crashed.Path(), self.Path()}));
    self.Remove();
    CRecoveryStore::Discard(crashed.Path());
    EXPECT_TRUE(self.Orphans().empty());
    EXPECT_TRUE(CRecoveryStore((m_root / "none").string(), 1).Orphans().empty());
}

} // namespace
} // namespace norvak
