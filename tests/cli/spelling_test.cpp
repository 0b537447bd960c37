#include "clitestutil.h"
#include "core/codepage.h"
#include "core/textfile.h"
#include "spelling/spellingfiles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace norvak {
namespace {
namespace fs = std::filesystem;
using test::RunCliCapture;
using test::ScratchDir;

const std::string kDict = NORVAK_BUILT_DICT;

// A DOS text (CP866, CR LF) of UTF-8 lines.
std::string WriteDos(const ScratchDir& dir, const std::string& name,
                     std::initializer_list<const char*> lines) {
    std::string bytes;
    for (const char* l : lines)
        bytes += Cp1251ToCp866(Utf8ToCp1251(l)) + "\r\n";
    const std::string path = dir / name;
    EXPECT_TRUE(WriteFileAtomic(path, bytes));
    return path;
}

// The commands run with the installed dictionary; skipped without it.
class CliSpelling : public testing::Test {
protected:
    void SetUp() override {
        ::unsetenv("NORVAK_HUNSPELL_DIR");
        ::setenv("XDG_DATA_HOME", (m_dir / "data").c_str(), 1); // no personal list
        if (FindHunspellDir(HunspellSearchDirs()).empty())
            GTEST_SKIP() << "hunspell-ru is not installed";
        m_text = WriteDos(m_dir, "doc.txt",
                          {"ПОСТАНОВЛЕНИЕ", "", "Министерсво финансов Pоссийской Федерации",
                           "суды постановлят, ст. 5 закона N 167-ФЗ"});
    }
    ScratchDir m_dir;
    std::string m_text;
};

TEST_F(CliSpelling, ConvertListsTheUnknownWordsWithTheirLines) {
    auto r = RunCliCapture(
        {"convert", m_text, "-o", m_dir / "doc.rla", "--dict", kDict, "--no-tags", "--spelling"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("Spelling: 3 unknown of 11 words\n"
                         "  line 3: Министерсво\n"
                         "  line 3: Pоссийской (латиница в слове)\n"
                         "  line 4: постановлят\n"),
              std::string::npos)
        << r.out;
    auto plain = RunCliCapture({"convert", m_text, "-o", m_dir / "doc.rla", "--dict", kDict});
    EXPECT_EQ(plain.out.find("Spelling:"), std::string::npos) << "only when asked";
}

TEST_F(CliSpelling, BatchReportCountsThemInItsSpellingColumn) {
    auto r = RunCliCapture({"batch", m_text, "-o", m_dir / "out", "--dict", kDict});
    ASSERT_EQ(r.status, 0) << r.err;
    std::string csv;
    ASSERT_TRUE(ReadFileBytes(m_dir / "out/report.csv", csv));
    EXPECT_NE(csv.find(",output,spelling\r\n"), std::string::npos) << csv;
    EXPECT_NE(csv.find(",3: Министерсво; Pоссийской (латиница в слове); постановлят\r\n"),
              std::string::npos)
        << csv;

    auto off =
        RunCliCapture({"batch", m_text, "-o", m_dir / "off", "--dict", kDict, "--no-spelling"});
    ASSERT_EQ(off.status, 0) << off.err;
    ASSERT_TRUE(ReadFileBytes(m_dir / "off/report.csv", csv));
    EXPECT_NE(csv.find("off/doc.rla,\r\n"), std::string::npos) << "the column left empty\n" << csv;
    EXPECT_EQ(csv.find("3: Министерсво"), std::string::npos) << csv;
}

TEST(CliSpellingMissing, ConvertFailsBeforeWritingAndBatchLeavesTheColumnEmpty) {
    ScratchDir dir;
    const std::string text = WriteDos(dir, "doc.txt", {"Министерсво финансов"});
    ::setenv("NORVAK_HUNSPELL_DIR", (dir / "none").c_str(), 1);
    auto convert =
        RunCliCapture({"convert", text, "-o", dir / "doc.rla", "--dict", kDict, "--spelling"});
    auto batch = RunCliCapture({"batch", text, "-o", dir / "out", "--dict", kDict});
    ::unsetenv("NORVAK_HUNSPELL_DIR");
    EXPECT_EQ(convert.status, 1);
    EXPECT_NE(convert.err.find("spell checking unavailable"), std::string::npos) << convert.err;
    EXPECT_FALSE(fs::exists(dir / "doc.rla")) << "nothing is written on failure";
    EXPECT_EQ(batch.status, 0) << batch.err;
    EXPECT_NE(batch.err.find("spell checking unavailable"), std::string::npos) << batch.err;
    EXPECT_TRUE(fs::exists(dir / "out/doc.rla"));
}

} // namespace
} // namespace norvak
