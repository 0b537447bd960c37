#pragma once
// Russian text in our sources is written in UTF-8 and turned into CP1251 bytes at
// compile time by the _cp literal: "ПРИКАЗ"_cp is a std::string_view of six CP1251 bytes.
// A character that CP1251 cannot hold makes the literal ill-formed.

#include "core/unicode.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace norvak {
namespace detail {

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
        const std::string_view text(bytes, N - 1);
        std::size_t n = 0;
        for (std::size_t i = 0; i < text.size();) {
            const std::optional<char32_t> cp = DecodeUtf8(text, i);
            if (!cp)
                throw "malformed UTF-8 in a _cp literal";
            const std::optional<unsigned char> b = FindCp1251(*cp);
            if (!b)
                throw "character outside CP1251 in a _cp literal";
            if (out)
                out[n] = static_cast<char>(*b);
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
