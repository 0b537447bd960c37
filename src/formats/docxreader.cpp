#include "formats/docxreader.h"

#include "core/failure.h"
#include "core/literal.h"
#include "formats/textbuilder.h"
#include "formats/xmlpart.h"
#include "formats/ziparchive.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <optional>

namespace norvak {
namespace {

// Paragraph properties that a style may set and a paragraph may override.
struct ParaProps {
    std::optional<FlowAlign> align;
    std::optional<double> firstPt;
    std::optional<double> leftPt;
    std::optional<bool> bold;

    void Fill(const ParaProps& base) {
        if (!align)
            align = base.align;
        if (!firstPt)
            firstPt = base.firstPt;
        if (!leftPt)
            leftPt = base.leftPt;
        if (!bold)
            bold = base.bold;
    }
};

struct StyleEntry {
    ParaProps props;
    std::string basedOn;
    bool tableBorders = false;
};

double Twips(const std::string& v) {
    return std::strtod(v.c_str(), nullptr) / 20.0;
}

bool OnOff(const xmlNode* n) {
    if (!n)
        return false;
    const std::string v = Attr(n, "val");
    return !(v == "0" || v == "false" || v == "off" || v == "none");
}

std::optional<FlowAlign> Justification(const std::string& v) {
    if (v == "center")
        return FlowAlign::Centre;
    if (v == "right" || v == "end")
        return FlowAlign::Right;
    if (v == "both" || v == "distribute" || v == "lowKashida" || v == "mediumKashida" ||
        v == "highKashida" || v == "thaiDistribute")
        return FlowAlign::Justify;
    if (v == "left" || v == "start")
        return FlowAlign::Left;
    return std::nullopt;
}

ParaProps ReadPPr(const xmlNode* pPr, const xmlNode* rPr) {
    ParaProps p;
    if (const xmlNode* jc = Child(pPr, "jc"))
        p.align = Justification(Attr(jc, "val"));
    if (const xmlNode* ind = Child(pPr, "ind")) {
        if (HasAttr(ind, "left"))
            p.leftPt = Twips(Attr(ind, "left"));
        else if (HasAttr(ind, "start"))
            p.leftPt = Twips(Attr(ind, "start"));
        if (HasAttr(ind, "hanging"))
            p.firstPt = -Twips(Attr(ind, "hanging"));
        else if (HasAttr(ind, "firstLine"))
            p.firstPt = Twips(Attr(ind, "firstLine"));
    }
    if (const xmlNode* b = Child(rPr, "b"))
        p.bold = OnOff(b);
    return p;
}

bool HasBorders(const xmlNode* borders) {
    if (!borders)
        return false;
    for (const xmlNode* b = borders->children; b; b = b->next)
        if (b->type == XML_ELEMENT_NODE) {
            const std::string v = Attr(b, "val");
            if (!v.empty() && v != "nil" && v != "none")
                return true;
        }
    return false;
}

class CDocxReader {
public:
    bool Read(std::string_view bytes, FlowDocument& out, std::string* error) {
        PackageParts parts;
        std::string err;
        if (!ReadPackageParts(bytes, "word/document.xml", "word/styles.xml", parts, &err))
            return Fail(error, err);
        if (parts.styles && !ReadStyles(*parts.styles, &err))
            return Fail(error, err);
        XmlDocPtr doc = ParseXmlPart(parts.main, &err);
        if (!doc)
            return Fail(error, err);
        const xmlNode* body = Child(xmlDocGetRootElement(doc.get()), "body");
        if (!body)
            return Fail(error, "в документе нет текста (w:body)"_cp);
        m_out = &out;
        Blocks(body, 0);
        if (!m_error.empty())
            return Fail(error, m_error);
        return true;
    }

private:
    bool ReadStyles(const std::string& bytes, std::string* error) {
        XmlDocPtr doc = ParseXmlPart(bytes, error);
        if (!doc)
            return false;
        const xmlNode* root = xmlDocGetRootElement(doc.get());
        if (const xmlNode* defaults = Child(root, "docDefaults")) {
            const xmlNode* pPr = Child(Child(defaults, "pPrDefault"), "pPr");
            const xmlNode* rPr = Child(Child(defaults, "rPrDefault"), "rPr");
            m_defaults = ReadPPr(pPr, rPr);
        }
        for (const xmlNode* s = root->children; s; s = s->next) {
            if (!Is(s, "style"))
                continue;
            const std::string type = Attr(s, "type");
            const std::string id = Attr(s, "styleId");
            StyleEntry e;
            e.basedOn = Attr(Child(s, "basedOn"), "val");
            if (type == "paragraph") {
                e.props = ReadPPr(Child(s, "pPr"), Child(s, "rPr"));
                m_paraStyles[id] = e;
                if (Attr(s, "default") == "1" || Attr(s, "default") == "true")
                    m_defaultStyle = id;
            } else if (type == "table") {
                e.tableBorders = HasBorders(Child(Child(s, "tblPr"), "tblBorders"));
                m_tableStyles[id] = e;
            }
        }
        return true;
    }

