#include "document/inputsniff.h"

#include "core/literal.h"
#include "core/operatorio.h"

#include <array>
#include <cstddef>
#include <cstring>

namespace norvak {
namespace {

// Calls visit(line) on each line of the bytes (LF cut, a CR before it dropped) until visit
// returns false.
template <class Visit> void ForEachLine(std::string_view bytes, Visit visit) {
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t lf = bytes.find('\n', start);
        std::size_t end = lf == std::string_view::npos ? bytes.size() : lf;
        std::string_view line = bytes.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (!visit(line) || lf == std::string_view::npos)
            return;
        start = lf + 1;
    }
}

// "$" and the field number, then a space or the end of the line.
bool IsBlockHeader(std::string_view line, std::string_view* number = nullptr) {
    if (line.size() < 2 || line[0] != '$')
        return false;
    std::size_t i = 1;
    while (i < line.size() && line[i] >= '0' && line[i] <= '9')
        ++i;
    if (i == 1 || (i < line.size() && line[i] != ' '))
        return false;
    if (number)
        *number = line.substr(1, i - 1);
    return true;
}

bool IsBlank(std::string_view line) {
    return line.find_first_not_of(" \t\r") == std::string_view::npos;
}

std::string_view WithoutBom(std::string_view bytes) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF")
        bytes.remove_prefix(3);
    return bytes;
}

