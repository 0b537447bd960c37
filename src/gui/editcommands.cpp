#include "editcommands.h"

#include "commands.h"
#include "core/literal.h"
#include "core/operatorio.h"
#include "document/linklabel.h"
#include "findbar.h"
#include "findreplacedlg.h"
#include "linkdlg.h"
#include "mainframe.h"
#include "metdlg.h"
#include "norvakdoc.h"
#include "norvakview.h"
#include "printcommands.h"
#include "textcodec.h"
#include "waitcursor.h"
#include "wordexchangecommands.h"

#include <QAction>
#include <QApplication>
#include <QFontDialog>
#include <QFontInfo>
#include <QMenu>
#include <QMenuBar>
#include <QTextBlock>

namespace norvak {
namespace {

// Suspends repainting of the editor for the life of the object.
class CRepaintHold {
public:
    explicit CRepaintHold(QWidget* widget) : m_widget(widget), m_was(widget->updatesEnabled()) {
        m_widget->setUpdatesEnabled(false);
    }
    ~CRepaintHold() { m_widget->setUpdatesEnabled(m_was); }
    CRepaintHold(const CRepaintHold&) = delete;
    CRepaintHold& operator=(const CRepaintHold&) = delete;

private:
    QWidget* m_widget;
    bool m_was;
};

// The selected characters with line breaks as LF.
QString SelectedText(const QTextCursor& cursor) {
    QString text = cursor.selectedText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return text;
}

// Position just before the line break that ends a block (the end of the text for the last).
int BlockEnd(const QTextBlock& block) {
    return block.position() + block.length() - 1;
}

} // namespace

CEditCommands::CEditCommands(CMainFrame& frame)
    : QObject(&frame), m_frame(frame), m_view(frame.View()) {
    setObjectName(QStringLiteral("EditCommands"));
    m_print = new CPrintCommands(frame, this);
    m_exchange = new CWordExchangeCommands(frame, this);
    Connect();
    UpdateCommands();
}

CEditCommands::~CEditCommands() = default;

void CEditCommands::Connect() {
    for (const TagCode code : kAllTagCodes)
        connect(m_frame.Action(TagCommandId(code)), &QAction::triggered, this,
                [this, code] { InsertBlockTag(code); });
    struct FormatAction {
        int id;
        LineCommand command;
    };
    for (const FormatAction& f : {FormatAction{ID_ALIGN_LEFT, LineCommand::Left},
                                  {ID_ALIGN_CENTER, LineCommand::Centre},
                                  {ID_ALIGN_RIGHT, LineCommand::Right},
                                  {ID_ALIGN_JUSTIFY, LineCommand::Justify},
                                  {ID_ALIGN_LEFT_RIGHT, LineCommand::LeftAndRight},
                                  {ID_REMOVE_LEFT_SPACES, LineCommand::RemoveLeftSpaces}}) {
        const LineCommand command = f.command;
        connect(m_frame.Action(f.id), &QAction::triggered, this,
                [this, command] { ApplyFormatting(command); });
    }
    auto on = [this](int id, auto slot) {
        connect(m_frame.Action(id), &QAction::triggered, this, slot);
    };
    on(ID_TAG_LINE, [this] { InsertHorizontalLine(); });
    on(ID_TAG_INNER_LINK, [this] { InsertLinkSpan(); });
    on(ID_TAG_DELETE_ALL, [this] { DeleteAllTags(); });
    on(ID_TAG_LINK, [this] { OnLink(); });
    on(ID_TAG_LABEL, [this] { OnLabel(); });
    on(ID_UPPER_CASE, [this] { ChangeCase(true); });
    on(ID_LOWER_CASE, [this] { ChangeCase(false); });
    on(ID_FORMAT_FONT, [this] { OnFont(); });
    on(ID_EDIT_FIND, [this] { OnFind(); });
    on(ID_EDIT_REPEAT, [this] { OnFindNext(); });
    on(ID_EDIT_REPLACE, [this] { OnReplace(); });
    on(ID_EDIT_PASTE_SPECIAL, [this] { m_view.paste(); });
    on(ID_FILE_PRINT, [this] { m_print->OnPrint(); });
    on(ID_FILE_PRINT_PREVIEW, [this] { m_print->OnPrintPreview(); });
    on(ID_FILE_PRINT_SETUP, [this] { m_print->OnPageSetup(); });
    on(ID_EXPORT_WORD, [this] { m_exchange->OnExport(); });
    on(ID_IMPORT_WORD, [this] { m_exchange->OnImport(); });

    for (int id : {ID_TAG_ZAG,
                   ID_TAG_CNT,
                   ID_TAG_PRV,
                   ID_TAG_LEV,
                   ID_TAG_LIP,
                   ID_TAG_NFT,
                   ID_TAG_TAB,
                   ID_TAG_TTT,
                   ID_TAG_OGL,
                   ID_TAG_LINE,
                   ID_TAG_INNER_LINK,
                   ID_TAG_LINK,
                   ID_TAG_LABEL,
                   ID_ALIGN_LEFT,
                   ID_ALIGN_CENTER,
                   ID_ALIGN_RIGHT,
                   ID_ALIGN_JUSTIFY,
                   ID_ALIGN_LEFT_RIGHT,
                   ID_REMOVE_LEFT_SPACES,
                   ID_FORMAT_FONT,
                   ID_EDIT_FIND,
                   ID_EDIT_REPEAT,
                   ID_EDIT_REPLACE,
                   ID_EDIT_PASTE_SPECIAL,
                   ID_FILE_PRINT,
                   ID_FILE_PRINT_PREVIEW,
                   ID_FILE_PRINT_SETUP,
                   ID_EXPORT_WORD,
                   ID_IMPORT_WORD})
        m_frame.Action(id)->setEnabled(true);

    // The find bar: beside the dialogs, under its own key, since Ctrl+F is the dialog's.
    m_findBarAction = new QAction(QStringLiteral("Панель по&иска"), &m_frame);
    m_findBarAction->setObjectName(QStringLiteral("ShowFindBar"));
    m_findBarAction->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F));
    m_findBarAction->setStatusTip(
        QStringLiteral("Показать панель поиска под текстом: все совпадения и их число"));
    connect(m_findBarAction, &QAction::triggered, this, [this] { m_frame.FindBar().Open(); });
    m_frame.addAction(m_findBarAction);
    if (auto* edit = m_frame.menuBar()->findChild<QMenu*>(QStringLiteral("EditMenu"))) {
        const QList<QAction*> items = edit->actions();
        const qsizetype replace = items.indexOf(m_frame.Action(ID_EDIT_REPLACE));
        QAction* before =
            replace >= 0 && replace + 1 < items.size() ? items.at(replace + 1) : nullptr;
        edit->insertAction(before, m_findBarAction);
    }

    connect(&m_view, &QPlainTextEdit::selectionChanged, this, &CEditCommands::UpdateCommands);
    connect(&m_view, &QPlainTextEdit::copyAvailable, this, &CEditCommands::UpdateCommands);
}

