#include "formats/formlayout.h"

#include "formats/paragraphtext.h"
#include "formats/tableframe.h"

#include <algorithm>
#include <cmath>

namespace norvak {
namespace {

const char kNbsp = '\xA0';
constexpr double kPointsPerColumn = 7.2; // ten columns to the inch
constexpr int kGapSpaces = 4;            // spaces that part left from right text
constexpr double kLeastIndentPt = 18;    // a quarter inch: smaller indents are no indent

bool IsSpaceLike(char c) {
    return c == ' ' || c == kNbsp;
}

bool IsBlankText(const std::string& s) {
    for (char c : s)
        if (!IsSpaceLike(c) && c != '\t' && c != '\n')
            return false;
    return true;
}

std::string JoinWords(const std::vector<std::string>& words) {
    std::string line;
    for (const std::string& w : words) {
        if (!line.empty())
            line += ' ';
        line += w;
    }
    std::replace(line.begin(), line.end(), kNbsp, ' ');
    return line;
}

// Words of a line spread to exactly width columns, the extra spaces from the left.
std::string Justify(const std::vector<std::string>& words, int width) {
    if (words.size() < 2)
        return JoinWords(words);
    int letters = 0;
    for (const std::string& w : words)
        letters += static_cast<int>(w.size());
    const int gaps = static_cast<int>(words.size()) - 1;
    const int spaces = std::max(gaps, width - letters);
    std::string line;
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (i) {
            const int k = static_cast<int>(i) - 1;
            line.append(static_cast<std::size_t>(spaces / gaps + (k < spaces % gaps ? 1 : 0)), ' ');
        }
        line += words[i];
    }
    std::replace(line.begin(), line.end(), kNbsp, ' ');
    return line;
}

int IndentColumns(double pt, int most) {
    if (pt < kLeastIndentPt)
        return 0;
    return std::clamp(static_cast<int>(std::lround(pt / kPointsPerColumn)), 1, most);
}

// Splits a piece of a paragraph at its first gap (a tab or kGapSpaces spaces) into the text
// placed at the left and the text placed at the right; false when there is no gap.
bool SplitAtGap(const std::string& piece, std::string& left, std::string& right) {
    std::size_t gap = std::string::npos, end = 0;
    for (std::size_t i = 0; i < piece.size(); ++i) {
        if (piece[i] == '\t') {
            gap = i;
            end = i + 1;
            break;
        }
        if (!IsSpaceLike(piece[i]))
            continue;
        std::size_t j = i;
        while (j < piece.size() && IsSpaceLike(piece[j]))
            ++j;
        if (j - i >= kGapSpaces) {
            gap = i;
            end = j;
            break;
        }
        i = j - 1;
    }
    if (gap == std::string::npos)
        return false;
    while (end < piece.size() && (IsSpaceLike(piece[end]) || piece[end] == '\t'))
        ++end;
    left = piece.substr(0, gap);
    while (!left.empty() && IsSpaceLike(left.back()))
        left.pop_back();
    right = piece.substr(end);
    return !right.empty();
}

std::vector<std::string> Pieces(const std::string& text) {
    std::vector<std::string> out;
    std::size_t start = 0;
    while (true) {
        const std::size_t nl = text.find('\n', start);
        out.push_back(text.substr(start, nl == std::string::npos ? std::string::npos : nl - start));
        if (nl == std::string::npos)
            return out;
        start = nl + 1;
    }
}

// Builds the laid-out lines, keeping the blank lines between blocks as the markup needs them.
class CFormWriter {
public:
    explicit CFormWriter(const LayoutOptions& o) : m_o(o) {}

