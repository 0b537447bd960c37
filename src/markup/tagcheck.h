#pragma once
// The check of a text's tag structure: every block opened by a tag line is closed before the
// next one opens, every closing line closes an open block.

#include "core/textcore.h"
#include "markup/tags.h"

#include <vector>

namespace norvak {

enum class TagProblemKind {
    NotClosed,    // a block opened and never closed
    Unopened,     // a closing line without an open block
    Nested,       // a block opened inside an open block of another tag
    Doubled,      // a block opened inside an open block of the same tag
    WrongClosing, // "КОН" closing a block other than ОГЛ, or "!!!" closing an ОГЛ
};

// One problem: the line it is seen at (0-based), the tag of the block concerned and, for the
// problems that involve an open block, the line that opened it.
struct TagProblem {
    TagProblemKind kind;
    int line;
    TagCode code = TagCode::ZAG;
    int openedAt = -1;
    bool operator==(const TagProblem&) const = default;
};

// The problems of lines in the order of their lines. A block opened inside another one is
// reported and then taken as the open block; the outer one is not reported again. Link and
// label lines and other tag lines are no blocks.
std::vector<TagProblem> CheckTagStructure(const LineList& lines);

} // namespace norvak
