#pragma once
// Reading text files into lines the way DOS text-mode reading does, and whole-file I/O with
// atomic replacement for everything the system writes.

#include "core/textcore.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace norvak {

// A line of a DOS or UTF-8 text holding characters that CP1251 lacks (in a DOS text,
// IsLossyCp866 after the frame map), which the conversion replaced.
struct LossyLine {
    std::size_t line = 0;   // 0-based
    std::size_t column = 0; // 0-based, of the first such character
    std::size_t count = 0;  // how many on the line
};

// What SplitTextLines met besides the lines themselves.
struct TextSplitInfo {
    std::size_t nulBytes = 0;  // NUL bytes found (each replaced by a space)
    bool endedAtCtrlZ = false; // input stopped at a Ctrl+Z byte
    // The Ctrl+Z stood before the end of the file: text (anything but line ends and further
    // Ctrl+Z bytes) followed it and was not read. ctrlZLine is its 0-based line.
    bool textAfterCtrlZ = false;
    std::size_t ctrlZLine = 0;
    std::vector<LossyLine> lossyLines; // the DOS and UTF-8 splits only, in line order
};

// Cuts raw file bytes into lines: CR LF and LF end a line; a lone CR stays in its line;
// a Ctrl+Z byte ends the input; a final line end adds no empty line. A NUL byte, which no
// line may hold, becomes a space (and is counted) so that nothing after it is lost.
LineList SplitTextLines(std::string_view bytes, TextSplitInfo* info = nullptr);

// SplitTextLines for a DOS text: each line has its box-drawing characters turned into the
// internal frame codes and is then converted from CP866 to CP1251 (DosToWindows); the lines
// where characters were replaced are listed in info->lossyLines.
LineList SplitDosTextLines(std::string_view cp866Bytes, TextSplitInfo* info = nullptr);

// SplitTextLines for a UTF-8 text: a leading byte order mark is dropped and each line is
// converted to CP1251 with its box-drawing characters as internal frame codes
// (Utf8TextToWindows); the lines where invalid sequences or characters CP1251 lacks were
// replaced by "?" are listed in info->lossyLines, columns counted in the converted line.
LineList SplitUtf8TextLines(std::string_view utf8Bytes, TextSplitInfo* info = nullptr);

// What SplitTextLines (dos false) or SplitDosTextLines (dos true) would report about bytes,
// without making the lines: for readers that split the text their own way.
TextSplitInfo InspectTextBytes(std::string_view bytes, bool dos);

// Reads a whole regular file; false (and out empty) when it cannot be read, error saying why.
// Anything else (a FIFO, a device, a directory) is refused without being opened for long:
// reading it could block or never end.
bool ReadFileBytes(const std::string& path, std::string& out, std::string* error = nullptr);

// Empty when path names a regular file (through symlinks), otherwise why it is not one
// ("no such file", "not a regular file", ...).
std::string NotRegularFileReason(const std::string& path);
// True when path names a regular file (through symlinks).
bool IsRegularFile(const std::string& path);

// Writes a whole file through a temporary file in the same directory that is flushed and
// renamed over the target, so the target is either the old file or the new one, never a
// half-written one. An existing target that is not a regular file (a device, a FIFO, a
// directory) is refused and left as it is; a symlink is replaced, never written through.
// Temporary files of this target left behind by a write that was killed are removed first.
// A new file gets newFileMode; a replaced one keeps its permissions. On
// failure the temporary file is removed and error says why.
bool WriteFileAtomic(const std::string& path, std::string_view bytes, std::string* error = nullptr,
                     unsigned newFileMode = 0644);

// The name pattern of WriteFileAtomic's temporary files for path: path + ".tmp" + 6 characters.
bool IsTempFileOf(const std::string& path, const std::string& candidate);

} // namespace norvak
