#pragma once
// What the bytes of a file suggest before it is opened: whether it is a source-format file,
// whether it holds a text block or tag lines, and in which code page a plain text is written.

#include <string>
#include <string_view>

namespace norvak {

// The types a file is opened as: the three of the classic open dialog with their 1-based
// index, the formats that are laid out before the markup, and Auto, which tells the type
// (and, with guessEncoding, the encoding) from the file's bytes.
enum class FileType { Auto = 0, Text = 1, Source = 2, Marked = 3, Html = 4, Docx = 5, Odt = 6 };

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

// What opening a file as the chosen type would get wrong, and the type to offer instead.
struct TypeMismatch {
    bool found = false;
    std::string message;      // CP1251, names the file; ends with the question to open it as `offer`
    FileType offer = FileType::Text;
    Encoding encoding = Encoding::Dos; // the encoding to open it with as `offer`
};

// Checks the bytes of the file at displayPath (CP1251, for the message) against the type
// chosen for it: a plain text chosen as a source format, a source-format file without its
// text block, a file that holds tag lines chosen as "Исходный формат" (its tags would be
// placed again), and a source-format file chosen as a text. Nothing is found otherwise.
TypeMismatch CheckFileType(std::string_view bytes, FileType chosen, std::string_view displayPath);

// How a file is opened when nobody chose its type (the command line, an old recent-file
// entry): a source-format file as "Исходный формат с разметкой", so that it shows what was
// saved, in the encoding its bytes suggest; found is false for anything else.
struct DetectedType {
    bool found = false;
    FileType type = FileType::Marked;
    Encoding encoding = Encoding::Dos;
};
DetectedType DetectSourceFormat(std::string_view bytes);

} // namespace norvak
