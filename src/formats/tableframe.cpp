#include "formats/tableframe.h"

#include "formats/formlayout.h"

#include <algorithm>
#include <cstdint>

namespace norvak {
namespace {

// Which of the four directions a point of the frame joins.
enum Arm : std::uint8_t { kUp = 1, kDown = 2, kLeft = 4, kRight = 8 };

char FrameCode(std::uint8_t arms) {
    const bool u = arms & kUp, d = arms & kDown, l = arms & kLeft, r = arms & kRight;
    if (u && d && l && r)
        return '\x13'; // cross
    if (u && d && r)
        return '\x10'; // tee to the right
    if (u && d && l)
        return '\x11'; // tee to the left
    if (l && r && d)
        return '\x18'; // tee down
    if (l && r && u)
        return '\x19'; // tee up
    if (d && r)
        return '\x1B'; // top-left corner
    if (d && l)
        return '\x1A'; // top-right corner
    if (u && r)
        return '\x1C'; // bottom-left corner
    if (u && l)
        return '\xA7'; // bottom-right corner
    if (u || d)
        return '\x12'; // vertical
    if (l || r)
        return '\x16'; // horizontal
    return ' ';
}

std::string NbspToSpace(std::string s) {
    std::replace(s.begin(), s.end(), '\xA0', ' ');
    return s;
}

// Words of a paragraph, the longer ones cut into pieces of at most width.
std::vector<std::string> CellWords(const std::string& text, int width, bool cut) {
    std::vector<std::string> words = SplitFlowWords(text);
    if (!cut || width < 1)
        return words;
    std::vector<std::string> out;
    for (std::string& w : words) {
        if (static_cast<int>(w.size()) <= width) {
            out.push_back(std::move(w));
            continue;
        }
        for (std::size_t at = 0; at < w.size(); at += static_cast<std::size_t>(width))
            out.push_back(w.substr(at, static_cast<std::size_t>(width)));
    }
    return out;
}

int LongestWord(const std::vector<FlowParagraph>& paragraphs) {
    std::size_t longest = 0;
    for (const FlowParagraph& p : paragraphs)
        for (const std::string& w : SplitFlowWords(p.text))
            longest = std::max(longest, w.size());
    return static_cast<int>(longest);
}

} // namespace

std::vector<int> ShareColumns(const std::vector<double>& weights, const std::vector<int>& minimum,
                              int total) {
    const int n = static_cast<int>(weights.size());
    if (n == 0 || total < n)
        return {};
    double sum = 0;
    for (double w : weights)
        sum += w > 0 ? w : 0;
    std::vector<double> target(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        target[i] = sum > 0 ? total * (weights[i] > 0 ? weights[i] : 0) / sum
                            : static_cast<double>(total) / n;
    std::vector<int> width(static_cast<std::size_t>(n), 1);
    int minSum = 0;
    for (int i = 0; i < n; ++i)
        minSum += std::max(1, i < static_cast<int>(minimum.size()) ? minimum[i] : 1);
    if (minSum <= total) {
        for (int i = 0; i < n; ++i)
            width[i] = std::max(1, i < static_cast<int>(minimum.size()) ? minimum[i] : 1);
    }
    // The rest goes, a column at a time, to the column furthest below its share.
    int rest = total;
    for (int w : width)
        rest -= w;
    while (rest > 0) {
        int best = 0;
        double deficit = target[0] - width[0];
        for (int i = 1; i < n; ++i)
            if (target[i] - width[i] > deficit) {
                deficit = target[i] - width[i];
                best = i;
            }
        ++width[best];
        --rest;
    }
    return width;
}

LineList CellLines(const std::vector<FlowParagraph>& paragraphs, int width, bool cutLongWords) {
    LineList out;
    for (const FlowParagraph& p : paragraphs) {
        std::size_t start = 0;
        while (start <= p.text.size()) {
            std::size_t nl = p.text.find('\n', start);
            if (nl == std::string::npos)
                nl = p.text.size();
            const std::string piece = p.text.substr(start, nl - start);
            for (const auto& words :
                 WrapWords(CellWords(piece, width, cutLongWords), width, width)) {
                std::string line;
                for (const std::string& w : words)
                    line += (line.empty() ? "" : " ") + w;
                line = NbspToSpace(std::move(line));
                const int pad = width - static_cast<int>(line.size());
                if (pad > 0 && p.align == FlowAlign::Right)
                    line.insert(0, static_cast<std::size_t>(pad), ' ');
                else if (pad > 1 && p.align == FlowAlign::Centre)
                    line.insert(0, static_cast<std::size_t>(pad / 2), ' ');
                out.push_back(std::move(line));
            }
            start = nl + 1;
        }
    }
    return out;
}

LineList DrawTableFrame(const FlowTable& table, int width) {
    const int columns = static_cast<int>(table.columnWidths.size());
    const int rows = table.rows;
    if (columns == 0 || rows == 0)
        return {};
    // Which cell holds each grid position; holes left by ragged rows become empty cells.
    std::vector<FlowCell> cells;
    std::vector<int> owner(static_cast<std::size_t>(rows) * columns, -1);
    for (const FlowCell& c : table.cells) {
        if (c.row < 0 || c.column < 0 || c.row >= rows || c.column >= columns)
            continue;
        FlowCell cell = c;
        cell.columnSpan = std::clamp(cell.columnSpan, 1, columns - cell.column);
        cell.rowSpan = std::clamp(cell.rowSpan, 1, rows - cell.row);
        bool free = true;
        for (int r = cell.row; free && r < cell.row + cell.rowSpan; ++r)
            for (int k = cell.column; free && k < cell.column + cell.columnSpan; ++k)
                free = owner[static_cast<std::size_t>(r) * columns + k] < 0;
        if (!free)
            continue;
        for (int r = cell.row; r < cell.row + cell.rowSpan; ++r)
            for (int k = cell.column; k < cell.column + cell.columnSpan; ++k)
                owner[static_cast<std::size_t>(r) * columns + k] = static_cast<int>(cells.size());
        cells.push_back(std::move(cell));
    }
    for (int r = 0; r < rows; ++r)
        for (int k = 0; k < columns; ++k)
            if (owner[static_cast<std::size_t>(r) * columns + k] < 0) {
                FlowCell hole;
                hole.row = r;
                hole.column = k;
                owner[static_cast<std::size_t>(r) * columns + k] = static_cast<int>(cells.size());
                cells.push_back(hole);
            }

    std::vector<int> minimum(static_cast<std::size_t>(columns), 1);
    for (const FlowCell& c : cells)
        if (c.columnSpan == 1)
            minimum[c.column] = std::max(minimum[c.column], LongestWord(c.paragraphs));
    const std::vector<int> inner = ShareColumns(table.columnWidths, minimum, width - 1 - columns);
    if (inner.empty())
        return {};
    std::vector<int> x(static_cast<std::size_t>(columns) + 1, 0);
    for (int k = 0; k < columns; ++k)
        x[k + 1] = x[k] + inner[k] + 1;

    // Cell text, then row heights: one-row cells first, merged cells stretch their last row.
    std::vector<LineList> text(cells.size());
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const FlowCell& c = cells[i];
        text[i] = CellLines(c.paragraphs, x[c.column + c.columnSpan] - x[c.column] - 1, true);
    }
    std::vector<int> height(static_cast<std::size_t>(rows), 1);
    for (std::size_t i = 0; i < cells.size(); ++i)
        if (cells[i].rowSpan == 1)
            height[cells[i].row] = std::max(height[cells[i].row], static_cast<int>(text[i].size()));
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const FlowCell& c = cells[i];
        if (c.rowSpan == 1)
            continue;
        int have = c.rowSpan - 1;
        for (int r = c.row; r < c.row + c.rowSpan; ++r)
            have += height[r];
        const int need = static_cast<int>(text[i].size());
        if (need > have)
            height[c.row + c.rowSpan - 1] += need - have;
    }
    std::vector<int> y(static_cast<std::size_t>(rows) + 1, 0);
    for (int r = 0; r < rows; ++r)
        y[r + 1] = y[r] + height[r] + 1;

