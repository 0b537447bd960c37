#pragma once
// What the bytes of a file suggest before it is opened: whether it is a source-format file,
// whether it holds a text block or tag lines, and in which code page a plain text is written.

#include <string_view>

namespace norvak {

// The encoding of a file as the open dialog offers it: a DOS text (CP866), a Windows text
// (CP1251) or UTF-8.
enum class Encoding { Dos, Windows, Utf8 };

// True when the bytes begin as a source-format file does: after blank lines either the "$$"
// line followed by a block header ("$" and digits), or a block header followed later by a
// second one. A plain text that merely mentions "$" does not qualify.
bool LooksLikeSourceFormat(std::string_view bytes);

// True when some line of the bytes is the header of the text block ("$18").
bool HasSourceTextBlock(std::string_view bytes);

// True when some line of the bytes is a tag line (the marker twice and more after it); the
// marker byte is the same in CP866, CP1251 and UTF-8.
bool HoldsTagLines(std::string_view bytes);

// The encoding the bytes of a plain text suggest: Utf8 for a byte order mark or for valid
// UTF-8 with at least one multi-byte character; otherwise Windows when the high bytes read
// more plausibly as Russian in CP1251 than in CP866 (lower-case letters weigh most), else Dos,
// which is also the answer for pure ASCII.
Encoding GuessTextEncoding(std::string_view bytes);

} // namespace norvak
