#include "document/lineediting.h"

#include <algorithm>
#include <climits>

namespace norvak {

LineRange AffectedLines(int startLine, int endLine, int endColumn) {
    if (endLine < startLine)
        std::swap(startLine, endLine);
    // A selection ending at a line start ends with the previous line's break.
    if (endLine > startLine && endColumn == 0)
        --endLine;
    return {startLine, endLine};
}

LineList CutLines(std::string_view text) {
    LineList lines;
    std::string current;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(current);
            current.clear();
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            current += c;
        }
    }
    lines.push_back(current);
    return lines;
}

std::string JoinLines(const LineList& lines) {
    std::string out;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            out += '\n';
        out += lines[i];
    }
    return out;
}

namespace {

LineList TabsToSpaces(const LineList& lines) {
    LineList out = lines;
    for (std::string& line : out)
        std::replace(line.begin(), line.end(), '\t', ' ');
    return out;
}

std::string TrimLeft(const std::string& s) {
    return s.substr(static_cast<std::size_t>(CountLeadingSpaces(s)));
}

std::string TrimRight(const std::string& s) {
    return s.substr(0, s.size() - static_cast<std::size_t>(CountTrailingSpaces(s)));
}

// The settings come from the registry unchecked; a damaged value must not make a command
// fill gigabytes with spaces.
constexpr int kMaxWidth = 4096;

int SaneWidth(int value) {
    return std::clamp(value, 0, kMaxWidth);
}

std::size_t Width(int stringLength) {
    return static_cast<std::size_t>(SaneWidth(stringLength));
}

// Maximal runs of non-space characters.
void AppendWords(std::vector<std::string>& words, std::string_view line) {
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && line[i] == ' ')
            ++i;
        std::size_t b = i;
        while (i < line.size() && line[i] != ' ')
            ++i;
        if (i > b)
            words.emplace_back(line.substr(b, i - b));
    }
}

// An indented first line: longer than posParagraph, posParagraph spaces, then a non-space.
bool OpensParagraph(std::string_view line, int posParagraph) {
    if (posParagraph < 0)
        return false;
    std::size_t p = static_cast<std::size_t>(posParagraph);
    return line.size() > p && CountLeadingSpaces(line) == posParagraph;
}

std::string FormatParagraph(const std::vector<std::string>& words, bool indented, int posParagraph,
                            int stringLength) {
    if (words.empty())
        return {};
    const int indentation = indented ? std::max(posParagraph, 0) : 0;
    std::string out(static_cast<std::size_t>(indentation), ' ');
    int indent = indentation; // counts on the first line only
    bool firstLine = true;
    std::vector<std::string> line;
    long long length = 0;
    for (const std::string& word : words) {
        const long long w = static_cast<long long>(word.size());
        if (line.empty() || length + indent + 1 + w <= stringLength) {
            length += (line.empty() ? 0 : 1) + w;
            line.push_back(word);
            continue;
        }
        if (!firstLine)
            out += '\n';
        out += JustifyLine(line, stringLength - indent);
        firstLine = false;
        indent = 0;
        line.assign(1, word);
        length = w;
    }
    if (firstLine) {
        out += JustifyLine(line, stringLength - indent);
    } else {
        out += '\n';
        for (std::size_t i = 0; i < line.size(); ++i)
            out += (i > 0 ? " " : "") + line[i];
    }
    return out;
}

} // namespace

std::string JustifyLine(const std::vector<std::string>& words, int width) {
    std::string out;
    if (words.empty())
        return out;
    width = SaneWidth(width);
    std::size_t length = 0;
    for (const std::string& w : words)
        length += w.size();
    const std::size_t gaps = words.size() - 1;
    length += gaps;
    std::size_t extra = width > 0 && static_cast<std::size_t>(width) > length
                            ? static_cast<std::size_t>(width) - length
                            : 0;
    if (gaps == 0)
        extra = 0;
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (i > 0) {
            std::size_t spaces = 1 + extra / gaps + (i - 1 < extra % gaps ? 1 : 0);
            out.append(spaces, ' ');
        }
        out += words[i];
    }
    return out;
}

LineList AlignLeft(const LineList& lines) {
    LineList out = TabsToSpaces(lines);
    for (std::string& line : out)
        line = TrimLeft(line);
    return out;
}

LineList AlignCentre(const LineList& lines, int stringLength) {
    LineList out = TabsToSpaces(lines);
    const std::size_t w = Width(stringLength);
    for (std::string& line : out) {
        line = TrimSpaces(line);
        if (!line.empty() && line.size() < w)
            line.insert(0, (w - line.size()) / 2, ' ');
    }
    return out;
}

LineList AlignRight(const LineList& lines, int stringLength) {
    LineList out = TabsToSpaces(lines);
    const std::size_t w = Width(stringLength);
    for (std::string& line : out) {
        line = TrimRight(line);
        if (line.size() < w)
            line.insert(0, w - line.size(), ' ');
    }
    return out;
}

