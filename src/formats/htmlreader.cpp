#include "formats/htmlreader.h"

#include "core/literal.h"
#include "core/textcore.h"
#include "formats/lengths.h"
#include "formats/textbuilder.h"
#include "formats/xmlpart.h"

#include <libxml/HTMLparser.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <map>
#include <optional>

namespace norvak {
namespace {

std::string Lower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}

std::string Trim(std::string_view s) {
    std::size_t b = 0, e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= ' ')
        ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ')
        --e;
    return std::string(s.substr(b, e - b));
}

using Declarations = std::map<std::string, std::string>;

// Declarations "a: b; c: d" into a map, names lower-cased.
void ParseDeclarations(std::string_view text, Declarations& into) {
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(';', start);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view decl = text.substr(start, end - start);
        const std::size_t colon = decl.find(':');
        if (colon != std::string_view::npos) {
            std::string name = Lower(Trim(decl.substr(0, colon)));
            std::string value = Lower(Trim(decl.substr(colon + 1)));
            const std::size_t imp = value.find("!important");
            if (imp != std::string::npos)
                value = Trim(value.substr(0, imp));
            if (!name.empty())
                into[name] = value;
        }
        start = end + 1;
    }
}

// The rules of a page's style sheets for simple selectors: "tag", ".class", "tag.class".
// Anything else (descendants, pseudo-classes, at-rules) is passed over.
class CStyleRules {
public:
    void Add(std::string_view css) {
        std::string text;
        // Comments and the HTML comment markers some pages wrap their rules in are removed.
        for (std::size_t i = 0; i < css.size();) {
            if (css.compare(i, 2, "/*") == 0) {
                const std::size_t end = css.find("*/", i + 2);
                i = end == std::string_view::npos ? css.size() : end + 2;
            } else if (css.compare(i, 4, "<!--") == 0) {
                i += 4;
            } else if (css.compare(i, 3, "-->") == 0) {
                i += 3;
            } else {
                text += css[i++];
            }
        }
        std::size_t i = 0;
        while (i < text.size()) {
            const std::size_t open = text.find('{', i);
            if (open == std::string::npos)
                break;
            const std::string selectors = Trim(std::string_view(text).substr(i, open - i));
            // Find the matching close, over nested blocks of at-rules.
            int level = 1;
            std::size_t j = open + 1;
            std::size_t innerOpen = std::string::npos;
            for (; j < text.size() && level > 0; ++j) {
                if (text[j] == '{') {
                    ++level;
                    if (innerOpen == std::string::npos)
                        innerOpen = j;
                } else if (text[j] == '}') {
                    --level;
                }
            }
            const std::size_t close = level == 0 ? j - 1 : text.size();
            if (!selectors.empty() && selectors[0] == '@') {
                // The rules of @media blocks for the screen count, those for print do not;
                // @page and @font-face do not matter.
                const std::string media = Lower(selectors);
                if (StartsWith(media, "@media") && media.find("print") == std::string::npos &&
                    innerOpen != std::string::npos)
                    Add(std::string_view(text).substr(open + 1, close - open - 1));
            } else {
                Declarations d;
                ParseDeclarations(std::string_view(text).substr(open + 1, close - open - 1), d);
                std::size_t s = 0;
                while (s <= selectors.size()) {
                    std::size_t comma = selectors.find(',', s);
                    if (comma == std::string::npos)
                        comma = selectors.size();
                    const std::string sel =
                        Lower(Trim(std::string_view(selectors).substr(s, comma - s)));
                    if (!sel.empty() && sel.find_first_of(" >+~:[*#") == std::string::npos)
                        for (const auto& [k, v] : d)
                            m_rules[sel][k] = v;
                    s = comma + 1;
                }
            }
            i = close + 1;
        }
    }

    // The declarations that apply to an element: its tag, then its classes, then tag.class.
    void Apply(const std::string& tag, const std::vector<std::string>& classes,
               Declarations& into) const {
        Merge(tag, into);
        for (const std::string& c : classes)
            Merge("." + c, into);
        for (const std::string& c : classes)
            Merge(tag + "." + c, into);
    }

private:
    void Merge(const std::string& key, Declarations& into) const {
        const auto it = m_rules.find(key);
        if (it != m_rules.end())
            for (const auto& [k, v] : it->second)
                into[k] = v;
    }

