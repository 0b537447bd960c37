#pragma once
// The one place where the editor's CP1251 bytes meet Qt's characters. Every byte value has its
// own character, so text survives the editor unchanged: the internal frame codes show as
// box-drawing characters, the tag marker and the link markers as distinct glyphs, and the
// other control bytes as the glyphs DOS showed for them.

#include <QChar>
#include <QString>
#include <QStringView>

#include <string>
#include <string_view>

namespace norvak {

// The character shown for a CP1251 byte. 0x0A is the line feed itself.
QChar ByteToChar(unsigned char byte);
// The byte of a character; false when no byte stands for it.
bool CharToByte(QChar c, unsigned char& byte);

QString BytesToQString(std::string_view cp1251);
// Characters without a byte become '?' (a surrogate pair counts as one character).
std::string QStringToBytes(QStringView text);

// True when every character of text has a byte, so the text can be kept as it is.
bool IsRepresentable(QStringView text);

} // namespace norvak
