#include "formats/odtreader.h"

#include "core/failure.h"
#include "core/literal.h"
#include "core/textcore.h"
#include "formats/lengths.h"
#include "formats/textbuilder.h"
#include "formats/xmlpart.h"
#include "formats/ziparchive.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <optional>

namespace norvak {
namespace {

// ODF writes the unit right after the number, inches also as "inch".
std::optional<double> OdfLengthPt(const std::string& v) {
    const std::optional<LengthText> length = SplitLength(v);
    if (!length)
        return std::nullopt;
    return AbsoluteLengthPt(length->number, length->unit == "inch" ? "in" : length->unit);
}

// What a style sets; unset values come from its parent.
struct OdfStyle {
    std::string parent;
    std::optional<FlowAlign> align;
    std::optional<double> firstPt;
    std::optional<double> leftPt;
    std::optional<bool> bold;
    std::optional<bool> super;
    double columnWidth = 0;
    bool border = false;
};

bool OdfBorder(const std::string& v) {
    return !v.empty() && v != "none" && v.find("none") == std::string::npos &&
           !StartsWith(v, "0pt") && !StartsWith(v, "0cm") && !StartsWith(v, "0in");
}

class COdtReader {
public:
    bool Read(std::string_view bytes, FlowDocument& out, std::string* error) {
        PackageParts parts;
        std::string err;
        if (!ReadPackageParts(bytes, "content.xml", "styles.xml", parts, &err))
            return Fail(error, err);
        if (parts.styles) {
            XmlDocPtr sdoc = ParseXmlPart(*parts.styles, &err);
            if (!sdoc)
                return Fail(error, err);
            const xmlNode* root = xmlDocGetRootElement(sdoc.get());
            Styles(Child(root, "styles"));
        }
        XmlDocPtr doc = ParseXmlPart(parts.main, &err);
        if (!doc)
            return Fail(error, err);
        const xmlNode* root = xmlDocGetRootElement(doc.get());
        Styles(Child(root, "automatic-styles"));
        const xmlNode* text = Child(Child(root, "body"), "text");
        if (!text)
            return Fail(error, "в документе нет текста (office:text)"_cp);
        m_out = &out;
        Blocks(text, nullptr, 0);
        if (!m_error.empty())
            return Fail(error, m_error);
        return true;
    }

private:
    void Styles(const xmlNode* parent) {
        if (!parent)
            return;
        for (const xmlNode* s = parent->children; s; s = s->next) {
            const bool isDefault = Is(s, "default-style");
            if (!Is(s, "style") && !isDefault)
                continue;
            OdfStyle st;
            st.parent = Attr(s, "parent-style-name");
            if (const xmlNode* pp = Child(s, "paragraph-properties")) {
                st.align = TextAlignValue(Attr(pp, "text-align"));
                if (HasAttr(pp, "text-indent"))
                    st.firstPt = OdfLengthPt(Attr(pp, "text-indent"));
                if (HasAttr(pp, "margin-left"))
                    st.leftPt = OdfLengthPt(Attr(pp, "margin-left"));
                else if (HasAttr(pp, "margin-start"))
                    st.leftPt = OdfLengthPt(Attr(pp, "margin-start"));
            }
            if (const xmlNode* tp = Child(s, "text-properties")) {
                if (HasAttr(tp, "font-weight")) {
                    const std::string w = Attr(tp, "font-weight");
                    st.bold = w == "bold" || std::atoi(w.c_str()) >= 600;
                }
                if (HasAttr(tp, "text-position")) {
                    const std::string pos = Attr(tp, "text-position");
                    st.super = StartsWith(pos, "super") ||
                               (!pos.empty() && pos[0] >= '1' && pos[0] <= '9');
                }
            }
            if (const xmlNode* cp = Child(s, "table-column-properties"))
                st.columnWidth = OdfLengthPt(Attr(cp, "column-width")).value_or(0);
            if (const xmlNode* cp = Child(s, "table-cell-properties"))
                for (const char* b :
                     {"border", "border-left", "border-right", "border-top", "border-bottom"})
                    st.border = st.border || OdfBorder(Attr(cp, b));
            const std::string family = Attr(s, "family");
            if (isDefault) {
                if (family == "paragraph")
                    m_default = st;
                continue;
            }
            m_styles[family + ":" + Attr(s, "name")] = st;
        }
    }

    // The style with what it inherits, up to the default paragraph style.
    OdfStyle Resolve(const std::string& family, std::string name) const {
        OdfStyle out;
        for (int guard = 0; guard < 32 && !name.empty(); ++guard) {
            const auto it = m_styles.find(family + ":" + name);
            if (it == m_styles.end())
                break;
            const OdfStyle& s = it->second;
            if (!out.align)
                out.align = s.align;
            if (!out.firstPt)
                out.firstPt = s.firstPt;
            if (!out.leftPt)
                out.leftPt = s.leftPt;
            if (!out.bold)
                out.bold = s.bold;
            if (!out.super)
                out.super = s.super;
            if (out.columnWidth == 0)
                out.columnWidth = s.columnWidth;
            out.border = out.border || s.border;
            name = s.parent;
        }
        if (family == "paragraph") {
            if (!out.align)
                out.align = m_default.align;
            if (!out.bold)
                out.bold = m_default.bold;
        }
        return out;
    }

