#include "document/sourceformat.h"

#include "core/codepage.h"
#include "core/literal.h"
#include "core/operatorio.h"
#include "core/textfile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace norvak {
namespace {

namespace fs = std::filesystem;

std::string Golden(const std::string& name) {
    std::string bytes;
    EXPECT_TRUE(ReadFileBytes(std::string(NORVAK_TEST_DATA) + "/sourceformat/" + name, bytes))
        << name;
    return bytes;
}

std::string S(std::string_view cp1251) {
    return std::string(cp1251);
}

// The 66-character link tag line the link dialog writes.
std::string LinkTag(std::string_view head) {
    std::string tag = "\x04\x04";
    tag += head;
    tag.append(66 - tag.size(), '-');
    return tag;
}

// The record the golden file full.rla was built from.
CRequisiteRecord FullRecord() {
    CRequisiteRecord r;
    r.m_dbNumber = 42;
    r.m_entryDate = CDateValue(2003, 1, 15);
    r.m_textDate = CDateValue(2002, 12, 1, 1, 1, 1);
    r.m_firstEdition = 7;
    r.m_editionDate = CDateValue(2002, 3, 5);
    r.m_status = 1;
    r.m_note =
        S("Текст примечания\n"_cp) + LinkTag("СС_ПОТ_1234#"_cp) + S("\nв редакции приказа"_cp);
    r.m_themes = {10, 2030};
    r.m_sources = {S("Российская газета, N 12, 21.01.2003"_cp),
                   S("Бюллетень нормативных актов"_cp)};
    r.m_links = {S("ИСП 1234"_cp)};
    r.m_kinds = {S("ПРИКАЗ"_cp), S("ПОЛОЖЕНИЕ"_cp)};
    r.m_organs = {S("МИНФИН РОССИИ"_cp)};
    r.m_adoptionDates = {CDateValue(2002, 12, 1, 1, 1, 1), CDateValue(2003, 1, 10)};
    r.m_numbers = {S("123н"_cp), "45"};
    r.m_justiceDate = CDateValue(2003, 1, 14);
    r.m_justiceNumber = "4123";
    r.m_title =
        S("ОБ УТВЕРЖДЕНИИ ПОЛОЖЕНИЯ О ПОРЯДКЕ ВЕДЕНИЯ УЧЕТА ДОКУМЕНТОВ В ФЕДЕРАЛЬНЫХ ОРГАНАХ "
          "ИСПОЛНИТЕЛЬНОЙ ВЛАСТИ (вместе с \"ПОЛОЖЕНИЕМ О ПОРЯДКЕ ВЕДЕНИЯ УЧЕТА\")"_cp);
    r.m_text = {S("ПРИКАЗ"_cp),
                "",
                "\x1B\x16\x16\x16\x16\x18\x16\x16\x16\x1A",
                S("\x12 А  \x12 Б \x12"_cp),
                "\x10\x16\x16\x16\x16\x13\x16\x16\x16\x11",
                "\x1C\x16\x16\x16\x16\x19\x16\x16\x16\xA7",
                "...",
                S("$5 не заголовок"_cp),
                S("$$ тоже текст"_cp),
                "   ",
                S("ещё строка\r"_cp),
                S("\rс ведущим CR"_cp)};
    return r;
}

// The block of `file` that begins with `header` (CP1251), up to the next header line.
std::string Block(const std::string& file, std::string_view header) {
    std::string dosHeader = "\r\n" + Cp1251ToCp866(header) + "\r\n";
    std::size_t at = file.find(dosHeader);
    if (at == std::string::npos)
        return "<no block>";
    std::size_t end = file.find("\r\n$", at + dosHeader.size() - 2);
    return file.substr(at + 2, end == std::string::npos ? std::string::npos : end - at);
}

std::string DosLines(std::initializer_list<std::string_view> cp1251Lines) {
    std::string out;
    for (std::string_view l : cp1251Lines)
        out += Cp1251ToCp866(l) + "\r\n";
    return out;
}

// ---------------------------------------------------------------- golden files

TEST(SourceFormatGolden, DefaultRecordWritesEveryBlockEmpty) {
    EXPECT_EQ(WriteSourceBytes(CRequisiteRecord(), 66), Golden("default.rla"));
}

TEST(SourceFormatGolden, FullRecordWritesByteForByte) {
    EXPECT_EQ(WriteSourceBytes(FullRecord(), 66), Golden("full.rla"));
}

TEST(SourceFormatGolden, FullFileReadsBackWithTheFormatsKnownDifferences) {
    const CRequisiteRecord in = FullRecord();
    const CRequisiteRecord r = ReadSourceBytes(Golden("full.rla"), true);
    EXPECT_EQ(r.m_dbNumber, 42);
    EXPECT_EQ(FormatDate(r.m_entryDate), "15.01.2003");
    // Times of day are not written: the date comes back at 00:00:00.
    EXPECT_EQ(r.m_textDate, CDateValue(2002, 12, 1));
    EXPECT_EQ(r.m_firstEdition, 7);
    EXPECT_EQ(r.m_editionDate, in.m_editionDate);
    EXPECT_EQ(r.m_status, 1);
    // The link tag stays on a line of its own; the line after it is joined with " " and LF.
    EXPECT_EQ(r.m_note, S("Текст примечания "_cp) + LinkTag("СС_ПОТ_1234#"_cp) +
                            S(" \nв редакции приказа"_cp));
    EXPECT_EQ(r.m_themes, in.m_themes);
    EXPECT_EQ(r.m_sources, in.m_sources);
    EXPECT_EQ(r.m_links, in.m_links);
    EXPECT_EQ(r.m_kinds, in.m_kinds);
    EXPECT_EQ(r.m_organs, in.m_organs);
    EXPECT_EQ(r.m_adoptionDates,
              (std::vector<CDateValue>{CDateValue(2002, 12, 1), CDateValue(2003, 1, 10)}));
    EXPECT_EQ(r.m_numbers, in.m_numbers);
    EXPECT_EQ(r.m_justiceDate, in.m_justiceDate);
    EXPECT_EQ(r.m_justiceNumber, in.m_justiceNumber);
    // The justified spaces of the wrapped title collapse again.
    EXPECT_EQ(r.m_title, in.m_title);
    // Frames come back as internal codes; trailing CRs are gone; the block's terminator is no
    // text line.
    LineList text = in.m_text;
    text[10] = S("ещё строка"_cp);
    EXPECT_EQ(r.m_text, text);
}

TEST(SourceFormatGolden, ReaderQuirks) {
    const CRequisiteRecord r = ReadSourceBytes(Golden("read_quirks.rla"), true);
    EXPECT_EQ(r.m_dbNumber, 42) << "leading integer of 00042abc";
    EXPECT_EQ(r.m_entryDate, CDateValue(2002, 3, 5)) << "5.3.2002 ignored, 05.03.2002 read";
    EXPECT_EQ(r.m_firstEdition, 7) << "\"...\" ends the block, the 8 after it is dropped";
    EXPECT_EQ(r.m_status, 2);
    EXPECT_EQ(r.m_kinds, (std::vector<std::string>{S("ПРИКАЗ"_cp), S("ПОЛОЖЕНИЕ"_cp)}))
        << "an unknown header inside a block leaves the block going";
    EXPECT_EQ(r.m_adoptionDates, std::vector<CDateValue>{CDateValue(2002, 12, 1)});
    EXPECT_EQ(r.m_themes, (std::vector<int>{12, 0}));
    EXPECT_EQ(r.m_note, S("Первая строка "_cp) + LinkTag("СС_ВИЗ_7_15-О-П#"_cp) +
                            S(" \nпосле тега и ещё"_cp));
    EXPECT_EQ(r.m_title, S("ЗАГОЛОВОК продолжение"_cp));
    EXPECT_EQ(r.m_justiceNumber, "222");
    EXPECT_TRUE(r.m_sources.empty());
    EXPECT_TRUE(r.m_numbers.empty()) << "nothing after Ctrl+Z is read";
    EXPECT_TRUE(IsNoDate(r.m_textDate));
    EXPECT_EQ(r.m_text, (LineList{S("первая"_cp), "", "...", S("$5 не заголовок"_cp), "$$", "$",
                                  "\x1B\x16\x16\x1A", S("строка с CR\r"_cp), "", S("хвост"_cp)}));
}

// ---------------------------------------------------------------- wrapping and justifying

struct WrapCase {
    const char* name;
    std::string text;
    int width;
    LineList lines;
};

TEST(SourceFormatWrap, Table) {
    const std::string a20(20, 'a'), b20(20, 'b'), c14(14, 'c'), c13(13, 'c');
    const std::vector<WrapCase> cases = {
        {"nominal: empty text gives no line", "", 66, {}},
        {"nominal: spaces only give no line", "   ", 66, {}},
        {"nominal: short text is one line, leading spaces dropped",
         "  А  Б"_cp.data(),
         66,
         {S("А Б"_cp)}},
        {"nominal: a line may be exactly W", "aaaa bbbb cc", 9, {"aaaa bbbb", "cc"}},
        {"nominal: a full line is justified, the last one is not",
         a20 + " " + b20 + " " + c14 + " tttttttttt",
         66,
         {a20 + std::string(6, ' ') + b20 + std::string(6, ' ') + c14, "tttttttttt"}},
        {"nominal: eleven short gives 6 then 5 extra spaces",
         a20 + " " + b20 + " " + c13 + " " + std::string(20, 'd'),
         66,
         {a20 + std::string(7, ' ') + b20 + std::string(6, ' ') + c13, std::string(20, 'd')}},
        {"nominal: trailing spaces keep one on the last line",
         "А Б "_cp.data(),
         66,
         {S("А Б "_cp)}},
        {"edge: a word longer than W stands on its own line",
         "aaaa bbbbbbbbbbbb cc",
         10,
         {"aaaa", "bbbbbbbbbbbb", "cc"}},
        {"edge: a first word longer than W gives no empty line before it",
         "bbbbbbbbbbbb cc",
         10,
         {"bbbbbbbbbbbb", "cc"}},
        {"edge: one word not fitting after a one-word line leaves it as it is",
         "aaaa bbbbbbbbb",
         10,
         {"aaaa", "bbbbbbbbb"}},
        {"edge: CRs are stripped from both ends of words", "\ra\r b\r", 66, {"a b"}},
        {"edge: zero width puts every word on its own line", "a b c", 0, {"a", "b", "c"}},
        {"edge: negative width does the same", "a b", -5, {"a", "b"}},
        {"lf: an LF ends the line unjustified", "aa bb\ncc dd", 5, {"aa bb", "cc dd"}},
        {"lf: a line before an LF is not padded", "a b\nc", 66, {"a b", "c"}},
        {"lf: a blank line inside a note gives no empty line",
         "Абзац один\n\nАбзац два"_cp.data(),
         66,
         {S("Абзац один"_cp), S("Абзац два"_cp)}},
        {"lf: a text beginning with space and LF keeps everything",
         " \n(вместе с Положением)"_cp.data(),
         66,
         {S("(вместе с Положением)"_cp)}},
        {"lf: CR LF pairs break like LF", "a\r\nb\r\n", 66, {"a", "b"}},
        {"lf: a piece after an LF may itself be too long",
         "a\nbbbbbbbbbbbb c",
         10,
         {"a", "bbbbbbbbbbbb", "c"}},
        {"lf: a link tag stands on a line of its own",
         "Текст\n"_cp.data() + LinkTag("СС_ПОТ_1#"_cp) + "\nдалее"_cp.data(),
         66,
         {S("Текст"_cp), LinkTag("СС_ПОТ_1#"_cp), S("далее"_cp)}},
    };
    for (const WrapCase& c : cases)
        EXPECT_EQ(WrapText(c.text, c.width), c.lines) << c.name;
}

TEST(SourceFormatWrap, NoLineIsEmptyAndNoneWithoutLfIsLongerThanWidthUnlessOneWord) {
    std::mt19937 rng(7);
    const std::string alphabet = "ab \n\r";
    for (int iter = 0; iter < 2000; ++iter) {
        std::string text;
        int len = static_cast<int>(rng() % 40);
        for (int i = 0; i < len; ++i)
            text += alphabet[rng() % alphabet.size()];
        int width = static_cast<int>(rng() % 12);
        for (const std::string& line : WrapText(text, width)) {
            ASSERT_FALSE(line.empty()) << text;
            ASSERT_EQ(line.find('\n'), std::string::npos) << text;
            if (static_cast<int>(line.size()) > width) {
                ASSERT_LE(CountWords(line), 1) << text << " width " << width;
            }
        }
    }
}

TEST(SourceFormatJustify, Table) {
    struct Case {
        const char* name;
        std::string line;
        int width;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"nominal: surplus goes to the leftmost gaps first", "a b c d", 12, "a   b   c  d"},
        {"nominal: surplus wraps round the gaps", "a b c", 10, "a    b   c"},
        {"edge: a line at W is unchanged", "a b c", 5, "a b c"},
        {"edge: a line above W is unchanged, even with double spaces", "a  b  c", 6, "a  b  c"},
        {"edge: one word is unchanged", "abc", 10, "abc"},
        {"edge: an empty line is unchanged", "", 10, ""},
        {"edge: a trailing space counts as an empty last word", "a b ", 8, "a   b   "},
    };
    for (const Case& c : cases)
        EXPECT_EQ(JustifyLine(c.line, c.width), c.expected) << c.name;
}

