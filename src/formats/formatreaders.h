#pragma once
// Which reader a file needs, told from its bytes, and the reading of the documents that are
// laid out into the fixed-width form before the markup runs on them: the readers the opening
// road is handed.

#include "core/textcore.h"
#include "document/inputreaders.h"
#include "document/inputsniff.h"
#include "document/settings.h"
#include "formats/formlayout.h"

#include <string>
#include <string_view>

namespace norvak {

// The kind of a file: a zip holding word/document.xml is DOCX, a zip whose mimetype is the
// ODF text's is ODT, markup at the start is HTML, a source-format header is a source file
// (Marked when it holds tag lines), anything else a text. Never FileType::Auto.
FileType DetectFileType(std::string_view bytes);

// Reads an HTML, DOCX or ODT file and lays it out with the settings' StringLength,
// PosParagraph and LeftSpaces. False with error (CP1251, for the operator) when the file
// cannot be read or holds no text.
bool ReadLaidOut(std::string_view bytes, FileType type, const DocSettings& settings,
                 LaidOutText& out, std::string* error);

// A text read as lines, laid out by the paragraph-per-line rules when it is one
// (IsParagraphPerLine); false, and lines untouched, when it is laid out at a fixed width.
bool LayOutParagraphText(LineList& lines, const DocSettings& settings);

// The layout options the settings give.
LayoutOptions LayoutFromSettings(const DocSettings& settings);

// The functions above as the opening road's readers (OpenOptions::readers); one for the process.
const CInputReaders& FormatReaders();

} // namespace norvak
