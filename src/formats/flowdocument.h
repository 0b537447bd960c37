#pragma once
// The content of a word-processor or web document as its readers hand it to the layout:
// paragraphs with their alignment and indents, and tables as grids of cells. Text is CP1251;
// 0xA0 is a non-breaking space, '\n' a hard line break, '\t' a tab.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace norvak {

enum class FlowAlign { Left, Centre, Right, Justify };

// The alignment a CSS text-align value names (ODF's fo:text-align takes the same values); nothing
// for any other value.
inline std::optional<FlowAlign> TextAlignValue(std::string_view v) {
    if (v == "center" || v == "-webkit-center" || v == "middle")
        return FlowAlign::Centre;
    if (v == "right" || v == "end")
        return FlowAlign::Right;
    if (v == "justify")
        return FlowAlign::Justify;
    if (v == "left" || v == "start")
        return FlowAlign::Left;
    return std::nullopt;
}

// One paragraph: its text and how it is set.
struct FlowParagraph {
    std::string text;
    FlowAlign align = FlowAlign::Left;
    double firstIndentPt = 0; // first line, relative to the left indent (negative: hanging)
    double leftIndentPt = 0;
    bool bold = false;        // every character of the text is bold
    std::size_t replaced = 0; // characters CP1251 lacks that took a look-alike or "?"
};

// One cell of a table grid. A cell covered by a span or merge of another is not listed; the
// covering cell says how many grid columns and rows it takes.
struct FlowCell {
    int row = 0;
    int column = 0;
    int columnSpan = 1;
    int rowSpan = 1;
    std::vector<FlowParagraph> paragraphs;
};

// A table: the widths of its grid columns (any unit, only their proportions count), its
// cells and whether it is drawn with borders.
struct FlowTable {
    std::vector<double> columnWidths;
    int rows = 0;
    std::vector<FlowCell> cells; // in row order, then column order
    bool bordered = false;
};

// A paragraph or a table, in document order.
struct FlowBlock {
    bool isTable = false;
    FlowParagraph paragraph;
    FlowTable table;
};

// A whole document as read.
struct FlowDocument {
    std::vector<FlowBlock> blocks;

    void Add(FlowParagraph p) {
        FlowBlock b;
        b.paragraph = std::move(p);
        blocks.push_back(std::move(b));
    }
    void Add(FlowTable t) {
        FlowBlock b;
        b.isTable = true;
        b.table = std::move(t);
        blocks.push_back(std::move(b));
    }
};

// Limits a reader holds any input to, so that hostile files end with a message instead of
// exhausting the machine.
struct FormatLimits {
    static constexpr std::size_t kMaxZipEntries = 10000;
    static constexpr std::size_t kMaxPartBytes = 256u << 20;  // one unpacked part
    static constexpr std::size_t kMaxTotalBytes = 512u << 20; // all parts read together
    static constexpr int kMaxTableRows = 20000;
    static constexpr int kMaxTableColumns = 1000;
    static constexpr std::size_t kMaxTableCells = 200000;
    static constexpr int kMaxDepth = 200; // element nesting the readers follow
};

// True when an element at depth lies deeper than the readers follow; the first time, error
// (the reader's pending failure, empty while there is none) becomes message.
inline bool TooDeep(int depth, std::string& error, std::string_view message) {
    if (depth <= FormatLimits::kMaxDepth)
        return false;
    if (error.empty())
        error = std::string(message);
    return true;
}

} // namespace norvak
