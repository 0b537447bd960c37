#pragma once
// The framed tables stage: finds every complete single-line box frame of a DOS table (held as
// internal frame codes) and encloses it in a ТАБ block.

#include "core/framecodes.h"
#include "core/textcore.h"

#include <cstddef>

namespace norvak {

// Walks the lines once and puts a ТАБ opening line before the top line and a closing line
// after the bottom line of every complete frame. A frame opens on a line (with at least four
// lines after it) that starts with ┌, continues with ─ or ┬ and has its ┐ at the frame's
// width w; every following line must start with ├ or │ and hold ┤ or │ at w, until a line
// starting with └ with ┘ at w whose inner characters are all ─ or ┴. Any other line abandons
// the frame and is not itself tried as a top line. Carriage returns at both ends of a line
// are ignored. Returns the number of frames tagged. Runs in time linear in the text.
std::size_t RunFramedTablesStage(LineList& lines);

} // namespace norvak