// ---------------------------------------------------------------- value forms

TEST(SourceFormatWrite, ValueForms) {
    CRequisiteRecord r;
    r.m_dbNumber = -5;
    r.m_firstEdition = 0;
    r.m_status = 2;
    r.m_entryDate = CDateValue::FromDouble(NoDate().Value(), CDateValue::Status::Invalid);
    r.m_textDate = CDateValue(2002, 13, 1);
    r.m_editionDate = CDateValue::Null();
    r.m_themes = {-3, 7};
    r.m_justiceNumber = "12";
    r.m_text = {"a", ""};
    const std::string f = WriteSourceBytes(r, 66);
    EXPECT_EQ(Block(f, "$0 Номер в базе"_cp), DosLines({"$0 Номер в базе"_cp, "-5", ""}));
    EXPECT_EQ(Block(f, "$19  Первая редакция"_cp), DosLines({"$19  Первая редакция"_cp, "0", ""}));
    EXPECT_EQ(Block(f, "$16  Поиск по статусу"_cp),
              DosLines({"$16  Поиск по статусу"_cp, "+", ""}));
    // Only the value is compared with the no-date value, not the status.
    EXPECT_EQ(Block(f, "$100  Дата ввода/изменения"_cp),
              DosLines({"$100  Дата ввода/изменения"_cp, "", ""}));
    EXPECT_EQ(Block(f, "$101  Дата ввода текста"_cp),
              DosLines({"$101  Дата ввода текста"_cp, "Invalid DateTime", ""}));
    EXPECT_EQ(Block(f, "$17  Редакция от"_cp), DosLines({"$17  Редакция от"_cp, "", ""}));
    EXPECT_EQ(Block(f, "$13  Тематика"_cp), DosLines({"$13  Тематика"_cp, "-3", "7", ""}));
    EXPECT_EQ(Block(f, "$15  Номер в Минюсте"_cp),
              DosLines({"$15  Номер в Минюсте"_cp, "12", "", ""}));
    // In the text an empty element is written: it is read back as text.
    EXPECT_EQ(Block(f, "$18  Текст документа"_cp),
              DosLines({"$18  Текст документа"_cp, "a", "", ""}));
}