    // A style's properties with what it inherits from the styles it is based on.
    ParaProps StyleProps(std::string id) const {
        ParaProps p;
        for (int guard = 0; guard < 32 && !id.empty(); ++guard) {
            const auto it = m_paraStyles.find(id);
            if (it == m_paraStyles.end())
                break;
            p.Fill(it->second.props);
            id = it->second.basedOn;
        }
        p.Fill(m_defaults);
        return p;
    }

    bool TableStyleBorders(std::string id) const {
        for (int guard = 0; guard < 32 && !id.empty(); ++guard) {
            const auto it = m_tableStyles.find(id);
            if (it == m_tableStyles.end())
                return false;
            if (it->second.tableBorders)
                return true;
            id = it->second.basedOn;
        }
        return false;
    }

    bool TooDeep(int depth) {
        return norvak::TooDeep(depth, m_error, "документ вложен слишком глубоко"_cp);
    }

    void Blocks(const xmlNode* parent, int depth) {
        if (TooDeep(depth))
            return;
        for (const xmlNode* n = parent->children; n && m_error.empty(); n = n->next) {
            if (Is(n, "p")) {
                m_out->Add(Paragraph(n, depth));
            } else if (Is(n, "tbl")) {
                FlowTable t;
                if (Table(n, t, depth))
                    m_out->Add(std::move(t));
            } else if (Is(n, "sdt")) {
                if (const xmlNode* c = Child(n, "sdtContent"))
                    Blocks(c, depth + 1);
            } else if (Is(n, "customXml") || Is(n, "ins") || Is(n, "moveTo")) {
                Blocks(n, depth + 1);
            }
        }
    }

    FlowParagraph Paragraph(const xmlNode* p, int depth) {
        const xmlNode* pPr = Child(p, "pPr");
        std::string style = Attr(Child(pPr, "pStyle"), "val");
        if (style.empty())
            style = m_defaultStyle;
        ParaProps props = ReadPPr(pPr, nullptr);
        const ParaProps inherited = StyleProps(style);
        props.Fill(inherited);
        CTextBuilder text(false);
        Runs(p, text, props.bold.value_or(false), depth + 1);
        FlowParagraph out = text.Take();
        out.align = props.align.value_or(FlowAlign::Left);
        out.firstIndentPt = props.firstPt.value_or(0);
        out.leftIndentPt = props.leftPt.value_or(0);
        return out;
    }

    void Runs(const xmlNode* parent, CTextBuilder& text, bool paraBold, int depth) {
        if (TooDeep(depth))
            return;
        for (const xmlNode* n = parent->children; n; n = n->next) {
            if (n->type != XML_ELEMENT_NODE)
                continue;
            if (Is(n, "r")) {
                Run(n, text, paraBold);
            } else if (Is(n, "hyperlink") || Is(n, "smartTag") || Is(n, "ins") || Is(n, "moveTo") ||
                       Is(n, "fldSimple") || Is(n, "customXml") || Is(n, "sdtContent") ||
                       Is(n, "dir") || Is(n, "bdo")) {
                Runs(n, text, paraBold, depth + 1);
            } else if (Is(n, "sdt")) {
                if (const xmlNode* c = Child(n, "sdtContent"))
                    Runs(c, text, paraBold, depth + 1);
            }
            // pPr, del, moveFrom, bookmarks, proofing marks and the like hold no text.
        }
    }

    void Run(const xmlNode* r, CTextBuilder& text, bool paraBold) {
        const xmlNode* rPr = Child(r, "rPr");
        if (const xmlNode* vanish = Child(rPr, "vanish"); vanish && OnOff(vanish))
            return;
        bool bold = paraBold;
        if (const xmlNode* b = Child(rPr, "b"))
            bold = OnOff(b);
        const std::string va = Attr(Child(rPr, "vertAlign"), "val");
        const bool super = va == "superscript";
        for (const xmlNode* c = r->children; c; c = c->next) {
            if (Is(c, "t")) {
                std::string s;
                for (const xmlNode* t = c->children; t; t = t->next)
                    if (t->type == XML_TEXT_NODE || t->type == XML_CDATA_SECTION_NODE)
                        s += NodeText(t);
                text.AddText(s, bold, super);
            } else if (Is(c, "tab") || Is(c, "ptab")) {
                text.AddTab();
            } else if (Is(c, "br")) {
                const std::string type = Attr(c, "type");
                if (type != "page" && type != "column")
                    text.AddBreak();
            } else if (Is(c, "cr")) {
                text.AddBreak();
            } else if (Is(c, "noBreakHyphen")) {
                text.AddText("-", bold);
            }
            // softHyphen, instrText, delText, fldChar, drawings: no text of the document.
        }
    }

