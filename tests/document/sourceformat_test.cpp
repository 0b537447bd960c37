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
    // The justified spaces of the wrapped title stay; its words are the same.
    EXPECT_EQ(NormalizeName(r.m_title), NormalizeName(in.m_title));
    EXPECT_EQ(r.m_title.substr(0, 16), S("ОБ  УТВЕРЖДЕНИИ "_cp));
    // Frames come back as internal codes; trailing CRs are gone; the block's terminator is
    // read as one more text line.
    LineList text = in.m_text;
    text[10] = S("ещё строка"_cp);
    text.push_back("");
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
    EXPECT_EQ(back.m_text, (LineList{"x", ""}));
}

TEST(SourceFormatFixes, TextLinesThatLookLikeHeadersStayText) {
    CRequisiteRecord r;
    r.m_kinds = {S("ПРИКАЗ"_cp)};
    r.m_text = {"$5 abc", "$0 1", "$18", "def"};
    const CRequisiteRecord back = ReadSourceBytes(WriteSourceBytes(r, 66), true);
    EXPECT_EQ(back.m_kinds, r.m_kinds);
    EXPECT_EQ(back.m_dbNumber, -1);
    EXPECT_EQ(back.m_text, (LineList{"$5 abc", "$0 1", "$18", "def", ""}));
}

TEST(SourceFormatFixes, WrappedBlocksKeepEverythingAfterLineBreaks) {
    CRequisiteRecord r;
    r.m_title = S("ВОПРОС \n(вместе с Порядком)"_cp);
    r.m_note = S("Абзац один\n\nАбзац два\n"_cp);
    const CRequisiteRecord back = ReadSourceBytes(WriteSourceBytes(r, 66), true);
    EXPECT_EQ(back.m_title, S("ВОПРОС (вместе с Порядком)"_cp));
    EXPECT_EQ(back.m_note, S("Абзац один Абзац два"_cp));
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
    EXPECT_EQ(NormalizeName(back.m_title), NormalizeName(r.m_title));
    EXPECT_TRUE(back.m_kinds.empty());
    EXPECT_TRUE(back.m_sources.size() == 1);
    EXPECT_EQ(back.m_numbers, (std::vector<std::string>{" $7", "$$8", "8"}));
    EXPECT_EQ(back.m_justiceNumber, " $15");
    EXPECT_EQ(back.m_text, (LineList{"$9 text", ""}));
}

// ---------------------------------------------------------------- known read/write differences

TEST(SourceFormatRoundTrip, KnownDifferences) {
    CRequisiteRecord r;
    CRequisiteRecord back = ReadSourceBytes(WriteSourceBytes(r, 66), true);
    EXPECT_EQ(back.m_sources, std::vector<std::string>{S("Документ опубликован не был"_cp)})
        << "empty sources read back as the not-published text";
    EXPECT_EQ(back.m_text, (LineList{"", ""})) << "an empty text reads back as two empty lines";
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
    EXPECT_EQ(back.m_text, (LineList{"a", "b", ""})) << "the terminator is read as a text line";
    EXPECT_TRUE(IsNoDate(back.m_textDate));
}

// Values outside the text that begin like a header come back with the leading space the
// writer gives them.
std::vector<std::string> Shielded(std::vector<std::string> values) {
    for (std::string& v : values)
        if (v.size() >= 2 && v[0] == '$' && v[1] != '$')
            v.insert(0, " ");
    return values;
}