    std::map<std::string, Declarations> m_rules;
};

// A CSS length in points; nullopt for percentages, "auto" and what is not a length.
// A bare number counts as pixels; font-relative units as of a 12-point font.
std::optional<double> LengthPt(const std::string& v) {
    const std::optional<LengthText> length = SplitLength(v);
    if (!length)
        return std::nullopt;
    const double n = length->number;
    const std::string unit = Trim(length->unit);
    if (unit.empty())
        return AbsoluteLengthPt(n, "px");
    if (unit == "em" || unit == "rem")
        return n * 12;
    if (unit == "ex" || unit == "ch")
        return n * 6;
    return AbsoluteLengthPt(n, unit);
}

std::vector<std::string> SplitSpaces(const std::string& s) {
    std::vector<std::string> out;
    std::string w;
    for (char c : s) {
        if (static_cast<unsigned char>(c) <= ' ') {
            if (!w.empty())
                out.push_back(w);
            w.clear();
        } else {
            w += c;
        }
    }
    if (!w.empty())
        out.push_back(w);
    return out;
}

bool BorderValue(const std::string& v) {
    if (v.empty())
        return false;
    for (const std::string& part : SplitSpaces(v))
        if (part == "none" || part == "hidden" || part == "0" || part == "0px")
            return false;
    return true;
}

// How an element and what it holds are set, as inherited down the tree.
struct HtmlContext {
    FlowAlign align = FlowAlign::Left;
    double firstPt = 0;
    double leftPt = 0;
    bool bold = false;
    bool super = false;
    bool pre = false;
};

bool IsBlockTag(const std::string& t) {
    static const char* const kBlocks[] = {
        "p",       "div",        "h1",     "h2",         "h3",     "h4",    "h5",       "h6",
        "li",      "dt",         "dd",     "blockquote", "center", "pre",   "address",  "section",
        "article", "main",       "form",   "ul",         "ol",     "dl",    "hr",       "caption",
        "figure",  "figcaption", "header", "footer",     "nav",    "aside", "fieldset", "legend",
        "tr",      "td",         "th",     "thead",      "tbody",  "tfoot", "table",    "body",
        "html",    "listing",    "xmp",    "plaintext"};
    for (const char* b : kBlocks)
        if (t == b)
            return true;
    return false;
}

bool IsSkippedTag(const std::string& t) {
    static const char* const kSkipped[] = {"script",   "style",    "head",     "title",  "noscript",
                                           "template", "iframe",   "object",   "select", "button",
                                           "input",    "textarea", "svg",      "math",   "map",
                                           "embed",    "applet",   "frameset", "video",  "audio"};
    for (const char* s : kSkipped)
        if (t == s)
            return true;
    return false;
}

std::string Name(const xmlNode* n) {
    return n->name ? Lower(reinterpret_cast<const char*>(n->name)) : std::string();
}

std::string HtmlAttr(const xmlNode* n, const char* name) {
    xmlChar* v = xmlGetProp(n, reinterpret_cast<const xmlChar*>(name));
    if (!v)
        return {};
    std::string out(reinterpret_cast<const char*>(v));
    xmlFree(v);
    return out;
}

bool HasHtmlAttr(const xmlNode* n, const char* name) {
    return xmlHasProp(n, reinterpret_cast<const xmlChar*>(name)) != nullptr;
}

