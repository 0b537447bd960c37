#pragma once
// The editing commands of the view: hand-inserted tags, links and labels, tag deletion, line
// formatting, letter case, the font, find and replace. Connects itself to the main window's
// actions and keeps their enabled state; printing and the word-processor exchange are in
// CPrintCommands and CWordExchangeCommands, which it creates.

#include "document/lineediting.h"
#include "findreplacedlg.h"
#include "markup/tags.h"

#include <QObject>
#include <QPointer>
#include <QTextDocument>

#include <functional>
#include <optional>
#include <string>

class QAction;
class QFont;

namespace norvak {

class CMainFrame;
class CNorvakView;
class CPrintCommands;
class CWordExchangeCommands;

// The view's editing commands; a child of the main window.
class CEditCommands : public QObject {
    Q_OBJECT
public:
    explicit CEditCommands(CMainFrame& frame);
    ~CEditCommands() override;

    // Block tags: around the selected lines, or an empty block at the caret.
    void InsertBlockTag(TagCode code);
    // LF, 66 "-", LF in place of the selection.
    void InsertHorizontalLine();
    // Marks the words around the selection as an in-document link; beeps and changes nothing
    // when the selection spans lines.
    void InsertLinkSpan();
    // Deletes the tag lines from the line of the selection start up to the line of its end.
    void DeleteAllTags();
    // The link line (with its LF) before the caret's line; the caret goes to its start.
    void InsertLink(const std::string& linkLine);
    // The label of that number in place of the selection.
    void InsertLabel(int number);
    // The two dialogs, then the insertions above.
    void OnLink();
    void OnLabel();

    // The selected lines (or the caret's line) rewritten by a formatting command.
    void ApplyFormatting(LineCommand command);
    void ChangeCase(bool upper);

    // The font dialog; the face and pitch become the view's font, the height stays.
    void OnFont();
    void ApplyFont(const QFont& font);
    // What the font dialog starts from: current in the family the text is really shown in.
    static QFont ChoiceOf(const QFont& current);
    // Replaces the font dialog (tests): returns the chosen font, or nothing when cancelled.
    void SetFontProvider(std::function<std::optional<QFont>(const QFont& current)> provider);
    // The stored pitch-and-family byte of a font: pitch in the low bits (1 fixed, 2 variable),
    // family in the high nibble.
    static int PitchAndFamily(const QFont& font);

    // Find and replace. FindNext selects the next occurrence from the caret, wrapping round
    // once; when there is none the operator is told.
    void OnFind();
    void OnReplace();
    void OnFindNext();
    bool FindNext(const QString& text, QTextDocument::FindFlags flags);
    // Replaces the selection when it is an occurrence, then finds the next one.
    bool ReplaceCurrent(const QString& text, const QString& with, QTextDocument::FindFlags flags);
    // All occurrences, as one undo step; returns their number, which the operator is told
    // ("Заменено: N."), or that there was none.
    int ReplaceAll(const QString& text, const QString& with, QTextDocument::FindFlags flags);
    CFindReplaceDlg* FindDialog() const { return m_findDlg; }

    CPrintCommands& Printing() { return *m_print; }
    CWordExchangeCommands& WordExchange() { return *m_exchange; }

    // Enables the commands that need a selection.
    void UpdateCommands();

signals:
    // A command refused to act and the editor beeped.
    void Beeped();

private:
    void Connect();
    void Beep();
    void ShowFindDialog(bool replace);
    int StringLength() const;

    CMainFrame& m_frame;
    CNorvakView& m_view;
    CPrintCommands* m_print;
    CWordExchangeCommands* m_exchange;
    QPointer<CFindReplaceDlg> m_findDlg;
    QAction* m_findBarAction = nullptr;
    QString m_lastFind;
    QTextDocument::FindFlags m_lastFlags;
    std::function<std::optional<QFont>(const QFont&)> m_fontProvider;
};

} // namespace norvak