    void Paragraph(const FlowParagraph& p) {
        if (IsBlankText(p.text)) {
            m_lines.emplace_back();
            m_blankAfter = false;
            m_lastRight = false;
            return;
        }
        if (p.bold && p.align == FlowAlign::Left && IsSectionHeading(p.text)) {
            // A bold chapter or section heading is centred, as DOS texts set them.
            FlowParagraph centred = p;
            centred.align = FlowAlign::Centre;
            Paragraph(centred);
            return;
        }
        const bool right = p.align == FlowAlign::Right;
        if (p.align == FlowAlign::Centre || (right && !m_lastRight))
            EnsureBlank();
        else if (m_blankAfter && !(right && m_lastRight))
            EnsureBlank();
        m_blankAfter = false;
        const std::size_t first = m_lines.size();
        switch (p.align) {
        case FlowAlign::Centre:
            Centred(p);
            m_blankAfter = true;
            break;
        case FlowAlign::Right:
            RightAligned(p.text);
            m_blankAfter = true;
            break;
        default:
            Flowing(p);
            break;
        }
        m_lastRight = right;
        NoteReplaced(first, p.replaced);
    }

    void Table(const FlowTable& t) {
        EnsureBlank();
        m_lastRight = false;
        const std::size_t first = m_lines.size();
        std::size_t replaced = 0;
        for (const FlowCell& c : t.cells)
            for (const FlowParagraph& p : c.paragraphs)
                replaced += p.replaced;
        LineList frame = t.bordered ? DrawTableFrame(t, m_o.stringLength) : LineList();
        if (!frame.empty()) {
            m_lastFrameTop = m_lines.size();
            m_anyFrame = true;
            for (std::string& l : frame)
                m_lines.push_back(std::move(l));
        } else {
            SideBySide(t);
        }
        m_blankAfter = true;
        NoteReplaced(first, replaced);
    }

    LaidOutText Finish() {
        // The frames stage looks for a frame's top only where four more lines follow it.
        if (m_anyFrame)
            while (m_lines.size() < m_lastFrameTop + 5)
                m_lines.emplace_back();
        LaidOutText out;
        out.lines = std::move(m_lines);
        out.replaced = std::move(m_replaced);
        return out;
    }

private:
    int Width() const { return m_o.stringLength; }

    void EnsureBlank() {
        if (!m_lines.empty() && !IsBlankLine(m_lines.back()))
            m_lines.emplace_back();
    }

    void NoteReplaced(std::size_t line, std::size_t count) {
        if (count > 0 && line < m_lines.size())
            m_replaced.push_back({line, 0, count});
    }

    // A line at indent, unless a single word too long for it is moved back to fit.
    void Emit(int indent, std::string text, bool singleWord) {
        const int len = static_cast<int>(text.size());
        if (singleWord && indent + len > Width())
            indent = std::max(0, Width() - len);
        m_lines.push_back(std::string(static_cast<std::size_t>(indent), ' ') + text);
    }

    void EmitRight(const std::string& text) {
        const int pad = std::max(0, Width() - static_cast<int>(text.size()));
        m_lines.push_back(std::string(static_cast<std::size_t>(pad), ' ') + text);
    }

    void Centred(const FlowParagraph& p) {
        int width = Width() - 2 * (m_o.posParagraph + 1);
        if (width < 10)
            width = Width();
        for (const std::string& piece : Pieces(p.text))
            for (const auto& words : WrapWords(SplitFlowWords(piece), width, width)) {
                const std::string line = JoinWords(words);
                const int pad = std::max(0, (Width() - static_cast<int>(line.size())) / 2);
                m_lines.push_back(std::string(static_cast<std::size_t>(pad), ' ') + line);
            }
    }

    void RightAligned(const std::string& text) {
        int width = Width() - m_o.leftSpaces;
        if (width < 10)
            width = Width();
        for (const std::string& piece : Pieces(text))
            for (const auto& words : WrapWords(SplitFlowWords(piece), width, width))
                EmitRight(JoinWords(words));
    }

