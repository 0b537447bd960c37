#include "markup/alignstages.h"

#include "markup/stagescan.h"
#include "markup/tags.h"

#include <string>
#include <string_view>

namespace norvak {

namespace {

// Leading carriage returns off, then trailing spaces and carriage returns off.
std::string_view StripForRightAlignment(std::string_view s) {
    s = StripCRLeading(s);
    std::size_t e = s.size();
    while (e > 0 && (s[e - 1] == ' ' || s[e - 1] == '\r'))
        --e;
    return s.substr(0, e);
}

bool HasLength(std::string_view s, int length) {
    return length >= 0 && s.size() == static_cast<std::size_t>(length);
}

} // namespace

void RunRightAlignedStage(LineList& lines, int stringLength, int leftSpaces) {
    const std::string opening = OpeningLine(TagCode::PRV);
    const std::string closing = ClosingLine();
    CStageScan scan(lines);
    bool inBlock = false;
    std::size_t start = 0;

    auto close = [&](std::size_t closeAt) {
        scan.Insert(closeAt, closing);
        scan.Insert(start, opening);
        inBlock = false;
    };

    for (std::size_t i = 0; i < scan.Size(); ++i) {
        std::string_view line = StripForRightAlignment(scan.At(i));
        const int lead = CountLeadingSpaces(line);
        if (!inBlock) {
            if (HasLength(line, stringLength) && lead >= leftSpaces &&
                (i == 0 || IsBlankLine(StripCRTrailing(scan.At(i - 1))))) {
                inBlock = true;
                start = i;
            }
            continue;
        }
        if (line.empty()) {
            // Closing directly before the blank line; the closing line is examined next.
            close(i);
        } else if (HasLength(line, stringLength)) {
            if (lead < leftSpaces)
                inBlock = false;
        } else if (lead == 0) {
            close(i);
        } else {
            inBlock = false;
        }
    }
    if (inBlock)
        close(scan.Size());
}

void RunLeftAlignedStage(LineList& lines, int stringLength) {
    const std::string prvOpening = OpeningLine(TagCode::PRV);
    const std::string opening = OpeningLine(TagCode::LEV);
    const std::string closing = ClosingLine();
    CStageScan scan(lines);
    enum { Searching, InRightBlock, AfterRightBlock, InLeftBlock } state = Searching;
    std::size_t start = 0;

    for (std::size_t i = 0; i < scan.Size(); ++i) {
        std::string_view line = StripCRBoth(scan.At(i));
        const bool full =
            stringLength >= 0 && line.size() >= static_cast<std::size_t>(stringLength);
        const bool blank = IsBlankLine(line);
        const bool indented = !line.empty() && line[0] == ' ';
        switch (state) {
        case Searching:
            if (StartsWith(line, prvOpening))
                state = InRightBlock;
            break;
        case InRightBlock:
            if (StartsWith(line, closing))
                state = AfterRightBlock;
            break;
        case AfterRightBlock:
            if (full || blank || indented) {
                state = Searching;
            } else {
                state = InLeftBlock;
                start = i;
            }
            break;
        case InLeftBlock:
            if (blank) {
                scan.Insert(i, closing);
                scan.Insert(start, opening);
                state = Searching;
            } else if (full || indented) {
                state = Searching;
            }
            break;
        }
    }
}

void RunLeftRightStage(LineList& lines) {
    const std::string_view tenSpaces = "          ";
    for (std::size_t i = 0; i < lines.size() && i < 2; ++i) {
        std::string_view line = StripCRBoth(lines[i]);
        if (line.empty() || line.front() == ' ' || line.back() == ' ')
            continue;
        std::size_t run = line.find(tenSpaces);
        if (run == std::string_view::npos || run < 4)
            continue;
        InsertBlockTag(lines, i, i, TagCode::LIP);
        return;
    }
}

} // namespace norvak
