// What the bytes of a file suggest before it is opened: source-format headers, text blocks,
// tag lines and the encoding of a plain text, and the UTF-8 road of the opening.

#include "core/codepage.h"
#include "core/literal.h"
#include "core/operatorio.h"
#include "core/progress.h"
#include "dictionaries/servicedata.h"
#include "document/inputsniff.h"
#include "document/openroad.h"
#include "document/sourceformat.h"
#include "markup/tags.h"

#include <gtest/gtest.h>

#include <string>

namespace norvak {
namespace {

std::string S(std::string_view s) {
    return std::string(s);
}

TEST(LooksLikeSourceFormat, HeadersDecide) {
    CRequisiteRecord record;
    record.m_title = S("ЗАКОН О ЗАКОНАХ"_cp);
    record.m_text = {S("Текст"_cp)};
    const std::string written = WriteSourceBytes(record, 66);
    struct Case {
        const char* name;
        std::string bytes;
        bool expected;
    };
    const Case cases[] = {
        {"nominal: what the writer writes", written, true},
        {"nominal: prologue with LF line ends", "\n$$\n\n\n$0 Номер в базе\n42\n", true},
        {"nominal: no prologue, two headers", "$5  Вид документа\nЗАКОН\n\n$9  Название\n", true},
        {"nominal: UTF-8 byte order mark before the prologue", "\xEF\xBB\xBF\r\n$$\r\n\r\n$0 N\r\n",
         true},
        {"edge: prologue and a bare header number", "$$\n$18\n", true},
        {"negative: plain DOS text", Cp1251ToCp866("  ЗАКОН\r\n  О законах\r\n"_cp), false},
        {"negative: empty file", "", false},
        {"negative: blank lines only", "\r\n  \r\n", false},
        {"negative: prologue then text", "$$\r\n\r\nТекст\r\n", false},
        {"negative: a single header and text", "$5 долларов\nи ещё текст\n", false},
        {"edge: two dollar amounts at line starts read as headers", "$100 за всё\n$200 за часть\n",
         true},
        {"negative: header letters after the dollar", "$abc\n$def\n", false},
        {"negative: the header glued to a word", "$0Номер\n$5Вид\n", false},
        {"negative: text first, headers later", "Текст\n$0 Номер\n$5 Вид\n", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LooksLikeSourceFormat(c.bytes), c.expected) << c.name;
}

TEST(InputSniff, TextBlockAndTagLines) {
    CRequisiteRecord record;
    record.m_text = {OpeningLine(TagCode::ZAG), S("ЗАКОН"_cp), ClosingLine()};
    const std::string tagged = WriteSourceBytes(record, 66);
    record.m_text = {S("ЗАКОН"_cp)};
    const std::string plain = WriteSourceBytes(record, 66);
    const std::string half = plain.substr(0, plain.find("$18"));
    struct Case {
        const char* name;
        std::string bytes;
        bool textBlock;
        bool tagLines;
    };
    const Case cases[] = {
        {"nominal: a tagged source file", tagged, true, true},
        {"nominal: an untagged source file", plain, true, false},
        {"negative: a source file cut before its text", half, false, false},
        {"edge: $18 inside a line is no header", "текст $18 текст\n", false, false},
        {"edge: $180 is another field", "$180  Другое\n", false, false},
        {"nominal: a tag line in a plain text", S("a\r\n") + OpeningLine(TagCode::CNT) + "\r\n",
         false, true},
        {"edge: CRs before the marker", "\r\r\x04\x04ЦНТ\n", false, true},
        {"negative: the marker twice and nothing more", "\x04\x04\n", false, false},
        {"negative: the marker once", "\x04ЗАГ\n", false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HasSourceTextBlock(c.bytes), c.textBlock) << c.name;
        EXPECT_EQ(HoldsTagLines(c.bytes), c.tagLines) << c.name;
    }
}

TEST(GuessTextEncoding, BytesSuggestTheCodePage) {
    const std::string russian = "Федеральный закон о порядке рассмотрения обращений граждан\r\n"
                                "  Статья 1. Сфера применения настоящего закона\r\n";
    const std::string frame = "┌──────┬──────┐\r\n│ Вид  │ Дата │\r\n└──────┴──────┘\r\n";
    struct Case {
        const char* name;
        std::string bytes;
        Encoding expected;
    };
    const Case cases[] = {
        {"nominal: CP866 text", Cp1251ToCp866(Utf8ToCp1251(russian)), Encoding::Dos},
        {"nominal: CP1251 text", Utf8ToCp1251(russian), Encoding::Windows},
        {"nominal: UTF-8 text", russian, Encoding::Utf8},
        {"nominal: CP866 table", WindowsToDos(Utf8TextToWindows(frame, nullptr)), Encoding::Dos},
        {"nominal: CP1251 capitals", Utf8ToCp1251("ПОСТАНОВЛЕНИЕ ПРАВИТЕЛЬСТВА\r\n"),
         Encoding::Windows},
        {"nominal: CP866 capitals", Cp1251ToCp866(Utf8ToCp1251("ПОСТАНОВЛЕНИЕ ПРАВИТЕЛЬСТВА")),
         Encoding::Dos},
        {"edge: a byte order mark alone", "\xEF\xBB\xBF", Encoding::Utf8},
        {"edge: pure ASCII defaults to DOS", "Article 1\r\n", Encoding::Dos},
        {"edge: empty defaults to DOS", "", Encoding::Dos},
        {"robustness: UTF-8 with one bad byte is not UTF-8", russian + "\xFF", Encoding::Dos},
        {"robustness: an overlong NUL is not UTF-8", "a\xC0\x80", Encoding::Dos},
        {"robustness: a sequence cut at the end is not UTF-8", "закон\xD0", Encoding::Dos},
        {"nominal: CP1251 with quotes and dashes", Utf8ToCp1251("«Вестник» — №5, ёлка"),
         Encoding::Windows},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GuessTextEncoding(c.bytes), c.expected) << c.name;
}

TEST(CheckFileType, WrongChoicesAreFoundAndTheRightTypeOffered) {
    CRequisiteRecord record;
    record.m_kinds = {S("ЗАКОН"_cp)};
    record.m_text = {S("Текст"_cp)};
    const std::string plainSource = WriteSourceBytes(record, 66);
    record.m_text = {OpeningLine(TagCode::ZAG), S("ЗАКОН"_cp), ClosingLine()};
    const std::string taggedSource = WriteSourceBytes(record, 66);
    const std::string halfSource = plainSource.substr(0, plainSource.find("$18"));
    const std::string dosText = Cp1251ToCp866("  ЗАКОН\r\n  о законах\r\n"_cp);
    const std::string utf8Text = "Закон о законах\n";
    struct Case {
        const char* name;
        std::string bytes;
        FileType chosen;
        bool found;
        FileType offer;
        Encoding encoding;
        const char* phrase; // UTF-8, a part of the message
    };
    const Case cases[] = {
        {"nominal: a text as a text", dosText, FileType::Text, false, FileType::Text, Encoding::Dos,
         ""},
        {"nominal: a source file as a source file", plainSource, FileType::Source, false,
         FileType::Text, Encoding::Dos, ""},
        {"nominal: a tagged source file as marked", taggedSource, FileType::Marked, false,
         FileType::Text, Encoding::Dos, ""},
        {"nominal: an untagged source file as marked", plainSource, FileType::Marked, false,
         FileType::Text, Encoding::Dos, ""},
        {"error: a DOS text as marked", dosText, FileType::Marked, true, FileType::Text,
         Encoding::Dos, "нет заголовков блоков"},
        {"error: a UTF-8 text as source", utf8Text, FileType::Source, true, FileType::Text,
         Encoding::Utf8, "текстовый файл?"},
        {"error: a source file without its text", halfSource, FileType::Marked, true,
         FileType::Text, Encoding::Dos, "($18)"},
        {"error: a tagged source file as source", taggedSource, FileType::Source, true,
         FileType::Marked, Encoding::Dos, "теги удвоятся"},
        {"error: a source file as a text", plainSource, FileType::Text, true, FileType::Source,
         Encoding::Dos, "«Исходный формат»?"},
        {"error: a tagged source file as a text", taggedSource, FileType::Text, true,
         FileType::Marked, Encoding::Dos, "с разметкой»?"},
        {"edge: an empty file as source", "", FileType::Source, true, FileType::Text, Encoding::Dos,
         "нет заголовков"},
    };
    for (const Case& c : cases) {
        const TypeMismatch m = CheckFileType(c.bytes, c.chosen, "/tmp/f.txt");
        EXPECT_EQ(m.found, c.found) << c.name;
        if (!m.found || !c.found)
            continue;
        EXPECT_EQ(m.offer, c.offer) << c.name;
        EXPECT_EQ(m.encoding, c.encoding) << c.name;
        const std::string text = Cp1251ToUtf8(m.message);
        EXPECT_NE(text.find("/tmp/f.txt"), std::string::npos) << c.name << ": " << text;
        EXPECT_NE(text.find(c.phrase), std::string::npos) << c.name << ": " << text;
    }
}

TEST(DetectSourceFormat, SourceFilesOpenAsSaved) {
    CRequisiteRecord record;
    record.m_text = {S("Текст"_cp)};
    const std::string source = WriteSourceBytes(record, 66);
    DetectedType d = DetectSourceFormat(source);
    EXPECT_TRUE(d.found);
    EXPECT_EQ(d.type, FileType::Marked);
    EXPECT_EQ(d.encoding, Encoding::Dos);
    EXPECT_FALSE(DetectSourceFormat(Utf8ToCp1251("Просто текст\r\n")).found);
}

TEST(OpenDocumentBytes, Utf8TextIsConvertedWithItsLosses) {
    CServiceData dictionaries;
    DocSettings settings;
    settings.createTags = false;
    settings.defineRecvisits = false;
    OpenOptions options;
    options.type = FileType::Text;
    options.encoding = Encoding::Utf8;
    CScriptedOperator op;
    const std::string bytes = "\xEF\xBB\xBFЗакон «о связи»\r\n┌─┐ € ✓\r\nплохой \xFF байт\n";
    OpenedDocument doc =
        OpenDocumentBytes(bytes, "u.txt", options, settings, dictionaries, NullProgress(), op);
    ASSERT_TRUE(doc.ok);
    ASSERT_EQ(doc.lines.size(), 3u);
    EXPECT_EQ(doc.lines[0], "Закон «о связи»"_cp);
    EXPECT_EQ(doc.lines[1], S("\x1B\x16\x1A ") + S("€ ?"_cp))
        << "box characters as frame codes, € in CP1251";
    EXPECT_EQ(doc.lines[2], "плохой ? байт"_cp);
    ASSERT_EQ(doc.losses.size(), 2u);
    EXPECT_EQ(doc.losses[0].line, 2);
    EXPECT_EQ(doc.losses[0].column, 7);
    EXPECT_EQ(doc.losses[0].count, 1);
    EXPECT_EQ(doc.losses[1].line, 3);
    EXPECT_EQ(doc.losses[1].column, 8);
}

TEST(OpenDocumentBytes, Utf8SourceFileReadsAsItsText) {
    CRequisiteRecord record;
    record.m_kinds = {S("ЗАКОН"_cp)};
    record.m_text = {S("\x12 ") + S("Текст"_cp) + " \x12"};
    const std::string cp866 = WriteSourceBytes(record, 66);
    // The same file as a UTF-8 tool would re-encode it.
    std::string utf8;
    for (char c : cp866)
        utf8 += Cp1251ToUtf8Display(std::string(1, DosToWindows(std::string(1, c))[0]));
    CServiceData dictionaries;
    DocSettings settings;
    settings.createTags = false;
    OpenOptions options;
    options.type = FileType::Marked;
    options.encoding = Encoding::Utf8;
    CScriptedOperator op;
    OpenedDocument doc =
        OpenDocumentBytes(utf8, "u.rla", options, settings, dictionaries, NullProgress(), op);
    ASSERT_TRUE(doc.ok);
    EXPECT_EQ(doc.record.m_kinds, LineList{S("ЗАКОН"_cp)});
    ASSERT_FALSE(doc.lines.empty());
    EXPECT_EQ(doc.lines[0], S("\x12 ") + S("Текст"_cp) + " \x12");
}

} // namespace
} // namespace norvak