    void Flowing(const FlowParagraph& p) {
        const int most = m_o.posParagraph;
        const int left = IndentColumns(p.leftIndentPt, most);
        const int first = IndentColumns(p.leftIndentPt + p.firstIndentPt, most);
        const bool justify = p.align == FlowAlign::Justify;
        const std::vector<std::string> pieces = Pieces(p.text);
        for (std::size_t k = 0; k < pieces.size(); ++k) {
            const int indent = k == 0 ? first : left;
            std::string lhs, rhs;
            if (SplitAtGap(pieces[k], lhs, rhs)) {
                const std::string l = JoinWords(SplitFlowWords(lhs));
                const std::string r = JoinWords(SplitFlowWords(rhs));
                if (indent + static_cast<int>(l.size() + r.size()) + 2 <= Width()) {
                    std::string line(static_cast<std::size_t>(indent), ' ');
                    line += l;
                    line.append(static_cast<std::size_t>(Width()) - line.size() - r.size(), ' ');
                    m_lines.push_back(line + r);
                } else {
                    Wrapped(SplitFlowWords(lhs), indent, left, false);
                    RightAligned(rhs);
                }
                continue;
            }
            Wrapped(SplitFlowWords(pieces[k]), indent, left, justify);
        }
    }

    void Wrapped(const std::vector<std::string>& words, int firstIndent, int indent, bool justify) {
        const auto lines = WrapWords(words, Width() - firstIndent, Width() - indent);
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const int at = i == 0 ? firstIndent : indent;
            const bool last = i + 1 == lines.size();
            Emit(at, justify && !last ? Justify(lines[i], Width() - at) : JoinWords(lines[i]),
                 lines[i].size() == 1);
        }
    }

    // A borderless table: each row's cells side by side, the first at the left margin, the
    // last ending at the right margin, the others centred in their share of the width.
    void SideBySide(const FlowTable& t) {
        for (int r = 0; r < t.rows; ++r) {
            std::vector<const FlowCell*> row;
            for (const FlowCell& c : t.cells)
                if (c.row == r) {
                    bool empty = true;
                    for (const FlowParagraph& p : c.paragraphs)
                        empty = empty && IsBlankText(p.text);
                    if (!empty)
                        row.push_back(&c);
                }
            if (row.empty())
                continue;
            if (row.size() == 1) {
                for (const FlowParagraph& p : row[0]->paragraphs)
                    if (!IsBlankText(p.text)) {
                        FlowParagraph q = p;
                        if (q.align == FlowAlign::Right)
                            RightAligned(q.text);
                        else if (q.align == FlowAlign::Centre)
                            Centred(q);
                        else
                            Flowing(q);
                    }
                continue;
            }
            const int n = static_cast<int>(row.size());
            std::vector<double> weights;
            std::vector<int> minimum;
            for (const FlowCell* c : row) {
                double w = 0;
                for (int k = c->column; k < c->column + c->columnSpan; ++k)
                    if (k >= 0 && k < static_cast<int>(t.columnWidths.size()))
                        w += t.columnWidths[k];
                weights.push_back(w);
                std::size_t longest = 1;
                for (const FlowParagraph& p : c->paragraphs)
                    for (const std::string& word : SplitFlowWords(p.text))
                        longest = std::max(longest, word.size());
                minimum.push_back(static_cast<int>(longest));
            }
            const int gap = 2;
            std::vector<int> widths = ShareColumns(weights, minimum, Width() - gap * (n - 1));
            if (widths.empty()) {
                for (const FlowCell* c : row)
                    for (const FlowParagraph& p : c->paragraphs)
                        Flowing(p);
                continue;
            }
            std::vector<LineList> text;
            std::size_t height = 0;
            bool fits = true;
            for (int i = 0; i < n; ++i) {
                std::vector<FlowParagraph> ps = row[i]->paragraphs;
                for (FlowParagraph& p : ps)
                    p.align = i == 0 ? FlowAlign::Left
                                     : (i == n - 1 ? FlowAlign::Right : FlowAlign::Centre);
                LineList lines;
                for (std::string& l : CellLines(ps, widths[i], false))
                    if (!IsBlankLine(l)) {
                        fits = fits && static_cast<int>(l.size()) <= widths[i];
                        lines.push_back(std::move(l));
                    }
                height = std::max(height, lines.size());
                text.push_back(std::move(lines));
            }
            if (!fits) {
                // A word too long for its share: the cells one after another instead.
                for (const FlowCell* c : row)
                    for (const FlowParagraph& p : c->paragraphs)
                        Flowing(p);
                continue;
            }
            // The last cell (a name beside a title) stands level with the last line.
            LineList& lastCell = text.back();
            lastCell.insert(lastCell.begin(), height - lastCell.size(), std::string());
            for (std::size_t k = 0; k < height; ++k) {
                std::string line;
                int x = 0;
                for (int i = 0; i < n; ++i) {
                    const std::string piece = k < text[i].size() ? text[i][k] : std::string();
                    if (line.size() < static_cast<std::size_t>(x))
                        line.append(static_cast<std::size_t>(x) - line.size(), ' ');
                    if (!piece.empty() && !IsBlankLine(piece)) {
                        if (!line.empty() && line.size() > static_cast<std::size_t>(x))
                            line += ' ';
                        line += piece;
                    }
                    x += widths[i] + gap;
                }
                while (!line.empty() && line.back() == ' ')
                    line.pop_back();
                m_lines.push_back(std::move(line));
            }
        }
    }

