#pragma once
// What the editor's document asks of the window that shows it.

#include "core/textcore.h"
#include "document/inputsniff.h"
#include "requisites/extendeddetection.h"
#include "requisites/requisiterecord.h"

#include <QString>

class QWidget;

namespace norvak {

class COperator;

// The recent-file type of a file opened with "Определить автоматически": it is told again
// the next time, so that a text laid out one paragraph per line is laid out again.
inline constexpr int kRecentDetected = 7;
class CProgress;

// The window side of the document: the operator and progress, the requisites panel, the text
// of the view, the file dialogs and the recent-file list. The main window implements it.
class CDocumentWindow {
public:
    virtual ~CDocumentWindow() = default;

    virtual COperator& Operator() = 0;
    virtual CProgress& Progress() = 0;
    // The parent of the dictionary dialogs.
    virtual QWidget* DialogParent() = 0;

    // The panel shows record; evidence (editor lines) marks the values found automatically.
    virtual void SetRequisites(const CRequisiteRecord& record,
                               std::vector<RequisiteEvidence> evidence = {}) = 0;
    virtual CRequisiteRecord GetRequisites() const = 0;

    // The view's text; ShowText replaces it (highlighting the tags when asked).
    virtual LineList TextLines() const = 0;
    virtual void ShowText(const LineList& lines, bool highlight) = 0;
    virtual void EmptyUndo() = 0;
    // Replaces the whole text with lines (tags highlighted) as one step the operator can undo.
    virtual void ReplaceText(const LineList& lines) = 0;
    // The view's text is what was saved or opened.
    virtual void MarkTextClean() = 0;

    // The save dialog (empty when cancelled) and the open dialog (false when cancelled).
    // Asked before every save; false when the operator, shown what is wrong with the text
    // (a broken tag structure), chose not to save.
    virtual bool ConfirmSave() = 0;
    virtual QString AskSavePath(const CRequisiteRecord& record) = 0;
    virtual bool AskOpenPath(FileType lastType, QString& path, FileType& type,
                             Encoding& encoding) = 0;
    // A file opened or saved, and how to open it again: its FileType (1 to 6), kRecentDetected
    // when its type was told automatically, 0 for
    // a text loaded unchanged.
    virtual void AddRecentFile(const QString& path, int type, Encoding encoding) = 0;
};

} // namespace norvak
