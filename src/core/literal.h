#pragma once
// Russian text in our sources is written in UTF-8 and turned into CP1251 bytes at
// compile time by the _cp literal: "ПРИКАЗ"_cp is a std::string_view of six CP1251 bytes.
// A character that CP1251 cannot hold makes the literal ill-formed.

#include <array>
#include <cstddef>
#include <string_view>

namespace norvak {
namespace detail {

// Unicode code point -> CP1251 byte for the upper half of the code page; 0 when absent.
constexpr unsigned char UnicodeToCp1251Const(char32_t cp) {
    if (cp < 0x80)
        return static_cast<unsigned char>(cp);
    if (cp >= 0x410 && cp <= 0x44F)
        return static_cast<unsigned char>(0xC0 + (cp - 0x410));
    constexpr char32_t high[64] = {
        0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409,
        0x2039, 0x040A, 0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0xFFFF, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0,
        0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB,
        0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6,
        0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457};
    for (int i = 0; i < 64; ++i)
        if (high[i] == cp)
            return static_cast<unsigned char>(0x80 + i);
    return 0;
}

template <std::size_t N> struct Utf8Literal {
    char bytes[N]{};
    std::size_t decodedLength = 0;
    consteval Utf8Literal(const char (&s)[N]) {
        for (std::size_t i = 0; i < N; ++i)
            bytes[i] = s[i];
        decodedLength = Decode(nullptr);
    }
    // Decodes the UTF-8 text into CP1251; returns the number of bytes produced.
    constexpr std::size_t Decode(char* out) const {
        std::size_t n = 0;
        for (std::size_t i = 0; i + 1 < N;) {
            unsigned char c = static_cast<unsigned char>(bytes[i]);
            char32_t cp = 0;
            if (c < 0x80) {
                cp = c;
                i += 1;
            } else if ((c & 0xE0) == 0xC0) {
                cp = (char32_t(c & 0x1F) << 6) | (static_cast<unsigned char>(bytes[i + 1]) & 0x3F);
                i += 2;
            } else if ((c & 0xF0) == 0xE0) {
                cp = (char32_t(c & 0x0F) << 12) |
                     (char32_t(static_cast<unsigned char>(bytes[i + 1]) & 0x3F) << 6) |
                     (static_cast<unsigned char>(bytes[i + 2]) & 0x3F);
                i += 3;
            } else {
                throw "character outside CP1251 in a _cp literal";
            }
            unsigned char b = UnicodeToCp1251Const(cp);
            if (b == 0 && cp != 0)
                throw "character outside CP1251 in a _cp literal";
            if (out)
                out[n] = static_cast<char>(b);
            ++n;
        }
        return n;
    }
};

template <Utf8Literal L> struct Cp1251Storage {
    static constexpr std::array<char, L.decodedLength + 1> value = [] {
        std::array<char, L.decodedLength + 1> a{};
        L.Decode(a.data());
        return a;
    }();
};

} // namespace detail

inline namespace literals {
template <detail::Utf8Literal L> constexpr std::string_view operator""_cp() {
    return {detail::Cp1251Storage<L>::value.data(), L.decodedLength};
}
} // namespace literals

} // namespace norvak
