#include "markup/centredstage.h"

#include "document/settings.h"
#include "markup/stagescan.h"
#include "markup/tags.h"

#include <string>

namespace norvak {

bool IsCentredText(std::string_view line, const DocSettings& settings) {
    return IsCentredLine(line, settings.m_posParagraph, settings.m_stringLength);
}

namespace {

// A line that opens or goes on with a centred run. Tag lines never do: with a paragraph
// position below zero every non-blank line passes the test, and the stage would find its
// own tag lines centred and tag them again without end.
bool CentredRunLine(std::string_view line, int posParagraph, int stringLength) {
    return !IsTagLine(line) && IsCentredLine(line, posParagraph, stringLength);
}

} // namespace

void RunCentredStage(LineList& lines, int posParagraph, int stringLength) {
    const std::string zagOpening = OpeningLine(TagCode::ZAG);
    const std::string nftOpening = OpeningLine(TagCode::NFT);
    const std::string opening = OpeningLine(TagCode::CNT);
    const std::string closing = ClosingLine();
    CStageScan scan(lines);
    enum { InText, InTitleOrUnformatted, AfterBlank, InRun } state = InText;
    std::size_t start = 0;

    for (std::size_t i = 0; i < scan.Size(); ++i) {
        std::string_view line = StripCRBoth(scan.At(i));
        // Title and unformatted blocks are passed over whole, whatever state the line meets:
        // a centred run still open before one is dropped.
        if (StartsWith(line, zagOpening) || StartsWith(line, nftOpening)) {
            state = InTitleOrUnformatted;
            continue;
        }
        const bool blank = IsBlankLine(line);
        switch (state) {
        case InText:
            if (blank)
                state = AfterBlank;
            break;
        case InTitleOrUnformatted:
            if (StartsWith(line, closing))
                state = InText;
            break;
        case AfterBlank:
            if (blank) {
                // stays after a blank line
            } else if (CentredRunLine(line, posParagraph, stringLength)) {
                state = InRun;
                start = i;
            } else {
                state = InText;
            }
            break;
        case InRun:
            if (blank) {
                scan.Insert(i, closing);
                scan.Insert(start, opening);
                state = AfterBlank;
            } else if (!CentredRunLine(line, posParagraph, stringLength)) {
                state = InText;
            }
            break;
        }
    }
}

} // namespace norvak
