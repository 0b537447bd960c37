#include "norvakview.h"

#include "taghighlighter.h"
#include "textcodec.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QScrollBar>
#include <QTextBlock>

namespace norvak {
namespace {

// Inserts text at the caret as one undo step, only the characters the code page holds, and
// keeps the caret in view.
void InsertAsOneStep(QPlainTextEdit* view, const QString& text) {
    QTextCursor cursor = view->textCursor();
    cursor.beginEditBlock();
    cursor.insertText(BytesToQString(QStringToBytes(text)));
    cursor.endEditBlock();
    view->setTextCursor(cursor);
    view->ensureCursorVisible();
}

} // namespace

CNorvakView::CNorvakView(CSettingsStore* store, QWidget* parent)
    : QPlainTextEdit(parent), m_store(store) {
    if (m_store != nullptr)
        m_viewSettings.Read(*m_store);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setWordWrapMode(QTextOption::NoWrap);
    setUndoRedoEnabled(true);
    m_highlighter = new CTagHighlighter(document());
    setFont(MakeFont(m_viewSettings));

    m_highlightTimer.setSingleShot(true);
    m_highlightTimer.setInterval(0);
    connect(&m_highlightTimer, &QTimer::timeout, this, &CNorvakView::HighlightVisible);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &CNorvakView::ScheduleHighlight);
    connect(this, &QPlainTextEdit::updateRequest, this, &CNorvakView::ScheduleHighlight);

    connect(this, &QPlainTextEdit::cursorPositionChanged, this, &CNorvakView::ReportPosition);
    connect(document(), &QTextDocument::blockCountChanged, this, &CNorvakView::ReportPosition);
    connect(document(), &QTextDocument::modificationChanged, this, [this](bool modified) {
        if (modified && !m_settingText)
            emit TextModified();
    });
    connect(document(), &QTextDocument::undoCommandAdded, this, [this] {
        m_undoSteps = std::min(m_undoSteps + 1, kUndoLimit);
        m_redoSteps = 0;
        emit UndoRedoChanged();
    });
}

CNorvakView::~CNorvakView() {
    if (m_store != nullptr)
        m_viewSettings.Write(*m_store);
}

QFont CNorvakView::MakeFont(const ViewSettings& settings) {
    // The stored default face is rarely installed outside Windows; its metric twin keeps the
    // 66 columns and the frames as they were laid out.
    static const bool substituted = [] {
        QFont::insertSubstitution(QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"));
        return true;
    }();
    (void)substituted;
    QFont font;
    font.setFamily(BytesToQString(settings.fontName));
    font.setPointSizeF(settings.fontHeight > 0 ? settings.fontHeight / 20.0 : 10.0);
    // Low nibble of the pitch-and-family byte: 1 is fixed pitch.
    if ((settings.fontFamily & 0x0F) == 1) {
        font.setFixedPitch(true);
        font.setStyleHint(QFont::TypeWriter);
    }
    font.setKerning(false);
    return font;
}

void CNorvakView::SetFontSettings(const ViewSettings& settings) {
    m_viewSettings = settings;
    QTextCursor keep = textCursor();
    setFont(MakeFont(m_viewSettings));
    setTextCursor(keep);
    HighlightVisible();
}

void CNorvakView::SetText(const LineList& lines, bool highlight) {
    QString all;
    std::size_t total = 0;
    for (const std::string& line : lines)
        total += line.size() + 1;
    all.reserve(static_cast<qsizetype>(total));
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            all.append(QLatin1Char('\n'));
        all.append(BytesToQString(lines[i]));
    }
    m_settingText = true;
    m_highlighter->SetSuspended(true);
    setPlainText(all);
    m_highlighter->SetSuspended(false);
    document()->setModified(false);
    m_settingText = false;
    moveCursor(QTextCursor::Start);
    EmptyUndo();
    if (highlight)
        HighlightVisible();
    else
        ScheduleHighlight();
    ReportPosition();
}

