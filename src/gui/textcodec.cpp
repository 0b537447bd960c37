#include "textcodec.h"

#include "core/codepage.h"

#include <array>
#include <cstdint>

namespace norvak {
namespace {

// Glyphs of the bytes below 0x20. The frame codes are the box-drawing characters they were
// read from; the tag marker is a diamond and the link markers point at the span they enclose;
// the rest are the classic DOS glyphs of those codes. Tab and line feed stay themselves.
constexpr char16_t kLow[32] = {
    0x2219, // 00 NUL
    0x25BA, // 01 link opening
    0x25C4, // 02 link closing
    0x2665, // 03
    0x2666, // 04 tag marker
    0x2663, // 05
    0x2660, // 06
    0x25CF, // 07
    0x25D8, // 08
    0x0009, // 09 tab
    0x000A, // 0A line feed
    0x2642, // 0B
    0x2640, // 0C
    0x266A, // 0D carriage return
    0x266B, // 0E
    0x263C, // 0F
    0x251C, // 10 frame: left tee
    0x2524, // 11 frame: right tee
    0x2502, // 12 frame: vertical
    0x253C, // 13 frame: cross
    0x25AC, // 14
    0x00A7, // 15
    0x2500, // 16 frame: horizontal
    0x21A8, // 17
    0x252C, // 18 frame: top tee
    0x2534, // 19 frame: bottom tee
    0x2510, // 1A frame: top-right corner
    0x250C, // 1B frame: top-left corner
    0x2514, // 1C frame: bottom-left corner
    0x2194, // 1D
    0x25B2, // 1E
    0x25BC, // 1F
};

constexpr char16_t kDel = 0x2302;         // 0x7F
constexpr char16_t kUndefined = 0x25A1;   // 0x98, which CP1251 leaves undefined
constexpr char16_t kFrameCorner = 0x2518; // 0xA7, the internal bottom-right frame corner

struct CodecTables {
    std::array<char16_t, 256> shown{};
    std::array<std::int16_t, 0x10000> byteOf{};

    CodecTables() {
        byteOf.fill(-1);
        for (int b = 0; b < 256; ++b) {
            char16_t c;
            if (b < 0x20)
                c = kLow[b];
            else if (b == 0x7F)
                c = kDel;
            else if (b == 0x98)
                c = kUndefined;
            else if (b == 0xA7)
                c = kFrameCorner;
            else
                c = static_cast<char16_t>(Cp1251ToUnicode(static_cast<char>(b)));
            shown[static_cast<std::size_t>(b)] = c;
        }
        for (int b = 0; b < 256; ++b)
            byteOf[shown[static_cast<std::size_t>(b)]] = static_cast<std::int16_t>(b);
        // What the platform's text controls may hand back for a line break.
        byteOf[0x2029] = 0x0A;
        byteOf[0x2028] = 0x0A;
        byteOf[0x000D] = 0x0D;
    }
};

const CodecTables& Tables() {
    static const CodecTables tables;
    return tables;
}

} // namespace

QChar ByteToChar(unsigned char byte) {
    return QChar(Tables().shown[byte]);
}

bool CharToByte(QChar c, unsigned char& byte) {
    std::int16_t b = Tables().byteOf[c.unicode()];
    if (b < 0)
        return false;
    byte = static_cast<unsigned char>(b);
    return true;
}

QString BytesToQString(std::string_view cp1251) {
    const CodecTables& t = Tables();
    QString out(static_cast<qsizetype>(cp1251.size()), Qt::Uninitialized);
    QChar* p = out.data();
    for (char c : cp1251)
        *p++ = QChar(t.shown[static_cast<unsigned char>(c)]);
    return out;
}

std::string QStringToBytes(QStringView text) {
    const CodecTables& t = Tables();
    std::string out;
    out.reserve(static_cast<std::size_t>(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            out.push_back('?');
            ++i;
            continue;
        }
        std::int16_t b = t.byteOf[c.unicode()];
        out.push_back(b < 0 ? '?' : static_cast<char>(b));
    }
    return out;
}

bool IsRepresentable(QStringView text) {
    const CodecTables& t = Tables();
    for (QChar c : text)
        if (t.byteOf[c.unicode()] < 0)
            return false;
    return true;
}

} // namespace norvak
