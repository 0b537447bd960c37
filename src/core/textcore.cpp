#include "core/textcore.h"

#include <climits>

namespace norvak {
namespace {

struct CaseTables {
    unsigned char upper[256];
    unsigned char lower[256];
    CaseTables() {
        for (int i = 0; i < 256; ++i)
            upper[i] = lower[i] = static_cast<unsigned char>(i);
        auto pair = [this](int up, int low) {
            upper[low] = static_cast<unsigned char>(up);
            lower[up] = static_cast<unsigned char>(low);
        };
        for (int c = 'A'; c <= 'Z'; ++c)
            pair(c, c + 32);
        for (int c = 0xC0; c <= 0xDF; ++c)
            pair(c, c + 32); // А..Я / а..я
        pair(0x80, 0x90);    // Ђ ђ
        pair(0x81, 0x83);    // Ѓ ѓ
        pair(0x8A, 0x9A);    // Љ љ
        pair(0x8C, 0x9C);    // Њ њ
        pair(0x8D, 0x9D);    // Ќ ќ
        pair(0x8E, 0x9E);    // Ћ ћ
        pair(0x8F, 0x9F);    // Џ џ
        pair(0xA1, 0xA2);    // Ў ў
        pair(0xA3, 0xBC);    // Ј ј
        pair(0xA5, 0xB4);    // Ґ ґ
        pair(0xA8, 0xB8);    // Ё ё
        pair(0xAA, 0xBA);    // Є є
        pair(0xAF, 0xBF);    // Ї ї
        pair(0xB2, 0xB3);    // І і
        pair(0xBD, 0xBE);    // Ѕ ѕ
    }
};

const CaseTables& Cases() {
    static const CaseTables tables;
    return tables;
}

} // namespace

char ToUpperChar(char c) {
    return static_cast<char>(Cases().upper[static_cast<unsigned char>(c)]);
}
char ToLowerChar(char c) {
    return static_cast<char>(Cases().lower[static_cast<unsigned char>(c)]);
}
bool IsUpperChar(char c) {
    return ToUpperChar(c) == c;
}

std::string ToUpper(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        c = ToUpperChar(c);
    return out;
}

std::string ToLower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        c = ToLowerChar(c);
    return out;
}

int CountWords(std::string_view s) {
    int n = 0;
    bool inWord = false;
    for (char c : s) {
        if (c == ' ') {
            inWord = false;
        } else if (!inWord) {
            inWord = true;
            ++n;
        }
    }
    return n;
}

std::string NormalizeName(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    bool pendingSpace = false;
    for (char c : s) {
        if (c == ' ') {
            pendingSpace = !out.empty();
            continue;
        }
        if (pendingSpace)
            out += ' ';
        pendingSpace = false;
        out += ToUpperChar(c);
    }
    return out;
}

std::vector<std::string> SplitWords(std::string_view s) {
    if (s.find(' ') == std::string_view::npos)
        return {std::string(s)};
    std::vector<std::string> words;
    std::size_t i = 0;
    while (i < s.size() && s[i] == ' ')
        ++i;
    while (i < s.size()) {
        std::size_t end = s.find(' ', i);
        if (end == std::string_view::npos) {
            words.emplace_back(s.substr(i));
            return words;
        }
        words.emplace_back(s.substr(i, end - i));
        i = end;
        while (i < s.size() && s[i] == ' ')
            ++i;
    }
    words.emplace_back();
    return words;
}

void DeleteWords(std::string& s, int pos, int n) {
    if (pos < 0)
        return;
    // Equivalent to deleting byte by byte at pos, done as one erase.
    std::size_t p = static_cast<std::size_t>(pos);
    std::size_t e = p;
    while (e < s.size() && n > 0) {
        if (s[e] != ' ' && e + 1 < s.size() && s[e + 1] == ' ')
            --n;
        ++e;
    }
    if (p < s.size())
        s.erase(p, e - p);
}

void ReplaceLeadingWords(std::string& s, std::string_view phrase) {
    DeleteWords(s, 0, CountWords(phrase));
    s = std::string(phrase) + " " + s;
}

void MaskWords(std::string& s, int pos, int n) {
    if (pos < 0)
        return;
    for (std::size_t i = static_cast<std::size_t>(pos); i + 1 < s.size() && n > 0; ++i) {
        if (s[i] != ' ') {
            s[i] = '*';
            if (s[i + 1] == ' ')
                --n;
        }
    }
}

