#pragma once
// The editing view: a plain-text editor holding the document's CP1251 lines, shown through the
// lossless character mapping, in the view's font, without word wrap, with tag lines and
// in-document links highlighted.

#include "core/textcore.h"
#include "document/settings.h"

#include <QPlainTextEdit>
#include <QTimer>

namespace norvak {

class CTagHighlighter;

// The view of the single document; owns the text.
class CNorvakView : public QPlainTextEdit {
    Q_OBJECT
public:
    static constexpr int kUndoLimit = 100;

    // Reads the font settings from store; they are written back when the view is destroyed.
    // A null store leaves the defaults and writes nothing.
    explicit CNorvakView(CSettingsStore* store, QWidget* parent = nullptr);
    ~CNorvakView() override;

    // Replaces the whole text; the caret goes to the start and the undo history is emptied.
    // With highlight, the visible lines are highlighted at once (the rest as they come into
    // view); without it, highlighting waits until the view next changes.
    void SetText(const LineList& lines, bool highlight);
    // The text cut at every line feed; a last piece without a line feed counts only when it
    // is not empty.
    LineList GetLines() const;
    int LineCount() const;
    void EmptyUndo();

    // The font settings and their application to the whole text.
    const ViewSettings& Font() const { return m_viewSettings; }
    void SetFontSettings(const ViewSettings& settings);
    static QFont MakeFont(const ViewSettings& settings);

    // Undo and redo, limited to the last kUndoLimit actions.
    bool CanUndo() const;
    bool CanRedo() const;
    void Undo();
    void Redo();

    // Re-highlights lines [first, last] now (clamped to the text).
    void HighlightLines(int first, int last);
    // Highlights whatever is visible now; called on scrolling and resizing.
    void HighlightVisible();
    CTagHighlighter& Highlighter() { return *m_highlighter; }

    // Moves the caret to the start of a 1-based line.
    void GoToLine(int line);

    // Leaves width pixels left of the text for the line-number gutter.
    void SetLeftMargin(int width) { setViewportMargins(width, 0, 0, 0); }

    // Forgets that the text changed, so the next change is reported again.
    void MarkClean();

    // Key sequences the editor leaves to the window's commands even where it has a meaning
    // of its own.
    void SetReservedKeys(const QList<QKeySequence>& keys) { m_reserved = keys; }

signals:
    // Line counted from 1, column from 0 within the line, number of lines.
    void PositionChanged(int line, int column, int total);
    // The first change of the text after SetText or MarkClean.
    void TextModified();
    void UndoRedoChanged();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    QMimeData* createMimeDataFromSelection() const override;
    void insertFromMimeData(const QMimeData* source) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void ReportPosition();
    void ScheduleHighlight();

    CSettingsStore* m_store;
    ViewSettings m_viewSettings;
    CTagHighlighter* m_highlighter;
    QTimer m_highlightTimer;
    bool m_settingText = false;
    int m_undoSteps = 0;
    int m_redoSteps = 0;
    QList<QKeySequence> m_reserved;
};

} // namespace norvak
