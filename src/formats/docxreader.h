#pragma once
// Reads a WordprocessingML document (DOCX) into paragraphs and tables.

#include "formats/flowdocument.h"

#include <string>
#include <string_view>

namespace norvak {

// Reads word/document.xml with the paragraph styles of word/styles.xml: alignment and
// indents set directly or inherited from named styles, runs in any split, tabs, breaks,
// hyperlinks' text, tables with their grid, spans, vertical merges and borders. Deleted
// text, field instructions, hidden runs, page headers and footers are left out. False with
// error (CP1251) for a damaged, encrypted or oversized container or document.
bool ReadDocx(std::string_view bytes, FlowDocument& out, std::string* error);

} // namespace norvak
