#pragma once
// The framed tables stage: finds every complete single-line box frame of a DOS table (held as
// internal frame codes) and encloses it in a ТАБ block.

#include "core/textcore.h"

#include <cstddef>

namespace norvak {

// Internal frame codes as the stages see them after the DOS text has been read.
inline constexpr char kFrameTopLeft = '\x1B';     // ┌
inline constexpr char kFrameHorizontal = '\x16';  // ─
inline constexpr char kFrameTopTee = '\x18';      // ┬
inline constexpr char kFrameTopRight = '\x1A';    // ┐
inline constexpr char kFrameVertical = '\x12';    // │
inline constexpr char kFrameLeftTee = '\x10';     // ├
inline constexpr char kFrameCross = '\x13';       // ┼
inline constexpr char kFrameRightTee = '\x11';    // ┤
inline constexpr char kFrameBottomLeft = '\x1C';  // └
inline constexpr char kFrameBottomTee = '\x19';   // ┴
inline constexpr char kFrameBottomRight = '\xA7'; // ┘

// Walks the lines once and puts a ТАБ opening line before the top line and a closing line
// after the bottom line of every complete frame. A frame opens on a line (with at least four
// lines after it) that starts with ┌, continues with ─ or ┬ and has its ┐ at the frame's
// width w; every following line must start with ├ or │ and hold ┤ or │ at w, until a line
// starting with └ with ┘ at w whose inner characters are all ─ or ┴. Any other line abandons
// the frame and is not itself tried as a top line. Carriage returns at both ends of a line
// are ignored. Returns the number of frames tagged. Runs in time linear in the text.
std::size_t RunFramedTablesStage(LineList& lines);

} // namespace norvak
