#pragma once
// The file side of saving, and the unchanged loading of the command line and the recent-file
// list. Opening goes through the core's opening road (document/openroad.h).

#include "core/operatorio.h"
#include "core/textcore.h"
#include "requisites/requisiterecord.h"

#include <string>

namespace norvak {

// Writes the record (its text lines included) as a source-format file with the given line
// width; false when the file could not be written (the operator was told).
bool WriteDocumentFile(const std::string& path, const CRequisiteRecord& record, int width,
                       COperator& op);

// A file's bytes as they are, cut into lines: the loading of the recent-file list and of a
// file named on the command line. False when the file cannot be read.
bool ReadFileUnchanged(const std::string& path, LineList& lines);

} // namespace norvak
