#include "formats/xmlpart.h"

#include "core/literal.h"

#include <libxml/parser.h>

#include <climits>

namespace norvak {

void InitXmlLibrary() {
    static const bool done = [] {
        xmlInitParser();
        return true;
    }();
    (void)done;
}

XmlDocPtr ParseXmlPart(std::string_view bytes, std::string* error) {
    InitXmlLibrary();
    if (bytes.size() > static_cast<std::size_t>(INT_MAX)) {
        if (error)
            *error = "часть документа слишком велика"_cp;
        return nullptr;
    }
    // No XML_PARSE_NOENT, XML_PARSE_DTDLOAD or XML_PARSE_HUGE: entities stay unexpanded,
    // nothing is fetched, and the parser keeps its own depth and size limits.
    const int options = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;
    XmlDocPtr doc(
        xmlReadMemory(bytes.data(), static_cast<int>(bytes.size()), "part.xml", nullptr, options));
    if (!doc || !xmlDocGetRootElement(doc.get())) {
        if (error)
            *error = "часть документа не разбирается как XML"_cp;
        return nullptr;
    }
    if (doc->intSubset || doc->extSubset) {
        if (error)
            *error = "документ объявляет DTD или сущности; такие файлы не открываются"_cp;
        return nullptr;
    }
    return doc;
}

std::string Attr(const xmlNode* n, const char* local) {
    if (!n || n->type != XML_ELEMENT_NODE)
        return {};
    for (const xmlAttr* a = n->properties; a; a = a->next)
        if (a->name && std::string_view(reinterpret_cast<const char*>(a->name)) == local) {
            std::string out;
            for (const xmlNode* c = a->children; c; c = c->next)
                if (c->content)
                    out += reinterpret_cast<const char*>(c->content);
            return out;
        }
    return {};
}

bool HasAttr(const xmlNode* n, const char* local) {
    if (!n || n->type != XML_ELEMENT_NODE)
        return false;
    for (const xmlAttr* a = n->properties; a; a = a->next)
        if (a->name && std::string_view(reinterpret_cast<const char*>(a->name)) == local)
            return true;
    return false;
}

const xmlNode* Child(const xmlNode* n, const char* local) {
    if (!n)
        return nullptr;
    for (const xmlNode* c = n->children; c; c = c->next)
        if (Is(c, local))
            return c;
    return nullptr;
}

std::string_view NodeText(const xmlNode* n) {
    if (!n || !n->content)
        return {};
    return std::string_view(reinterpret_cast<const char*>(n->content));
}

} // namespace norvak
