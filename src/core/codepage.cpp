#include "core/codepage.h"

#include "core/framecodes.h"
#include "core/unicode.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace norvak {
namespace {

// Code points of CP866 0x80..0xFF.
constexpr char32_t kCp866High[128] = {
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417, 0x0418, 0x0419, 0x041A, 0x041B,
    0x041C, 0x041D, 0x041E, 0x041F, 0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427,
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F, 0x0430, 0x0431, 0x0432, 0x0433,
    0x0434, 0x0435, 0x0436, 0x0437, 0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F,
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556, 0x2555, 0x2563, 0x2551, 0x2557,
    0x255D, 0x255C, 0x255B, 0x2510, 0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F,
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x2567, 0x2568, 0x2564, 0x2565, 0x2559,
    0x2558, 0x2552, 0x2553, 0x256B, 0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580,
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447, 0x0448, 0x0449, 0x044A, 0x044B,
    0x044C, 0x044D, 0x044E, 0x044F, 0x0401, 0x0451, 0x0404, 0x0454, 0x0407, 0x0457, 0x040E, 0x045E,
    0x00B0, 0x2219, 0x00B7, 0x221A, 0x2116, 0x00A4, 0x25A0, 0x00A0};

// The eleven frame characters of CP866 and their internal codes.
struct FramePair {
    unsigned char box;
    char code;
};
constexpr FramePair kFrames[11] = {
    {0xDA, kFrameTopLeft},   {0xC4, kFrameHorizontal},    {0xC2, kFrameTopTee},
    {0xBF, kFrameTopRight},  {0xB3, kFrameVertical},      {0xC3, kFrameLeftTee},
    {0xC5, kFrameCross},     {0xB4, kFrameRightTee},      {0xC0, kFrameBottomLeft},
    {0xC1, kFrameBottomTee}, {0xD9, kFrameBottomRightDos}};

// Best fit of a box or block character that CP1251 lacks.
unsigned char BoxBestFit(char32_t cp) {
    switch (cp) {
    case 0x2500: // ─ and the heavy horizontals
    case 0x2501:
    case 0x2504:
    case 0x2505:
    case 0x2508:
    case 0x2509:
        return '-';
    case 0x2550: // ═
        return '=';
    case 0x2502: // │, heavy, double
    case 0x2503:
    case 0x2506:
    case 0x2507:
    case 0x250A:
    case 0x250B:
    case 0x2551:
        return '|';
    default:
        break;
    }
    if (cp >= 0x2500 && cp <= 0x257F)
        return '+';
    return '?';
}

struct Tables {
    std::array<unsigned char, 256> to1251{};
    std::array<unsigned char, 256> to866{};
    std::array<bool, 256> lossy866{};
    std::array<unsigned char, 256> frameIn{};
    std::array<unsigned char, 256> frameOut{};
    // The frame map and the code page conversion in one step, each way.
    std::array<unsigned char, 256> dosIn{};
    std::array<unsigned char, 256> dosOut{};
    std::array<unsigned char, 256> lossyDos{}; // 1 for lossy866[frameIn[b]]

    Tables() {
        for (int b = 0; b < 256; ++b) {
            to1251[b] = static_cast<unsigned char>(b);
            to866[b] = static_cast<unsigned char>(b);
            frameIn[b] = static_cast<unsigned char>(b);
            frameOut[b] = static_cast<unsigned char>(b);
        }
        for (const FramePair& f : kFrames) {
            frameIn[f.box] = static_cast<unsigned char>(f.code);
            frameOut[static_cast<unsigned char>(f.code)] = f.box;
        }
        to1251[static_cast<unsigned char>(kFrameBottomRightDos)] =
            static_cast<unsigned char>(kFrameBottomRight);
        for (int b = 0x80; b < 0x100; ++b) {
            char32_t cp = kCp866High[b - 0x80];
            unsigned char w = static_cast<unsigned char>(UnicodeToCp1251(cp));
            if (cp == 0x2219) // ∙ bullet operator -> · middle dot
                w = 0xB7;
            else if (w == '?')
                w = BoxBestFit(cp);
            to1251[b] = w;
            lossy866[b] = Cp1251CodePoint(w) != cp;
        }
        for (int b = 0x80; b < 0x100; ++b) {
            char32_t cp = Cp1251CodePoint(static_cast<unsigned char>(b));
            unsigned char d = '?';
            for (int k = 0; k < 128; ++k)
                if (kCp866High[k] == cp) {
                    d = static_cast<unsigned char>(0x80 + k);
                    break;
                }
            if (d == '?')
                d = BestFit866(cp);
            to866[b] = d;
        }
        for (int b = 0; b < 256; ++b) {
            dosIn[b] = to1251[frameIn[b]];
            dosOut[b] = frameOut[to866[b]];
            lossyDos[b] = lossy866[frameIn[b]] ? 1 : 0;
        }
    }

