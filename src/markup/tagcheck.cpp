#include "markup/tagcheck.h"

#include <string_view>

namespace norvak {
namespace {

std::string_view Trimmed(std::string_view line) {
    while (!line.empty() && line.front() == '\r')
        line.remove_prefix(1);
    while (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    return line;
}

enum class Closing { None, Ordinary, Contents };

// True when line opens a block, by the marker and the code it starts with; code is its tag.
bool OpenedTag(std::string_view line, TagCode& code) {
    if (line.size() < 5 || line[0] != kTagMarker || line[1] != kTagMarker)
        return false;
    for (TagCode c : kAllTagCodes)
        if (line.substr(2, 3) == TagCodeText(c)) {
            code = c;
            return true;
        }
    return false;
}

Closing ClosingKind(std::string_view line) {
    if (line.size() < 5 || line[0] != kTagMarker || line[1] != kTagMarker)
        return Closing::None;
    const std::string_view word = line.substr(2, 3);
    if (word == std::string_view(ClosingLine(TagCode::ZAG)).substr(2, 3))
        return Closing::Ordinary;
    if (word == std::string_view(ClosingLine(TagCode::OGL)).substr(2, 3))
        return Closing::Contents;
    return Closing::None;
}

} // namespace

std::vector<TagProblem> CheckTagStructure(const LineList& lines) {
    std::vector<TagProblem> problems;
    bool isOpen = false;
    TagCode open = TagCode::ZAG;
    int openedAt = -1;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = Trimmed(lines[i]);
        const int at = static_cast<int>(i);
        TagCode code = TagCode::ZAG;
        if (OpenedTag(line, code)) {
            if (isOpen)
                problems.push_back({code == open ? TagProblemKind::Doubled : TagProblemKind::Nested,
                                    at, open, openedAt});
            isOpen = true;
            open = code;
            openedAt = at;
            continue;
        }
        const Closing closing = ClosingKind(line);
        if (closing == Closing::None)
            continue;
        if (!isOpen) {
            problems.push_back({TagProblemKind::Unopened, at,
                                closing == Closing::Contents ? TagCode::OGL : TagCode::ZAG});
            continue;
        }
        if ((closing == Closing::Contents) != (open == TagCode::OGL))
            problems.push_back({TagProblemKind::WrongClosing, at, open, openedAt});
        isOpen = false;
        openedAt = -1;
    }
    if (isOpen)
        problems.push_back({TagProblemKind::NotClosed, openedAt, open, openedAt});
    return problems;
}

} // namespace norvak