LineList AlignLeftAndRight(const LineList& lines, int stringLength) {
    LineList out = TabsToSpaces(lines);
    const std::size_t w = Width(stringLength);
    for (std::string& line : out) {
        line = TrimSpaces(line);
        if (line.empty()) {
            line.assign(1, ' ');
            continue;
        }
        // The longest run of spaces, the first of equal ones.
        std::size_t bestStart = 0, bestLength = 0;
        for (std::size_t i = 0; i < line.size();) {
            if (line[i] != ' ') {
                ++i;
                continue;
            }
            std::size_t b = i;
            while (i < line.size() && line[i] == ' ')
                ++i;
            if (i - b > bestLength) {
                bestStart = b;
                bestLength = i - b;
            }
        }
        if (bestLength <= 2 || bestStart == 0)
            continue;
        std::string left = line.substr(0, bestStart);
        std::string right = TrimLeft(line.substr(bestStart));
        // The parts stay apart by one space at least, even when together they are W or
        // longer: gluing them would join two words into one.
        std::size_t pad = left.size() + right.size() < w ? w - left.size() - right.size() : 0;
        left.append(std::max<std::size_t>(pad, 1), ' ');
        line = left + right;
    }
    return out;
}

LineList RemoveLeftSpaces(const LineList& lines) {
    LineList out = TabsToSpaces(lines);
    int least = -1;
    for (const std::string& line : out)
        if (!IsBlankLine(line)) {
            int n = CountLeadingSpaces(line);
            if (least < 0 || n < least)
                least = n;
        }
    if (least <= 0)
        return out;
    for (std::string& line : out)
        if (!IsBlankLine(line))
            line.erase(0, static_cast<std::size_t>(least));
    return out;
}

LineList Justify(const LineList& lines, int posParagraph, int stringLength) {
    const LineList in = TabsToSpaces(lines);
    if (in.empty())
        return {};
    posParagraph = SaneWidth(posParagraph);
    stringLength = SaneWidth(stringLength);
    std::string out;
    std::vector<std::string> words;
    bool indented = false;
    // Puts the paragraph gathered so far out; endedByBlank adds the blank line's own break.
    auto flush = [&](bool endedByBlank) {
        if (!out.empty())
            out += '\n';
        out += FormatParagraph(words, indented, posParagraph, stringLength);
        if (endedByBlank)
            out += '\n';
        words.clear();
    };
    for (std::size_t i = 0; i < in.size(); ++i) {
        const std::string& line = in[i];
        const bool blank = IsBlankLine(line);
        const bool opening = !blank && OpensParagraph(line, posParagraph);
        if (i > 0 && (blank || opening))
            flush(blank);
        if (i == 0 || blank || opening)
            indented = opening;
        AppendWords(words, line);
    }
    flush(false);
    return CutLines(out);
}

LineList ApplyLineCommand(LineCommand command, const LineList& lines, const DocSettings& settings) {
    switch (command) {
    case LineCommand::Left:
        return AlignLeft(lines);
    case LineCommand::Centre:
        return AlignCentre(lines, settings.stringLength);
    case LineCommand::Right:
        return AlignRight(lines, settings.stringLength);
    case LineCommand::Justify:
        return Justify(lines, settings.posParagraph, settings.stringLength);
    case LineCommand::LeftAndRight:
        return AlignLeftAndRight(lines, settings.stringLength);
    case LineCommand::RemoveLeftSpaces:
        return RemoveLeftSpaces(lines);
    }
    return lines;
}

BlockTagTexts BlockTagInsertion(TagCode code) {
    std::string closing(1, '\n');
    closing += ClosingLine(code);
    return {OpeningLine(code) + "\n", closing};
}

std::string HorizontalLineInsertion() {
    std::string text(1, '\n');
    text += HorizontalLine();
    text += '\n';
    return text;
}

std::optional<LinkSpanEdit> MarkLinkSpan(std::string_view line, int startLine, int start,
                                         int endLine, int end, int stringLength) {
    if (startLine != endLine)
        return std::nullopt;
    const int length = static_cast<int>(std::min<std::size_t>(line.size(), INT_MAX / 2));
    if (end < start)
        std::swap(start, end);
    start = std::clamp(start, 0, length);
    end = std::clamp(end, 0, length);
    // Whole words, but never past the line's end nor beyond stringLength.
    while (start > 0 && line[static_cast<std::size_t>(start - 1)] != ' ')
        --start;
    while (end < length && end < stringLength && line[static_cast<std::size_t>(end)] != ' ')
        ++end;
    std::string before(line.substr(0, static_cast<std::size_t>(start)));
    std::string span(
        line.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start)));
    std::string after(line.substr(static_cast<std::size_t>(end)));
    if (!before.empty() && before.back() == ' ')
        before.pop_back();
    if (!after.empty() && after.front() == ' ')
        after.erase(0, 1);
    LinkSpanEdit edit;
    if (start == 0) {
        edit.line = span + kLinkClose + after;
        edit.caret = static_cast<int>(span.size()) + 1;
    } else if (end == stringLength) {
        edit.line = before + kLinkOpen + span + after;
        edit.caret = static_cast<int>(before.size()) + 1;
    } else {
        edit.line = before + kLinkOpen + span + kLinkClose + after;
        edit.caret = static_cast<int>(before.size() + span.size()) + 2;
    }
    return edit;
}

} // namespace norvak
