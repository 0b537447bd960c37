#include "documentio.h"

#include "core/codepage.h"
#include "core/literal.h"
#include "core/textfile.h"

namespace norvak {

OpenedDocument ReadDocumentFile(const std::string& path, int fileType, bool dos,
                                const DocSettings& settings, CProgress& progress,
                                COperator& op) {
    (void)fileType;
    (void)dos;
    (void)settings;
    (void)progress;
    OpenedDocument result;
    std::string bytes;
    if (!ReadFileBytes(path, bytes)) {
        op.Message(FormatMessage("Ошибка чтения файла %s!"_cp, path), MessageIcon::Error);
        return result;
    }
    // Every line of a DOS text: frame characters to internal codes, then CP866 -> CP1251.
    result.lines = SplitTextLines(bytes);
    for (std::string& line : result.lines)
        line = DosToWindows(line);
    result.record.m_text = result.lines;
    result.ok = true;
    return result;
}

bool WriteDocumentFile(const std::string& path, const CRequisiteRecord& record, int width,
                       COperator& op) {
    (void)width;
    std::string out;
    for (const std::string& line : record.m_text) {
        out += WindowsToDos(line);
        out += "\r\n";
    }
    if (!WriteFileAtomic(path, out)) {
        op.Message("Ошибка сохранения файла!"_cp, MessageIcon::Error);
        return false;
    }
    return true;
}

bool ReadFileUnchanged(const std::string& path, LineList& lines) {
    std::string bytes;
    if (!ReadFileBytes(path, bytes))
        return false;
    lines = SplitTextLines(bytes);
    return true;
}

} // namespace norvak
