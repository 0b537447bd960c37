#include "markup/mergestage.h"

#include "markup/stagescan.h"
#include "markup/tags.h"

#include <array>
#include <optional>
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

    CStageScan scan(lines);
    std::optional<std::size_t> lastKind;
    std::optional<std::size_t> lastClosing;
    bool inside = false;

    for (std::size_t i = 0; i < scan.Size(); ++i) {
        std::string_view line = StripCRBoth(scan.At(i));
        if (lastKind && StartsWith(line, closing)) {
            lastClosing = i;
            inside = false;
            continue;
        }
        std::optional<std::size_t> kind;
        if (StartsWith(line, std::string_view("\x04\x04", 2))) {
            for (std::size_t k = 0; k < openings.size() && !kind; ++k)
                if (StartsWith(line, openings[k]))
                    kind = k;
        }
        if (!kind) {
            if (!inside && !IsBlankLine(line))
                lastKind.reset();
            continue;
        }
        inside = true;
        if (kind != lastKind) {
            lastKind = kind;
        } else if (lastClosing) {
            // The opening goes first, then the earlier closing; the line that followed the
            // opening now stands at index i - 1.
            scan.Erase(i);
            scan.Erase(*lastClosing);
            lastClosing.reset();
            i -= 2;
        }
    }
}

} // namespace norvak