TEST(SourceFormatWrite, StatusCharacters) {
    const std::vector<std::pair<int, std::string>> cases = {
        {0, "-\r\n\r\n"}, {1, "\xF1\r\n\r\n"}, {2, "+\r\n\r\n"}, {3, "\r\n\r\n"}, {-1, "\r\n\r\n"}};
    for (const auto& [status, value] : cases) {
        CRequisiteRecord r;
        r.m_status = status;
        std::string header = Cp1251ToCp866("$16  Поиск по статусу"_cp) + "\r\n";
        EXPECT_NE(WriteSourceBytes(r, 66).find(header + value + "$3"), std::string::npos) << status;
        // An unknown status is written as absent and reads back as 0.
        EXPECT_EQ(ReadSourceBytes(WriteSourceBytes(r, 66), true).m_status,
                  status >= 0 && status <= 2 ? status : 0);
    }
}

TEST(SourceFormatWrite, CharactersCp866LacksTakeTheirBestFit) {
    CRequisiteRecord r;
    r.m_kinds = {S("«ПРИКАЗ» — N 5"_cp)};
    EXPECT_EQ(Block(WriteSourceBytes(r, 66), "$5  Вид документа"_cp),
              DosLines({"$5  Вид документа"_cp, "\"ПРИКАЗ\" - N 5"_cp, ""}));
}

