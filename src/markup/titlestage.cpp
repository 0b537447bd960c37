#include "markup/titlestage.h"

#include "core/literal.h"
#include "markup/stagescan.h"
#include "markup/tags.h"

#include <array>
#include <string_view>

namespace norvak {

namespace {

// A title run ends at a line that opens an editorial note or a numbered item.
bool BeginsWithRunEnder(std::string_view line) {
    static constexpr std::array<std::string_view, 5> kEnders = {"(ред. "_cp, "(в ред. "_cp,
                                                                "(принят. "_cp, "1. ", "I. "};
    std::string_view text = SkipLeadingSpaces(line);
    for (std::string_view ender : kEnders)
        if (StartsWith(text, ender))
            return true;
    return false;
}

bool IsSectionHeading(std::string_view line) {
    std::string upper = ToUpper(SkipLeadingSpaces(line));
    return StartsWith(upper, "РАЗДЕЛ"_cp) || StartsWith(upper, "ГЛАВА"_cp);
}

} // namespace

bool IsLawDocument(const std::vector<std::string>& kinds) {
    for (const std::string& kind : kinds)
        if (kind == "ЗАКОН"_cp || kind == "КОДЕКС"_cp)
            return true;
    return false;
}

void RunTitlesStage(LineList& lines, int posParagraph, int stringLength, bool lawDocument) {
    const std::string prvOpening = OpeningLine(TagCode::PRV);
    const std::string lipOpening = OpeningLine(TagCode::LIP);
    const std::string opening = OpeningLine(TagCode::ZAG);
    const std::string closing = ClosingLine();
    const std::string rule(30, '-');
    CStageScan scan(lines);
    enum { Searching, AfterTitle, InAlignedBlock, AfterClosing, InRun } state = Searching;
    std::size_t start = 0;
    // Set once a block has been closed after the last line: that closing line is then the
    // last line, and a run starting on the text's last line must not tag it a second time.
    bool closedAtEnd = false;

    for (std::size_t i = 0; i < scan.Size(); ++i) {
        std::string_view line = StripCRBoth(scan.At(i));
        auto centred = [&] { return IsCentredLine(line, posParagraph, stringLength); };
        switch (state) {
        case Searching:
            if (StartsWith(line, prvOpening) || StartsWith(line, lipOpening)) {
                state = InAlignedBlock;
            } else if (centred()) {
                state = InRun;
                start = i;
            }
            break;
        case AfterTitle:
            if (StartsWith(line, closing)) {
                state = AfterClosing;
            } else if (lawDocument && IsSectionHeading(line) && centred()) {
                state = InRun;
                start = i;
            }
            break;
        case InAlignedBlock:
            if (StartsWith(line, closing))
                state = AfterClosing;
            break;
        case AfterClosing:
            if (StartsWith(line, rule)) {
                // a horizontal line keeps the state
            } else if (StartsWith(line, prvOpening)) {
                state = InAlignedBlock;
            } else if (centred()) {
                state = InRun;
                start = i;
            }
            break;
        case InRun: {
            const bool blank = IsBlankLine(line);
            const bool ends = (!blank && !centred()) || BeginsWithRunEnder(line);
            const bool last = scan.IsLast(i);
            if (!ends && !last)
                break;
            state = AfterTitle;
            if (last && closedAtEnd)
                break;
            std::size_t k = last ? i : i - 1;
            while (k > start && IsBlankLine(StripCRTrailing(scan.At(k))))
                --k;
            if (k + 1 == scan.Size())
                closedAtEnd = true;
            scan.Insert(k + 1, closing);
            scan.Insert(start, opening);
            break;
        }
        }
    }
}

} // namespace norvak
