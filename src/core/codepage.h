#pragma once
// Conversions between the code pages the system meets: CP866 (DOS texts and the source
// format), CP1251 (the text inside the system), UTF-8 (terminal, GUI, sources) and UTF-16
// (wide strings in the dictionary archive).

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace norvak {

// Byte-wise CP866 -> CP1251. 0x15 becomes 0xA7 (the internal code of the bottom-right frame
// corner); other bytes below 0x80 stay; characters CP1251 lacks take their best fit.
char Cp866ToCp1251(char c);
std::string Cp866ToCp1251(std::string_view s);

// Byte-wise CP1251 -> CP866 with the best fit for characters CP866 lacks.
char Cp1251ToCp866(char c);
std::string Cp1251ToCp866(std::string_view s);

// True when CP866 byte c (after the frame map) has no exact form in CP1251, so that the
// conversion replaces it by a look-alike or "?".
bool IsLossyCp866(char c);

// The eleven single-line box-drawing characters of CP866 <-> the internal frame codes.
char FrameToInternal(char c);
char InternalToFrame(char c);
std::string FramesToInternal(std::string_view cp866);
std::string InternalToFrames(std::string_view cp866);

// A line of a DOS text as the system holds it: frame map, then CP866 -> CP1251.
std::string DosToWindows(std::string_view cp866);
// The reverse, as the source-format writer needs it: CP1251 -> CP866, then frame map back.
std::string WindowsToDos(std::string_view cp1251);

// DosToWindows over size bytes from in to out (out may be in itself). Returns how many of the
// bytes have no exact form in CP1251 (IsLossyCp866 after the frame map).
std::size_t DosToWindows(const char* in, std::size_t size, char* out);
// WindowsToDos over size bytes from in to out (out may be in itself).
void WindowsToDos(const char* in, std::size_t size, char* out);
// WindowsToDos(cp1251) appended to out. No byte but LF becomes LF in either direction.
void AppendWindowsToDos(std::string& out, std::string_view cp1251);

// Unicode code point of a CP1251 byte; 0x98 (undefined) gives U+FFFD.
char32_t Cp1251ToUnicode(char c);
// CP1251 byte of a code point, or '?' when CP1251 has none.
char UnicodeToCp1251(char32_t cp);

// UTF-8 <-> CP1251. Invalid UTF-8 sequences and characters outside CP1251 become '?'.
std::string Utf8ToCp1251(std::string_view utf8);
std::string Cp1251ToUtf8(std::string_view cp1251);
// As Cp1251ToUtf8, but the internal frame codes print as box-drawing characters, so that a
// terminal shows tables as they were drawn.
std::string Cp1251ToUtf8Display(std::string_view cp1251);

// UTF-16 (wide strings of the dictionary archive) -> CP1251, '?' for what CP1251 lacks.
std::string Utf16ToCp1251(std::u16string_view utf16);

void AppendUtf8(std::string& out, char32_t cp);

// Decodes the UTF-8 sequence at s[i] (i < s.size()) and moves i past it. Nothing, with i
// unchanged, for a malformed sequence: a stray or truncated one, an overlong form (C0 80
// would smuggle in a NUL), a surrogate or a code point past U+10FFFF.
std::optional<char32_t> DecodeUtf8(std::string_view s, std::size_t& i);

} // namespace norvak