TEST(SourceFormatWrite, FrameCodesBecomeBoxCharactersInTextBlocks) {
    CRequisiteRecord r;
    r.m_text = {"\x1B\x16\x1A", "\x1C\x16\xA7"};
    r.m_links = {"\x12"};
    const std::string f = WriteSourceBytes(r, 66);
    EXPECT_NE(f.find("\r\n\xDA\xC4\xBF\r\n\xC0\xC4\xD9\r\n\r\n"), std::string::npos);
    EXPECT_NE(f.find(Cp1251ToCp866("$11  Ссылки"_cp) + "\r\n\xB3\r\n"), std::string::npos);
    EXPECT_EQ(f.find('\x1A'), std::string::npos);
}

// ---------------------------------------------------------------- data-loss fixes

TEST(SourceFormatFixes, SingleStringBlockGetsTheFrameMap) {
    // Without the map the internal code of the top-right corner is a raw Ctrl+Z, which ends
    // reading and loses the title and the text.
    CRequisiteRecord r;
    r.m_justiceNumber = "N\x1A"
                        "5";
    r.m_title = S("НАЗВАНИЕ"_cp);
    r.m_text = {"x"};
    const std::string f = WriteSourceBytes(r, 66);
    EXPECT_EQ(f.find('\x1A'), std::string::npos);
    const CRequisiteRecord back = ReadSourceBytes(f, true);
    EXPECT_EQ(back.m_justiceNumber, r.m_justiceNumber);
    EXPECT_EQ(back.m_title, r.m_title);
    EXPECT_EQ(back.m_text, (LineList{"x"}));
}

