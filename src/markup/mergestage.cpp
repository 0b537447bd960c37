#include "markup/mergestage.h"

#include "markup/stagescan.h"
#include "markup/tags.h"

#include <array>
#include <string>

namespace norvak {

void RunMergeStage(LineList& lines) {
    static constexpr std::array<TagCode, 8> kKinds = {TagCode::ZAG, TagCode::CNT, TagCode::PRV,
                                                      TagCode::LEV, TagCode::LIP, TagCode::NFT,
                                                      TagCode::TAB, TagCode::TTT};
    std::array<std::string, kKinds.size()> openings;
    for (std::size_t k = 0; k < kKinds.size(); ++k)
        openings[k] = OpeningLine(kKinds[k]);
    const std::string closing = ClosingLine();

    constexpr std::size_t kNone = static_cast<std::size_t>(-1);
    CStageScan scan(lines);
    std::size_t lastKind = kNone;
    std::size_t lastClosing = kNone;
    bool inside = false;

    for (std::size_t i = 0; i < scan.Size(); ++i) {
        std::string_view line = StripCRBoth(scan.At(i));
        if (lastKind != kNone && StartsWith(line, closing)) {
            lastClosing = i;
            inside = false;
            continue;
        }
        std::size_t kind = kNone;
        if (StartsWith(line, std::string_view("\x04\x04", 2))) {
            for (std::size_t k = 0; k < openings.size() && kind == kNone; ++k)
                if (StartsWith(line, openings[k]))
                    kind = k;
        }
        if (kind == kNone) {
            if (!inside && !IsBlankLine(line))
                lastKind = kNone;
            continue;
        }
        inside = true;
        if (kind != lastKind) {
            lastKind = kind;
        } else if (lastClosing != kNone) {
            // The opening goes first, then the earlier closing; the line that followed the
            // opening now stands at index i - 1.
            scan.Erase(i);
            scan.Erase(lastClosing);
            lastClosing = kNone;
            i -= 2;
        }
    }
}

} // namespace norvak