// Valid UTF-8 throughout (no overlong forms, surrogates or code points past U+10FFFF), and
// how many multi-byte characters it holds.
bool IsUtf8(std::string_view s, std::size_t& multiByte) {
    multiByte = 0;
    const auto* p = reinterpret_cast<const unsigned char*>(s.data());
    const std::size_t n = s.size();
    std::size_t i = 0;
    while (i < n) {
        const unsigned char c = p[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        const std::size_t len = (c & 0xE0) == 0xC0   ? 2
                                : (c & 0xF0) == 0xE0 ? 3
                                : (c & 0xF8) == 0xF0 ? 4
                                                     : 0;
        if (len == 0 || i + len > n)
            return false;
        char32_t cp = len == 2 ? (c & 0x1F) : len == 3 ? (c & 0x0F) : (c & 0x07);
        for (std::size_t k = 1; k < len; ++k) {
            if ((p[i + k] & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (p[i + k] & 0x3F);
        }
        static constexpr char32_t kMinimum[5] = {0, 0, 0x80, 0x800, 0x10000};
        if (cp < kMinimum[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        ++multiByte;
        i += len;
    }
    return true;
}

// How plausible each high byte is in a Russian text of the code page: lower-case letters 3,
// capitals, Ё and common punctuation or box drawing 1, anything else 0.
struct Weights {
    std::array<unsigned char, 256> dos{};
    std::array<unsigned char, 256> windows{};
    Weights() {
        for (int b = 0x80; b <= 0x9F; ++b)
            dos[b] = 1; // А..Я
        for (int b = 0xA0; b <= 0xAF; ++b)
            dos[b] = 3; // а..п
        for (int b = 0xB3; b <= 0xDA; ++b)
            dos[b] = 1; // single and double box drawing
        for (int b = 0xE0; b <= 0xEF; ++b)
            dos[b] = 3;                        // р..я
        dos[0xF0] = dos[0xF1] = dos[0xFC] = 1; // Ё ё №
        for (int b = 0xC0; b <= 0xDF; ++b)
            windows[b] = 1; // А..Я
        for (int b = 0xE0; b <= 0xFF; ++b)
            windows[b] = 3; // а..я
        for (int b : {0xA8, 0xB8, 0xAB, 0xBB, 0xB9, 0x96, 0x97, 0x84, 0x93, 0x94, 0xA7})
            windows[b] = 1; // Ё ё « » № – — „ “ ” §
    }
};

} // namespace

bool LooksLikeSourceFormat(std::string_view bytes) {
    bool sawPrologue = false, sawHeader = false, result = false;
    ForEachLine(WithoutBom(bytes), [&](std::string_view line) {
        if (!sawPrologue && !sawHeader) {
            if (IsBlank(line))
                return true;
            if (line == "$$") {
                sawPrologue = true;
                return true;
            }
            sawHeader = IsBlockHeader(line);
            return sawHeader; // any other first line: a plain text
        }
        if (sawPrologue) {
            if (IsBlank(line))
                return true;
            result = IsBlockHeader(line);
            return false;
        }
        if (IsBlockHeader(line)) {
            result = true;
            return false;
        }
        return true;
    });
    return result;
}

bool HasSourceTextBlock(std::string_view bytes) {
    bool found = false;
    ForEachLine(bytes, [&](std::string_view line) {
        std::string_view number;
        found = IsBlockHeader(line, &number) && number == "18";
        return !found;
    });
    return found;
}

bool HoldsTagLines(std::string_view bytes) {
    bool found = false;
    ForEachLine(bytes, [&](std::string_view line) {
        while (!line.empty() && line.front() == '\r')
            line.remove_prefix(1);
        found = line.size() > 2 && line[0] == '\x04' && line[1] == '\x04';
        return !found;
    });
    return found;
}

Encoding GuessTextEncoding(std::string_view bytes) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF")
        return Encoding::Utf8;
    // The first megabyte tells as much as the whole file; a character the cut splits is no
    // fault of the text.
    constexpr std::size_t kSample = 1 << 20;
    if (bytes.size() > kSample) {
        std::size_t cut = kSample;
        while (cut > kSample - 4 && (static_cast<unsigned char>(bytes[cut]) & 0xC0) == 0x80)
            --cut;
        bytes = bytes.substr(0, cut);
    }
    std::size_t multiByte = 0;
    if (IsUtf8(bytes, multiByte) && multiByte > 0)
        return Encoding::Utf8;
    static const Weights weights;
    std::size_t dos = 0, windows = 0;
    for (char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        dos += weights.dos[b];
        windows += weights.windows[b];
    }
    return windows > dos ? Encoding::Windows : Encoding::Dos;
}

TypeMismatch CheckFileType(std::string_view bytes, FileType chosen, std::string_view displayPath) {
    TypeMismatch m;
    const bool source = LooksLikeSourceFormat(bytes);
    const Encoding encoding = GuessTextEncoding(bytes);
    const auto say = [&](std::string_view format, FileType offer) {
        m.found = true;
        m.message = FormatMessage(format, displayPath);
        m.offer = offer;
        m.encoding = encoding;
    };
    if (chosen == FileType::Text) {
        const bool tagged = source && HoldsTagLines(bytes);
        if (source)
            say(tagged
                    ? "Файл %s — файл исходного формата с разметкой, а не текстовый файл: открытый "
                      "как текст, он будет размечен заново вместе с заголовками блоков.\n\nОткрыть "
                      "его как «Исходный формат с разметкой»?"_cp
                    : "Файл %s — файл исходного формата, а не текстовый файл: открытый как текст, "
                      "он будет размечен вместе с заголовками блоков.\n\nОткрыть его как "
                      "«Исходный формат»?"_cp,
                tagged ? FileType::Marked : FileType::Source);
        return m;
    }
    if (!source) {
        say("Файл %s не похож на файл исходного формата: в нём нет заголовков блоков, и "
            "открытый так, он даст пустой документ.\n\nОткрыть его как текстовый файл?"_cp,
            FileType::Text);
        return m;
    }
    if (!HasSourceTextBlock(bytes)) {
        say("В файле исходного формата %s нет блока текста документа ($18): открытый так, он "
            "даст документ без текста.\n\nОткрыть его как текстовый файл, чтобы увидеть всё его "
            "содержимое?"_cp,
            FileType::Text);
        return m;
    }
    if (chosen == FileType::Source && HoldsTagLines(bytes))
        say("Файл %s уже содержит строки тегов: открытый как «Исходный формат», он будет "
            "размечен ещё раз, и теги удвоятся.\n\nОткрыть его как «Исходный формат с "
            "разметкой»?"_cp,
            FileType::Marked);
    return m;
}

DetectedType DetectSourceFormat(std::string_view bytes) {
    DetectedType d;
    d.found = LooksLikeSourceFormat(bytes);
    d.encoding = GuessTextEncoding(bytes);
    return d;
}

} // namespace norvak