TEST(SourceFormatFixes, TextLinesThatLookLikeHeadersStayText) {
    CRequisiteRecord r;
    r.m_kinds = {S("ПРИКАЗ"_cp)};
    r.m_text = {"$5 abc", "$0 1", "$18", "def"};
    const CRequisiteRecord back = ReadSourceBytes(WriteSourceBytes(r, 66), true);
    EXPECT_EQ(back.m_kinds, r.m_kinds);
    EXPECT_EQ(back.m_dbNumber, -1);
    EXPECT_EQ(back.m_text, r.m_text);
}

TEST(SourceFormatFixes, WrappedBlocksKeepEverythingAfterLineBreaks) {
    CRequisiteRecord r;
    r.m_title = S("ВОПРОС \n(вместе с Порядком)"_cp);
    r.m_note = S("Абзац один\n\nАбзац два\n"_cp);
    const CRequisiteRecord back = ReadSourceBytes(WriteSourceBytes(r, 66), true);
    EXPECT_EQ(back.m_title, r.m_title) << "the break before the appendices is kept";
    EXPECT_EQ(back.m_note, S("Абзац один Абзац два"_cp));
}

TEST(SourceFormatFixes, WrappedValuesReadBackWithoutTheirPadding) {
    // The seed that broke the fuzz target's round trip: justified padding read as spaces
    // grew with every read and write.
    CRequisiteRecord r;
    r.m_title = S("ОБ УТВЕРЖДЕНИИ ПОЛОЖЕНИЯ О ПОРЯДКЕ ВЕДЕНИЯ УЧЕТА ДОКУМЕНТОВ В ФЕДЕРАЛЬНЫХ "
                  "ОРГАНАХ \n(вместе с \"ПОЛОЖЕНИЕМ О ПОРЯДКЕ ВЕДЕНИЯ ОЧЕНЬ ДЛИННОГО УЧЕТА\")"_cp);
    r.m_note = S("естный номер ПОЛОЖЕНИЕ о порядке ведения учета документов"_cp);
    for (int width : {20, 33, 66}) {
        const std::string bytes = WriteSourceBytes(r, width);
        const CRequisiteRecord back = ReadSourceBytes(bytes, true);
        EXPECT_EQ(back.m_title, r.m_title) << width;
        EXPECT_EQ(back.m_note, r.m_note) << width;
        EXPECT_EQ(WriteSourceBytes(back, width), bytes) << width;
    }
    std::string seed;
    ASSERT_TRUE(
        ReadFileBytes(std::string(NORVAK_TEST_DATA) + "/sourceformat/roundtrip_padding.bin", seed));
    const int width = 20 + static_cast<unsigned char>(seed[0]) % 64;
    const CRequisiteRecord first = ReadSourceBytes(seed.substr(1), (seed[0] & 1) != 0);
    const std::string once = WriteSourceBytes(first, width);
    const std::string twice = WriteSourceBytes(ReadSourceBytes(once, true), width);
    EXPECT_EQ(twice, once);
}

TEST(SourceFormatFixes, NoteTagLinesStandAloneAtAnyWidth) {
    CRequisiteRecord r;
    r.m_note = S("до тега "_cp) + LinkTag("СС_ПОТ_1#"_cp) + S(" \nпосле тега"_cp);
    for (int width : {20, 66, 80, 140}) {
        const std::string bytes = WriteSourceBytes(r, width);
        EXPECT_NE(bytes.find("\r\n" + Cp1251ToCp866(LinkTag("СС_ПОТ_1#"_cp)) + "\r\n"),
                  std::string::npos)
            << width;
        EXPECT_EQ(ReadSourceBytes(bytes, true).m_note, r.m_note) << width;
    }
}

