#pragma once
// Reading a document file into lines and a requisite record, and writing the record back:
// the part of opening and saving that needs no window. Kept behind these two functions so
// that the editor uses the same road as the command line.

#include "core/operatorio.h"
#include "core/progress.h"
#include "core/textcore.h"
#include "document/settings.h"
#include "requisites/requisiterecord.h"

#include <string>

namespace norvak {

// The file types of the open dialog, 1-based as the dialog counts them.
enum DocumentFileType { kFileText = 1, kFileSource = 2, kFileMarkedSource = 3 };

// What opening a file produced.
struct OpenedDocument {
    LineList lines;            // the text to show
    CRequisiteRecord record;   // the requisites found or read
    bool ok = false;           // false: the file could not be read (the operator was told)
};

// Reads path as the given file type; dos is the encoding chosen in the open dialog.
OpenedDocument ReadDocumentFile(const std::string& path, int fileType, bool dos,
                                const DocSettings& settings, CProgress& progress,
                                COperator& op);

// Writes the record (its text lines included) to path with the given line width; false when
// the file could not be written (the operator was told).
bool WriteDocumentFile(const std::string& path, const CRequisiteRecord& record, int width,
                       COperator& op);

// A file's bytes as they are, cut into lines: the loading of the recent-file list and of a
// file named on the command line. False when the file cannot be read.
bool ReadFileUnchanged(const std::string& path, LineList& lines);

} // namespace norvak
