#include "cli/clienv.h"
#include "clitestutil.h"
#include "core/codepage.h"
#include "core/textfile.h"
#include "document/sourceformat.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace norvak {
namespace {
namespace fs = std::filesystem;
using test::RunCliCapture;
using test::ScratchDir;

const std::string kSample =
    std::string(NORVAK_SOURCE_DIR) + "/data/samples/composed_postanovlenie_tablica.cp866.txt";
const std::string kDict = NORVAK_BUILT_DICT;

std::string Read(const std::string& path) {
    std::string bytes;
    ReadFileBytes(path, bytes);
    return bytes;
}

struct UsageCase {
    const char* name;
    std::vector<std::string> args;
    int status;
    const char* errText;
};

class CliUsage : public testing::TestWithParam<UsageCase> {};

TEST_P(CliUsage, ExitsWithAClearMessage) {
    const UsageCase& c = GetParam();
    auto r = RunCliCapture(c.args);
    EXPECT_EQ(r.status, c.status) << r.err;
    EXPECT_NE(r.err.find(c.errText), std::string::npos) << r.err;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CliUsage,
    testing::Values(
        UsageCase{"no_arguments", {}, 2, "Usage"},
        UsageCase{"unknown_command", {"frobnicate"}, 2, "unknown command 'frobnicate'"},
        UsageCase{"unknown_option", {"convert", "x.txt", "--bogus"}, 2, "unknown option --bogus"},
        UsageCase{"missing_value", {"convert", "x.txt", "-o"}, 2, "needs a value"},
        UsageCase{"bad_number", {"convert", "x.txt", "--string-length", "6x"}, 2, "whole number"},
        UsageCase{"negative_paragraph",
                  {"convert", "x.txt", "--pos-paragraph", "-1"},
                  2,
                  "--pos-paragraph must be between 0 and 40, not -1"},
        UsageCase{"zero_length",
                  {"convert", "x.txt", "--string-length", "0"},
                  2,
                  "--string-length must be between 20 and 255"},
        UsageCase{"huge_left_spaces",
                  {"batch", "x", "-o", "y", "--left-spaces", "2147483647"},
                  2,
                  "--left-spaces must be between 1 and 250"},
        UsageCase{"bad_type", {"convert", "x.txt", "--type", "pdf"}, 2, "--type must be"},
        UsageCase{"two_inputs", {"convert", "a", "b"}, 2, "exactly one input"},
        UsageCase{"missing_dict",
                  {"convert", "a", "--dict", "/nonexistent/dict.dat"},
                  2,
                  "dictionary file not found"},
        UsageCase{"missing_input",
                  {"convert", "/nonexistent/in.txt", "--dict", kDict},
                  1,
                  "cannot read /nonexistent/in.txt"},
        UsageCase{"batch_without_outdir", {"batch", "x"}, 2, "-o OUTDIR"},
        UsageCase{"dict_without_subcommand", {"dict"}, 2, "Usage"}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(Cli, HelpAndVersionSucceed) {
    auto help = RunCliCapture({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("convert INPUT"), std::string::npos);
    auto version = RunCliCapture({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.rfind("norvak-cli ", 0), 0u);
}

TEST(Cli, ConvertWritesTheSourceFileAndPrintsTheRequisites) {
    ScratchDir dir;
    std::string out = dir / "doc.rla";
    auto r = RunCliCapture({"convert", kSample, "-o", out, "--dict", kDict});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("Written: " + out), std::string::npos);
    EXPECT_NE(r.out.find("ПОСТАНОВЛЕНИЕ"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("12.02.2004"), std::string::npos) << r.out;
    CRequisiteRecord rec = ReadSourceBytes(Read(out), true);
    ASSERT_FALSE(rec.m_kinds.empty());
    EXPECT_EQ(Cp1251ToUtf8(rec.m_kinds[0]), "ПОСТАНОВЛЕНИЕ");
    ASSERT_FALSE(rec.m_numbers.empty());
    EXPECT_EQ(rec.m_numbers[0], "75");
}

TEST(Cli, ConvertTwiceGivesTheSameBytes) {
    ScratchDir dir;
    ASSERT_EQ(RunCliCapture({"convert", kSample, "-o", dir / "a.rla", "--dict", kDict}).status, 0);
    ASSERT_EQ(RunCliCapture({"convert", kSample, "-o", dir / "b.rla", "--dict", kDict}).status, 0);
    EXPECT_EQ(Read(dir / "a.rla"), Read(dir / "b.rla"));
}

TEST(Cli, ReconvertingTheMarkedOutputKeepsItsText) {
    ScratchDir dir;
    ASSERT_EQ(RunCliCapture({"convert", kSample, "-o", dir / "a.rla", "--dict", kDict}).status, 0);
    auto r = RunCliCapture(
        {"convert", dir / "a.rla", "-o", dir / "b.rla", "--type", "marked", "--dict", kDict});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadSourceBytes(Read(dir / "a.rla"), true).m_text,
              ReadSourceBytes(Read(dir / "b.rla"), true).m_text);
}

TEST(Cli, NothingIsWrittenWhenTheOutputDirectoryIsMissing) {
    ScratchDir dir;
    std::string out = dir / "no/such/dir/doc.rla";
    auto r = RunCliCapture({"convert", kSample, "-o", out, "--dict", kDict});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("cannot write"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(out));
}

TEST(Cli, OverridesAndNoTagsReachTheConversion) {
    ScratchDir dir;
    auto r = RunCliCapture(
        {"convert", kSample, "-o", dir / "a.rla", "--dict", kDict, "--no-tags", "--no-requisites"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("Tags:    none"), std::string::npos) << r.out;
    CRequisiteRecord rec = ReadSourceBytes(Read(dir / "a.rla"), true);
    EXPECT_TRUE(rec.m_kinds.empty());
}

TEST(Cli, ShowPrintsRequisitesAndText) {
    ScratchDir dir;
    ASSERT_EQ(RunCliCapture({"convert", kSample, "-o", dir / "a.rla", "--dict", kDict}).status, 0);
    auto r = RunCliCapture({"show", dir / "a.rla"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("Вид документа: ПОСТАНОВЛЕНИЕ"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("┌──────┬"), std::string::npos) << "frames print as box characters";
}

TEST(Cli, BatchConvertsTheGoodFilesAndReportsTheBadOne) {
    ScratchDir dir;
    fs::create_directories(dir / "in");
    fs::copy_file(kSample, dir / "in/a.txt");
    fs::copy_file(kSample, dir / "in/b.txt");
    fs::create_directories(dir / "in/sub.txt"); // a directory among the inputs is skipped
    auto r = RunCliCapture(
        {"batch", dir / "in", dir / "missing.txt", "-o", dir / "out", "-j", "2", "--dict", kDict});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("Converted 2 of 3"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("failed: " + (dir / "missing.txt")), std::string::npos) << r.out;
    EXPECT_TRUE(fs::exists(dir / "out/a.rla"));
    EXPECT_TRUE(fs::exists(dir / "out/b.rla"));
    std::string csv = Read(dir / "out/report.csv");
    EXPECT_EQ(csv.rfind("file,status,class,kinds,bodies,dates,numbers,title,extended,ЗАГ", 0), 0u)
        << csv;
    EXPECT_NE(csv.find("ПОСТАНОВЛЕНИЕ"), std::string::npos);
    EXPECT_NE(csv.find(",failed,"), std::string::npos);
}

TEST(Cli, BatchKeepsOutputsApartWhenNamesCollide) {
    ScratchDir dir;
    fs::create_directories(dir / "x");
    fs::create_directories(dir / "y");
    fs::copy_file(kSample, dir / "x/doc.txt");
    fs::copy_file(kSample, dir / "y/doc.txt");
    auto r = RunCliCapture(
        {"batch", dir / "x/doc.txt", dir / "y/doc.txt", "-o", dir / "out", "--dict", kDict});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(fs::exists(dir / "out/doc.rla"));
    EXPECT_TRUE(fs::exists(dir / "out/doc-2.rla"));
}

TEST(Cli, DictExportThenImportGivesTheSameBytes) {
    ScratchDir dir;
    auto e = RunCliCapture({"dict", "export", "--dict", kDict, "-o", dir / "text"});
    ASSERT_EQ(e.status, 0) << e.err;
    auto i = RunCliCapture({"dict", "import", dir / "text", "-o", dir / "dict.dat"});
    ASSERT_EQ(i.status, 0) << i.err;
    EXPECT_EQ(Read(kDict), Read(dir / "dict.dat"));
}

TEST(Cli, DictListCountsAndReportsADamagedFile) {
    auto ok = RunCliCapture({"dict", "list", "--dict", kDict});
    ASSERT_EQ(ok.status, 0) << ok.err;
    EXPECT_NE(ok.out.find("Document kinds:"), std::string::npos);
    ScratchDir dir;
    std::string bytes = Read(kDict);
    ASSERT_TRUE(WriteFileAtomic(dir / "cut.dat", bytes.substr(0, bytes.size() / 2)));
    auto bad = RunCliCapture({"dict", "list", "--dict", dir / "cut.dat"});
    EXPECT_EQ(bad.status, 1);
    EXPECT_NE(bad.err.find("is damaged"), std::string::npos) << bad.err;
    EXPECT_NE(bad.err.find("Ошибка операции ввода/вывода"), std::string::npos) << bad.err;
}

TEST(Cli, ConvertRefusesADamagedDictionary) {
    ScratchDir dir;
    std::string bytes = Read(kDict);
    ASSERT_TRUE(WriteFileAtomic(dir / "cut.dat", bytes.substr(0, 10)));
    auto r = RunCliCapture({"convert", kSample, "-o", dir / "a.rla", "--dict", dir / "cut.dat"});
    EXPECT_EQ(r.status, 1);
    EXPECT_FALSE(fs::exists(dir / "a.rla"));
}

} // namespace
} // namespace norvak