TEST(SourceFormatFixes, ListElementsThatWouldEndTheBlockAreLeftOut) {
    CRequisiteRecord r;
    r.m_kinds = {S("ПРИКАЗ"_cp), "", "  ", "...", "\r", S("ПОЛОЖЕНИЕ"_cp)};
    r.m_adoptionDates = {CDateValue::Null(), CDateValue(2002, 12, 1)};
    r.m_sources = {"", " "};
    const std::string f = WriteSourceBytes(r, 66);
    EXPECT_EQ(Block(f, "$5  Вид документа"_cp),
              DosLines({"$5  Вид документа"_cp, "ПРИКАЗ"_cp, "ПОЛОЖЕНИЕ"_cp, ""}));
    const CRequisiteRecord back = ReadSourceBytes(f, true);
    EXPECT_EQ(back.m_kinds, (std::vector<std::string>{S("ПРИКАЗ"_cp), S("ПОЛОЖЕНИЕ"_cp)}));
    EXPECT_EQ(back.m_adoptionDates, std::vector<CDateValue>{CDateValue(2002, 12, 1)});
    // Sources with nothing to write count as none.
    EXPECT_EQ(back.m_sources, std::vector<std::string>{S("Документ опубликован не был"_cp)});
}

TEST(SourceFormatFixes, ValuesThatLookLikeHeadersKeepTheirBlock) {
    CRequisiteRecord r;
    r.m_title = S("$5 млн рублей и $10 на счёт"_cp);
    r.m_numbers = {"$7", "$$8", "8"};
    r.m_justiceNumber = "$15";
    r.m_text = {"$9 text"};
    const std::string f = WriteSourceBytes(r, 10);
    EXPECT_EQ(Block(f, "$9  Название документа"_cp),
              DosLines({"$9  Название документа"_cp, " $5     млн"_cp, "рублей   и"_cp,
                        " $10     на"_cp, "счёт"_cp, ""}));
    const CRequisiteRecord back = ReadSourceBytes(f, true);
    EXPECT_EQ(back.m_title, r.m_title);
    EXPECT_TRUE(back.m_kinds.empty());
    EXPECT_TRUE(back.m_sources.size() == 1);
    EXPECT_EQ(back.m_numbers, r.m_numbers) << "the shielding space goes again";
    EXPECT_EQ(back.m_justiceNumber, r.m_justiceNumber);
    EXPECT_EQ(back.m_text, r.m_text);
    // A value that its own leading spaces keep from being a header keeps them.
    r.m_numbers = {" $7", "  $8"};
    EXPECT_EQ(ReadSourceBytes(WriteSourceBytes(r, 10), true).m_numbers, r.m_numbers);
}

// ---------------------------------------------------------------- known read/write differences

TEST(SourceFormatRoundTrip, KnownDifferences) {
    CRequisiteRecord r;
    CRequisiteRecord back = ReadSourceBytes(WriteSourceBytes(r, 66), true);
    EXPECT_EQ(back.m_sources, std::vector<std::string>{S("Документ опубликован не был"_cp)})
        << "empty sources read back as the not-published text";
    EXPECT_TRUE(back.m_text.empty()) << "an empty text reads back empty";
    EXPECT_EQ(back.m_dbNumber, -1);
    EXPECT_EQ(back.m_firstEdition, -1);
    EXPECT_TRUE(IsNoDate(back.m_entryDate));
    EXPECT_TRUE(IsNoDate(back.m_justiceDate));
    EXPECT_TRUE(back.m_note.empty());
    EXPECT_TRUE(back.m_title.empty());
    EXPECT_TRUE(back.m_justiceNumber.empty());

    r.m_text = {"a", "b"};
    r.m_textDate = CDateValue(2002, 13, 1); // invalid: written, then ignored on reading
    back = ReadSourceBytes(WriteSourceBytes(r, 66), true);
    EXPECT_EQ(back.m_text, r.m_text) << "the terminator is no text line";
    EXPECT_TRUE(IsNoDate(back.m_textDate));
}

