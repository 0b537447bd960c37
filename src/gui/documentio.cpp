#include "documentio.h"

#include "core/textfile.h"
#include "document/sourceformat.h"

namespace norvak {

bool WriteDocumentFile(const std::string& path, const CRequisiteRecord& record, int width,
                       COperator& op) {
    return WriteSourceFile(record, path, width, &op);
}

bool ReadFileUnchanged(const std::string& path, LineList& lines) {
    std::string bytes;
    if (!ReadFileBytes(path, bytes))
        return false;
    lines = SplitTextLines(bytes);
    return true;
}

} // namespace norvak