// Random records of what the panel and the editor produce: read(write(r)) gives r back apart
// from the documented differences, and a second write gives the same bytes.
TEST(SourceFormatRoundTrip, RandomRecords) {
    std::mt19937 rng(2024);
    const std::vector<std::string> words = {
        S("ПРИКАЗ"_cp),       S("о"_cp), S("порядке"_cp),      "N",    S("12-ФЗ"_cp),
        S("ёлка"_cp),         "(1)",     S("Министерства"_cp), "\x12", "x",
        std::string(70, 'w'), "$5"};
    auto phrase = [&](int maxWords) {
        std::string s;
        int n = 1 + static_cast<int>(rng() % maxWords);
        for (int i = 0; i < n; ++i) {
            s += (i ? " " : "") + words[rng() % words.size()];
        }
        return s;
    };
    auto list = [&](int maxLen) {
        std::vector<std::string> v(rng() % (maxLen + 1));
        for (std::string& s : v)
            s = phrase(4);
        return v;
    };
    for (int iter = 0; iter < 300; ++iter) {
        CRequisiteRecord r;
        r.m_dbNumber = static_cast<int>(rng() % 3) - 1 + static_cast<int>(rng() % 100000);
        r.m_firstEdition = rng() % 2 ? -1 : static_cast<int>(rng() % 50);
        r.m_status = static_cast<int>(rng() % 3);
        if (rng() % 2)
            r.m_entryDate =
                CDateValue(1990 + static_cast<int>(rng() % 30), 1 + static_cast<int>(rng() % 12),
                           1 + static_cast<int>(rng() % 28));
        r.m_note = rng() % 2 ? phrase(30) : "";
        r.m_title = rng() % 4 ? phrase(40) : "";
        for (std::size_t i = rng() % 4; i > 0; --i)
            r.m_themes.push_back(static_cast<int>(rng() % 5000));
        r.m_sources = list(2);
        r.m_links = list(2);
        r.m_kinds = list(3);
        r.m_organs = list(3);
        r.m_numbers = list(2);
        for (std::size_t i = rng() % 3; i > 0; --i)
            r.m_adoptionDates.push_back(CDateValue(2000 + static_cast<int>(rng() % 20), 6, 15));
        r.m_justiceNumber = rng() % 2 ? phrase(2) : "";
        r.m_text = list(8);
        r.m_text.insert(r.m_text.begin(), {"", "...", "$7 1"});
        const int width = 20 + static_cast<int>(rng() % 60);

        const std::string bytes = WriteSourceBytes(r, width);
        const CRequisiteRecord back = ReadSourceBytes(bytes, true);
        ASSERT_EQ(back.m_dbNumber, r.m_dbNumber);
        ASSERT_EQ(back.m_firstEdition, r.m_firstEdition);
        ASSERT_EQ(back.m_status, r.m_status);
        ASSERT_EQ(back.m_entryDate.Value(), r.m_entryDate.Value());
        ASSERT_EQ(NormalizeName(back.m_note), NormalizeName(r.m_note));
        ASSERT_EQ(NormalizeName(back.m_title), NormalizeName(r.m_title));
        ASSERT_EQ(back.m_themes, r.m_themes);
        if (r.m_sources.empty()) {
            ASSERT_EQ(back.m_sources.size(), 1u);
        } else {
            ASSERT_EQ(back.m_sources, Shielded(r.m_sources));
        }
        ASSERT_EQ(back.m_links, Shielded(r.m_links));
        ASSERT_EQ(back.m_kinds, Shielded(r.m_kinds));
        ASSERT_EQ(back.m_organs, Shielded(r.m_organs));
        ASSERT_EQ(back.m_numbers, Shielded(r.m_numbers));
        ASSERT_EQ(back.m_adoptionDates, r.m_adoptionDates);
        ASSERT_EQ(back.m_justiceNumber, Shielded({r.m_justiceNumber})[0]);
        LineList text = r.m_text;
        text.push_back("");
        ASSERT_EQ(back.m_text, text);

        // Stable from the second write on, once the text's extra line is taken off again.
        CRequisiteRecord again = back;
        again.m_text.pop_back();
        if (r.m_sources.empty())
            again.m_sources.clear();
        ASSERT_EQ(WriteSourceBytes(again, width), bytes) << iter;
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
    CScriptedOperator op;
    ASSERT_TRUE(WriteSourceFile(FullRecord(), path, 66, &op));
    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(path, bytes));
    EXPECT_EQ(bytes, Golden("full.rla"));
    bool ok = false;
    EXPECT_EQ(ReadSourceFile(path, true, &op, &ok).m_kinds, FullRecord().m_kinds);
    EXPECT_TRUE(ok);
    EXPECT_TRUE(op.Entries().empty());
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
    CScriptedOperator op;
    std::string error;
    EXPECT_FALSE(WriteSourceFile(FullRecord(), target.string(), 66, &op, &error));
    EXPECT_FALSE(error.empty());
    ASSERT_EQ(op.Entries().size(), 1u);
    EXPECT_EQ(op.Entries()[0].text, "Ошибка сохранения файла!"_cp);
    EXPECT_EQ(op.Entries()[0].icon, MessageIcon::Error);
    EXPECT_TRUE(fs::is_directory(target / "inside"));
    EXPECT_EQ(FileCount(), 1u);

    // A missing folder fails the same way.
    EXPECT_FALSE(WriteSourceFile(FullRecord(), (m_dir / "no" / "x.rla").string(), 66));
}

TEST_F(SourceFormatFile, AnUnreadableFileIsReportedAndGivesAnEmptyRecord) {
    const std::string path = (m_dir / "missing.rla").string();
    CScriptedOperator op;
    bool ok = true;
    const CRequisiteRecord r = ReadSourceFile(path, true, &op, &ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(r.m_dbNumber, -1);
    EXPECT_TRUE(r.m_text.empty());
    EXPECT_TRUE(r.m_sources.empty());
    ASSERT_EQ(op.Entries().size(), 1u);
    EXPECT_EQ(op.Entries()[0].text, S("Ошибка чтения файла "_cp) + path + "!");
    EXPECT_EQ(op.Entries()[0].icon, MessageIcon::Exclamation);
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