class CHtmlReader {
public:
    bool Read(htmlDocPtr doc, FlowDocument& out, std::string* error) {
        const xmlNode* root = xmlDocGetRootElement(doc);
        if (root)
            CollectStyles(root, 0);
        const xmlNode* body = root ? FindBody(root, 0) : nullptr;
        m_out = &out;
        m_text = CTextBuilder(true);
        if (body) {
            HtmlContext ctx = Context(body, HtmlContext(), nullptr);
            m_current = ctx;
            Walk(body, ctx, 0);
        } else if (root) {
            Walk(root, HtmlContext(), 0);
        }
        Flush();
        if (!m_error.empty()) {
            if (error)
                *error = m_error;
            return false;
        }
        return true;
    }

private:
    void CollectStyles(const xmlNode* n, int depth) {
        if (depth > FormatLimits::kMaxDepth)
            return;
        for (const xmlNode* c = n->children; c; c = c->next) {
            if (c->type != XML_ELEMENT_NODE)
                continue;
            if (Name(c) == "style") {
                std::string css;
                for (const xmlNode* t = c->children; t; t = t->next)
                    if (t->content)
                        css += reinterpret_cast<const char*>(t->content);
                m_rules.Add(css);
            } else {
                CollectStyles(c, depth + 1);
            }
        }
    }

    const xmlNode* FindBody(const xmlNode* n, int depth) {
        if (depth > 4)
            return nullptr;
        if (n->type == XML_ELEMENT_NODE && Name(n) == "body")
            return n;
        for (const xmlNode* c = n->children; c; c = c->next)
            if (c->type == XML_ELEMENT_NODE)
                if (const xmlNode* b = FindBody(c, depth + 1))
                    return b;
        return nullptr;
    }

    // The element's own declarations: its rules, its align= and its style=.
    Declarations Declared(const xmlNode* n, const std::string& tag) const {
        Declarations d;
        m_rules.Apply(tag, SplitSpaces(Lower(HtmlAttr(n, "class"))), d);
        const std::string align = Lower(Trim(HtmlAttr(n, "align")));
        if (!align.empty() && tag != "table" && tag != "img")
            d["text-align"] = align;
        ParseDeclarations(HtmlAttr(n, "style"), d);
        return d;
    }

    HtmlContext Context(const xmlNode* n, HtmlContext ctx, bool* hidden) const {
        const std::string tag = Name(n);
        const Declarations d = Declared(n, tag);
        auto get = [&](const char* k) -> std::string {
            const auto it = d.find(k);
            return it == d.end() ? std::string() : it->second;
        };
        if (hidden)
            *hidden = get("display") == "none" || get("visibility") == "hidden" ||
                      HasHtmlAttr(n, "hidden");
        if (tag == "center")
            ctx.align = FlowAlign::Centre;
        if (const auto a = TextAlignValue(get("text-align")))
            ctx.align = *a;
        if (tag == "b" || tag == "strong" || tag == "th" ||
            (tag.size() == 2 && tag[0] == 'h' && tag[1] >= '1' && tag[1] <= '6'))
            ctx.bold = true;
        const std::string weight = get("font-weight");
        if (weight == "bold" || weight == "bolder" || std::atoi(weight.c_str()) >= 600)
            ctx.bold = true;
        else if (weight == "normal" || weight == "lighter" ||
                 (!weight.empty() && std::atoi(weight.c_str()) > 0))
            ctx.bold = false;
        const std::string va = get("vertical-align");
        if (tag == "sup" || va == "super" ||
            ((va == "top" || va == "text-top") && !IsBlockTag(tag)))
            ctx.super = true;
        else if (tag == "sub" || va == "sub" || va == "baseline")
            ctx.super = false;
        if (tag == "pre" || tag == "listing" || tag == "xmp" || tag == "plaintext" ||
            StartsWith(get("white-space"), "pre"))
            ctx.pre = true;
        if (IsBlockTag(tag)) {
            if (const auto t = LengthPt(get("text-indent")))
                ctx.firstPt = *t;
            std::optional<double> left = LengthPt(get("margin-left"));
            const std::string margin = get("margin");
            if (!left && !margin.empty()) {
                const std::vector<std::string> parts = SplitSpaces(margin);
                const std::size_t k = parts.size() == 4 ? 3 : parts.size() >= 2 ? 1 : 0;
                left = LengthPt(parts[k]);
            }
            if (tag == "blockquote" || tag == "dd" || tag == "li")
                ctx.leftPt += left ? *left : 0;
            else if (left)
                ctx.leftPt = *left;
        }
        return ctx;
    }

    bool TooDeep(int depth) {
        return norvak::TooDeep(depth, m_error, "страница вложена слишком глубоко"_cp);
    }