    static unsigned char BestFit866(char32_t cp) {
        switch (cp) {
        case 0x00A7:
            return 0x15; // §
        case 0x00B6:
            return 0x14; // ¶
        case 0x00AB:
        case 0x00BB:
        case 0x201C:
        case 0x201D:
        case 0x201E:
            return '"';
        case 0x2018:
        case 0x2019:
        case 0x201A:
            return '\'';
        case 0x2013:
        case 0x2014:
        case 0x00AD:
            return '-';
        case 0x2026:
            return '.';
        case 0x2039:
            return '<';
        case 0x203A:
            return '>';
        case 0x0406:
            return 'I';
        case 0x0456:
            return 'i';
        case 0x0408:
            return 'J';
        case 0x0458:
            return 'j';
        case 0x0405:
            return 'S';
        case 0x0455:
            return 's';
        default:
            return '?';
        }
    }
};

const Tables& T() {
    static const Tables tables;
    return tables;
}

unsigned char U(char c) {
    return static_cast<unsigned char>(c);
}

template <class Map> std::string MapBytes(std::string_view s, const Map& map) {
    std::string out(s.size(), '\0');
    for (std::size_t i = 0; i < s.size(); ++i)
        out[i] = static_cast<char>(map[U(s[i])]);
    return out;
}

} // namespace

char Cp866ToCp1251(char c) {
    return static_cast<char>(T().to1251[U(c)]);
}
std::string Cp866ToCp1251(std::string_view s) {
    return MapBytes(s, T().to1251);
}
char Cp1251ToCp866(char c) {
    return static_cast<char>(T().to866[U(c)]);
}
std::string Cp1251ToCp866(std::string_view s) {
    return MapBytes(s, T().to866);
}
bool IsLossyCp866(char c) {
    return T().lossy866[U(c)];
}
char FrameToInternal(char c) {
    return static_cast<char>(T().frameIn[U(c)]);
}
char InternalToFrame(char c) {
    return static_cast<char>(T().frameOut[U(c)]);
}
std::string FramesToInternal(std::string_view s) {
    return MapBytes(s, T().frameIn);
}
std::string InternalToFrames(std::string_view s) {
    return MapBytes(s, T().frameOut);
}

std::string DosToWindows(std::string_view cp866) {
    std::string out(cp866.size(), '\0');
    DosToWindows(cp866.data(), cp866.size(), out.data());
    return out;
}

std::string WindowsToDos(std::string_view cp1251) {
    std::string out(cp1251.size(), '\0');
    WindowsToDos(cp1251.data(), cp1251.size(), out.data());
    return out;
}

namespace {
#if defined(__GNUC__)
// Sixteen bytes at a time where they are all ASCII (kept as they are) or Cyrillic letters
// (moved by a fixed distance between the two code pages); any other byte sends its group of
// sixteen to the tables.
using Bytes16 = unsigned char __attribute__((vector_size(16)));
using Mask16 = signed char __attribute__((vector_size(16)));
using Words16 = unsigned long long __attribute__((vector_size(16)));

bool AllSet(Mask16 m) {
    const Words16 w = reinterpret_cast<Words16>(m);
    return (w[0] & w[1]) == ~0ULL;
}

// CP866 -> CP1251: А..п (0x80..0xAF) + 0x40, р..я (0xE0..0xEF) + 0x10.
bool DosToWindows16(const char* in, char* out) {
    Bytes16 v;
    std::memcpy(&v, in, sizeof v);
    const Mask16 ascii = (v >= 0x20) & (v < 0x80);
    const Mask16 first = (v >= 0x80) & (v < 0xB0);
    const Mask16 second = (v >= 0xE0) & (v < 0xF0);
    if (!AllSet(ascii | first | second))
        return false;
    v += (reinterpret_cast<Bytes16>(first) & 0x40) + (reinterpret_cast<Bytes16>(second) & 0x10);
    std::memcpy(out, &v, sizeof v);
    return true;
}

// CP1251 -> CP866: А..п (0xC0..0xEF) - 0x40, р..я (0xF0..0xFF) - 0x10.
bool WindowsToDos16(const char* in, char* out) {
    Bytes16 v;
    std::memcpy(&v, in, sizeof v);
    const Mask16 ascii = (v >= 0x20) & (v < 0x80);
    const Mask16 first = (v >= 0xC0) & (v < 0xF0);
    const Mask16 second = v >= 0xF0;
    if (!AllSet(ascii | first | second))
        return false;
    v -= (reinterpret_cast<Bytes16>(first) & 0x40) + (reinterpret_cast<Bytes16>(second) & 0x10);
    std::memcpy(out, &v, sizeof v);
    return true;
}
#else
bool DosToWindows16(const char*, char*) {
    return false;
}
bool WindowsToDos16(const char*, char*) {
    return false;
}
#endif

} // namespace

