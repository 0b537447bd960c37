#pragma once
// Reads an OpenDocument text (ODT) into paragraphs and tables.

#include "formats/flowdocument.h"

#include <string>
#include <string_view>

namespace norvak {

// Reads content.xml with its automatic styles and the named styles of styles.xml:
// alignment, indents, bold and superscript through the style chain; spaces, tabs and line
// breaks; lists, sections and links; tables with their column widths, spans, covered cells
// and borders. Notes, annotations, tracked deletions and page headers and footers are left
// out. False with error (CP1251) for a damaged, encrypted or oversized file.
bool ReadOdt(std::string_view bytes, FlowDocument& out, std::string* error);

} // namespace norvak
