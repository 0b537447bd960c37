#pragma once
// What the opening road asks of the readers it does not hold itself: web pages, word-processor
// documents and texts written one paragraph per line, all laid out into the fixed-width form
// before the markup runs on them.

#include "core/textcore.h"
#include "core/textfile.h"
#include "document/inputsniff.h"

#include <string>
#include <string_view>
#include <vector>

namespace norvak {

struct DocSettings;

// The readers of the further input formats. The formats library implements them
// (formats/formatreaders.h); an opening without them reads texts and source-format files only.
class CInputReaders {
public:
    virtual ~CInputReaders() = default;

    // The kind of a file told from its bytes: one of the documents these readers read, a
    // source-format file or a text; never FileType::Auto.
    virtual FileType Detect(std::string_view bytes) const = 0;
    // Reads an HTML, DOCX or ODT file and lays it out with the settings' StringLength,
    // PosParagraph and LeftSpaces into lines, with the characters CP866 lacks in replaced.
    // False with error (CP1251, for the operator) when it cannot be read or holds no text.
    virtual bool ReadLaidOut(std::string_view bytes, FileType type, const DocSettings& settings,
                             LineList& lines, std::vector<LossyLine>& replaced,
                             std::string* error) const = 0;
    // Lays a text read as lines out by the paragraph-per-line rules when it is one; false, and
    // lines untouched, when it is laid out at a fixed width.
    virtual bool LayOutParagraphText(LineList& lines, const DocSettings& settings) const = 0;
};

} // namespace norvak
