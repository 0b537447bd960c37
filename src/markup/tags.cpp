#include "markup/tags.h"

#include "core/literal.h"

namespace norvak {

std::string_view TagCodeText(TagCode code) {
    switch (code) {
    case TagCode::ZAG:
        return "ЗАГ"_cp;
    case TagCode::CNT:
        return "ЦНТ"_cp;
    case TagCode::PRV:
        return "ПРВ"_cp;
    case TagCode::LEV:
        return "ЛЕВ"_cp;
    case TagCode::LIP:
        return "ЛИП"_cp;
    case TagCode::NFT:
        return "НФТ"_cp;
    case TagCode::TAB:
        return "ТАБ"_cp;
    case TagCode::TTT:
        return "ТТТ"_cp;
    case TagCode::OGL:
        return "ОГЛ"_cp;
    }
    return {};
}

namespace {
std::string TagLine(std::string_view code) {
    std::string line(2, kTagMarker);
    line += code;
    line.append(61, '-');
    return line;
}
} // namespace

std::string OpeningLine(TagCode code) {
    return TagLine(TagCodeText(code));
}

std::string ClosingLine(TagCode code) {
    return TagLine(code == TagCode::OGL ? "КОН"_cp : std::string_view("!!!"));
}

std::string HorizontalLine() {
    return std::string(66, '-');
}

bool IsTagLine(std::string_view line) {
    std::size_t b = 0, e = line.size();
    while (b < e && line[b] == '\r')
        ++b;
    while (e > b && line[e - 1] == '\r')
        --e;
    return e - b > 2 && line[b] == kTagMarker && line[b + 1] == kTagMarker;
}

namespace {
bool IsTagLineWithCode(std::string_view line, std::string_view code) {
    std::string_view s = line;
    while (!s.empty() && s.front() == '\r')
        s.remove_prefix(1);
    while (!s.empty() && s.back() == '\r')
        s.remove_suffix(1);
    return s.size() >= 2 + code.size() && s[0] == kTagMarker && s[1] == kTagMarker &&
           s.substr(2, code.size()) == code;
}
} // namespace

bool IsLinkLine(std::string_view line) {
    return IsTagLineWithCode(line, "СС_"_cp);
}
bool IsLabelLine(std::string_view line) {
    return IsTagLineWithCode(line, "МЕТ"_cp);
}

bool BeginsWithTagLine(std::string_view line, std::string_view tagLine) {
    std::size_t b = 0, e = line.size();
    while (b < e && line[b] == '\r')
        ++b;
    while (e > b && line[e - 1] == '\r')
        --e;
    return StartsWith(line.substr(b, e - b), tagLine);
}

void InsertBlockTag(LineList& lines, std::size_t first, std::size_t last, TagCode code) {
    if (first > lines.size())
        first = lines.size();
    if (last < first)
        last = first;
    if (last >= lines.size())
        last = lines.empty() ? 0 : lines.size() - 1;
    std::size_t closeAt = lines.empty() ? 0 : last + 1;
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(closeAt), ClosingLine(code));
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(first), OpeningLine(code));
}

std::size_t DeleteTagLines(LineList& lines, std::size_t first, std::size_t end) {
    if (end > lines.size())
        end = lines.size();
    std::size_t out = first, deleted = 0;
    for (std::size_t i = first; i < end; ++i) {
        std::string_view l = lines[i];
        std::size_t b = 0;
        while (b < l.size() && l[b] == '\r')
            ++b;
        if (l.size() - b > 2 && l[b] == kTagMarker && l[b + 1] == kTagMarker) {
            ++deleted;
            continue;
        }
        if (out != i)
            lines[out] = std::move(lines[i]);
        ++out;
    }
    if (deleted)
        lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(out),
                    lines.begin() + static_cast<std::ptrdiff_t>(end));
    return deleted;
}

std::vector<HighlightSpan> HighlightSpans(std::string_view line) {
    std::vector<HighlightSpan> spans;
    if (IsTagLine(line)) {
        spans.push_back({0, static_cast<int>(line.size()), SpanKind::TagLine});
        return spans;
    }
    const int n = static_cast<int>(line.size());
    // A 0x02 reached from the line start before any space: span from 0 to it.
    int open = -1;
    bool spaceSeen = false;
    for (int i = 0; i < n; ++i) {
        char c = line[static_cast<std::size_t>(i)];
        if (c == kLinkOpen) {
            open = i;
        } else if (c == kLinkClose) {
            if (open >= 0) {
                spans.push_back({open, i - open + 1, SpanKind::Link});
                open = -1;
            } else if (!spaceSeen) {
                spans.push_back({0, i + 1, SpanKind::Link});
            }
        } else if (c == ' ') {
            spaceSeen = true;
        }
    }
    // A 0x01 reached from the line end, going backwards, before any space: span to the end.
    // A 0x02 met first stands in the place of a space and ends the walk as well; a 0x01 before
    // it already closed a pair above.
    for (int i = n - 1; i >= 0; --i) {
        char c = line[static_cast<std::size_t>(i)];
        if (c == ' ' || c == kLinkClose)
            break;
        if (c == kLinkOpen) {
            spans.push_back({i, n - i, SpanKind::Link});
            break;
        }
    }
    return spans;
}

} // namespace norvak
