#include "core/codepage.h"
#include "core/literal.h"
#include "core/textcore.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace norvak {
namespace {

using Words = std::vector<std::string>;

std::string S(std::string_view s) {
    return std::string(s);
}
char B(int b) {
    return static_cast<char>(b);
}

const std::size_t kTenMegabytes = 10u << 20;

// Every pair of Cyrillic capital and small letter of CP1251, written readably.
struct LetterPair {
    std::string_view upper;
    std::string_view lower;
};
const LetterPair kCyrillicPairs[] = {
    {"А"_cp, "а"_cp}, {"Б"_cp, "б"_cp}, {"В"_cp, "в"_cp}, {"Г"_cp, "г"_cp}, {"Д"_cp, "д"_cp},
    {"Е"_cp, "е"_cp}, {"Ё"_cp, "ё"_cp}, {"Ж"_cp, "ж"_cp}, {"З"_cp, "з"_cp}, {"И"_cp, "и"_cp},
    {"Й"_cp, "й"_cp}, {"К"_cp, "к"_cp}, {"Л"_cp, "л"_cp}, {"М"_cp, "м"_cp}, {"Н"_cp, "н"_cp},
    {"О"_cp, "о"_cp}, {"П"_cp, "п"_cp}, {"Р"_cp, "р"_cp}, {"С"_cp, "с"_cp}, {"Т"_cp, "т"_cp},
    {"У"_cp, "у"_cp}, {"Ф"_cp, "ф"_cp}, {"Х"_cp, "х"_cp}, {"Ц"_cp, "ц"_cp}, {"Ч"_cp, "ч"_cp},
    {"Ш"_cp, "ш"_cp}, {"Щ"_cp, "щ"_cp}, {"Ъ"_cp, "ъ"_cp}, {"Ы"_cp, "ы"_cp}, {"Ь"_cp, "ь"_cp},
    {"Э"_cp, "э"_cp}, {"Ю"_cp, "ю"_cp}, {"Я"_cp, "я"_cp}, {"Ў"_cp, "ў"_cp}, {"Ї"_cp, "ї"_cp},
    {"Є"_cp, "є"_cp}, {"І"_cp, "і"_cp}, {"Ґ"_cp, "ґ"_cp}, {"Ђ"_cp, "ђ"_cp}, {"Ѓ"_cp, "ѓ"_cp},
    {"Љ"_cp, "љ"_cp}, {"Њ"_cp, "њ"_cp}, {"Ќ"_cp, "ќ"_cp}, {"Ћ"_cp, "ћ"_cp}, {"Џ"_cp, "џ"_cp},
    {"Ј"_cp, "ј"_cp}, {"Ѕ"_cp, "ѕ"_cp},
};

TEST(LetterCase, EveryCyrillicLetterOfTheCodePage) {
    for (const LetterPair& p : kCyrillicPairs) {
        ASSERT_EQ(p.upper.size(), 1u);
        char up = p.upper[0], low = p.lower[0];
        EXPECT_EQ(ToUpperChar(low), up) << Cp1251ToUtf8(p.lower);
        EXPECT_EQ(ToLowerChar(up), low) << Cp1251ToUtf8(p.upper);
        EXPECT_EQ(ToUpperChar(up), up) << Cp1251ToUtf8(p.upper);
        EXPECT_EQ(ToLowerChar(low), low) << Cp1251ToUtf8(p.lower);
        EXPECT_TRUE(IsUpperChar(up)) << Cp1251ToUtf8(p.upper);
        EXPECT_FALSE(IsUpperChar(low)) << Cp1251ToUtf8(p.lower);
    }
}

TEST(LetterCase, EveryByteFollowsTheUnicodeCaseOfItsCharacter) {
    int letters = 0;
    for (int b = 0; b < 256; ++b) {
        char c = B(b);
        char32_t cp = Cp1251ToUnicode(c);
        char32_t up = cp, low = cp;
        if (cp >= 'a' && cp <= 'z')
            up = cp - 32;
        else if (cp >= 'A' && cp <= 'Z')
            low = cp + 32;
        else if (cp >= 0x430 && cp <= 0x44F)
            up = cp - 0x20;
        else if (cp >= 0x410 && cp <= 0x42F)
            low = cp + 0x20;
        else if (cp >= 0x450 && cp <= 0x45F)
            up = cp - 0x50;
        else if (cp >= 0x400 && cp <= 0x40F)
            low = cp + 0x50;
        else if (cp == 0x490) // Ґ
            low = 0x491;
        else if (cp == 0x491)
            up = 0x490;
        // A case partner outside the code page leaves the byte unchanged.
        char expectedUp = up == cp || UnicodeToCp1251(up) == '?' ? c : UnicodeToCp1251(up);
        char expectedLow = low == cp || UnicodeToCp1251(low) == '?' ? c : UnicodeToCp1251(low);
        EXPECT_EQ(ToUpperChar(c), expectedUp) << "byte " << b;
        EXPECT_EQ(ToLowerChar(c), expectedLow) << "byte " << b;
        EXPECT_EQ(IsUpperChar(c), expectedUp == c) << "byte " << b;
        letters += expectedUp != c || expectedLow != c;
    }
    EXPECT_EQ(letters, 2 * 26 + 2 * 47); // Latin, and the 47 Cyrillic pairs
    EXPECT_EQ(ToUpper("Приказ от 1 мая, ёлка, «щит» µ"_cp), "ПРИКАЗ ОТ 1 МАЯ, ЁЛКА, «ЩИТ» µ"_cp);
    EXPECT_EQ(ToLower("ПРИКАЗ N 5 ЁЖ"_cp), "приказ n 5 ёж"_cp);
}

TEST(LetterCase, DigitsPunctuationAndControlsCountAsUpper) {
    for (char c : std::string_view("0123456789 .,;:!?-\"'()*\x01\x04\x1B\xA7\xB9"))
        EXPECT_TRUE(IsUpperChar(c)) << int(c);
    EXPECT_TRUE(IsUpperChar('\0'));
}

TEST(Words, CountWordsAndBlankLines) {
    struct Case {
        const char* name;
        std::string s;
        int words;
        bool blank;
    };
    const Case cases[] = {
        {"edge: empty", "", 0, true},
        {"edge: spaces", "    ", 0, true},
        {"nominal: padded pair", S(" А Б "_cp), 2, false},
        {"nominal: pair", S("А Б"_cp), 2, false},
        {"nominal: one word", S("ПРИКАЗ"_cp), 1, false},
        {"robustness: tabs are ordinary characters", "\t", 1, false},
        {"robustness: control bytes", "\x01\x02 \x04", 2, false},
        {"robustness: carriage return", "\r", 1, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CountWords(c.s), c.words) << c.name;
        EXPECT_EQ(IsBlankLine(c.s), c.blank) << c.name;
    }
}

TEST(Words, NormalizeName) {
    struct Case {
        const char* name;
        std::string in;
        std::string out;
    };
    const Case cases[] = {
        {"nominal: example", S("  о   порядке  "_cp), S("О ПОРЯДКЕ"_cp)},
        {"edge: empty", "", ""},
        {"edge: spaces", "     ", ""},
        {"nominal: already normal", S("О ПОРЯДКЕ"_cp), S("О ПОРЯДКЕ"_cp)},
        {"nominal: ё", S("ёлка"_cp), S("ЁЛКА"_cp)},
        {"robustness: tab is not a separator", "a\t  b", "A\t B"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NormalizeName(c.in), c.out) << c.name;
}

TEST(Words, SplitWords) {
    struct Case {
        const char* name;
        std::string in;
        Words out;
    };
    const Case cases[] = {
        {"edge: one word", S("ПРИКАЗ"_cp), {S("ПРИКАЗ"_cp)}},
        {"edge: empty string gives one empty word", "", {""}},
        {"nominal: leading and inner runs of spaces", S("  А  Б"_cp), {S("А"_cp), S("Б"_cp)}},
        {"edge: trailing space ends with an empty word", S("А Б "_cp), {S("А"_cp), S("Б"_cp), ""}},
        {"edge: trailing run of spaces gives one empty word", "a   ", {"a", ""}},
        {"edge: only spaces", "   ", {""}},
        {"nominal: three words", "a bb ccc", {"a", "bb", "ccc"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SplitWords(c.in), c.out) << c.name;
}

// A word edit at a position over a number of words, and the text it leaves.
struct WordEditCase {
    const char* name;
    std::string in;
    int pos;
    int n;
    std::string out;
};

TEST(Words, DeleteWords) {
    const WordEditCase cases[] = {
        {"nominal: example", S("А Б В"_cp), 0, 2, S(" В"_cp)},
        {"nominal: leading spaces go with the words", "  a b c", 0, 1, " b c"},
        {"nominal: from the middle", "a b c d", 1, 2, "a d"},
        {"edge: more words than there are", "a b", 0, 5, ""},
        {"edge: last word has no space after it", "a b", 2, 1, "a "},
        {"edge: zero words", "a b", 0, 0, "a b"},
        {"edge: empty", "", 0, 3, ""},
        {"robustness: position past the end", "a b", 10, 1, "a b"},
        {"robustness: negative position", "a b", -1, 1, "a b"},
    };
    for (const WordEditCase& c : cases) {
        std::string s = c.in;
        DeleteWords(s, c.pos, c.n);
        EXPECT_EQ(s, c.out) << c.name;
    }
}

TEST(Words, ReplaceLeadingWords) {
    std::string s = S("ПОЛОЖЕНИЕМ О ПОРЯДКЕ"_cp);
    ReplaceLeadingWords(s, "ПОЛОЖЕНИЕ"_cp);
    EXPECT_EQ(s, S("ПОЛОЖЕНИЕ  О ПОРЯДКЕ"_cp)); // two spaces at the seam
    std::string empty;
    ReplaceLeadingWords(empty, "a b");
    EXPECT_EQ(empty, "a b ");
}

TEST(Words, MaskWords) {
    const WordEditCase cases[] = {
        {"nominal: example", S(" 1 ДЕКАБРЯ 2002 Г. "_cp), 0, 3, S(" * ******* **** Г. "_cp)},
        {"edge: last byte never examined", "ab", 0, 1, "*b"},
        {"edge: from the middle", " aa bb cc ", 4, 1, " aa ** cc "},
        {"edge: empty", "", 0, 1, ""},
        {"edge: one byte", "a", 0, 1, "a"},
        {"robustness: position past the end", "a b", 7, 1, "a b"},
        {"robustness: negative position", "a b", -3, 1, "a b"},
        {"edge: zero words", "a b", 0, 0, "a b"},
    };
    for (const WordEditCase& c : cases) {
        std::string s = c.in;
        MaskWords(s, c.pos, c.n);
        EXPECT_EQ(s, c.out) << c.name;
        EXPECT_EQ(s.size(), c.in.size()) << c.name;
    }
}

TEST(Words, MatchesHeadingTail) {
    const Words heading =
        SplitWords(NormalizeName("ОБ УТВЕРЖДЕНИИ ПОЛОЖЕНИЕ О ПОРЯДКЕ ВЕДЕНИЯ УЧЕТА"_cp));
    struct Case {
        const char* name;
        std::string phrase;
        bool match;
    };
    const Case cases[] = {
        {"nominal: instrumental case matches", S("ПОЛОЖЕНИЕМ О ПОРЯДКЕ ВЕДЕНИЯ УЧЕТА"_cp), true},
        {"nominal: nominative matches", S("ПОЛОЖЕНИЕ О ПОРЯДКЕ ВЕДЕНИЯ УЧЕТА"_cp), true},
        {"edge: three words are too few", S("ПОРЯДКЕ ВЕДЕНИЯ УЧЕТА"_cp), false},
        {"edge: as many words as the heading",
         S("ОБ УТВЕРЖДЕНИИ ПОЛОЖЕНИЕ О ПОРЯДКЕ ВЕДЕНИЯ УЧЕТА"_cp), false},
        {"nominal: fifth word must be equal", S("ПОЛОЖЕНИЕМ О ПОРЯДКЕ ВЕДЕНИЯ УЧЕТУ"_cp), false},
        {"nominal: stem must begin the word", S("УЛОЖЕНИЕМ О ПОРЯДКЕ ВЕДЕНИЯ УЧЕТА"_cp), false},
        {"edge: three-byte word loses one byte", S("О ПОРЯДКЕ ВЕДЕНИЯ УЧЕТА"_cp), true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MatchesHeadingTail(heading, SplitWords(c.phrase)), c.match) << c.name;
    // Stems: a three-byte word loses one byte, shorter words stay whole.
    EXPECT_TRUE(MatchesHeadingTail({"x", S("ОБ"_cp), "a", "b", "c"}, {S("ОБЪ"_cp), "a", "b", "c"}));
    EXPECT_TRUE(MatchesHeadingTail({"x", "AB", "a", "b", "c"}, {"ABC", "a", "b", "c"}));
    EXPECT_FALSE(MatchesHeadingTail({"x", "A", "a", "b", "c"}, {"AB", "a", "b", "c"}));
    EXPECT_FALSE(MatchesHeadingTail({}, {}));
    EXPECT_TRUE(MatchesHeadingTail({"x", "", "a", "b", "c"}, {"", "a", "b", "c"}));
}

TEST(Paragraphs, FirstParagraph) {
    struct Case {
        const char* name;
        LineList lines;
        std::string out;
    };
    const Case cases[] = {
        {"edge: empty list", {}, ""},
        {"edge: only blank lines", {"", "   "}, "  "},
        {"nominal: leading blanks skipped, ends at the first blank",
         {"", "  ", "a", "b", " ", "c"},
         "  a b "},
        {"nominal: runs to the end", {"a", "b"}, "  a b "},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FirstParagraph(c.lines), c.out) << c.name;
}

TEST(Paragraphs, UpperCaseHeading) {
    struct Case {
        const char* name;
        LineList lines;
        std::string out;
    };
    const std::string stamp = S("УТВЕРЖДЕНО"_cp);
    const std::string capitals = S("ПОЛОЖЕНИЕ"_cp);
    const std::string capitals2 = S("О ПОРЯДКЕ  УЧЕТА"_cp);
    const std::string mixed = S("Настоящее положение"_cp);
    const Case cases[] = {
        {"edge: fewer than two lines", {capitals}, ""},
        {"nominal: capital paragraph closed by a blank line",
         {stamp, "", capitals, capitals2, "", mixed, "end"},
         S("ПОЛОЖЕНИЕ О ПОРЯДКЕ УЧЕТА"_cp)},
        {"edge: capital paragraph not closed before the last line",
         {stamp, "", capitals, capitals2, "last"},
         ""},
        {"nominal: mixed paragraphs before the capitals are skipped",
         {stamp, mixed, "", capitals, "", mixed, "", S("ДРУГОЕ"_cp), "", "x"},
         S("ПОЛОЖЕНИЕ"_cp)},
        {"nominal: run of blank lines closes at its last blank",
         {stamp, capitals, "", "", "", capitals2, "", "x"},
         S("ПОЛОЖЕНИЕ О ПОРЯДКЕ УЧЕТА"_cp)},
        {"nominal: line 0 is never part of the heading", {capitals, "", "x"}, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(UpperCaseHeading(c.lines), c.out) << c.name;
}

TEST(LinePredicates, IsCentredLine) {
    struct Case {
        const char* name;
        std::string line;
        int posParagraph;
        int stringLength;
        bool centred;
    };
    const Case cases[] = {
        {"nominal: 40 bytes, 6 leading spaces", std::string(6, ' ') + std::string(34, 'x'), 5, 66,
         true},
        {"nominal: 5 leading spaces", std::string(5, ' ') + std::string(35, 'x'), 5, 66, false},
        {"edge: blank line", std::string(40, ' '), 5, 66, false},
        {"edge: empty line", "", 5, 66, false},
        {"edge: right gap of exactly six from trailing spaces",
         std::string(6, ' ') + std::string(54, 'x') + std::string(6, ' '), 5, 66, true},
        {"edge: right gap of five", std::string(6, ' ') + std::string(55, 'x'), 5, 66, false},
        {"edge: line longer than the width", std::string(10, ' ') + std::string(100, 'x'), 5, 66,
         false},
        {"robustness: negative settings", " x", -5, -5, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsCentredLine(c.line, c.posParagraph, c.stringLength), c.centred) << c.name;
}

TEST(LinePredicates, IsRightAlignedLine) {
    struct Case {
        const char* name;
        std::string line;
        bool right;
    };
    const Case cases[] = {
        {"nominal: full width, 20 leading spaces", std::string(20, ' ') + std::string(46, 'x'),
         true},
        {"edge: one byte shorter", std::string(20, ' ') + std::string(45, 'x'), false},
        {"edge: ends in a space", std::string(20, ' ') + std::string(45, 'x') + " ", false},
        {"edge: 19 leading spaces", std::string(19, ' ') + std::string(47, 'x'), false},
        {"edge: all spaces", std::string(66, ' '), false},
        {"edge: empty", "", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsRightAlignedLine(c.line, 66), c.right) << c.name;
    EXPECT_FALSE(IsRightAlignedLine("", -1));
    EXPECT_FALSE(IsRightAlignedLine("", 0));
}

TEST(Helpers, StripAndTrim) {
    EXPECT_EQ(StripCR("\r\rab\r\r"), "ab");
    EXPECT_EQ(StripCR("\r\r"), "");
    EXPECT_EQ(StripCR("a\rb"), "a\rb");
    EXPECT_EQ(StripLeadingCR("\rab\r"), "ab\r");
    EXPECT_EQ(TrimSpaces("  a b  "), "a b");
    EXPECT_EQ(TrimSpaces("   "), "");
    EXPECT_EQ(CountLeadingSpaces("   "), 3);
    EXPECT_EQ(CountTrailingSpaces("a  "), 2);
    EXPECT_EQ(CountTrailingSpaces(""), 0);
    EXPECT_TRUE(StartsWith("abc", ""));
    EXPECT_FALSE(StartsWith("ab", "abc"));
}

TEST(Helpers, LeadingInt) {
    struct Case {
        std::string in;
        int value;
    };
    const Case cases[] = {{"", 0},
                          {"  42abc", 42},
                          {"-17", -17},
                          {"+5", 5},
                          {"x5", 0},
                          {"\t\n 7", 7},
                          {"99999999999999", 2147483647},
                          {"-99999999999999", -2147483647 - 1},
                          {"- 5", 0}};
    for (const Case& c : cases)
        EXPECT_EQ(LeadingInt(c.in), c.value) << c.in;
}

// Every operation accepts any byte value.
TEST(Robustness, EveryByteValue) {
    for (int b = 0; b < 256; ++b) {
        const std::string one(1, B(b));
        const std::string s = "a" + one + " " + one + one + " " + one;
        const bool space = b == ' ';
        EXPECT_EQ(CountWords(one), space ? 0 : 1) << b;
        EXPECT_EQ(CountWords(s), space ? 1 : 3) << b;
        EXPECT_LE(NormalizeName(s).size(), s.size()) << b;
        EXPECT_EQ(SplitWords(s).size(), space ? 2u : 3u) << b;
        std::string m = s;
        MaskWords(m, 0, 10);
        EXPECT_EQ(m.size(), s.size()) << b;
        std::string d = s;
        DeleteWords(d, 0, 10);
        EXPECT_TRUE(d.empty() || d.size() < s.size()) << b;
        EXPECT_EQ(ToLowerChar(ToUpperChar(B(b))) == B(b) || IsUpperChar(B(b)), true) << b;
        (void)IsCentredLine(s, 5, 66);
        (void)IsRightAlignedLine(s, 66);
        (void)FirstParagraph({one, s, one});
        (void)UpperCaseHeading({one, s, "", one, one});
    }
}

TEST(Robustness, TenMegabyteLines) {
    std::string words;
    words.reserve(kTenMegabytes);
    while (words.size() + 4 <= kTenMegabytes)
        words += "ab  ";
    const int n = static_cast<int>(words.size() / 4);
    EXPECT_EQ(CountWords(words), n);
    EXPECT_EQ(NormalizeName(words).size(), static_cast<std::size_t>(n) * 3 - 1);
    EXPECT_EQ(SplitWords(words).size(), static_cast<std::size_t>(n) + 1);
    std::string masked = words;
    MaskWords(masked, 0, n);
    EXPECT_EQ(masked.find_first_not_of("* "), std::string::npos);
    std::string deleted = words;
    DeleteWords(deleted, 0, n - 1);
    EXPECT_EQ(deleted, "  ab  ");
    EXPECT_EQ(ToUpper(words).size(), words.size());

    const std::string spaces(kTenMegabytes, ' ');
    EXPECT_TRUE(IsBlankLine(spaces));
    EXPECT_EQ(CountWords(spaces), 0);
    EXPECT_EQ(NormalizeName(spaces), "");
    EXPECT_FALSE(IsCentredLine(spaces, 5, 66));
    EXPECT_FALSE(IsRightAlignedLine(spaces, 66));

    const std::string word(kTenMegabytes, 'x');
    EXPECT_EQ(SplitWords(word).size(), 1u);
    EXPECT_TRUE(MatchesHeadingTail({word, word, word, word, word}, {word, word, word, word}));
    EXPECT_EQ(FirstParagraph({word}).size(), word.size() + 3);
}

} // namespace
} // namespace norvak
