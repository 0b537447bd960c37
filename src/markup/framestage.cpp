#include "markup/framestage.h"

#include "markup/tags.h"

#include <utility>
#include <vector>

namespace norvak {
namespace {

// The line without carriage returns at either end, as a view into the line.
std::string_view WithoutCR(const std::string& line) {
    std::string_view s(line);
    while (!s.empty() && s.front() == '\r')
        s.remove_prefix(1);
    while (!s.empty() && s.back() == '\r')
        s.remove_suffix(1);
    return s;
}

// Width of the frame whose top line is s (the position of ┐), or 0 when s opens none.
std::size_t TopLineWidth(std::string_view s) {
    if (s.size() <= 5 || s[0] != kFrameTopLeft)
        return 0;
    for (std::size_t p = 1; p < s.size(); ++p) {
        if (s[p] == kFrameTopRight)
            return p;
        if (s[p] != kFrameHorizontal && s[p] != kFrameTopTee)
            return 0;
    }
    return 0;
}

bool IsBottomRule(std::string_view s, std::size_t w) {
    for (std::size_t p = 1; p < w; ++p)
        if (s[p] != kFrameHorizontal && s[p] != kFrameBottomTee)
            return false;
    return true;
}

} // namespace

std::size_t RunFramedTablesStage(LineList& lines) {
    // The stage inserts two lines per frame and then carries on with the next index of the
    // lengthened list, which passes over the bottom line and the closing line again; neither
    // can open a frame (they start with └ and with the tag marker), and whether a later line
    // has four lines after it does not depend on insertions before it. So the frames can be
    // found on the unchanged list first and the tagged list built afterwards in one pass.
    std::vector<std::pair<std::size_t, std::size_t>> frames; // top, bottom
    bool open = false;
    std::size_t top = 0, width = 0;
    const std::size_t n = lines.size();
    for (std::size_t i = 0; i < n; ++i) {
        std::string_view s = WithoutCR(lines[i]);
        if (!open) {
            if (i + 4 < n) {
                width = TopLineWidth(s);
                if (width != 0) {
                    open = true;
                    top = i;
                }
            }
            continue;
        }
        // A line that ends the frame, whatever the reason, is not tried as a top line.
        if (s.size() < width + 1) {
            open = false;
        } else if (s[0] == kFrameBottomLeft && s[width] == kFrameBottomRight) {
            open = false;
            if (IsBottomRule(s, width))
                frames.emplace_back(top, i);
        } else if ((s[0] == kFrameLeftTee || s[0] == kFrameVertical) &&
                   (s[width] == kFrameRightTee || s[width] == kFrameVertical)) {
            // the frame continues
        } else {
            open = false;
        }
    }
    if (frames.empty())
        return 0;

    // The list grows in place from the back, so that it keeps the room reserved for the
    // later stages' tag lines and no second list is built.
    const std::string opening = OpeningLine(TagCode::TAB);
    const std::string closing = ClosingLine(TagCode::TAB);
    lines.resize(n + 2 * frames.size());
    std::size_t dst = lines.size();
    std::size_t next = frames.size();
    for (std::size_t i = n; next > 0 && i-- > 0;) {
        if (frames[next - 1].second == i)
            lines[--dst] = closing;
        lines[--dst] = std::move(lines[i]);
        if (frames[next - 1].first == i) {
            lines[--dst] = opening;
            --next;
        }
    }
    return frames.size();
}

} // namespace norvak
