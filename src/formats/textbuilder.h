#pragma once
// Collects the text of one paragraph from the UTF-8 pieces a document reader meets.

#include "formats/flowdocument.h"

#include <string>
#include <string_view>

namespace norvak {

// Turns UTF-8 runs into the CP1251 text of a paragraph: white space collapsed as HTML and
// ODF do (or kept, as WordprocessingML keeps it), non-breaking spaces kept as 0xA0, soft
// hyphens and zero-width characters dropped, characters CP1251 lacks replaced by a
// look-alike or "?" and counted, and a superscript number after a digit written as ".N"
// ("Статья 7" + superscript "1" -> "Статья 7.1").
class CTextBuilder {
public:
    explicit CTextBuilder(bool collapseSpaces) : m_collapse(collapseSpaces) {}

    void AddText(std::string_view utf8, bool bold = false, bool superscript = false);
    void AddBreak(); // hard line break
    void AddTab();
    void AddSpaces(int n); // explicit spaces, never collapsed (ODF text:s)

    bool Empty() const { return m_text.empty(); }
    // The paragraph so far, trailing ordinary spaces and breaks removed; resets the builder.
    FlowParagraph Take();

private:
    void Put(char c, bool bold);

    bool m_collapse;
    std::string m_text;
    std::size_t m_replaced = 0;
    bool m_anyText = false; // any visible character met
    bool m_allBold = true;  // every visible character was bold
    bool m_pendingSpace = false;
};

// Best CP1251 form of a code point: the exact byte, a look-alike for dashes, spaces and
// quotes CP1251 lacks, 0 for characters that are dropped (soft hyphen, zero-width), or '?'.
// exact is set when the byte is the character itself.
char BestFitCp1251(char32_t cp, bool& exact);

} // namespace norvak
