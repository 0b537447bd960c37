// The extended requisites detection end to end: with --no-extended every document converts
// exactly as before it existed (goldens made by the program without it); with it on, the
// documents get their kinds, bodies, dates and numbers right at least as often, and never
// less right; the batch report names the rules that fired.

#include "clitestutil.h"
#include "core/codepage.h"
#include "core/textfile.h"
#include "document/sourceformat.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace norvak {
namespace {
namespace fs = std::filesystem;

const std::string kData = NORVAK_TEST_DATA;

std::vector<std::string> Documents() {
    std::vector<std::string> files;
    for (const char* dir : {"/samples", "/extended"})
        for (const auto& e : fs::directory_iterator(kData + dir))
            if (e.path().extension() == ".txt")
                files.push_back(e.path().string());
    std::sort(files.begin(), files.end());
    return files;
}

std::string Encoding(const std::string& file) {
    return file.find(".cp1251.") != std::string::npos ? "windows" : "dos";
}

// What the goldens keep of convert's output: stdout without the two lines that name paths,
// then stderr.
std::string Comparable(const test::CliRun& r) {
    std::string out;
    std::size_t start = 0;
    while (start < r.out.size()) {
        std::size_t lf = r.out.find('\n', start);
        if (lf == std::string::npos)
            lf = r.out.size() - 1;
        const std::string line = r.out.substr(start, lf - start + 1);
        if (line.rfind("Written: ", 0) != 0 && line.rfind("Dictionary: ", 0) != 0 &&
            line.rfind("Input: ", 0) != 0)
            out += line;
        start = lf + 1;
    }
    return out + r.err;
}

class ExtensionOff : public testing::TestWithParam<std::string> {};

TEST_P(ExtensionOff, ConversionEqualsTheGolden) {
    const std::string input = GetParam();
    const std::string stem = fs::path(input).stem().string();
    test::ScratchDir dir;
    const std::string out = dir / "out.rla";
    const auto r =
        test::RunCliCapture({"convert", input, "-o", out, "--dict", NORVAK_BUILT_DICT, "--encoding",
                             Encoding(input), "--no-extended", "--type", "text"});
    ASSERT_EQ(r.status, 0) << r.err;
    std::string written, golden, goldenOut;
    ASSERT_TRUE(ReadFileBytes(out, written));
    ASSERT_TRUE(ReadFileBytes(kData + "/extended/off/" + stem + ".rla", golden)) << stem;
    ASSERT_TRUE(ReadFileBytes(kData + "/extended/off/" + stem + ".out", goldenOut)) << stem;
    EXPECT_EQ(written, golden);
    EXPECT_EQ(Comparable(r), goldenOut);
}

INSTANTIATE_TEST_SUITE_P(Documents, ExtensionOff, testing::ValuesIn(Documents()),
                         [](const auto& p) {
                             std::string n = fs::path(p.param).stem().stem().string();
                             for (char& c : n)
                                 if (!isalnum(static_cast<unsigned char>(c)))
                                     c = '_';
                             return n;
                         });

// The requisites a database card of each document holds (UTF-8). The real samples are judged
// by what their README says they are; a text that names no date or body cannot get them.
struct Card {
    const char* file;
    std::vector<std::string> kinds;
    std::vector<std::string> organs;
    std::vector<std::string> dates;
    std::vector<std::string> numbers;
    std::string justiceDate; // "" when not registered
    std::string justiceNumber;
};

const std::string kMinfin = "МИНИСТЕРСТВО ФИНАНСОВ РОССИЙСКОЙ ФЕДЕРАЦИИ";
const std::string kGovernment = "ПРАВИТЕЛЬСТВО РОССИЙСКОЙ ФЕДЕРАЦИИ";
const std::string kRsfsrSoviet = "ВЕРХОВНЫЙ СОВЕТ РСФСР";

const std::vector<Card>& Cards() {
    static const std::vector<Card> cards = {
        // The real and composed samples.
        {"samples/composed_polozhenie_utverzhdeno.cp866.txt",
         {"ПОЛОЖЕНИЕ", "ПРАВИЛА", "ИНСТРУКЦИЯ"},
         {kMinfin},
         {"14.03.2003"},
         {"27Н"},
         "",
         ""},
        {"samples/composed_postanovlenie_tablica.cp866.txt",
         {"ПОСТАНОВЛЕНИЕ"},
         {kGovernment},
         {"12.02.2004"},
         {"75"},
         "",
         ""},
        {"samples/composed_vopros_otvet.cp866.txt",
         {"ВОПРОС-ОТВЕТ"},
         {kMinfin},
         {"22.07.2003"},
         {"67Н"},
         "",
         ""},
        {"samples/ips102010101_rsfsr_gpk_1964_stub.cp866.txt",
         {"КОДЕКС"},
         {kRsfsrSoviet},
         {"11.06.1964"},
         {},
         "",
         ""},
        {"samples/ips102010117_rsfsr_kobs_1969.cp866.txt",
         {"КОДЕКС"},
         {kRsfsrSoviet},
         {"30.07.1969"},
         {},
         "",
         ""},
        {"samples/ips102038209_rf_vodnyj_1995_167fz.cp866.txt",
         {"ФЕДЕРАЛЬНЫЙ ЗАКОН", "КОДЕКС"},
         {},
         {"16.11.1995"},
         {"167-ФЗ"},
         "",
         ""},
        {"samples/ips102045461_rf_lesnoj_1997_22fz.cp866.txt",
         {"ФЕДЕРАЛЬНЫЙ ЗАКОН", "КОДЕКС"},
         {},
         {"29.01.1997"},
         {"22-ФЗ"},
         "",
         ""},
        {"samples/ips_102066375_fz_2000_82fz_mrot.cp1251.txt",
         {"ФЕДЕРАЛЬНЫЙ ЗАКОН"},
         {},
         {"19.06.2000"},
         {"82-ФЗ"},
         "",
         ""},
        {"samples/ips_fz_1996_10fz_profsojuzy.cp1251.txt",
         {"ФЕДЕРАЛЬНЫЙ ЗАКОН"},
         {},
         {"12.01.1996"},
         {"10-ФЗ"},
         "",
         ""},
        // Modern consolidated and registered documents composed for these tests.
        {"extended/ext_fkz_pravitelstvo.cp866.txt",
         {"ФЕДЕРАЛЬНЫЙ КОНСТИТУЦИОННЫЙ ЗАКОН"},
         {},
         {"17.12.1997"},
         {"2-ФКЗ"},
         "",
         ""},
        {"extended/ext_fz_energosberezhenie.cp866.txt",
         {"ФЕДЕРАЛЬНЫЙ ЗАКОН"},
         {},
         {"23.11.2009"},
         {"261-ФЗ"},
         "",
         ""},
        {"extended/ext_kodeks_koap.cp866.txt", {"КОДЕКС"}, {}, {"30.12.2001"}, {"195-ФЗ"}, "", ""},
        {"extended/ext_pismo_minfin.cp866.txt",
         {"ПИСЬМО"},
         {kMinfin},
         {"15.10.2019"},
         {"03-03-06/1/79012"},
         "",
         ""},
        {"extended/ext_poryadok_mintrans_registered.cp866.txt",
         {"ПОРЯДОК"},
         {"МИНИСТЕРСТВО ТРАНСПОРТА РОССИЙСКОЙ ФЕДЕРАЦИИ"},
         {"15.01.2018"},
         {"12"},
         "03.04.2018",
         "50612"},
        {"extended/ext_postanovlenie_near_misses.cp866.txt",
         {"ПОСТАНОВЛЕНИЕ"},
         {kGovernment},
         {"06.05.2011"},
         {"354"},
         "",
         ""},
        {"extended/ext_postanovlenie_pravitelstvo_notes.cp866.txt",
         {"ПОСТАНОВЛЕНИЕ"},
         {kGovernment},
         {"27.12.2010"},
         {"1160"},
         "",
         ""},
        {"extended/ext_prikaz_minfin_registered_notes.cp866.txt",
         {"ПРИКАЗ"},
         {kMinfin},
         {"28.12.2018"},
         {"280н"},
         "05.03.2019",
         "53940"},
        {"extended/ext_prikaz_minzdrav_registered.cp866.txt",
         {"ПРИКАЗ"},
         {"МИНИСТЕРСТВО ЗДРАВООХРАНЕНИЯ РОССИЙСКОЙ ФЕДЕРАЦИИ"},
         {"30.01.2019"},
         {"30н"},
         "21.02.2019",
         "53863"},
        {"extended/ext_rasporyazhenie_pravitelstvo.cp866.txt",
         {"РАСПОРЯЖЕНИЕ"},
         {kGovernment},
         {"17.11.2008"},
         {"1662-р"},
         "",
         ""},
        {"extended/ext_zakon_rf_dom_sovetov.cp866.txt",
         {"ЗАКОН"},
         {},
         {"07.02.1992"},
         {"2300-1"},
         "",
         ""},
    };
    return cards;
}

std::vector<std::string> Utf8(const std::vector<std::string>& cp1251) {
    std::vector<std::string> out;
    for (const std::string& s : cp1251)
        out.push_back(Cp1251ToUtf8(s));
    return out;
}

struct Judged {
    bool right = false;
    CRequisiteRecord record;
};

Judged Judge(const Card& card, bool extended) {
    const std::string input = kData + "/" + card.file;
    test::ScratchDir dir;
    const std::string out = dir / "out.rla";
    std::vector<std::string> args = {
        "convert",    input,           "-o",     out,   "--dict", NORVAK_BUILT_DICT,
        "--encoding", Encoding(input), "--type", "text"};
    if (!extended)
        args.push_back("--no-extended");
    const auto r = test::RunCliCapture(args);
    EXPECT_EQ(r.status, 0) << r.err;
    std::string bytes;
    EXPECT_TRUE(ReadFileBytes(out, bytes));
    Judged j;
    j.record = ReadSourceBytes(bytes, true);
    std::vector<std::string> dates;
    for (const CDateValue& d : j.record.m_adoptionDates)
        dates.push_back(FormatDate(d));
    j.right = Utf8(j.record.m_kinds) == card.kinds && Utf8(j.record.m_organs) == card.organs &&
              dates == card.dates && Utf8(j.record.m_numbers) == card.numbers;
    return j;
}

TEST(ExtensionOn, RightAtLeastAsOftenAndNeverWorse) {
    int rightOff = 0, rightOn = 0;
    std::vector<std::string> wrongOn;
    for (const Card& card : Cards()) {
        SCOPED_TRACE(card.file);
        const Judged off = Judge(card, false);
        const Judged on = Judge(card, true);
        rightOff += off.right;
        rightOn += on.right;
        if (!on.right)
            wrongOn.push_back(card.file);
        EXPECT_FALSE(off.right && !on.right) << "the extension made this document worse";
        // The registration is read only with the extension.
        EXPECT_EQ(IsNoDate(off.record.m_justiceDate) ? "" : FormatDate(off.record.m_justiceDate),
                  "");
        EXPECT_EQ(IsNoDate(on.record.m_justiceDate) ? "" : FormatDate(on.record.m_justiceDate),
                  card.justiceDate);
        EXPECT_EQ(Cp1251ToUtf8(on.record.m_justiceNumber), card.justiceNumber);
    }
    // The three left wrong: a question whose number keeps its "?", and two codes whose texts
    // name neither the body nor the date of adoption.
    const std::vector<std::string> expectedWrong = {
        "samples/composed_vopros_otvet.cp866.txt",
        "samples/ips102010101_rsfsr_gpk_1964_stub.cp866.txt",
        "samples/ips102010117_rsfsr_kobs_1969.cp866.txt"};
    EXPECT_EQ(wrongOn, expectedWrong);
    EXPECT_EQ(rightOff, 4);
    EXPECT_EQ(rightOn, 17);
    std::cout << "documents right: " << rightOff << " of " << Cards().size() << " off, " << rightOn
              << " of " << Cards().size() << " on\n";
}

TEST(ExtensionOn, ConvertPrintsTheRulesAndTheirEvidence) {
    test::ScratchDir dir;
    const auto r = test::RunCliCapture(
        {"convert", kData + "/extended/ext_prikaz_minzdrav_registered.cp866.txt", "-o",
         dir / "out.rla", "--dict", NORVAK_BUILT_DICT});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("Extended: 2 registration\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("  Дата в Минюсте 21.02.2019 <- line 1: Зарегистрировано в Минюсте "
                         "России 21 февраля 2019 г. N 53863\n"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("  Номер в Минюсте 53863 <- line 1: "), std::string::npos) << r.out;
}

TEST(ExtensionOn, BatchReportNamesTheRulesThatFired) {
    test::ScratchDir dir;
    const std::string outDir = dir / "out";
    const auto r =
        test::RunCliCapture({"batch", kData + "/extended/ext_fz_energosberezhenie.cp866.txt",
                             kData + "/extended/ext_pismo_minfin.cp866.txt", "-o", outDir, "--dict",
                             NORVAK_BUILT_DICT, "-j", "1"});
    ASSERT_EQ(r.status, 0) << r.err;
    std::string csv;
    ASSERT_TRUE(ReadFileBytes(outDir + "/report.csv", csv));
    EXPECT_EQ(csv.rfind("file,status,class,kinds,bodies,dates,numbers,title,extended,", 0), 0u);
    EXPECT_NE(csv.find(",1 notes; 3 chambers; 4 signature,"), std::string::npos) << csv;
    const std::size_t letter = csv.find("ext_pismo_minfin");
    ASSERT_NE(letter, std::string::npos);
    EXPECT_EQ(csv.find("notes", letter), std::string::npos) << "nothing fired for the letter";

    const auto off =
        test::RunCliCapture({"batch", kData + "/extended/ext_fz_energosberezhenie.cp866.txt", "-o",
                             outDir, "--dict", NORVAK_BUILT_DICT, "--no-extended"});
    ASSERT_EQ(off.status, 0) << off.err;
    ASSERT_TRUE(ReadFileBytes(outDir + "/report.csv", csv));
    EXPECT_EQ(csv.find("signature"), std::string::npos);
}

} // namespace
} // namespace norvak
