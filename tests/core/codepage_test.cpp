#include "core/codepage.h"
#include "core/literal.h"
#include "core/textfile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <optional>
#include <random>
#include <string>

namespace norvak {
namespace {

char B(int b) {
    return static_cast<char>(b);
}
int U(char c) {
    return static_cast<unsigned char>(c);
}

// One row of an expected conversion table: the target byte and the code point of the source.
struct Row {
    int to = -1;
    char32_t codePoint = 0;
};

// Reads tests/data/core/<name>: "XX YY CODEPOINT name" per byte, '#' starts a comment line.
std::array<Row, 256> LoadTable(const std::string& name) {
    std::array<Row, 256> rows{};
    std::string bytes;
    EXPECT_TRUE(ReadFileBytes(std::string(NORVAK_TEST_DATA) + "/core/" + name, bytes)) << name;
    for (const std::string& line : SplitTextLines(bytes)) {
        if (line.empty() || line[0] == '#')
            continue;
        int from = static_cast<int>(std::strtol(line.substr(0, 2).c_str(), nullptr, 16));
        rows[static_cast<std::size_t>(from)].to =
            static_cast<int>(std::strtol(line.substr(3, 2).c_str(), nullptr, 16));
        rows[static_cast<std::size_t>(from)].codePoint =
            static_cast<char32_t>(std::strtol(line.substr(6, 4).c_str(), nullptr, 16));
    }
    for (int b = 0; b < 256; ++b)
        EXPECT_GE(rows[static_cast<std::size_t>(b)].to, 0) << name << " lacks byte " << b;
    return rows;
}

TEST(Literal, RussianTextBecomesCp1251) {
    EXPECT_EQ("ПРИКАЗ"_cp, std::string_view("\xCF\xD0\xC8\xCA\xC0\xC7"));
    EXPECT_EQ("Ёё №"_cp, std::string_view("\xA8\xB8\x20\xB9"));
    EXPECT_EQ("§«»—"_cp, std::string_view("\xA7\xAB\xBB\x97"));
    EXPECT_EQ(""_cp.size(), 0u);
    EXPECT_EQ(Utf8ToCp1251("Проверка литерала, ЁЎЇЄІҐ"), "Проверка литерала, ЁЎЇЄІҐ"_cp);
}

TEST(Codepage, EveryCp866ByteMapsAsTheTableSays) {
    const auto table = LoadTable("cp866_to_cp1251.txt");
    for (int b = 0; b < 256; ++b)
        EXPECT_EQ(U(Cp866ToCp1251(B(b))), table[static_cast<std::size_t>(b)].to) << "byte " << b;
}

TEST(Codepage, EveryCp1251ByteMapsAsTheTableSays) {
    const auto table = LoadTable("cp1251_to_cp866.txt");
    for (int b = 0; b < 256; ++b) {
        EXPECT_EQ(U(Cp1251ToCp866(B(b))), table[static_cast<std::size_t>(b)].to) << "byte " << b;
        if (b >= 0x80) {
            EXPECT_EQ(Cp1251ToUnicode(B(b)), table[static_cast<std::size_t>(b)].codePoint)
                << "byte " << b;
        }
    }
}

TEST(Codepage, RoundTripIsIdentityForEveryByteBothPagesHold) {
    const auto t866 = LoadTable("cp866_to_cp1251.txt");
    int held = 0;
    for (int b = 0; b < 256; ++b) {
        char w = Cp866ToCp1251(B(b));
        // Held by both: an ASCII byte, or one whose character has the same code point in CP1251.
        bool both = b < 0x80 || Cp1251ToUnicode(w) == t866[static_cast<std::size_t>(b)].codePoint;
        EXPECT_EQ(IsLossyCp866(B(b)), !both) << "byte " << b;
        if (!both)
            continue;
        ++held;
        EXPECT_EQ(U(Cp1251ToCp866(w)), b) << "byte " << b;
    }
    // ASCII, 66 Russian letters, Є є Ї ї Ў ў, ° · № ¤ and the no-break space.
    EXPECT_EQ(held, 128 + 66 + 6 + 5);

    // And from the other side: every CP1251 character that CP866 holds comes back.
    for (int w = 0x80; w < 256; ++w) {
        char d = Cp1251ToCp866(B(w));
        if (U(d) >= 0x80) {
            EXPECT_EQ(U(Cp866ToCp1251(d)), w) << "byte " << w;
        }
    }
}

TEST(Codepage, BestFitsNamedForTheProduct) {
    struct Case {
        const char* name;
        std::string_view cp1251;
        std::string_view cp866;
    };
    const Case cases[] = {
        {"section sign becomes 0x15", "§"_cp, "\x15"},
        {"pilcrow becomes 0x14", "¶"_cp, "\x14"},
        {"double quotes", "«»“”„"_cp, "\"\"\"\"\""},
        {"single quotes", "‘’‚"_cp, "'''"},
        {"dashes and soft hyphen", "–—\u00AD"_cp, "---"},
        {"ellipsis", "…"_cp, "."},
        {"angle quotes", "‹›"_cp, "<>"},
        {"Latin look-alikes", "ІіЈјЅѕ"_cp, "IiJjSs"},
        {"no CP866 form", "ЂЃѓ€‰ЉЊЌЋЏђ™љњќћџҐґ©®±µ¦¬†‡•"_cp, "????????????????????????????"},
        {"undefined 0x98", "\x98", "?"},
        {"numero sign stays", "№"_cp, "\xFC"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Cp1251ToCp866(c.cp1251), c.cp866) << c.name;
}

TEST(Codepage, DosFramesBecomeInternalCodes) {
    struct Case {
        int box; // CP866
        int internal;
        int converted; // after CP866 -> CP1251
    };
    const Case cases[] = {{0xDA, 0x1B, 0x1B}, {0xC4, 0x16, 0x16}, {0xC2, 0x18, 0x18},
                          {0xBF, 0x1A, 0x1A}, {0xB3, 0x12, 0x12}, {0xC3, 0x10, 0x10},
                          {0xC5, 0x13, 0x13}, {0xB4, 0x11, 0x11}, {0xC0, 0x1C, 0x1C},
                          {0xC1, 0x19, 0x19}, {0xD9, 0x15, 0xA7}};
    for (const Case& c : cases) {
        EXPECT_EQ(U(FrameToInternal(B(c.box))), c.internal) << c.box;
        EXPECT_EQ(U(InternalToFrame(B(c.internal))), c.box) << c.box;
        EXPECT_EQ(U(DosToWindows(std::string(1, B(c.box)))[0]), c.converted) << c.box;
        // The source-format writer restores the box character.
        EXPECT_EQ(U(WindowsToDos(std::string(1, B(c.converted)))[0]), c.box) << c.box;
    }
    // Only the eleven are mapped.
    int mapped = 0;
    for (int b = 0; b < 256; ++b)
        mapped += FrameToInternal(B(b)) != B(b);
    EXPECT_EQ(mapped, 11);
    // Double-line frames take the ordinary best fit.
    EXPECT_EQ(DosToWindows("\xC9\xCD\xCB\xBB\xBA"), "+=++|");
    EXPECT_EQ(DosToWindows("\x8F\xE0\xA8\xAA\xA0\xA7"), "Приказ"_cp);
}

TEST(Codepage, DosRoundTripOfTextAndFrames) {
    std::string dos;
    for (int b = 0x20; b < 256; ++b)
        if (FrameToInternal(B(b)) != B(b) || !IsLossyCp866(B(b)))
            dos += B(b);
    EXPECT_EQ(WindowsToDos(DosToWindows(dos)), dos);
}

// The buffer conversions take sixteen bytes at a time where they can; whatever the mix and
// the alignment, every byte must come out as the byte functions convert it.
TEST(Codepage, BufferConversionsAgreeWithTheByteFunctions) {
    auto dosIn = [](char c) { return Cp866ToCp1251(FrameToInternal(c)); };
    auto dosOut = [](char c) { return InternalToFrame(Cp1251ToCp866(c)); };
    auto check = [&](const std::string& s, const std::string& what) {
        std::string in(s.size(), '\0');
        std::size_t lossy = 0;
        for (std::size_t i = 0; i < s.size(); ++i) {
            in[i] = dosIn(s[i]);
            lossy += IsLossyCp866(FrameToInternal(s[i])) ? 1 : 0;
        }
        std::string got(s.size(), '\0');
        EXPECT_EQ(DosToWindows(s.data(), s.size(), got.data()), lossy) << what;
        EXPECT_EQ(got, in) << what;
        EXPECT_EQ(DosToWindows(s), in) << what;
        std::string out(s.size(), '\0');
        for (std::size_t i = 0; i < s.size(); ++i)
            out[i] = dosOut(s[i]);
        EXPECT_EQ(WindowsToDos(s), out) << what;
        std::string appended = "x";
        AppendWindowsToDos(appended, s);
        EXPECT_EQ(appended, "x" + out) << what;
    };
    // nominal: every byte alone in a run, and once among 31 letters at every position.
    for (int b = 0; b < 256; ++b) {
        check(std::string(40, B(b)), "run of byte " + std::to_string(b));
        for (int at = 0; at < 32; ++at) {
            std::string s(32, B(0xAE)); // CP866 "о", CP1251 "®"
            s[static_cast<std::size_t>(at)] = B(b);
            check(s, "byte " + std::to_string(b) + " at " + std::to_string(at));
        }
    }
    // property: random lines from letters of both pages, ASCII, frames and every byte.
    std::mt19937 rng(11);
    const std::string letters = "\x80\x8F\xA0\xAF\xE0\xEF\xC0\xDF\xF0\xFF\xB3\xC4\xDA\xF1 a.";
    for (int n = 0; n < 2000; ++n) {
        std::string s(rng() % 100, ' ');
        for (char& c : s)
            c = rng() % 8 == 0 ? B(static_cast<int>(rng() % 256)) : letters[rng() % letters.size()];
        check(s, "random line " + std::to_string(n));
    }
}

// The source-format writer converts line by line and relies on this to place its CRs.
TEST(Codepage, OnlyLfConvertsToLfEitherWay) {
    for (int b = 0; b < 256; ++b) {
        const std::string s(1, B(b));
        EXPECT_EQ(DosToWindows(s) == "\n", b == '\n') << "byte " << b;
        EXPECT_EQ(WindowsToDos(s) == "\n", b == '\n') << "byte " << b;
    }
}

TEST(Codepage, Utf8RoundTripOfEveryCp1251Byte) {
    for (int b = 0; b < 256; ++b) {
        std::string s(1, B(b));
        std::string expected = b == 0x98 ? "?" : s;
        EXPECT_EQ(Utf8ToCp1251(Cp1251ToUtf8(s)), expected) << "byte " << b;
    }
    EXPECT_EQ(Cp1251ToUtf8("Ёж"_cp), "Ёж");
}

TEST(Codepage, Utf8InvalidInputBecomesQuestionMarks) {
    struct Case {
        const char* name;
        std::string utf8;
        std::string cp1251;
    };
    const Case cases[] = {
        {"robustness: lone continuation byte", "a\x80z", "a?z"},
        {"robustness: truncated sequence at the end", "a\xD0", "a?"},
        {"robustness: bad continuation", "\xD0\x41", "?A"},
        {"robustness: overlong NUL", std::string("\xC0\x80", 2), "??"},
        {"robustness: overlong slash", "\xE0\x80\xAF", "???"},
        {"robustness: surrogate", "\xED\xA0\x80", "???"},
        {"robustness: past U+10FFFF", "\xF4\x90\x80\x80", "????"},
        {"robustness: five-byte lead", "\xF8\x88\x80\x80\x80", "?????"},
        {"nominal: character outside CP1251", "\xE2\x82\xBD", "?"},
        {"nominal: four-byte character", "\xF0\x9F\x98\x80", "?"},
        {"nominal: NUL passes as it is", std::string("a\0b", 3), std::string("a\0b", 3)},
        {"nominal: a question mark of the text is no loss", "?x\x80", "?x?"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Utf8ToCp1251(c.utf8), c.cp1251) << c.name;
        // The counting form agrees and counts every replacement but a "?" of the text.
        std::size_t lost = 99, first = 99;
        EXPECT_EQ(Utf8ToCp1251(c.utf8, &lost, &first), c.cp1251) << c.name;
        const std::size_t marks =
            static_cast<std::size_t>(std::count(c.cp1251.begin(), c.cp1251.end(), '?'));
        const bool textMark = c.utf8.front() == '?';
        EXPECT_EQ(lost, marks - (textMark ? 1 : 0)) << c.name;
        if (lost)
            EXPECT_EQ(first, c.cp1251.find('?', textMark ? 1 : 0)) << c.name;
        else
            EXPECT_EQ(first, 99u) << c.name << ": untouched without losses";
    }
}

TEST(Codepage, Utf8TextToWindowsMapsFrames) {
    std::size_t lost = 0;
    EXPECT_EQ(Utf8TextToWindows("┌─┬┐└┴┘│├┼┤", &lost),
              "\x1B\x16\x18\x1A\x1C\x19\x15\x12\x10\x13\x11");
    EXPECT_EQ(lost, 0u);
    EXPECT_EQ(Utf8TextToWindows("╔═╗ Дом", &lost), "??? Дом"_cp)
        << "double lines have no frame code";
    EXPECT_EQ(lost, 3u);
    EXPECT_EQ(Utf8ToCp1251("┌", &lost), "?") << "only the text form maps frames";
}

// The one decoder behind every UTF-8 reader: a whole character or nothing, and i moves only
// over a whole character.
TEST(Codepage, Utf8DecoderTakesWholeCharactersOnly) {
    struct Case {
        const char* name;
        std::string utf8;
        char32_t cp; // 0: malformed
        std::size_t length;
    };
    const Case cases[] = {
        {"nominal: ASCII", "A", U'A', 1},
        {"nominal: Cyrillic", "\xD0\x96", 0x0416, 2},
        {"nominal: three bytes", "\xE2\x84\x96", 0x2116, 3},
        {"nominal: four bytes", "\xF0\x9F\x98\x80", 0x1F600, 4},
        {"robustness: overlong NUL", std::string("\xC0\x80", 2), 0, 0},
        {"robustness: truncated", "\xE2\x84", 0, 0},
        {"robustness: surrogate", "\xED\xA0\x80", 0, 0},
        {"robustness: stray continuation", "\x80", 0, 0},
    };
    for (const Case& c : cases) {
        std::size_t i = 0;
        const std::optional<char32_t> cp = DecodeUtf8(c.utf8, i);
        EXPECT_EQ(cp.value_or(0), c.cp) << c.name;
        EXPECT_EQ(i, c.length) << c.name;
    }
}

TEST(Codepage, Utf16ToCp1251) {
    struct Case {
        const char* name;
        std::u16string utf16;
        std::string cp1251;
    };
    const Case cases[] = {
        {"nominal: Russian", u"Закон №5", std::string("Закон №5"_cp)},
        {"nominal: typographic characters", u"«—»€", std::string("«—»€"_cp)},
        {"nominal: empty", u"", ""},
        {"robustness: character outside CP1251", u"\u20BD\u00E9", "??"},
        {"robustness: surrogate pair is one character", u"a\U0001F600b", "a?b"},
        {"robustness: lone high surrogate", std::u16string(1, char16_t(0xD800)) + u"x", "?x"},
        {"robustness: lone low surrogate", std::u16string(1, char16_t(0xDC00)), "?"},
        {"robustness: undefined 0x98 has no code point", std::u16string(1, char16_t(0xFFFD)), "?"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Utf16ToCp1251(c.utf16), c.cp1251) << c.name;
    for (int b = 0; b < 256; ++b) {
        if (b == 0x98)
            continue;
        std::u16string wide(1, static_cast<char16_t>(Cp1251ToUnicode(B(b))));
        EXPECT_EQ(Utf16ToCp1251(wide), std::string(1, B(b))) << "byte " << b;
    }
}

TEST(Codepage, DisplayShowsFramesAsBoxCharacters) {
    std::string line = DosToWindows("\xDA\xC4\xC2\xBF \xC0\xC1\xD9 \xB3\xC3\xC5\xB4");
    EXPECT_EQ(Cp1251ToUtf8Display(line), "┌─┬┐ └┴┘ │├┼┤");
    // A section sign in running text stays a section sign.
    EXPECT_EQ(Cp1251ToUtf8Display("§ 5"_cp), "§ 5");
}

} // namespace
} // namespace norvak
