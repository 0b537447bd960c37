// The command line on modern inputs: the type told from the bytes by default, an explicit
// type winning, the batch report naming the type and encoding, and bad files written nowhere.

#include "cli/clienv.h"
#include "clitestutil.h"
#include "core/textfile.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace norvak {
namespace {
namespace fs = std::filesystem;
using test::RunCliCapture;
using test::ScratchDir;

const std::string kFormats = std::string(NORVAK_TEST_DATA) + "/formats/";
const std::string kDict = NORVAK_BUILT_DICT;

TEST(CliInputs, PagesAndDocumentsConvertWithTheirTypeToldFromTheBytes) {
    for (const char* ext : {"html", "docx", "odt"}) {
        ScratchDir dir;
        // The name says nothing: the bytes tell the type.
        const std::string input = dir / "document.bin";
        fs::copy_file(kFormats + "composed_postanovlenie_tablica." + ext, input);
        const auto r = RunCliCapture({"convert", input, "-o", dir / "out.rla", "--dict", kDict});
        ASSERT_EQ(r.status, 0) << ext << r.err;
        EXPECT_NE(r.out.find(std::string("Input:   ") + ext + ", laid out at 66 columns"),
                  std::string::npos)
            << r.out;
        EXPECT_NE(r.out.find("ТАБ 1"), std::string::npos) << r.out;
        EXPECT_NE(r.out.find("ПОСТАНОВЛЕНИЕ"), std::string::npos) << r.out;
    }
}

TEST(CliInputs, LawsWrittenOneParagraphPerLineKeepTheirSubjectInTheTitle) {
    struct Case {
        const char* file;
        const char* title;
    };
    const Case cases[] = {
        {"ips_102066375_fz_2000_82fz_mrot.cp1251.txt",
         "Title:   ФЕДЕРАЛЬНЫЙ ЗАКОН от 19.06.2000 N 82-ФЗ \n        \"О минимальном размере "
         "оплаты труда\"\n"},
        {"ips_fz_1996_10fz_profsojuzy.cp1251.txt",
         "Title:   ФЕДЕРАЛЬНЫЙ ЗАКОН от 12.01.1996 N 10-ФЗ \n        \"О профессиональных "
         "союзах, их правах и гарантиях деятельности\"\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        ScratchDir dir;
        const auto r =
            RunCliCapture({"convert", std::string(NORVAK_TEST_DATA) + "/samples/" + c.file, "-o",
                           dir / "out.rla", "--dict", kDict});
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_NE(r.out.find("laid out at 66 columns"), std::string::npos) << r.out;
        EXPECT_NE(r.out.find(c.title), std::string::npos) << r.out;
    }
}

TEST(CliInputs, AnExplicitTypeWins) {
    ScratchDir dir;
    const auto r =
        RunCliCapture({"convert", kFormats + "composed_postanovlenie_tablica.html", "-o",
                       dir / "out.rla", "--dict", kDict, "--type", "text", "--encoding", "utf8"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("Input:   text, utf8\n"), std::string::npos) << r.out;
    std::string written;
    ASSERT_TRUE(ReadFileBytes(dir / "out.rla", written));
    EXPECT_NE(written.find("<p style"), std::string::npos) << "read as the text it is";
}

TEST(CliInputs, BadDocumentsFailWithTheReasonAndWriteNothing) {
    ScratchDir dir;
    struct Case {
        const char* name;
        std::string bytes;
        const char* reason;
    } cases[] = {
        {"damaged.docx", "PK\x03\x04 not really a zip", "архив повреждён"},
        {"empty.html", "<html><body><p>&nbsp;</p></body></html>", "в документе нет текста"}};
    for (const Case& c : cases) {
        const std::string input = dir / c.name;
        ASSERT_TRUE(WriteFileAtomic(input, c.bytes));
        const std::string out = dir / (std::string(c.name) + ".rla");
        const auto r = RunCliCapture({"convert", input, "-o", out, "--dict", kDict});
        EXPECT_EQ(r.status, 1) << c.name;
        EXPECT_NE(r.err.find(c.reason), std::string::npos) << r.err;
        EXPECT_FALSE(fs::exists(out)) << c.name;
    }
}

TEST(CliInputs, BatchReportNamesTypeAndEncoding) {
    ScratchDir dir;
    fs::create_directories(dir / "in");
    fs::copy_file(kFormats + "composed_postanovlenie_tablica.odt", dir / "in/a.odt");
    fs::copy_file(std::string(NORVAK_TEST_DATA) +
                      "/samples/ips_102066375_fz_2000_82fz_mrot.cp1251.txt",
                  dir / "in/b.txt");
    const auto r = RunCliCapture({"batch", dir / "in", "-o", dir / "out", "--dict", kDict});
    ASSERT_EQ(r.status, 0) << r.err << r.out;
    std::string csv;
    ASSERT_TRUE(ReadFileBytes(dir / "out/report.csv", csv));
    EXPECT_NE(csv.find(",type,encoding,warnings,failure,output,spelling\r\n"), std::string::npos)
        << csv;
    EXPECT_NE(csv.find(",odt,,"), std::string::npos) << csv;
    EXPECT_NE(csv.find(",text,windows,"), std::string::npos) << csv;
}

} // namespace
} // namespace norvak
