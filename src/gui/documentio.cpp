#include "documentio.h"

#include "core/codepage.h"
#include "core/literal.h"
#include "core/textfile.h"
#include "document/sourceformat.h"

namespace norvak {

OpenedDocument ReadDocumentFile(const std::string& path, const OpenOptions& options,
                                const DocSettings& settings, CProgress& progress,
                                COperator& op) {
    (void)progress;
    OpenedDocument result;
    if (options.type == FileType::Text) {
        std::string bytes;
        if (!ReadFileBytes(path, bytes)) {
            op.Message(FormatMessage("Ошибка чтения файла %s!"_cp, Utf8ToCp1251(path)),
                       MessageIcon::Error);
            return result;
        }
        TextSplitInfo info;
        result.lines = SplitTextLines(bytes, &info);
        result.nulBytes = info.nulBytes;
        for (std::string& line : result.lines)
            line = DosToWindows(line);
        result.ok = true;
        return result;
    }
    bool ok = false;
    result.record = ReadSourceFile(path, options.encoding == Encoding::Dos, &op, &ok);
    if (!ok)
        return result;
    result.lines = result.record.m_text;
    if (settings.m_defineRecvisits == 0)
        result.record.Clear();
    result.ok = true;
    return result;
}

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
