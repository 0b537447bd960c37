#pragma once
// Handing the text to a word processor and taking it back, through a flat OpenDocument text
// file (.fodt) that the word processor opens, the operator edits and saves in place.
//
// The file holds one paragraph per line in Courier New 10 pt marked as Russian. Runs of spaces
// are kept with <text:s text:c="N"/> and tabs with <text:tab/>. Bytes that XML cannot carry or
// that CP1251 leaves undefined travel as characters the operator can see and that come back
// as the same bytes:
//   - the frame codes as the box-drawing characters they stand for (─ │ ┌ ┐ └ ┘ ├ ┤ ┬ ┴ ┼);
//     0xA7 after ─ or ┴ is the bottom-right corner and goes out as ┘, elsewhere as §, and
//     both come back as 0xA7;
//   - every other control byte b (0x00-0x1F: the tag marker 0x04, the link-span markers 0x01
//     and 0x02, a stray CR ...) and the undefined 0x98 as the private-use character U+E000 + b.
// Characters that CP1251 cannot hold come back as "?".

#include "core/operatorio.h"

#include <string>
#include <string_view>
#include <vector>

namespace norvak {

// The flat OpenDocument text of a CP1251 text whose lines are separated by LF.
std::string WriteFlatOdt(std::string_view text);
// The text of a flat OpenDocument text document, lines separated by LF: every paragraph and
// heading of the body is a line, a line break inside a paragraph starts a new line; notes,
// comments, tracked deletions and frames are left out. False when the XML is malformed or holds
// no document body.
bool ReadFlatOdt(std::string_view xml, std::string& text);

// The command that opens a document with the desktop's default application (xdg-open), or with
// the word processor itself (soffice --writer) when preferWriter is set.
std::vector<std::string> OpenDocumentCommand(const std::string& path, bool preferWriter = false);

// The view's link to the word processor: exports the text into a new document in a directory
// of its own, keeps the path of the last exported document and reads the text back from it.
class CWordExchange {
public:
    // directory: where exported documents are created. Empty means a folder only this user
    // can enter: $XDG_RUNTIME_DIR/norvak (made 0700; refused unless it is a directory owned
    // by this user that nobody else may enter), else a fresh folder made by mkdtemp in the
    // system's temporary directory, removed with this object. Documents are written 0600.
    explicit CWordExchange(COperator& op, std::string directory = {});
    ~CWordExchange();
    CWordExchange(const CWordExchange&) = delete;
    CWordExchange& operator=(const CWordExchange&) = delete;

    // Writes text (CP1251, lines separated by LF) into a new document and keeps its path. On
    // failure shows "Ошибка экспорта документа." and keeps the earlier document.
    bool Export(std::string_view text);
    // Reads the current text of the kept document into text, then removes the document. On
    // failure (nothing exported, the document deleted or unreadable, or saved in another
    // format) shows "Ошибка импорта документа." and leaves text and the document unchanged.
    bool Import(std::string& text);

    // The last exported document; empty until the first export.
    const std::string& DocumentPath() const { return m_document; }

    enum class Failure {
        None,
        NothingExported,  // import before any export
        CannotWrite,      // export: the directory or the file could not be written
        CannotRead,       // import: the document is gone or cannot be read
        NotFlatDocument,  // import: not a flat OpenDocument text (e.g. a zipped .odt)
        SavedAsOtherFile, // import: the operator saved it as a .odt beside it
    };
    // Why the last Export or Import failed; None after a success.
    Failure LastFailure() const { return m_failure; }

    // The folder documents are exported into; empty until the first export into the default
    // folder.
    const std::string& Directory() const { return m_directory; }

private:
    std::string NewDocumentPath() const;
    // Makes the default folder when none is set yet and checks that nobody else can enter
    // it; false when it cannot be had.
    bool PrepareDirectory();

    COperator& m_operator;
    std::string m_directory;
    bool m_private = false;  // m_directory is the default private folder
    bool m_madeTemp = false; // ... made by mkdtemp, removed with this object
    std::string m_document;
    Failure m_failure = Failure::None;
};

} // namespace norvak