    void Flush() {
        if (m_text.Empty())
            return;
        FlowParagraph p = m_text.Take();
        if (p.text.empty())
            return;
        p.align = m_current.align;
        p.firstIndentPt = m_current.firstPt;
        p.leftIndentPt = m_current.leftPt;
        if (m_sink)
            m_sink->push_back(std::move(p));
        else
            m_out->Add(std::move(p));
    }

    void PreText(std::string_view s, const HtmlContext& ctx) {
        std::size_t start = 0;
        while (start <= s.size()) {
            std::size_t nl = s.find('\n', start);
            const std::string_view piece =
                s.substr(start, nl == std::string_view::npos ? std::string_view::npos : nl - start);
            std::size_t i = 0;
            while (i < piece.size()) {
                std::size_t j = i;
                if (piece[i] == ' ') {
                    while (j < piece.size() && piece[j] == ' ')
                        ++j;
                    m_text.AddSpaces(static_cast<int>(j - i));
                } else {
                    while (j < piece.size() && piece[j] != ' ')
                        ++j;
                    m_text.AddText(piece.substr(i, j - i), ctx.bold, ctx.super);
                }
                i = j;
            }
            if (nl == std::string_view::npos)
                break;
            m_text.AddBreak();
            start = nl + 1;
        }
    }

    void Walk(const xmlNode* parent, const HtmlContext& ctx, int depth) {
        if (TooDeep(depth))
            return;
        for (const xmlNode* n = parent->children; n && m_error.empty(); n = n->next) {
            if (n->type == XML_TEXT_NODE || n->type == XML_CDATA_SECTION_NODE) {
                if (ctx.pre)
                    PreText(NodeText(n), ctx);
                else
                    m_text.AddText(NodeText(n), ctx.bold, ctx.super);
                continue;
            }
            if (n->type != XML_ELEMENT_NODE)
                continue;
            const std::string tag = Name(n);
            if (IsSkippedTag(tag))
                continue;
            bool hidden = false;
            const HtmlContext inner = Context(n, ctx, &hidden);
            if (hidden)
                continue;
            if (tag == "br") {
                m_text.AddBreak();
            } else if (tag == "table" && !m_sink) {
                Flush();
                Table(n, inner, depth + 1);
            } else if (tag == "img") {
                const std::string alt = HtmlAttr(n, "alt");
                if (!alt.empty())
                    m_text.AddText(alt, inner.bold, inner.super);
            } else if (IsBlockTag(tag)) {
                Flush();
                const HtmlContext saved = m_current;
                m_current = inner;
                Walk(n, inner, depth + 1);
                Flush();
                m_current = saved;
            } else {
                Walk(n, inner, depth + 1);
            }
        }
    }

    bool TableTooBig() {
        if (m_error.empty())
            m_error = "таблица страницы слишком велика"_cp;
        return false;
    }

    void Rows(const xmlNode* parent, std::vector<const xmlNode*>& rows, int depth) {
        if (depth > 3)
            return;
        for (const xmlNode* c = parent->children; c; c = c->next) {
            if (c->type != XML_ELEMENT_NODE)
                continue;
            const std::string t = Name(c);
            if (t == "tr")
                rows.push_back(c);
            else if (t == "thead" || t == "tbody" || t == "tfoot")
                Rows(c, rows, depth + 1);
        }
    }

    static int SpanAttr(const xmlNode* n, const char* name, int most) {
        const std::string v = HtmlAttr(n, name);
        const int k = v.empty() ? 1 : std::atoi(v.c_str());
        return std::clamp(k, 1, most);
    }