void CEditCommands::UpdateCommands() {
    const bool selection = m_view.textCursor().hasSelection();
    for (int id : {ID_TAG_DELETE_ALL, ID_UPPER_CASE, ID_LOWER_CASE})
        m_frame.Action(id)->setEnabled(selection);
}

int CEditCommands::StringLength() const {
    return m_frame.Doc().Settings().stringLength;
}

void CEditCommands::Beep() {
    QApplication::beep();
    emit Beeped();
}

void CEditCommands::InsertBlockTag(TagCode code) {
    const BlockTagTexts texts = BlockTagInsertion(code);
    const QString opening = BytesToQString(texts.opening);
    const QString closing = BytesToQString(texts.closing);
    QTextDocument* doc = m_view.document();
    QTextCursor cursor = m_view.textCursor();
    CRepaintHold hold(m_view.viewport());
    int caret = 0;
    int first = 0;
    int last = 0;
    if (cursor.hasSelection()) {
        const QTextBlock firstBlock = doc->findBlock(cursor.selectionStart());
        const QTextBlock lastBlock = doc->findBlock(cursor.selectionEnd());
        first = firstBlock.blockNumber();
        last = lastBlock.blockNumber() + 3;
        caret = firstBlock.position();
        const int closeAt = BlockEnd(lastBlock);
        cursor.beginEditBlock();
        // The closing line first, so that the position of the opening one stays valid.
        cursor.setPosition(closeAt);
        cursor.insertText(closing);
        cursor.setPosition(caret);
        cursor.insertText(opening);
        cursor.endEditBlock();
    } else {
        caret = cursor.position();
        first = cursor.blockNumber();
        last = first + 3;
        cursor.beginEditBlock();
        cursor.insertText(opening + closing);
        cursor.endEditBlock();
    }
    cursor.setPosition(caret);
    m_view.setTextCursor(cursor);
    m_view.HighlightLines(first, last);
}

void CEditCommands::InsertHorizontalLine() {
    QTextCursor cursor = m_view.textCursor();
    CRepaintHold hold(m_view.viewport());
    const int first = m_view.document()->findBlock(cursor.selectionStart()).blockNumber();
    cursor.beginEditBlock();
    cursor.insertText(BytesToQString(HorizontalLineInsertion()));
    cursor.endEditBlock();
    m_view.setTextCursor(cursor);
    m_view.HighlightLines(first, first + 2);
}

