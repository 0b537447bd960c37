#pragma once
// Reading a document file into lines and a requisite record, and writing the record back:
// the part of opening and saving that needs no window, kept behind these functions so that
// the editor can take the command line's opening road as a whole once the dictionaries join
// the document.

#include "core/operatorio.h"
#include "core/progress.h"
#include "core/textcore.h"
#include "document/openroad.h"
#include "document/settings.h"
#include "requisites/requisiterecord.h"

#include <string>

namespace norvak {

// Reads path by its type: a DOS text line by line (frame characters to internal codes, then
// CP866 to CP1251, whatever the encoding), a source-format file through its reader. An
// unreadable file is reported to the operator and gives ok = false with empty contents.
OpenedDocument ReadDocumentFile(const std::string& path, const OpenOptions& options,
                                const DocSettings& settings, CProgress& progress,
                                COperator& op);

// Writes the record (its text lines included) as a source-format file with the given line
// width; false when the file could not be written (the operator was told).
bool WriteDocumentFile(const std::string& path, const CRequisiteRecord& record, int width,
                       COperator& op);

// A file's bytes as they are, cut into lines: the loading of the recent-file list and of a
// file named on the command line. False when the file cannot be read.
bool ReadFileUnchanged(const std::string& path, LineList& lines);

} // namespace norvak
