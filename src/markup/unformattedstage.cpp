#include "markup/unformattedstage.h"

#include "core/framecodes.h"
#include "markup/stagescan.h"
#include "markup/tags.h"

#include <array>
#include <string>
#include <string_view>

namespace norvak {

namespace {

// The openings of the blocks this stage leaves alone (НФТ, ТТТ and ОГЛ are not among them).
class COpenings {
public:
    COpenings()
        : m_lines{OpeningLine(TagCode::ZAG), OpeningLine(TagCode::CNT), OpeningLine(TagCode::LEV),
                  OpeningLine(TagCode::PRV), OpeningLine(TagCode::LIP), OpeningLine(TagCode::TAB)} {
    }
    bool ContainedIn(std::string_view line) const {
        // Every opening begins with the marker twice; most lines hold no marker at all.
        if (!ContainsChar(line, kTagMarker))
            return false;
        for (const std::string& opening : m_lines)
            if (Contains(line, opening))
                return true;
        return false;
    }

private:
    std::array<std::string, 6> m_lines;
};

bool HoldsTableSignal(std::string_view line) {
    return (ContainsChar(line, kFrameTopLeft) && ContainsChar(line, kFrameTopRight)) ||
           (Contains(line, "-----") && ContainsChar(line, '=')) || Contains(line, "SUM");
}

} // namespace

void RunUnformattedStage(LineList& lines, int stringLength) {
    const COpenings openings;
    const std::string opening = OpeningLine(TagCode::NFT);
    const std::string closing = ClosingLine();
    CStageScan scan(lines);
    enum { InText, AfterBlank, InRuled, InCandidate, InBlock } state = InText;
    std::size_t start = 0;
    bool signal = false;
    bool previousBlank = false;

    // The last non-blank line at or before index k (leading carriage returns removed for the test).
    auto lastNonBlank = [&](std::size_t k) {
        while (k > start && IsBlankLine(StripCRLeading(scan.At(k))))
            --k;
        return k;
    };

    for (std::size_t i = 0; i < scan.Size(); ++i) {
        std::string_view line = StripCRBoth(scan.At(i));
        const bool blank = IsBlankLine(line);
        switch (state) {
        case InText:
            if (blank)
                state = AfterBlank;
            else if (openings.ContainedIn(line))
                state = InBlock;
            break;
        case AfterBlank:
            if (blank)
                break;
            start = i;
            signal = false;
            if (openings.ContainedIn(line))
                state = InBlock;
            else if (ContainsChar(line, kFrameHorizontal) && ContainsChar(line, kFrameTopTee))
                state = InRuled;
            else
                state = InCandidate;
            break;
        case InRuled:
            if (previousBlank && (line.size() == static_cast<std::size_t>(stringLength) ||
                                  line.size() == static_cast<std::size_t>(kTagLineLength))) {
                // Ordinary justified text has resumed after a blank line.
                const bool opens = openings.ContainedIn(line);
                const std::size_t k = lastNonBlank(i - 1);
                if (k > start + 3) {
                    scan.Insert(k + 1, closing);
                    scan.Insert(start, opening);
                    state = AfterBlank;
                    // The line now standing at index i is examined next.
                    previousBlank = blank;
                    --i;
                    continue;
                }
                // The full-length line may be an earlier stage's opening: its block is not
                // to be entered as text.
                state = opens ? InBlock : AfterBlank;
            } else if (openings.ContainedIn(line)) {
                state = InBlock;
            }
            break;
        case InCandidate:
            if (HoldsTableSignal(line))
                signal = true;
            if (openings.ContainedIn(line)) {
                state = InBlock;
            } else if (blank) {
                if (signal) {
                    scan.Insert(i, closing);
                    scan.Insert(start, opening);
                }
                state = AfterBlank;
            }
            break;
        case InBlock:
            if (Contains(line, closing))
                state = InText;
            break;
        }
        previousBlank = blank;
    }

    if (scan.Size() == 0)
        return;
    const std::size_t last = scan.Size() - 1;
    std::string_view lastLine = StripCRBoth(scan.At(last));
    if (openings.ContainedIn(lastLine))
        return;
    if (state == InRuled) {
        const std::size_t k = lastNonBlank(last);
        scan.Insert(k + 1, closing);
        scan.Insert(start, opening);
    } else if (state == InCandidate && signal) {
        scan.Insert(scan.Size(), closing);
        scan.Insert(start, opening);
    }
}

} // namespace norvak
