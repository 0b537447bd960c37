#pragma once
// What the code pages share about Unicode: the CP1251 table and the one UTF-8 decoder of the
// system, constexpr so that the _cp literal uses them at compile time too.

#include <cstddef>
#include <optional>
#include <string_view>

namespace norvak {

// Code points of CP1251 0x80..0xBF (0xC0..0xFF are А..я); 0x98 is undefined.
inline constexpr char32_t kCp1251High[64] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409,
    0x2039, 0x040A, 0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0xFFFD, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0,
    0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB,
    0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6,
    0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457};

// The code point of CP1251 byte b; U+FFFD for the undefined 0x98.
constexpr char32_t Cp1251CodePoint(unsigned char b) {
    if (b < 0x80)
        return b;
    if (b >= 0xC0)
        return 0x0410 + (b - 0xC0);
    return kCp1251High[b - 0x80];
}

// The CP1251 byte of code point cp; nothing when CP1251 has none (U+FFFD included).
constexpr std::optional<unsigned char> FindCp1251(char32_t cp) {
    if (cp < 0x80)
        return static_cast<unsigned char>(cp);
    if (cp >= 0x0410 && cp <= 0x044F)
        return static_cast<unsigned char>(0xC0 + (cp - 0x0410));
    if (cp == 0xFFFD)
        return std::nullopt;
    for (int i = 0; i < 64; ++i)
        if (kCp1251High[i] == cp)
            return static_cast<unsigned char>(0x80 + i);
    return std::nullopt;
}

// Decodes the UTF-8 sequence at s[i] (i < s.size()) and moves i past it. Nothing, with i
// unchanged, for a malformed sequence: a stray or truncated one, an overlong form (C0 80
// would smuggle in a NUL), a surrogate or a code point past U+10FFFF.
constexpr std::optional<char32_t> DecodeUtf8(std::string_view s, std::size_t& i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char c = byte(i);
    if (c < 0x80) {
        ++i;
        return c;
    }
    const int len = (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 0;
    if (len == 0 || i + static_cast<std::size_t>(len) > s.size())
        return std::nullopt;
    char32_t cp = len == 2 ? (c & 0x1F) : len == 3 ? (c & 0x0F) : (c & 0x07);
    for (int k = 1; k < len; ++k) {
        const unsigned char cc = byte(i + static_cast<std::size_t>(k));
        if ((cc & 0xC0) != 0x80)
            return std::nullopt;
        cp = (cp << 6) | (cc & 0x3F);
    }
    constexpr char32_t kMinimum[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kMinimum[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return std::nullopt;
    i += static_cast<std::size_t>(len);
    return cp;
}

} // namespace norvak
