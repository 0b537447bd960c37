#pragma once
// Lengths written as a number and a unit ("1.25cm", "12pt", "36px"), as the styles of web pages
// and of word-processor documents write them, in points.

#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

namespace norvak {

// A length of a number in one of the units both kinds of styles know: pt, cm, mm, in, pc and
// px (a CSS pixel, 3/4 point); nullopt for another unit.
inline std::optional<double> AbsoluteLengthPt(double n, std::string_view unit) {
    if (unit == "pt")
        return n;
    if (unit == "cm")
        return n * 72 / 2.54;
    if (unit == "mm")
        return n * 72 / 25.4;
    if (unit == "in")
        return n * 72;
    if (unit == "pc")
        return n * 12;
    if (unit == "px")
        return n * 0.75;
    return std::nullopt;
}

// The number a length begins with and the unit written after it (as written); nullopt when it
// does not begin with a number.
struct LengthText {
    double number = 0;
    std::string unit;
};
inline std::optional<LengthText> SplitLength(const std::string& v) {
    if (v.empty())
        return std::nullopt;
    char* end = nullptr;
    const double n = std::strtod(v.c_str(), &end);
    if (end == v.c_str())
        return std::nullopt;
    return LengthText{n, end};
}

} // namespace norvak
