// Telling a file's type from its bytes, and the opening road on what needs laying out:
// pages and documents, paragraph-per-line texts, and files that cannot be read.

#include "core/codepage.h"
#include "core/literal.h"
#include "dictionaries/servicedata.h"
#include "document/openroad.h"
#include "formats/formatreaders.h"
#include "formats/formatstest.h"

#include <gtest/gtest.h>

namespace norvak {
namespace {

struct DetectCase {
    const char* name;
    std::string bytes;
    FileType type;
};

class Detection : public testing::TestWithParam<DetectCase> {};

TEST_P(Detection, TypeIsToldFromTheBytes) {
    EXPECT_EQ(DetectFileType(GetParam().bytes), GetParam().type);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Detection,
    testing::Values(
        DetectCase{"docx", test::MakeZip({{"word/document.xml", "<d/>"}}), FileType::Docx},
        DetectCase{"odt",
                   test::MakeZip({{"mimetype", "application/vnd.oasis.opendocument.text"},
                                  {"content.xml", "<d/>"}}),
                   FileType::Odt},
        DetectCase{"other_zip_goes_to_the_reader_that_refuses_it", test::MakeZip({{"a.txt", "x"}}),
                   FileType::Docx},
        DetectCase{"html", "<!DOCTYPE html><html><body>x</body></html>", FileType::Html},
        DetectCase{"source_format", "$$\r\n$0 Номер\r\n$1\r\n", FileType::Source},
        DetectCase{"dos_text", "\x8F\xE0\xA8\xAA\xA0\xA7 N 5\r\n", FileType::Text},
        DetectCase{"text_mentioning_html", "В тексте <html> упомянут\r\n", FileType::Text},
        DetectCase{"empty", "", FileType::Text}),
    [](const auto& c) { return std::string(c.param.name); });

OpenedDocument Open(const std::string& bytes, FileType type, COperator& op) {
    static CServiceData dictionaries;
    OpenOptions options;
    options.type = type;
    options.readers = &FormatReaders();
    options.guessEncoding = true;
    return OpenDocumentBytes(bytes, "doc", options, DocSettings(), dictionaries, NullProgress(),
                             op);
}

TEST(InputRoad, UnreadableDocumentsAreReportedAndGiveNothing) {
    for (const std::string& bytes :
         {std::string("PK\x03\x04 damaged"), std::string("<html><body></body></html>"),
          test::MakeZip({{"mimetype", "application/vnd.oasis.opendocument.text"}})}) {
        CScriptedOperator op;
        const OpenedDocument doc = Open(bytes, FileType::Auto, op);
        EXPECT_FALSE(doc.ok);
        EXPECT_TRUE(doc.lines.empty());
        ASSERT_EQ(op.Messages().size(), 1u);
        EXPECT_EQ(op.Messages()[0].rfind("Документ doc не открыт: "_cp, 0), 0u)
            << Cp1251ToUtf8(op.Messages()[0]);
        EXPECT_EQ(op.Entries()[0].icon, MessageIcon::Error);
    }
}

TEST(InputRoad, ParagraphTextsAreLaidOutOnlyWhenTheTypeIsToldFromTheBytes) {
    const std::string line =
        Utf8ToCp1251("1. Настоящий Кодекс устанавливает правовые основы использования воздушного "
                     "пространства Российской Федерации и деятельности в области авиации.");
    const std::string text = Utf8ToCp1251("ВОЗДУШНЫЙ КОДЕКС") + "\r\n\r\n" + line + "\r\n";
    CScriptedOperator op;
    const OpenedDocument automatic = Open(text, FileType::Auto, op);
    ASSERT_TRUE(automatic.ok);
    EXPECT_TRUE(automatic.laidOut);
    EXPECT_EQ(automatic.encoding, Encoding::Windows);
    EXPECT_EQ(automatic.unlaidLines, (LineList{Utf8ToCp1251("ВОЗДУШНЫЙ КОДЕКС"), "", line}));
    for (const std::string& l : automatic.lines)
        EXPECT_LE(l.size(), 66u) << Cp1251ToUtf8(l);

    OpenedDocument asText = Open(text, FileType::Text, op);
    EXPECT_FALSE(asText.laidOut);
    EXPECT_TRUE(asText.unlaidLines.empty());
}

TEST(InputRoad, Utf8TextsAreReadAsUtf8) {
    CScriptedOperator op;
    const OpenedDocument doc = Open("\xEF\xBB\xBFЗакон о выезде\r\n", FileType::Auto, op);
    ASSERT_TRUE(doc.ok);
    EXPECT_EQ(doc.encoding, Encoding::Utf8);
    ASSERT_FALSE(doc.lines.empty());
    EXPECT_EQ(Cp1251ToUtf8(doc.lines[0]), "Закон о выезде");
}

} // namespace
} // namespace norvak