    bool TooDeep(int depth) {
        return norvak::TooDeep(depth, m_error, "документ вложен слишком глубоко"_cp);
    }

    void Emit(FlowParagraph p, std::vector<FlowParagraph>* sink) {
        if (sink)
            sink->push_back(std::move(p));
        else
            m_out->Add(std::move(p));
    }

    // Block content: paragraphs, headings, lists, sections, tables. In a table cell (sink
    // set) a nested table gives its cells' paragraphs in order.
    void Blocks(const xmlNode* parent, std::vector<FlowParagraph>* sink, int depth) {
        if (TooDeep(depth))
            return;
        for (const xmlNode* n = parent->children; n && m_error.empty(); n = n->next) {
            if (Is(n, "p") || Is(n, "h")) {
                Emit(Paragraph(n, depth), sink);
            } else if (Is(n, "list") || Is(n, "list-item") || Is(n, "list-header") ||
                       Is(n, "section") || Is(n, "index-body") || Is(n, "table-of-content") ||
                       Is(n, "alphabetical-index") || Is(n, "illustration-index") ||
                       Is(n, "user-index") || Is(n, "bibliography") || Is(n, "index-title")) {
                Blocks(n, sink, depth + 1);
            } else if (Is(n, "table")) {
                if (sink) {
                    NestedCells(n, sink, depth + 1);
                } else {
                    FlowTable t;
                    if (Table(n, t, depth + 1))
                        m_out->Add(std::move(t));
                }
            }
        }
    }

    void NestedCells(const xmlNode* n, std::vector<FlowParagraph>* sink, int depth) {
        if (TooDeep(depth))
            return;
        for (const xmlNode* c = n->children; c; c = c->next) {
            if (Is(c, "table-cell"))
                Blocks(c, sink, depth + 1);
            else if (Is(c, "table-row") || Is(c, "table-rows") || Is(c, "table-header-rows") ||
                     Is(c, "table-row-group"))
                NestedCells(c, sink, depth + 1);
        }
    }

    FlowParagraph Paragraph(const xmlNode* p, int depth) {
        const OdfStyle st = Resolve("paragraph", Attr(p, "style-name"));
        CTextBuilder text(true);
        Inline(p, text, st.bold.value_or(Is(p, "h")), st.super.value_or(false), depth + 1);
        FlowParagraph out = text.Take();
        out.align = st.align.value_or(FlowAlign::Left);
        out.firstIndentPt = st.firstPt.value_or(0);
        out.leftIndentPt = st.leftPt.value_or(0);
        return out;
    }

    void Inline(const xmlNode* parent, CTextBuilder& text, bool bold, bool super, int depth) {
        if (TooDeep(depth))
            return;
        for (const xmlNode* n = parent->children; n; n = n->next) {
            if (n->type == XML_TEXT_NODE || n->type == XML_CDATA_SECTION_NODE) {
                text.AddText(NodeText(n), bold, super);
                continue;
            }
            if (n->type != XML_ELEMENT_NODE)
                continue;
            if (Is(n, "s")) {
                const std::string c = Attr(n, "c");
                text.AddSpaces(c.empty() ? 1 : std::clamp(std::atoi(c.c_str()), 1, 1000));
            } else if (Is(n, "tab")) {
                text.AddTab();
            } else if (Is(n, "line-break")) {
                text.AddBreak();
            } else if (Is(n, "span")) {
                const OdfStyle st = Resolve("text", Attr(n, "style-name"));
                Inline(n, text, st.bold.value_or(bold), st.super.value_or(super), depth + 1);
            } else if (Is(n, "note") || Is(n, "annotation") || Is(n, "annotation-end") ||
                       Is(n, "tracked-changes") || Is(n, "frame") || Is(n, "custom-shape") ||
                       Is(n, "change") || Is(n, "change-start") || Is(n, "change-end") ||
                       Is(n, "bookmark") || Is(n, "bookmark-start") || Is(n, "bookmark-end") ||
                       Is(n, "soft-page-break") || Is(n, "reference-mark")) {
                continue;
            } else {
                // Links, fields, ruby, meta and the like show their text.
                Inline(n, text, bold, super, depth + 1);
            }
        }
    }

    bool TableTooBig() {
        if (m_error.empty())
            m_error = "таблица документа слишком велика"_cp;
        return false;
    }

