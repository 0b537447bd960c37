#pragma once
// Draws a bordered table as a box-drawn frame in the internal frame codes.

#include "core/textcore.h"
#include "formats/flowdocument.h"

#include <vector>

namespace norvak {

// Interior widths of n columns that share total columns: in proportion to weights, no
// column narrower than its minimum where the total allows, none narrower than 1. Returns
// an empty list when n columns of width 1 do not fit.
std::vector<int> ShareColumns(const std::vector<double>& weights, const std::vector<int>& minimum,
                              int total);

// The frame of a table: width columns wide (the top-right corner at width - 1), columns in
// proportion to the grid widths, cell text wrapped inside its cell (a word wider than its
// cell is cut), spans and merges drawn as joined cells, every line exactly width long.
// Empty when the grid is empty or its columns cannot fit in width.
LineList DrawTableFrame(const FlowTable& table, int width);

// A table's cell paragraphs wrapped within width columns, each as its alignment says.
LineList CellLines(const std::vector<FlowParagraph>& paragraphs, int width, bool cutLongWords);

} // namespace norvak