LineList CNorvakView::GetLines() const {
    LineList lines;
    lines.reserve(static_cast<std::size_t>(document()->blockCount()));
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        std::string bytes = QStringToBytes(block.text());
        const bool last = !block.next().isValid();
        // A line break that slipped into a block (a line separator) still cuts the line.
        std::size_t start = 0;
        for (std::size_t lf = bytes.find('\n'); lf != std::string::npos;
             lf = bytes.find('\n', start)) {
            lines.push_back(bytes.substr(start, lf - start));
            start = lf + 1;
        }
        std::string rest = bytes.substr(start);
        if (!last || !rest.empty())
            lines.push_back(std::move(rest));
    }
    return lines;
}

int CNorvakView::LineCount() const {
    return document()->blockCount();
}

void CNorvakView::EmptyUndo() {
    document()->clearUndoRedoStacks();
    m_undoSteps = 0;
    m_redoSteps = 0;
    emit UndoRedoChanged();
}

bool CNorvakView::CanUndo() const {
    return m_undoSteps > 0 && document()->isUndoAvailable();
}

bool CNorvakView::CanRedo() const {
    return m_redoSteps > 0 && document()->isRedoAvailable();
}

void CNorvakView::Undo() {
    if (!CanUndo())
        return;
    undo();
    --m_undoSteps;
    ++m_redoSteps;
    emit UndoRedoChanged();
}

void CNorvakView::Redo() {
    if (!CanRedo())
        return;
    redo();
    ++m_undoSteps;
    --m_redoSteps;
    emit UndoRedoChanged();
}

void CNorvakView::HighlightLines(int first, int last) {
    m_highlighter->HighlightBlocks(first, last);
}

void CNorvakView::HighlightVisible() {
    QTextBlock first = firstVisibleBlock();
    if (!first.isValid())
        return;
    // Blocks are single lines (no wrapping): a screenful of rows, and as many again below so
    // that paging down finds them ready.
    const int lineHeight = std::max(1, fontMetrics().lineSpacing());
    const int rows = viewport()->height() / lineHeight + 1;
    m_highlighter->HighlightBlocks(first.blockNumber(), first.blockNumber() + 2 * rows);
}

void CNorvakView::ScheduleHighlight() {
    if (!m_highlightTimer.isActive())
        m_highlightTimer.start();
}

void CNorvakView::GoToLine(int line) {
    QTextBlock block = document()->findBlockByNumber(line - 1);
    if (!block.isValid())
        return;
    QTextCursor cursor(block);
    setTextCursor(cursor);
    centerCursor();
}

void CNorvakView::MarkClean() {
    document()->setModified(false);
}

void CNorvakView::ReportPosition() {
    QTextCursor cursor = textCursor();
    QTextBlock block = document()->findBlock(cursor.selectionStart());
    const int column = cursor.selectionStart() - block.position();
    emit PositionChanged(block.blockNumber() + 1, column, document()->blockCount());
}

void CNorvakView::resizeEvent(QResizeEvent* event) {
    QPlainTextEdit::resizeEvent(event);
    ScheduleHighlight();
}

bool CNorvakView::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        const QKeySequence pressed(key->keyCombination());
        if (m_reserved.contains(pressed)) {
            event->ignore();
            return true;
        }
    }
    return QPlainTextEdit::event(event);
}

void CNorvakView::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Undo)) {
        Undo();
        return;
    }
    if (event->matches(QKeySequence::Redo) ||
        (event->key() == Qt::Key_Y && event->modifiers() == Qt::ControlModifier)) {
        Redo();
        return;
    }
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        (event->modifiers() & Qt::ShiftModifier)) {
        // A plain line break; the editor would otherwise put a line separator in the line.
        textCursor().insertText(QStringLiteral("\n"));
        return;
    }
    const QString text = event->text();
    const bool typing = !text.isEmpty() && text.at(0).isPrint() &&
                        !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (typing && !isReadOnly()) {
        // Every typed character is an undo step of its own, and only characters the code
        // page holds go in.
        InsertAsOneStep(this, text);
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

QMimeData* CNorvakView::createMimeDataFromSelection() const {
    // The selected characters as they are: the plain-text export of the document would turn
    // no-break spaces into spaces.
    QString text = textCursor().selectedText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    auto* mime = new QMimeData;
    mime->setText(text);
    return mime;
}

void CNorvakView::insertFromMimeData(const QMimeData* source) {
    if (source == nullptr || !source->hasText())
        return;
    QString text = source->text();
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    InsertAsOneStep(this, text);
}

} // namespace norvak