    const int frameWidth = x[columns] + 1;
    const int frameHeight = y[rows] + 1;
    std::vector<std::uint8_t> arms(static_cast<std::size_t>(frameWidth) * frameHeight, 0);
    auto at = [&](int px, int py) -> std::uint8_t& {
        return arms[static_cast<std::size_t>(py) * frameWidth + px];
    };
    for (const FlowCell& c : cells) {
        const int x0 = x[c.column], x1 = x[c.column + c.columnSpan];
        const int y0 = y[c.row], y1 = y[c.row + c.rowSpan];
        for (int px = x0; px <= x1; ++px)
            for (int py : {y0, y1}) {
                if (px > x0)
                    at(px, py) |= kLeft;
                if (px < x1)
                    at(px, py) |= kRight;
            }
        for (int py = y0; py <= y1; ++py)
            for (int px : {x0, x1}) {
                if (py > y0)
                    at(px, py) |= kUp;
                if (py < y1)
                    at(px, py) |= kDown;
            }
    }
    LineList out(static_cast<std::size_t>(frameHeight), std::string());
    for (int py = 0; py < frameHeight; ++py) {
        std::string& line = out[py];
        line.resize(static_cast<std::size_t>(frameWidth));
        for (int px = 0; px < frameWidth; ++px)
            line[px] = FrameCode(at(px, py));
    }
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const FlowCell& c = cells[i];
        for (std::size_t k = 0; k < text[i].size(); ++k) {
            std::string& line = out[static_cast<std::size_t>(y[c.row]) + 1 + k];
            line.replace(static_cast<std::size_t>(x[c.column]) + 1, text[i][k].size(), text[i][k]);
        }
    }
    return out;
}

} // namespace norvak