    // The paragraphs of a cell; a table nested in it gives its cells' paragraphs in order.
    void CellParagraphs(const xmlNode* tc, std::vector<FlowParagraph>& out, int depth) {
        if (TooDeep(depth))
            return;
        for (const xmlNode* n = tc->children; n; n = n->next) {
            if (Is(n, "p")) {
                out.push_back(Paragraph(n, depth));
            } else if (Is(n, "tbl")) {
                for (const xmlNode* tr = n->children; tr; tr = tr->next)
                    if (Is(tr, "tr"))
                        for (const xmlNode* c = tr->children; c; c = c->next)
                            if (Is(c, "tc"))
                                CellParagraphs(c, out, depth + 2);
            } else if (Is(n, "sdt")) {
                if (const xmlNode* c = Child(n, "sdtContent"))
                    CellParagraphs(c, out, depth + 1);
            }
        }
    }

    bool Table(const xmlNode* tbl, FlowTable& t, int depth) {
        const xmlNode* tblPr = Child(tbl, "tblPr");
        t.bordered = HasBorders(Child(tblPr, "tblBorders")) ||
                     TableStyleBorders(Attr(Child(tblPr, "tblStyle"), "val"));
        for (const xmlNode* g = Child(Child(tbl, "tblGrid"), "gridCol"); g; g = g->next)
            if (Is(g, "gridCol")) {
                if (t.columnWidths.size() >=
                    static_cast<std::size_t>(FormatLimits::kMaxTableColumns))
                    return TableTooBig();
                t.columnWidths.push_back(std::max(0.0, std::strtod(Attr(g, "w").c_str(), nullptr)));
            }
        std::vector<int> startedAt; // per grid column, the cell that began there last
        int columns = 0;
        for (const xmlNode* tr = tbl->children; tr; tr = tr->next) {
            if (!Is(tr, "tr"))
                continue;
            if (t.rows >= FormatLimits::kMaxTableRows)
                return TableTooBig();
            const int row = t.rows++;
            int col = std::atoi(Attr(Child(Child(tr, "trPr"), "gridBefore"), "val").c_str());
            col = std::clamp(col, 0, FormatLimits::kMaxTableColumns);
            for (const xmlNode* tc = tr->children; tc; tc = tc->next) {
                if (!Is(tc, "tc"))
                    continue;
                const xmlNode* tcPr = Child(tc, "tcPr");
                int span = std::atoi(Attr(Child(tcPr, "gridSpan"), "val").c_str());
                span = std::clamp(span, 1, FormatLimits::kMaxTableColumns);
                if (col + span > FormatLimits::kMaxTableColumns)
                    return TableTooBig();
                if (static_cast<int>(startedAt.size()) < col + span)
                    startedAt.resize(static_cast<std::size_t>(col + span), -1);
                t.bordered = t.bordered || HasBorders(Child(tcPr, "tcBorders"));
                const xmlNode* vMerge = Child(tcPr, "vMerge");
                const std::string mergeVal = Attr(vMerge, "val");
                if (vMerge && mergeVal != "restart") {
                    const int above = startedAt[col];
                    if (above >= 0) {
                        FlowCell& c = t.cells[static_cast<std::size_t>(above)];
                        if (c.row + c.rowSpan == row) {
                            ++c.rowSpan;
                            col += span;
                            continue;
                        }
                    }
                }
                if (t.cells.size() >= FormatLimits::kMaxTableCells)
                    return TableTooBig();
                FlowCell cell;
                cell.row = row;
                cell.column = col;
                cell.columnSpan = span;
                CellParagraphs(tc, cell.paragraphs, depth + 1);
                startedAt[col] = static_cast<int>(t.cells.size());
                t.cells.push_back(std::move(cell));
                col += span;
            }
            columns = std::max(columns, col);
        }
        if (static_cast<int>(t.columnWidths.size()) < columns) {
            const double w = t.columnWidths.empty() ? 1.0 : t.columnWidths.back();
            t.columnWidths.resize(static_cast<std::size_t>(columns), w > 0 ? w : 1.0);
        }
        return t.rows > 0;
    }

    bool TableTooBig() {
        if (m_error.empty())
            m_error = "таблица документа слишком велика"_cp;
        return false;
    }

    std::map<std::string, StyleEntry> m_paraStyles;
    std::map<std::string, StyleEntry> m_tableStyles;
    std::string m_defaultStyle;
    ParaProps m_defaults;
    FlowDocument* m_out = nullptr;
    std::string m_error;
};

} // namespace

bool ReadDocx(std::string_view bytes, FlowDocument& out, std::string* error) {
    out = FlowDocument();
    CDocxReader reader;
    if (reader.Read(bytes, out, error))
        return true;
    out = FlowDocument();
    return false;
}

} // namespace norvak