    void Table(const xmlNode* table, const HtmlContext& ctx, int depth) {
        FlowTable t;
        const std::string borderAttr = HtmlAttr(table, "border");
        t.bordered = (HasHtmlAttr(table, "border") &&
                      (Trim(borderAttr).empty() || std::atoi(borderAttr.c_str()) > 0));
        {
            const Declarations d = Declared(table, "table");
            for (const auto& [k, v] : d)
                if (StartsWith(k, "border") && k.find("collapse") == std::string::npos &&
                    k.find("spacing") == std::string::npos &&
                    k.find("radius") == std::string::npos && k.find("color") == std::string::npos &&
                    BorderValue(v))
                    t.bordered = true;
        }
        const std::string rules = Lower(HtmlAttr(table, "rules"));
        if (rules == "all" || rules == "rows" || rules == "cols")
            t.bordered = true;
        // A caption goes before the table as a centred paragraph.
        for (const xmlNode* c = table->children; c; c = c->next)
            if (c->type == XML_ELEMENT_NODE && Name(c) == "caption") {
                HtmlContext cap = Context(c, ctx, nullptr);
                cap.align = FlowAlign::Centre;
                const HtmlContext saved = m_current;
                m_current = cap;
                Walk(c, cap, depth + 1);
                Flush();
                m_current = saved;
            }
        std::vector<const xmlNode*> rows;
        Rows(table, rows, 0);
        if (static_cast<int>(rows.size()) > FormatLimits::kMaxTableRows) {
            TableTooBig();
            return;
        }
        t.rows = static_cast<int>(rows.size());
        std::vector<std::vector<bool>> taken(rows.size());
        std::vector<double> widths;
        std::vector<bool> widthSet;
        int columns = 0;
        for (std::size_t r = 0; r < rows.size() && m_error.empty(); ++r) {
            int col = 0;
            for (const xmlNode* c = rows[r]->children; c && m_error.empty(); c = c->next) {
                if (c->type != XML_ELEMENT_NODE)
                    continue;
                const std::string tag = Name(c);
                if (tag != "td" && tag != "th")
                    continue;
                while (col < static_cast<int>(taken[r].size()) && taken[r][col])
                    ++col;
                const int colSpan = SpanAttr(c, "colspan", FormatLimits::kMaxTableColumns);
                const int rowSpan = SpanAttr(c, "rowspan", static_cast<int>(rows.size() - r));
                if (col + colSpan > FormatLimits::kMaxTableColumns ||
                    t.cells.size() >= FormatLimits::kMaxTableCells) {
                    TableTooBig();
                    return;
                }
                for (int rr = 0; rr < rowSpan; ++rr) {
                    std::vector<bool>& line = taken[r + rr];
                    if (static_cast<int>(line.size()) < col + colSpan)
                        line.resize(static_cast<std::size_t>(col + colSpan), false);
                    for (int k = col; k < col + colSpan; ++k)
                        line[k] = true;
                }
                FlowCell cell;
                cell.row = static_cast<int>(r);
                cell.column = col;
                cell.columnSpan = colSpan;
                cell.rowSpan = rowSpan;
                bool hidden = false;
                HtmlContext cellCtx = Context(c, ctx, &hidden);
                cellCtx.firstPt = 0;
                cellCtx.leftPt = 0;
                const Declarations d = Declared(c, tag);
                for (const auto& [k, v] : d)
                    if (StartsWith(k, "border") && k.find("color") == std::string::npos &&
                        BorderValue(v))
                        t.bordered = true;
                if (colSpan == 1) {
                    std::optional<double> w;
                    const std::string wa = HtmlAttr(c, "width");
                    if (!wa.empty() && wa.find('%') == std::string::npos)
                        w = LengthPt(Trim(wa));
                    else if (!wa.empty())
                        w = std::strtod(wa.c_str(), nullptr) * 6; // percent of a 600pt page
                    const auto it = d.find("width");
                    if (it != d.end()) {
                        if (const auto cw = LengthPt(it->second))
                            w = cw;
                        else if (it->second.find('%') != std::string::npos)
                            w = std::strtod(it->second.c_str(), nullptr) * 6;
                    }
                    if (static_cast<int>(widths.size()) <= col) {
                        widths.resize(static_cast<std::size_t>(col) + 1, 0);
                        widthSet.resize(static_cast<std::size_t>(col) + 1, false);
                    }
                    if (w && *w > 0 && !widthSet[col]) {
                        widths[col] = *w;
                        widthSet[col] = true;
                    }
                }
                if (!hidden) {
                    std::vector<FlowParagraph>* saved = m_sink;
                    const HtmlContext savedCtx = m_current;
                    m_sink = &cell.paragraphs;
                    m_current = cellCtx;
                    Walk(c, cellCtx, depth + 2);
                    Flush();
                    m_sink = saved;
                    m_current = savedCtx;
                }
                t.cells.push_back(std::move(cell));
                col += colSpan;
                columns = std::max(columns, col);
            }
        }
        if (!m_error.empty() || columns == 0)
            return;
        widths.resize(static_cast<std::size_t>(columns), 0);
        widthSet.resize(static_cast<std::size_t>(columns), false);
        double known = 0;
        int count = 0;
        for (int k = 0; k < columns; ++k)
            if (widthSet[k]) {
                known += widths[k];
                ++count;
            }
        const double fill = count ? known / count : 1.0;
        for (int k = 0; k < columns; ++k)
            if (!widthSet[k])
                widths[k] = fill;
        t.columnWidths = std::move(widths);
        m_out->Add(std::move(t));
    }