    const LayoutOptions& m_o;
    LineList m_lines;
    std::vector<LossyLine> m_replaced;
    bool m_blankAfter = false;
    bool m_lastRight = false;
    bool m_anyFrame = false;
    std::size_t m_lastFrameTop = 0;
};

} // namespace

std::vector<std::string> SplitFlowWords(const std::string& text) {
    std::vector<std::string> words;
    std::string word;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        // One non-breaking space joins two words; a run of them is padding between words.
        const bool padding = c == kNbsp && ((i + 1 < text.size() && text[i + 1] == kNbsp) ||
                                            (i > 0 && text[i - 1] == kNbsp));
        if (c == ' ' || c == '\t' || c == '\n' || padding) {
            if (!word.empty())
                words.push_back(std::move(word));
            word.clear();
        } else {
            word += c;
        }
    }
    if (!word.empty())
        words.push_back(std::move(word));
    // A non-breaking space at either end of a word joins nothing.
    for (std::string& w : words) {
        while (!w.empty() && w.back() == kNbsp)
            w.pop_back();
        std::size_t b = 0;
        while (b < w.size() && w[b] == kNbsp)
            ++b;
        w.erase(0, b);
    }
    words.erase(
        std::remove_if(words.begin(), words.end(), [](const std::string& w) { return w.empty(); }),
        words.end());
    return words;
}

std::vector<std::vector<std::string>> WrapWords(const std::vector<std::string>& words,
                                                int firstWidth, int width) {
    std::vector<std::vector<std::string>> lines;
    std::vector<std::string> line;
    int used = 0;
    auto place = [&](std::string w) {
        const int limit = lines.empty() ? firstWidth : width;
        const int len = static_cast<int>(w.size());
        if (!line.empty() && used + 1 + len > limit) {
            lines.push_back(std::move(line));
            line.clear();
            used = 0;
        }
        used += (line.empty() ? 0 : 1) + len;
        line.push_back(std::move(w));
    };
    for (const std::string& w : words) {
        // Words joined by non-breaking spaces that would not fit even on a line of their own
        // break at those spaces: they print as spaces, so the line would hold several words.
        const int alone = lines.empty() && line.empty() ? firstWidth : width;
        if (static_cast<int>(w.size()) <= alone || w.find(kNbsp) == std::string::npos) {
            place(w);
            continue;
        }
        std::size_t start = 0;
        for (std::size_t at; (at = w.find(kNbsp, start)) != std::string::npos; start = at + 1)
            place(w.substr(start, at - start));
        place(w.substr(start));
    }
    if (!line.empty())
        lines.push_back(std::move(line));
    return lines;
}

LaidOutText LayOutDocument(const FlowDocument& doc, const LayoutOptions& options) {
    CFormWriter writer(options);
    for (const FlowBlock& b : doc.blocks) {
        if (b.isTable)
            writer.Table(b.table);
        else
            writer.Paragraph(b.paragraph);
    }
    return writer.Finish();
}

} // namespace norvak