std::size_t DosToWindows(const char* in, std::size_t size, char* out) {
    const Tables& t = T();
    std::size_t lossy = 0;
    std::size_t i = 0;
    while (i < size) {
        if (size - i >= 16 && DosToWindows16(in + i, out + i)) {
            i += 16;
            continue;
        }
        const std::size_t stop = std::min(size, i + 16);
        for (; i < stop; ++i) {
            const unsigned char b = U(in[i]);
            lossy += t.lossyDos[b];
            out[i] = static_cast<char>(t.dosIn[b]);
        }
    }
    return lossy;
}

void WindowsToDos(const char* in, std::size_t size, char* out) {
    const Tables& t = T();
    std::size_t i = 0;
    while (i < size) {
        if (size - i >= 16 && WindowsToDos16(in + i, out + i)) {
            i += 16;
            continue;
        }
        const std::size_t stop = std::min(size, i + 16);
        for (; i < stop; ++i)
            out[i] = static_cast<char>(t.dosOut[U(in[i])]);
    }
}

void AppendWindowsToDos(std::string& out, std::string_view cp1251) {
    const std::size_t at = out.size();
    out.resize(at + cp1251.size());
    WindowsToDos(cp1251.data(), cp1251.size(), out.data() + at);
}

char32_t Cp1251ToUnicode(char c) {
    return Cp1251CodePoint(U(c));
}

char UnicodeToCp1251(char32_t cp) {
    return static_cast<char>(FindCp1251(cp).value_or('?'));
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

namespace {

// The conversion behind the UTF-8 readers: each malformed sequence (DecodeUtf8) and each
// character CP1251 lacks becomes '?' and is counted in *lost, the first at output position
// *firstLost. With frames, the eleven box-drawing characters of the frame map become the
// internal frame codes.
std::string ConvertUtf8(std::string_view s, bool frames, std::size_t* lost,
                        std::size_t* firstLost) {
    std::string out;
    out.reserve(s.size());
    std::size_t losses = 0;
    const auto replace = [&] {
        if (losses++ == 0 && firstLost)
            *firstLost = out.size();
        out += '?';
    };
    std::size_t i = 0;
    while (i < s.size()) {
        const auto cp = DecodeUtf8(s, i);
        if (!cp) {
            replace();
            ++i;
            continue;
        }
        if (frames && *cp >= 0x2500 && *cp < 0x2580) {
            const FramePair* f =
                std::find_if(std::begin(kFrames), std::end(kFrames), [c = *cp](const FramePair& p) {
                    return kCp866High[p.box - 0x80] == c;
                });
            if (f != std::end(kFrames)) {
                out += static_cast<char>(f->code);
                continue;
            }
        }
        const char w = UnicodeToCp1251(*cp);
        if (w == '?' && *cp != '?')
            replace();
        else
            out += w;
    }
    if (lost)
        *lost = losses;
    return out;
}

} // namespace

std::string Utf8ToCp1251(std::string_view s) {
    return ConvertUtf8(s, false, nullptr, nullptr);
}

std::string Utf8ToCp1251(std::string_view utf8, std::size_t* lost, std::size_t* firstLost) {
    return ConvertUtf8(utf8, false, lost, firstLost);
}

std::string Utf8TextToWindows(std::string_view utf8, std::size_t* lost, std::size_t* firstLost) {
    return ConvertUtf8(utf8, true, lost, firstLost);
}

std::string Cp1251ToUtf8(std::string_view s) {
    std::string out;
    out.reserve(s.size() * 2);
    for (char c : s)
        AppendUtf8(out, Cp1251CodePoint(U(c)));
    return out;
}

std::string Cp1251ToUtf8Display(std::string_view s) {
    std::string out;
    out.reserve(s.size() * 2);
    for (std::size_t i = 0; i < s.size(); ++i) {
        unsigned char b = U(s[i]);
        unsigned char box = T().frameOut[b];
        // 0xA7 is both § and the bottom-right corner; it is a corner when it closes a rule.
        if (b == 0xA7 && i > 0 && (s[i - 1] == 0x16 || s[i - 1] == 0x19))
            box = 0xD9;
        if (box != b)
            AppendUtf8(out, kCp866High[box - 0x80]);
        else
            AppendUtf8(out, Cp1251CodePoint(b));
    }
    return out;
}

std::string Utf16ToCp1251(std::u16string_view s) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        char16_t u = s[i];
        if (u >= 0xD800 && u <= 0xDFFF) {
            // A surrogate pair (or a lone surrogate) is never in CP1251.
            if (u < 0xDC00 && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF)
                ++i;
            out += '?';
            continue;
        }
        out += UnicodeToCp1251(u);
    }
    return out;
}

} // namespace norvak
