// The samples: each laid out as its golden file says, the layout's invariants on each, and
// the whole opening road tagging their headings, signature and table.

#include "formatstest.h"

#include "core/textfile.h"
#include "dictionaries/servicedata.h"
#include "document/openroad.h"
#include "formats/docxreader.h"
#include "formats/formatreaders.h"
#include "formats/htmlreader.h"
#include "formats/odtreader.h"
#include "formats/paragraphtext.h"

#include <cstdlib>
#include <filesystem>
#include <map>

namespace norvak {
namespace {
namespace fs = std::filesystem;

const std::string kDir = std::string(NORVAK_TEST_DATA) + "/formats/";

const char* const kSamples[] = {
    "composed_postanovlenie_tablica.html",        "composed_postanovlenie_tablica.docx",
    "composed_postanovlenie_tablica.odt",         "vozdushnyj_kodeks_1997_102046246.html",
    "vozdushnyj_kodeks_1997_102046246.docx",      "vozdushnyj_kodeks_1997_102046246.odt",
    "vozdushnyj_kodeks_1997_102046246.cp1251.txt"};

bool Read(const std::string& name, FlowDocument& doc) {
    std::string bytes;
    if (!ReadFileBytes(kDir + name, bytes))
        return false;
    const std::string ext = fs::path(name).extension().string();
    if (ext == ".html")
        return ReadHtml(bytes, doc, nullptr);
    if (ext == ".docx")
        return ReadDocx(bytes, doc, nullptr);
    if (ext == ".odt")
        return ReadOdt(bytes, doc, nullptr);
    doc = ParagraphsFromLines(SplitTextLines(bytes), 66, 5);
    return true;
}

class Sample : public testing::TestWithParam<const char*> {};

TEST_P(Sample, LayoutEqualsTheGolden) {
    FlowDocument doc;
    ASSERT_TRUE(Read(GetParam(), doc));
    std::string shown;
    for (const std::string& l : LayOutDocument(doc, LayoutOptions()).lines)
        shown += Cp1251ToUtf8Display(l) + "\n";
    const std::string golden = kDir + "golden/" + GetParam() + ".txt";
    if (std::getenv("NORVAK_UPDATE_GOLDEN")) {
        ASSERT_TRUE(WriteFileAtomic(golden, shown));
    }
    std::string expected;
    ASSERT_TRUE(ReadFileBytes(golden, expected)) << golden;
    EXPECT_EQ(shown, expected);
}

TEST_P(Sample, LayoutKeepsEveryWordInOrderWithinTheWidth) {
    FlowDocument doc;
    ASSERT_TRUE(Read(GetParam(), doc));
    for (int width : {66, 67, 80}) {
        LayoutOptions o;
        o.stringLength = width;
        const LineList lines = LayOutDocument(doc, o).lines;
        test::ExpectLayoutInvariants(lines, width, GetParam());
        // Borderless tables place their words outside frames as well; the samples have none.
        EXPECT_EQ(test::WordsOutsideFrames(lines), test::ParagraphWords(doc)) << GetParam();
    }
}

INSTANTIATE_TEST_SUITE_P(Samples, Sample, testing::ValuesIn(kSamples), [](const auto& c) {
    std::string n = c.param;
    for (char& ch : n)
        if (!isalnum(static_cast<unsigned char>(ch)))
            ch = '_';
    return n;
});

struct RoadCase {
    const char* file;
    std::map<std::string, int> leastTags; // UTF-8 code -> fewest blocks
    const char* kind;
    const char* date;
    const char* number;
};

class SampleRoad : public testing::TestWithParam<RoadCase> {};

TEST_P(SampleRoad, OpensTaggedWithItsRequisites) {
    CServiceData dictionaries;
    CScriptedOperator op;
    ASSERT_TRUE(dictionaries.Load(NORVAK_BUILT_DICT, op));
    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(kDir + GetParam().file, bytes));
    OpenOptions options;
    options.type = FileType::Auto;
    options.readers = &FormatReaders();
    options.guessEncoding = true;
    const OpenedDocument doc = OpenDocumentBytes(bytes, GetParam().file, options, DocSettings(),
                                                 dictionaries, NullProgress(), op);
    ASSERT_TRUE(doc.ok);
    EXPECT_TRUE(doc.laidOut);
    const auto counts = CountTagBlocks(doc.lines);
    for (const auto& [code, least] : GetParam().leastTags) {
        const auto it = counts.find(Utf8ToCp1251(code));
        EXPECT_GE(it == counts.end() ? 0 : it->second, least) << code;
    }
    auto has = [](const std::vector<std::string>& v, const char* utf8) {
        for (const std::string& s : v)
            if (Cp1251ToUtf8(s) == utf8)
                return true;
        return false;
    };
    EXPECT_TRUE(has(doc.record.m_kinds, GetParam().kind));
    EXPECT_TRUE(has(doc.record.m_numbers, GetParam().number));
    bool date = false;
    for (const CDateValue& d : doc.record.m_adoptionDates)
        date = date || FormatDate(d) == GetParam().date;
    EXPECT_TRUE(date);
}

INSTANTIATE_TEST_SUITE_P(Samples, SampleRoad,
                         testing::Values(RoadCase{"composed_postanovlenie_tablica.html",
                                                  {{"ЗАГ", 1}, {"ПРВ", 1}, {"ТАБ", 1}},
                                                  "ПОСТАНОВЛЕНИЕ",
                                                  "12.02.2004",
                                                  "75"},
                                         RoadCase{"composed_postanovlenie_tablica.docx",
                                                  {{"ЗАГ", 1}, {"ПРВ", 1}, {"ТАБ", 1}},
                                                  "ПОСТАНОВЛЕНИЕ",
                                                  "12.02.2004",
                                                  "75"},
                                         RoadCase{"composed_postanovlenie_tablica.odt",
                                                  {{"ЗАГ", 1}, {"ПРВ", 1}, {"ТАБ", 1}},
                                                  "ПОСТАНОВЛЕНИЕ",
                                                  "12.02.2004",
                                                  "75"},
                                         RoadCase{"vozdushnyj_kodeks_1997_102046246.html",
                                                  {{"ЗАГ", 10}, {"ЦНТ", 1}},
                                                  "КОДЕКС",
                                                  "19.03.1997",
                                                  "60-ФЗ"},
                                         RoadCase{"vozdushnyj_kodeks_1997_102046246.docx",
                                                  {{"ЗАГ", 10}, {"ЦНТ", 1}},
                                                  "КОДЕКС",
                                                  "19.03.1997",
                                                  "60-ФЗ"},
                                         RoadCase{"vozdushnyj_kodeks_1997_102046246.odt",
                                                  {{"ЗАГ", 10}, {"ЦНТ", 1}},
                                                  "КОДЕКС",
                                                  "19.03.1997",
                                                  "60-ФЗ"},
                                         RoadCase{"vozdushnyj_kodeks_1997_102046246.cp1251.txt",
                                                  {{"ЗАГ", 10}, {"ПРВ", 1}},
                                                  "КОДЕКС",
                                                  "19.03.1997",
                                                  "60-ФЗ"}),
                         [](const auto& c) {
                             std::string n = c.param.file;
                             for (char& ch : n)
                                 if (!isalnum(static_cast<unsigned char>(ch)))
                                     ch = '_';
                             return n;
                         });

} // namespace
} // namespace norvak