bool MatchesHeadingTail(const std::vector<std::string>& h, const std::vector<std::string>& p) {
    if (p.size() >= h.size() || p.size() < 4)
        return false;
    std::size_t shift = h.size() - p.size();
    for (std::size_t i = 0; i < p.size(); ++i) {
        const std::string& hw = h[i + shift];
        if (i >= 4) {
            if (hw != p[i])
                return false;
            continue;
        }
        std::string stem = p[i];
        if (stem.size() >= 4)
            stem.resize(stem.size() - 2);
        else if (stem.size() == 3)
            stem.resize(2);
        if (hw.compare(0, stem.size(), stem) != 0)
            return false;
    }
    return true;
}

std::string FirstParagraph(const LineList& lines) {
    std::string acc;
    bool seen = false;
    for (const std::string& line : lines) {
        if (IsBlankLine(line)) {
            if (seen)
                break;
            continue;
        }
        seen = true;
        acc += ' ';
        acc += line;
    }
    if (lines.empty())
        return {};
    return " " + acc + " ";
}

std::string UpperCaseHeading(const LineList& lines) {
    if (lines.size() < 2)
        return {};
    std::string acc, result;
    for (std::size_t i = 1; i + 1 < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (!IsBlankLine(line)) {
            acc += ' ';
            acc += line;
            continue;
        }
        if (IsBlankLine(lines[i + 1]) || IsBlankLine(acc))
            continue;
        if (acc == ToUpper(acc)) {
            result += acc;
        } else if (!result.empty()) {
            break;
        }
        acc.clear();
    }
    return NormalizeName(result);
}

int CountLeadingSpaces(std::string_view s) {
    std::size_t p = s.find_first_not_of(' ');
    return static_cast<int>(p == std::string_view::npos ? s.size() : p);
}

int CountTrailingSpaces(std::string_view s) {
    std::size_t p = s.find_last_not_of(' ');
    return static_cast<int>(p == std::string_view::npos ? s.size() : s.size() - 1 - p);
}

bool IsCentredLine(std::string_view line, int posParagraph, int stringLength) {
    if (IsBlankLine(line))
        return false;
    long long lead = CountLeadingSpaces(line);
    if (lead < static_cast<long long>(posParagraph) + 1)
        return false;
    long long right = CountTrailingSpaces(line);
    long long len = static_cast<long long>(line.size());
    if (len < stringLength)
        right += stringLength - len;
    return right >= static_cast<long long>(posParagraph) + 1;
}

bool IsRightAlignedLine(std::string_view line, int stringLength) {
    if (stringLength < 0 || line.size() != static_cast<std::size_t>(stringLength))
        return false;
    return CountLeadingSpaces(line) >= 20 && !line.empty() && line.back() != ' ';
}

std::string_view TrimChars(std::string_view s, std::string_view chars) {
    const std::size_t first = s.find_first_not_of(chars);
    if (first == std::string_view::npos)
        return {};
    return s.substr(first, s.find_last_not_of(chars) - first + 1);
}

std::string StripCR(std::string_view s) {
    return std::string(StripCRBoth(s));
}

std::string StripLeadingCR(std::string_view s) {
    return std::string(StripCRLeading(s));
}

std::string_view SkipLeadingSpaces(std::string_view s) {
    std::size_t b = s.find_first_not_of(' ');
    return b == std::string_view::npos ? std::string_view() : s.substr(b);
}

std::string TrimSpaces(std::string_view s) {
    std::size_t b = s.find_first_not_of(' ');
    if (b == std::string_view::npos)
        return {};
    std::size_t e = s.find_last_not_of(' ');
    return std::string(s.substr(b, e - b + 1));
}

bool StartsWith(std::string_view s, std::string_view prefix) {
    return s.size() >= prefix.size() && s.compare(0, prefix.size(), prefix) == 0;
}

int LeadingInt(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || (s[i] >= '\t' && s[i] <= '\r')))
        ++i;
    bool neg = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        neg = s[i] == '-';
        ++i;
    }
    long long v = 0;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
        v = v * 10 + (s[i] - '0');
        if (v > static_cast<long long>(INT_MAX) + 1)
            v = static_cast<long long>(INT_MAX) + 1;
    }
    if (neg)
        v = -v;
    if (v > INT_MAX)
        v = INT_MAX;
    if (v < INT_MIN)
        v = INT_MIN;
    return static_cast<int>(v);
}

} // namespace norvak
