#include "formats/textbuilder.h"

#include "core/codepage.h"

namespace norvak {
namespace {

const char kNbsp = '\xA0';

bool IsCollapsibleSpace(char32_t cp) {
    return cp == ' ' || cp == '\t' || cp == '\n' || cp == '\r' || cp == '\f';
}

// Decodes one UTF-8 character at i; invalid bytes give U+FFFD and advance by one.
char32_t NextCodePoint(std::string_view s, std::size_t& i) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    if (c < 0x80) {
        ++i;
        return c;
    }
    const int len = (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 0;
    char32_t cp = len == 2 ? (c & 0x1F) : len == 3 ? (c & 0x0F) : (c & 0x07);
    bool ok = len != 0 && i + len <= s.size();
    for (int k = 1; ok && k < len; ++k) {
        const unsigned char cc = static_cast<unsigned char>(s[i + k]);
        if ((cc & 0xC0) != 0x80)
            ok = false;
        else
            cp = (cp << 6) | (cc & 0x3F);
    }
    static constexpr char32_t kMinimum[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (ok && (cp < kMinimum[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)))
        ok = false;
    if (!ok) {
        ++i;
        return 0xFFFD;
    }
    i += static_cast<std::size_t>(len);
    return cp;
}

} // namespace

char BestFitCp1251(char32_t cp, bool& exact) {
    exact = true;
    if (cp == 0xAD || cp == 0x200B || cp == 0x200C || cp == 0x200D || cp == 0x2060 || cp == 0xFEFF)
        return 0;
    if (cp != '?' && cp != 0xFFFD) {
        const char b = UnicodeToCp1251(cp);
        if (b != '?')
            return b;
    }
    exact = false;
    if (cp == 0x2010 || cp == 0x2011 || cp == 0x2012 || cp == 0x2212 || cp == 0x2043)
        return '-';
    if (cp == 0x2015)
        return '\x97'; // em dash
    if ((cp >= 0x2000 && cp <= 0x200A) || cp == 0x202F || cp == 0x205F || cp == 0x3000)
        return kNbsp;
    if (cp == 0x2032 || cp == 0x201B)
        return '\'';
    if (cp == 0x2033 || cp == 0x201F || cp == 0x2036)
        return '"';
    if (cp == 0x2024)
        return '.';
    if (cp == 0x2044 || cp == 0x2215)
        return '/';
    if (cp == 0x00D7)
        return 'x';
    if (cp == 0x2264)
        return '<';
    if (cp == 0x2265)
        return '>';
    return '?';
}

void CTextBuilder::Put(char c, bool bold) {
    if (m_pendingSpace) {
        if (!m_text.empty() && m_text.back() != ' ' && m_text.back() != '\n')
            m_text += ' ';
        m_pendingSpace = false;
    }
    m_text += c;
    if (c != ' ' && c != kNbsp && c != '\n' && c != '\t') {
        m_anyText = true;
        m_allBold = m_allBold && bold;
    }
}

void CTextBuilder::AddText(std::string_view utf8, bool bold, bool superscript) {
    // A superscript number right after a digit is a numbering level: "7" + "1" -> "7.1".
    if (superscript && !utf8.empty() && utf8[0] >= '0' && utf8[0] <= '9' && !m_pendingSpace &&
        !m_text.empty() && m_text.back() >= '0' && m_text.back() <= '9')
        Put('.', bold);
    std::size_t i = 0;
    while (i < utf8.size()) {
        const char32_t cp = NextCodePoint(utf8, i);
        if (m_collapse && IsCollapsibleSpace(cp)) {
            m_pendingSpace = true;
            continue;
        }
        if (cp == '\r')
            continue;
        if (cp == '\n') {
            AddBreak();
            continue;
        }
        if (cp == '\t') {
            AddTab();
            continue;
        }
        if (cp < 0x20 || cp == 0x7F)
            continue; // control characters are no text (and the frame codes are reserved)
        bool exact = true;
        const char b = BestFitCp1251(cp, exact);
        if (!exact)
            ++m_replaced;
        if (b != 0)
            Put(b, bold);
    }
}

void CTextBuilder::AddBreak() {
    m_pendingSpace = false;
    while (!m_text.empty() && m_text.back() == ' ')
        m_text.pop_back();
    m_text += '\n';
}

void CTextBuilder::AddTab() {
    m_pendingSpace = false;
    m_text += '\t';
}

void CTextBuilder::AddSpaces(int n) {
    m_pendingSpace = false;
    m_text.append(static_cast<std::size_t>(n > 0 ? n : 0), ' ');
}

FlowParagraph CTextBuilder::Take() {
    FlowParagraph p;
    std::size_t b = 0;
    while (b < m_text.size() && (m_text[b] == ' ' || m_text[b] == '\n'))
        ++b;
    std::size_t e = m_text.size();
    while (e > b && (m_text[e - 1] == ' ' || m_text[e - 1] == '\n'))
        --e;
    p.text = m_text.substr(b, e - b);
    p.bold = m_anyText && m_allBold;
    p.replaced = m_replaced;
    m_text.clear();
    m_replaced = 0;
    m_anyText = false;
    m_allBold = true;
    m_pendingSpace = false;
    return p;
}

} // namespace norvak