// Exact equality of two records, field by field (dates by value).
void ExpectSameRecord(const CRequisiteRecord& a, const CRequisiteRecord& b,
                      const std::string& what) {
    EXPECT_EQ(a.m_dbNumber, b.m_dbNumber) << what;
    EXPECT_EQ(a.m_entryDate.Value(), b.m_entryDate.Value()) << what;
    EXPECT_EQ(a.m_textDate.Value(), b.m_textDate.Value()) << what;
    EXPECT_EQ(a.m_firstEdition, b.m_firstEdition) << what;
    EXPECT_EQ(a.m_editionDate.Value(), b.m_editionDate.Value()) << what;
    EXPECT_EQ(a.m_status, b.m_status) << what;
    EXPECT_EQ(a.m_note, b.m_note) << what;
    EXPECT_EQ(a.m_themes, b.m_themes) << what;
    EXPECT_EQ(a.m_sources, b.m_sources) << what;
    EXPECT_EQ(a.m_links, b.m_links) << what;
    EXPECT_EQ(a.m_kinds, b.m_kinds) << what;
    EXPECT_EQ(a.m_organs, b.m_organs) << what;
    EXPECT_EQ(a.m_adoptionDates, b.m_adoptionDates) << what;
    EXPECT_EQ(a.m_numbers, b.m_numbers) << what;
    EXPECT_EQ(a.m_justiceDate.Value(), b.m_justiceDate.Value()) << what;
    EXPECT_EQ(a.m_justiceNumber, b.m_justiceNumber) << what;
    EXPECT_EQ(a.m_title, b.m_title) << what;
    EXPECT_EQ(a.m_text, b.m_text) << what;
}

// Random records of what the panel and the editor produce (words single-spaced, the title's
// appendices after " \n", link tags in the note followed by " \n", long words, values that
// begin like headers, dates at midnight): read(write(r)) is r, and writing it again gives
// the same bytes. An empty source list is the one exception the format fixes: it reads back
// as "Документ опубликован не был".
TEST(SourceFormatRoundTrip, ReadingWhatWasWrittenGivesTheRecordBack) {
    std::mt19937 rng(2024);
    const std::vector<std::string> words = {S("ПРИКАЗ"_cp),
                                            S("о"_cp),
                                            S("порядке"_cp),
                                            "N",
                                            S("12-ФЗ"_cp),
                                            S("ёлка"_cp),
                                            "(1)",
                                            S("Министерства"_cp),
                                            "\x12",
                                            "x",
                                            std::string(70, 'w'),
                                            "$5",
                                            "$$",
                                            S("\"Положением\""_cp)};
    auto pick = [&](std::size_t n) { return static_cast<std::size_t>(rng() % n); };
    auto phrase = [&](std::size_t maxWords) {
        std::string s;
        for (std::size_t i = 0, n = 1 + pick(maxWords); i < n; ++i)
            s += (i ? " " : "") + words[pick(words.size())];
        return s;
    };
    auto list = [&](std::size_t maxLen) {
        std::vector<std::string> v(pick(maxLen + 1));
        for (std::string& s : v)
            s = phrase(4);
        return v;
    };
    auto date = [&] {
        return CDateValue(1990 + static_cast<int>(pick(30)), 1 + static_cast<int>(pick(12)),
                          1 + static_cast<int>(pick(28)));
    };
    for (int iter = 0; iter < 400; ++iter) {
        CRequisiteRecord r;
        r.m_dbNumber = pick(4) ? static_cast<int>(pick(100000)) : -1;
        r.m_firstEdition = pick(2) ? -1 : static_cast<int>(pick(50));
        r.m_status = static_cast<int>(pick(3));
        for (CDateValue* d : {&r.m_entryDate, &r.m_textDate, &r.m_editionDate, &r.m_justiceDate})
            if (pick(2))
                *d = date();
        if (pick(2)) {
            r.m_note = phrase(30);
            for (std::size_t tags = pick(3); tags > 0; --tags)
                r.m_note += " " + LinkTag(S("СС_НУЛ_"_cp) + std::to_string(pick(999)) + "#") +
                            " \n" + phrase(10);
        }
        if (pick(4)) {
            r.m_title = phrase(40);
            if (pick(2))
                r.m_title += S(" \n(вместе с "_cp) + phrase(20) + ")";
        }
        for (std::size_t i = pick(4); i > 0; --i)
            r.m_themes.push_back(static_cast<int>(pick(5000)));
        r.m_sources = list(2);
        r.m_links = list(2);
        r.m_kinds = list(3);
        r.m_organs = list(3);
        r.m_numbers = list(2);
        for (std::size_t i = pick(3); i > 0; --i)
            r.m_adoptionDates.push_back(date());
        r.m_justiceNumber = pick(2) ? phrase(2) : "";
        r.m_text = list(8);
        if (pick(2))
            r.m_text.insert(r.m_text.begin(), {"", "...", "$7 1", "   ", "$18"});
        const int width = 20 + static_cast<int>(pick(70));
        const std::string what =
            "record " + std::to_string(iter) + ", width " + std::to_string(width);

        const std::string bytes = WriteSourceBytes(r, width);
        const CRequisiteRecord back = ReadSourceBytes(bytes, true);
        CRequisiteRecord expected = r;
        if (expected.m_sources.empty())
            expected.m_sources = {S("Документ опубликован не был"_cp)};
        ExpectSameRecord(back, expected, what);
        ASSERT_EQ(WriteSourceBytes(back, width), bytes) << what;
        if (::testing::Test::HasFailure())
            return;
    }
}