void CEditCommands::InsertLinkSpan() {
    QTextDocument* doc = m_view.document();
    QTextCursor cursor = m_view.textCursor();
    const QTextBlock startBlock = doc->findBlock(cursor.selectionStart());
    const QTextBlock endBlock = doc->findBlock(cursor.selectionEnd());
    const std::optional<LinkSpanEdit> edit =
        MarkLinkSpan(QStringToBytes(startBlock.text()), startBlock.blockNumber(),
                     cursor.selectionStart() - startBlock.position(), endBlock.blockNumber(),
                     cursor.selectionEnd() - endBlock.position(), StringLength());
    if (!edit) {
        Beep();
        return;
    }
    CRepaintHold hold(m_view.viewport());
    const int line = startBlock.blockNumber();
    const int start = startBlock.position();
    cursor.beginEditBlock();
    cursor.setPosition(start);
    cursor.setPosition(BlockEnd(startBlock), QTextCursor::KeepAnchor);
    cursor.insertText(BytesToQString(edit->line));
    cursor.endEditBlock();
    cursor.setPosition(start + edit->caret);
    m_view.setTextCursor(cursor);
    m_view.HighlightLines(line - 1, line + 1);
}

void CEditCommands::DeleteAllTags() {
    QTextDocument* doc = m_view.document();
    QTextCursor cursor = m_view.textCursor();
    if (!cursor.hasSelection())
        return;
    CWaitCursor wait;
    CRepaintHold hold(m_view.viewport());
    int line = doc->findBlock(cursor.selectionStart()).blockNumber();
    int end = doc->findBlock(cursor.selectionEnd()).blockNumber();
    bool editing = false;
    while (line < end) {
        const QTextBlock block = doc->findBlockByNumber(line);
        LineList one{QStringToBytes(block.text())};
        if (DeleteTagLines(one, 0, 1) == 0) {
            ++line;
            continue;
        }
        if (!editing) {
            cursor.beginEditBlock();
            editing = true;
        }
        // The line with its line break; the next line moves into its place.
        cursor.setPosition(block.position());
        cursor.setPosition(block.next().position(), QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
        --end;
    }
    if (editing) {
        cursor.endEditBlock();
        m_view.setTextCursor(cursor);
    }
}

void CEditCommands::InsertLink(const std::string& linkLine) {
    QTextCursor cursor = m_view.textCursor();
    const QTextBlock block = cursor.block();
    const int start = block.position();
    const int line = block.blockNumber();
    CRepaintHold hold(m_view.viewport());
    cursor.clearSelection();
    cursor.setPosition(start);
    cursor.beginEditBlock();
    cursor.insertText(BytesToQString(linkLine));
    cursor.endEditBlock();
    cursor.setPosition(start);
    m_view.setTextCursor(cursor);
    m_view.HighlightLines(line - 1, line + 2);
}

void CEditCommands::InsertLabel(int number) {
    QTextDocument* doc = m_view.document();
    QTextCursor cursor = m_view.textCursor();
    const int line = doc->findBlock(cursor.selectionStart()).blockNumber();
    CRepaintHold hold(m_view.viewport());
    cursor.beginEditBlock();
    cursor.insertText(BytesToQString(BuildLabelText(number)));
    cursor.endEditBlock();
    cursor.setPosition(doc->findBlockByNumber(line).position());
    m_view.setTextCursor(cursor);
    m_view.HighlightLines(line, line + 3);
}

void CEditCommands::OnLink() {
    CLinkDlg dialog(&m_frame);
    if (dialog.exec() == QDialog::Accepted)
        InsertLink(dialog.Result());
}

void CEditCommands::OnLabel() {
    CMetDlg dialog(&m_frame, m_frame.Operator());
    if (dialog.exec() == QDialog::Accepted)
        InsertLabel(dialog.Number());
}

void CEditCommands::ApplyFormatting(LineCommand command) {
    QTextDocument* doc = m_view.document();
    QTextCursor cursor = m_view.textCursor();
    const bool hadSelection = cursor.hasSelection();
    const QTextBlock startBlock = doc->findBlock(cursor.selectionStart());
    const QTextBlock endBlock = doc->findBlock(cursor.selectionEnd());
    const LineRange range = AffectedLines(startBlock.blockNumber(), endBlock.blockNumber(),
                                          cursor.selectionEnd() - endBlock.position());
    const int from = doc->findBlockByNumber(range.first).position();
    const int to = BlockEnd(doc->findBlockByNumber(range.last));
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    const std::string before = QStringToBytes(SelectedText(cursor));
    const std::string after =
        JoinLines(ApplyLineCommand(command, CutLines(before), m_frame.Doc().Settings()));
    if (after == before)
        return;
    const QString text = BytesToQString(after);
    {
        CRepaintHold hold(m_view.viewport());
        cursor.beginEditBlock();
        cursor.insertText(text);
        cursor.endEditBlock();
        // The rewritten lines stay selected, so that another command can follow.
        if (hadSelection) {
            cursor.setPosition(from);
            cursor.setPosition(from + static_cast<int>(text.size()), QTextCursor::KeepAnchor);
        } else {
            cursor.setPosition(from);
        }
        m_view.setTextCursor(cursor);
    }
    m_view.HighlightLines(range.first,
                          range.first + static_cast<int>(text.count(QLatin1Char('\n'))) + 1);
}

void CEditCommands::ChangeCase(bool upper) {
    QTextCursor cursor = m_view.textCursor();
    if (!cursor.hasSelection())
        return;
    const std::string before = QStringToBytes(SelectedText(cursor));
    const std::string after = upper ? ToUpper(before) : ToLower(before);
    if (after == before)
        return;
    const int start = cursor.selectionStart();
    const int first = cursor.document()->findBlock(start).blockNumber();
    const QString text = BytesToQString(after);
    CRepaintHold hold(m_view.viewport());
    cursor.beginEditBlock();
    cursor.insertText(text);
    cursor.endEditBlock();
    cursor.setPosition(start);
    cursor.setPosition(start + static_cast<int>(text.size()), QTextCursor::KeepAnchor);
    m_view.setTextCursor(cursor);
    m_view.HighlightLines(first, first + static_cast<int>(text.count(QLatin1Char('\n'))));
}

int CEditCommands::PitchAndFamily(const QFont& font) {
    const bool fixed = QFontInfo(font).fixedPitch();
    int family = 0;
    switch (font.styleHint()) {
    case QFont::Serif:
        family = 0x10;
        break;
    case QFont::SansSerif:
        family = 0x20;
        break;
    case QFont::TypeWriter:
        family = 0x30;
        break;
    case QFont::Cursive:
        family = 0x40;
        break;
    case QFont::Decorative:
    case QFont::Fantasy:
        family = 0x50;
        break;
    default:
        family = fixed ? 0x30 : 0;
        break;
    }
    return family | (fixed ? 1 : 2);
}

void CEditCommands::SetFontProvider(
    std::function<std::optional<QFont>(const QFont& current)> provider) {
    m_fontProvider = std::move(provider);
}

void CEditCommands::OnFont() {
    const QFont current = m_view.font();
    std::optional<QFont> chosen;
    if (m_fontProvider) {
        chosen = m_fontProvider(ChoiceOf(current));
    } else {
        QFontDialog dialog(ChoiceOf(current), &m_frame);
        dialog.setWindowTitle(QStringLiteral("Шрифт"));
        // The text is laid out in columns: only fonts of one width for every character.
        dialog.setOption(QFontDialog::MonospacedFonts, true);
        if (dialog.exec() == QDialog::Accepted)
            chosen = dialog.selectedFont();
    }
    if (chosen)
        ApplyFont(*chosen);
}

QFont CEditCommands::ChoiceOf(const QFont& current) {
    // The family the text is really shown in: a stored name the system lacks would leave the
    // dialog on a family of its own choosing, which OK would then take.
    QFont shown = current;
    shown.setFamily(QFontInfo(current).family());
    return shown;
}

void CEditCommands::ApplyFont(const QFont& font) {
    ViewSettings settings = m_view.Font();
    // The family the stored name is shown in, chosen again, keeps the stored name.
    if (font.family() != QFontInfo(m_view.font()).family())
        settings.fontName = QStringToBytes(font.family()).substr(0, 31);
    settings.fontFamily = PitchAndFamily(font);
    m_view.SetFontSettings(settings);
}

void CEditCommands::ShowFindDialog(bool replace) {
    if (m_findDlg != nullptr && m_findDlg->IsReplace() != replace) {
        m_findDlg->close();
        delete m_findDlg;
    }
    if (m_findDlg == nullptr) {
        m_findDlg = new CFindReplaceDlg(&m_frame, replace);
        m_findDlg->setAttribute(Qt::WA_DeleteOnClose);
        CFindReplaceDlg* dlg = m_findDlg;
        connect(dlg, &CFindReplaceDlg::FindNext, this,
                [this, dlg] { FindNext(dlg->FindText(), dlg->Flags()); });
        connect(dlg, &CFindReplaceDlg::ReplaceCurrent, this,
                [this, dlg] { ReplaceCurrent(dlg->FindText(), dlg->ReplaceText(), dlg->Flags()); });
        connect(dlg, &CFindReplaceDlg::ReplaceAll, this,
                [this, dlg] { ReplaceAll(dlg->FindText(), dlg->ReplaceText(), dlg->Flags()); });
    }
    // The selection of one line proposes itself as the text to find.
    const QString selected = SelectedText(m_view.textCursor());
    if (!selected.isEmpty() && !selected.contains(QLatin1Char('\n')))
        m_findDlg->SetFindText(selected);
    else if (m_findDlg->FindText().isEmpty())
        m_findDlg->SetFindText(m_lastFind);
    m_findDlg->show();
    m_findDlg->raise();
    m_findDlg->activateWindow();
}

void CEditCommands::OnFind() {
    ShowFindDialog(false);
}

void CEditCommands::OnReplace() {
    ShowFindDialog(true);
}

void CEditCommands::OnFindNext() {
    if (m_lastFind.isEmpty()) {
        OnFind();
        return;
    }
    FindNext(m_lastFind, m_lastFlags);
}

bool CEditCommands::FindNext(const QString& text, QTextDocument::FindFlags flags) {
    if (text.isEmpty())
        return false;
    m_lastFind = text;
    m_lastFlags = flags;
    // Only characters the code page holds can be in the text.
    const QString wanted = BytesToQString(QStringToBytes(text));
    QTextDocument* doc = m_view.document();
    const QTextCursor from = m_view.textCursor();
    QTextCursor found = doc->find(wanted, from, flags);
    if (found.isNull()) {
        QTextCursor wrap(doc);
        if (flags & QTextDocument::FindBackward)
            wrap.movePosition(QTextCursor::End);
        found = doc->find(wanted, wrap, flags);
    }
    if (found.isNull()) {
        m_frame.Operator().Message(
            FormatMessage("Не удается найти \"%s\"."_cp, QStringToBytes(text)),
            MessageIcon::Information);
        return false;
    }
    m_view.setTextCursor(found);
    m_view.ensureCursorVisible();
    return true;
}

bool CEditCommands::ReplaceCurrent(const QString& text, const QString& with,
                                   QTextDocument::FindFlags flags) {
    if (text.isEmpty())
        return false;
    const QString wanted = BytesToQString(QStringToBytes(text));
    QTextCursor cursor = m_view.textCursor();
    const Qt::CaseSensitivity cs =
        flags & QTextDocument::FindCaseSensitively ? Qt::CaseSensitive : Qt::CaseInsensitive;
    if (cursor.hasSelection() && SelectedText(cursor).compare(wanted, cs) == 0) {
        cursor.beginEditBlock();
        cursor.insertText(BytesToQString(QStringToBytes(with)));
        cursor.endEditBlock();
        m_view.setTextCursor(cursor);
    }
    return FindNext(text, flags & ~QTextDocument::FindBackward);
}

int CEditCommands::ReplaceAll(const QString& text, const QString& with,
                              QTextDocument::FindFlags flags) {
    if (text.isEmpty())
        return 0;
    m_lastFind = text;
    m_lastFlags = flags;
    const QString wanted = BytesToQString(QStringToBytes(text));
    const QString replacement = BytesToQString(QStringToBytes(with));
    flags &= ~QTextDocument::FindBackward;
    QTextDocument* doc = m_view.document();
    int count = 0;
    {
        CWaitCursor wait;
        CRepaintHold hold(m_view.viewport());
        QTextCursor edit(doc);
        QTextCursor found = doc->find(wanted, 0, flags);
        while (!found.isNull()) {
            if (count == 0)
                edit.beginEditBlock();
            edit.setPosition(found.selectionStart());
            edit.setPosition(found.selectionEnd(), QTextCursor::KeepAnchor);
            edit.insertText(replacement);
            ++count;
            found = doc->find(wanted, edit.position(), flags);
        }
        if (count > 0) {
            edit.endEditBlock();
            m_view.setTextCursor(edit);
        }
    }
    // The operator learns the outcome once the wait cursor is gone.
    if (count == 0)
        m_frame.Operator().Message(
            FormatMessage("Не удается найти \"%s\"."_cp, QStringToBytes(text)),
            MessageIcon::Information);
    else
        m_frame.Operator().Message(FormatMessage("Заменено: %d."_cp, count),
                                   MessageIcon::Information);
    return count;
}

} // namespace norvak
