#pragma once
// Safe parsing of the XML parts of word-processor documents, and small helpers for walking
// libxml2 trees by local names.

#include <memory>
#include <string>
#include <string_view>

#include <libxml/tree.h>

namespace norvak {

struct XmlDocFree {
    void operator()(xmlDoc* d) const { xmlFreeDoc(d); }
};
using XmlDocPtr = std::unique_ptr<xmlDoc, XmlDocFree>;

// Initialises libxml2 once, before any thread parses (batch conversions run in parallel).
void InitXmlLibrary();

// Parses an XML part without network access, without loading or expanding anything from a
// DTD, and refuses a part that declares a DTD at all (no office format needs one, and
// entities are how hostile files attack). Null with error (CP1251) on failure.
XmlDocPtr ParseXmlPart(std::string_view bytes, std::string* error);

// The local name of an element (without its prefix) and whether it is that name.
inline bool Is(const xmlNode* n, const char* local) {
    return n && n->type == XML_ELEMENT_NODE && n->name &&
           std::string_view(reinterpret_cast<const char*>(n->name)) == local;
}
// An attribute by its local name, whatever its namespace; empty when absent.
std::string Attr(const xmlNode* n, const char* local);
bool HasAttr(const xmlNode* n, const char* local);
// The first child element with that local name, or null.
const xmlNode* Child(const xmlNode* n, const char* local);
// Text content of a text or CDATA node as a view.
std::string_view NodeText(const xmlNode* n);

} // namespace norvak
