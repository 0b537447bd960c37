#pragma once
// The in-text tag language: tag lines that open and close blocks, links and labels sharing
// the marker 0x04 0x04, the horizontal line, and in-document link spans (0x01 ... 0x02).

#include "core/textcore.h"

#include <string>
#include <string_view>
#include <vector>

namespace norvak {

inline constexpr char kTagMarker = '\x04';
inline constexpr int kTagLineLength = 66;
inline constexpr char kLinkOpen = '\x01';
inline constexpr char kLinkClose = '\x02';

enum class TagCode { ZAG, CNT, PRV, LEV, LIP, NFT, TAB, TTT, OGL };
// The nine block tags in the order of the menu.
inline constexpr TagCode kAllTagCodes[] = {TagCode::ZAG, TagCode::CNT, TagCode::PRV,
                                           TagCode::LEV, TagCode::LIP, TagCode::NFT,
                                           TagCode::TAB, TagCode::TTT, TagCode::OGL};

// The three-letter CP1251 code of a tag ("ЗАГ", ...).
std::string_view TagCodeText(TagCode code);
// Marker, code, 61 "-": 66 characters.
std::string OpeningLine(TagCode code);
// Marker, "!!!" (for ОГЛ "КОН"), 61 "-": 66 characters.
std::string ClosingLine(TagCode code = TagCode::ZAG);
// 66 "-", no marker.
std::string HorizontalLine();

// Longer than two characters and begins with the marker twice (after stripping CRs).
bool IsTagLine(std::string_view line);
// Tag lines of a link ("СС_" after the marker) and of a label ("МЕТ" after the marker),
// carriage returns removed from both ends first.
bool IsLinkLine(std::string_view line);
bool IsLabelLine(std::string_view line);
// True when the whole 66-character tag line occurs in line at position 0, carriage returns
// removed from both ends of the line first.
bool BeginsWithTagLine(std::string_view line, std::string_view tagLine);

// Inserts the opening line before lines[first] and the closing line after lines[last].
void InsertBlockTag(LineList& lines, std::size_t first, std::size_t last, TagCode code);
// Deletes the tag lines among lines[first, end): a line, leading CRs removed, longer than two
// characters and beginning with the marker twice. Returns the number deleted.
std::size_t DeleteTagLines(LineList& lines, std::size_t first, std::size_t end);

// Highlight spans of one line, for the editor's highlighter.
enum class SpanKind { TagLine, Link };
struct HighlightSpan {
    int start;
    int length;
    SpanKind kind;
    bool operator==(const HighlightSpan&) const = default;
};
std::vector<HighlightSpan> HighlightSpans(std::string_view line);

} // namespace norvak