    CStyleRules m_rules;
    FlowDocument* m_out = nullptr;
    std::vector<FlowParagraph>* m_sink = nullptr; // a table cell's paragraphs while in one
    CTextBuilder m_text{true};
    HtmlContext m_current;
    std::string m_error;
};

bool IsValidUtf8(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size()) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (c < 0x80) {
            ++i;
            continue;
        }
        const int len = (c & 0xE0) == 0xC0   ? 2
                        : (c & 0xF0) == 0xE0 ? 3
                        : (c & 0xF8) == 0xF0 ? 4
                                             : 0;
        if (len == 0 || c == 0xC0 || c == 0xC1 || i + len > s.size())
            return false;
        for (int k = 1; k < len; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80)
                return false;
        i += static_cast<std::size_t>(len);
    }
    return true;
}

// Whether the page names its encoding in a meta element near its start.
bool DeclaresCharset(std::string_view bytes) {
    const std::string head = Lower(bytes.substr(0, std::min<std::size_t>(bytes.size(), 4096)));
    return head.find("charset") != std::string::npos;
}

} // namespace

bool ReadHtml(std::string_view bytes, FlowDocument& out, std::string* error) {
    out = FlowDocument();
    if (bytes.size() > static_cast<std::size_t>(INT_MAX)) {
        if (error)
            *error = "страница слишком велика"_cp;
        return false;
    }
    InitXmlLibrary();
    const char* encoding = nullptr;
    if (!DeclaresCharset(bytes))
        encoding = IsValidUtf8(bytes) ? "UTF-8" : "windows-1251";
    const int options =
        HTML_PARSE_RECOVER | HTML_PARSE_NONET | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING;
    htmlDocPtr doc = htmlReadMemory(bytes.data(), static_cast<int>(bytes.size()), "page.html",
                                    encoding, options);
    if (!doc) {
        if (error)
            *error = "страница не разбирается как HTML"_cp;
        return false;
    }
    CHtmlReader reader;
    const bool ok = reader.Read(doc, out, error);
    xmlFreeDoc(doc);
    if (!ok)
        out = FlowDocument();
    return ok;
}

bool LooksLikeHtml(std::string_view bytes) {
    std::size_t i = 0;
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF")
        i = 3;
    const std::string head = Lower(bytes.substr(i, std::min<std::size_t>(bytes.size() - i, 8192)));
    std::size_t k = 0;
    while (true) {
        while (k < head.size() && static_cast<unsigned char>(head[k]) <= ' ')
            ++k;
        if (head.compare(k, 4, "<!--") == 0) {
            const std::size_t end = head.find("-->", k + 4);
            if (end == std::string::npos)
                return false;
            k = end + 3;
            continue;
        }
        if (head.compare(k, 5, "<?xml") == 0) {
            const std::size_t end = head.find("?>", k);
            if (end == std::string::npos)
                return false;
            k = end + 2;
            continue;
        }
        break;
    }
    for (const char* start : {"<!doctype html", "<html", "<head", "<body", "<meta"})
        if (head.compare(k, std::char_traits<char>::length(start), start) == 0)
            return true;
    return (head.find("<html") != std::string::npos || head.find("<body") != std::string::npos) &&
           (head.find("</") != std::string::npos);
}

} // namespace norvak
