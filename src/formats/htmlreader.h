#pragma once
// Reads an HTML page (the legal portal's Word-made pages and ordinary HTML) into paragraphs
// and tables.

#include "formats/flowdocument.h"

#include <string>
#include <string_view>

namespace norvak {

// Reads the body of a page with libxml2's HTML parser, in the encoding the page declares,
// else UTF-8 when the bytes are valid UTF-8, else Windows-1251. Alignment, indents, bold,
// hiding and superscript come from the rules of the page's own <style> for tags and classes
// ("p.C {text-align: center}"), from align= and from style=. What lies outside the body and
// what is hidden is left out. False with error (CP1251) when the page cannot be read or is
// nested or tabled beyond the format limits.
bool ReadHtml(std::string_view bytes, FlowDocument& out, std::string* error);

// True when bytes look like HTML markup: the start of the text (after a byte-order mark,
// white space and comments) is "<!DOCTYPE html", "<html", "<head", "<body" or "<meta", or an
// "<html" or "<body" element appears in the first kilobytes along with a closing tag.
bool LooksLikeHtml(std::string_view bytes);

} // namespace norvak