// ---------------------------------------------------------------- files

class SourceFormatFile : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir =
            fs::temp_directory_path() /
            ("norvak_srcfmt_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }
    std::size_t FileCount() const {
        return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()));
    }
    fs::path m_dir;
};

TEST_F(SourceFormatFile, WritesAndReadsAPath) {
    const std::string path = (m_dir / "00042.rla").string();
    ASSERT_TRUE(WriteSourceFile(FullRecord(), path, 66));
    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(path, bytes));
    EXPECT_EQ(bytes, Golden("full.rla"));
    CRequisiteRecord read;
    ASSERT_TRUE(ReadSourceFile(path, true, read));
    EXPECT_EQ(read.m_kinds, FullRecord().m_kinds);
}

TEST_F(SourceFormatFile, OverwritingReplacesTheWholeFileAndLeavesNoTemporaryFile) {
    const std::string path = (m_dir / "doc.rla").string();
    ASSERT_TRUE(WriteSourceFile(FullRecord(), path, 66));
    ASSERT_TRUE(WriteSourceFile(CRequisiteRecord(), path, 66));
    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(path, bytes));
    EXPECT_EQ(bytes, Golden("default.rla"));
    EXPECT_EQ(FileCount(), 1u);
}

TEST_F(SourceFormatFile, AFailedWriteIsReportedAndLeavesNothingBehind) {
    // The target is a directory: the file cannot take its place.
    const fs::path target = m_dir / "taken.rla";
    fs::create_directories(target / "inside");
    std::string error;
    EXPECT_FALSE(WriteSourceFile(FullRecord(), target.string(), 66, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(fs::is_directory(target / "inside"));
    EXPECT_EQ(FileCount(), 1u);

    // A missing folder fails the same way.
    EXPECT_FALSE(WriteSourceFile(FullRecord(), (m_dir / "no" / "x.rla").string(), 66));
}

TEST_F(SourceFormatFile, AnUnreadableFileIsReportedAndLeavesTheRecordAlone) {
    const std::string path = (m_dir / "missing.rla").string();
    CRequisiteRecord r = FullRecord();
    std::string error;
    EXPECT_FALSE(ReadSourceFile(path, true, r, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(r.m_kinds, FullRecord().m_kinds);
    EXPECT_EQ(r.m_text, FullRecord().m_text);
}

TEST(SourceFormatRead, WindowsEncodingTakesLinesAsTheyAre) {
    std::string bytes = "\r\n$$\r\n\r\n" + S("$5  Вид документа\r\nПРИКАЗ\r\n\r\n"_cp) +
                        S("$18  Текст документа\r\n"_cp) + "\xDA\xB3\r\n";
    const CRequisiteRecord r = ReadSourceBytes(bytes, false);
    EXPECT_EQ(r.m_kinds, std::vector<std::string>{S("ПРИКАЗ"_cp)});
    EXPECT_EQ(r.m_text, LineList{"\xDA\xB3"});
    // The same bytes read as DOS map the box characters.
    EXPECT_EQ(ReadSourceBytes(bytes, true).m_text, LineList{"\x1B\x12"});
}

TEST(SourceFormatRead, EmptyAndHeaderlessInput) {
    EXPECT_EQ(ReadSourceBytes("", true).m_dbNumber, -1);
    const CRequisiteRecord r = ReadSourceBytes("text before any header\r\n$\r\n$$\r\n", true);
    EXPECT_TRUE(r.m_text.empty());
    EXPECT_TRUE(r.m_kinds.empty());
}

TEST(SourceFormatSaveName, Table) {
    const std::vector<std::pair<int, std::string>> cases = {
        {42, "00042"}, {-1, ""}, {0, "00000"}, {123456, "123456"}, {99999, "99999"}};
    for (const auto& [number, name] : cases)
        EXPECT_EQ(ProposedSaveName(number), name) << number;
}

} // namespace
} // namespace norvak