    int Repeat(const xmlNode* n, const char* attr) {
        const std::string v = Attr(n, attr);
        return v.empty() ? 1 : std::max(1, std::atoi(v.c_str()));
    }

    bool Columns(const xmlNode* parent, FlowTable& t, int depth) {
        for (const xmlNode* c = parent->children; c; c = c->next) {
            if (Is(c, "table-column")) {
                const int n = Repeat(c, "number-columns-repeated");
                if (n > FormatLimits::kMaxTableColumns ||
                    static_cast<int>(t.columnWidths.size()) + n > FormatLimits::kMaxTableColumns)
                    return TableTooBig();
                const double w = Resolve("table-column", Attr(c, "style-name")).columnWidth;
                t.columnWidths.insert(t.columnWidths.end(), static_cast<std::size_t>(n),
                                      w > 0 ? w : 0);
            } else if ((Is(c, "table-columns") || Is(c, "table-header-columns") ||
                        Is(c, "table-column-group")) &&
                       depth < 8) {
                if (!Columns(c, t, depth + 1))
                    return false;
            }
        }
        return true;
    }

    bool Rows(const xmlNode* parent, FlowTable& t, int group, int depth) {
        for (const xmlNode* r = parent->children; r && m_error.empty(); r = r->next) {
            if (Is(r, "table-rows") || Is(r, "table-header-rows") || Is(r, "table-row-group")) {
                if (group < 8 && !Rows(r, t, group + 1, depth))
                    return false;
                continue;
            }
            if (!Is(r, "table-row"))
                continue;
            const int repeat = Repeat(r, "number-rows-repeated");
            if (repeat > FormatLimits::kMaxTableRows ||
                t.rows + repeat > FormatLimits::kMaxTableRows)
                return TableTooBig();
            for (int k = 0; k < repeat; ++k) {
                const int row = t.rows++;
                int col = 0;
                for (const xmlNode* c = r->children; c; c = c->next) {
                    const bool covered = Is(c, "covered-table-cell");
                    if (!covered && !Is(c, "table-cell"))
                        continue;
                    const int n = Repeat(c, "number-columns-repeated");
                    if (n > FormatLimits::kMaxTableColumns ||
                        col + n > FormatLimits::kMaxTableColumns)
                        return TableTooBig();
                    if (covered) {
                        col += n;
                        continue;
                    }
                    t.bordered = t.bordered || Resolve("table-cell", Attr(c, "style-name")).border;
                    const int colSpan = std::clamp(Repeat(c, "number-columns-spanned"), 1,
                                                   FormatLimits::kMaxTableColumns);
                    const int rowSpan = std::clamp(Repeat(c, "number-rows-spanned"), 1,
                                                   FormatLimits::kMaxTableRows);
                    FlowCell cell;
                    cell.columnSpan = colSpan;
                    cell.rowSpan = rowSpan;
                    Blocks(c, &cell.paragraphs, depth + 1);
                    // The positions a span covers are listed as covered cells after it.
                    for (int i = 0; i < n; ++i) {
                        if (t.cells.size() >= FormatLimits::kMaxTableCells)
                            return TableTooBig();
                        FlowCell copy = cell;
                        copy.row = row;
                        copy.column = col;
                        t.cells.push_back(std::move(copy));
                        m_columns = std::max(m_columns, col + colSpan);
                        col += 1;
                    }
                    if (m_columns > FormatLimits::kMaxTableColumns)
                        return TableTooBig();
                }
                m_columns = std::max(m_columns, col);
            }
        }
        return m_error.empty();
    }

    bool Table(const xmlNode* table, FlowTable& t, int depth) {
        m_columns = 0;
        if (!Columns(table, t, 0) || !Rows(table, t, 0, depth))
            return false;
        // Rows may run to the end of the grid; the column list says how wide it is.
        if (static_cast<int>(t.columnWidths.size()) < m_columns)
            t.columnWidths.resize(static_cast<std::size_t>(m_columns), 0);
        double known = 0;
        int count = 0;
        for (double w : t.columnWidths)
            if (w > 0) {
                known += w;
                ++count;
            }
        for (double& w : t.columnWidths)
            if (w <= 0)
                w = count ? known / count : 1.0;
        for (FlowCell& c : t.cells)
            for (FlowParagraph& p : c.paragraphs) {
                p.firstIndentPt = 0;
                p.leftIndentPt = 0;
            }
        return t.rows > 0 && !t.columnWidths.empty();
    }

    std::map<std::string, OdfStyle> m_styles; // "family:name"
    OdfStyle m_default;
    FlowDocument* m_out = nullptr;
    std::string m_error;
    int m_columns = 0;
};

} // namespace

bool ReadOdt(std::string_view bytes, FlowDocument& out, std::string* error) {
    out = FlowDocument();
    COdtReader reader;
    if (reader.Read(bytes, out, error))
        return true;
    out = FlowDocument();
    return false;
}

} // namespace norvak
