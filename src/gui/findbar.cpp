#include "findbar.h"

#include "norvakview.h"
#include "textcodec.h"

#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTextBlock>
#include <QToolButton>

#include <algorithm>

namespace norvak {
namespace {

// Marks the view's extra selections that are lit matches of the bar.
constexpr int kMatchProperty = QTextFormat::UserProperty + 0x46;
const QColor kMatchColour(0xff, 0xd8, 0x6b);
// Counting again after an edit of the text waits for a pause in the typing.
constexpr int kRefreshDelayMs = 150;

bool IsReturn(const QKeyEvent* key) {
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

} // namespace

CFindBar::CFindBar(CNorvakView& view, QWidget* parent) : QWidget(parent), m_view(view) {
    setObjectName(QStringLiteral("FindBar"));
    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QStringLiteral("FindBarText"));
    m_edit->setClearButtonEnabled(true);
    m_edit->setPlaceholderText(QStringLiteral("Найти в тексте"));
    m_previous = new QPushButton(QStringLiteral("Назад"), this);
    m_previous->setObjectName(QStringLiteral("FindBarPrevious"));
    m_previous->setToolTip(QStringLiteral("Предыдущее совпадение (Shift+Enter)"));
    m_next = new QPushButton(QStringLiteral("Далее"), this);
    m_next->setObjectName(QStringLiteral("FindBarNext"));
    m_next->setToolTip(QStringLiteral("Следующее совпадение (Enter)"));
    m_matchCase = new QCheckBox(QStringLiteral("С учетом регистра"), this);
    m_matchCase->setObjectName(QStringLiteral("FindBarMatchCase"));
    m_countLabel = new QLabel(this);
    m_countLabel->setObjectName(QStringLiteral("FindBarCount"));
    m_countLabel->setMinimumWidth(
        fontMetrics().horizontalAdvance(QStringLiteral("Совпадений: 99999")));
    auto* close = new QToolButton(this);
    close->setObjectName(QStringLiteral("FindBarClose"));
    close->setAutoRaise(true);
    close->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    close->setToolTip(QStringLiteral("Закрыть панель поиска (Esc)"));

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->addWidget(new QLabel(QStringLiteral("Найти:"), this));
    layout->addWidget(m_edit, 1);
    layout->addWidget(m_previous);
    layout->addWidget(m_next);
    layout->addWidget(m_matchCase);
    layout->addWidget(m_countLabel);
    layout->addWidget(close);

    connect(m_edit, &QLineEdit::textChanged, this, &CFindBar::OnTextEdited);
    connect(m_matchCase, &QCheckBox::toggled, this, &CFindBar::Refresh);
    connect(m_next, &QPushButton::clicked, this, &CFindBar::FindNext);
    connect(m_previous, &QPushButton::clicked, this, &CFindBar::FindPrevious);
    connect(close, &QToolButton::clicked, this, &CFindBar::Close);
    m_edit->installEventFilter(this);
    m_view.installEventFilter(this);

    m_refreshTimer.setSingleShot(true);
    m_refreshTimer.setInterval(kRefreshDelayMs);
    connect(&m_refreshTimer, &QTimer::timeout, this, &CFindBar::Refresh);
    connect(m_view.document(), &QTextDocument::contentsChanged, this, [this] {
        if (!isHidden() && !m_edit->text().isEmpty())
            m_refreshTimer.start();
    });
    // Scrolling (by the scroll bar or by moving the caret) lights the matches come into view.
    connect(&m_view, &QPlainTextEdit::updateRequest, this, [this](const QRect&, int dy) {
        if (dy != 0 && !isHidden() && !m_starts.isEmpty())
            LightVisible();
    });
    hide();
}

void CFindBar::Open() {
    const QString selected = m_view.textCursor().selectedText();
    const bool oneLine = !selected.isEmpty() && !selected.contains(QChar::ParagraphSeparator) &&
                         !selected.contains(QChar::LineSeparator) &&
                         !selected.contains(QLatin1Char('\n'));
    show();
    // A match of the text already there (the bar's own find) leaves it as typed.
    if (oneLine && selected.compare(Wanted(), Sensitivity()) != 0) {
        QSignalBlocker block(m_edit);
        m_edit->setText(selected);
    }
    Refresh();
    m_edit->setFocus(Qt::ShortcutFocusReason);
    m_edit->selectAll();
}

void CFindBar::Close() {
    m_refreshTimer.stop();
    m_starts.clear();
    SetHighlights({});
    hide();
    m_view.setFocus(Qt::OtherFocusReason);
}

QString CFindBar::Wanted() const {
    // Only characters the code page holds can be in the text.
    const QString text = m_edit->text();
    return text.isEmpty() ? QString() : BytesToQString(QStringToBytes(text));
}

Qt::CaseSensitivity CFindBar::Sensitivity() const {
    return m_matchCase->isChecked() ? Qt::CaseSensitive : Qt::CaseInsensitive;
}

QTextDocument::FindFlags CFindBar::Flags() const {
    QTextDocument::FindFlags flags;
    if (m_matchCase->isChecked())
        flags |= QTextDocument::FindCaseSensitively;
    return flags;
}

bool CFindBar::FindNext() {
    return Find(false);
}

bool CFindBar::FindPrevious() {
    return Find(true);
}

bool CFindBar::Find(bool backward) {
    const QString wanted = Wanted();
    if (wanted.isEmpty())
        return false;
    QTextDocument::FindFlags flags = Flags();
    if (backward)
        flags |= QTextDocument::FindBackward;
    QTextDocument* doc = m_view.document();
    QTextCursor found = doc->find(wanted, m_view.textCursor(), flags);
    if (found.isNull()) {
        QTextCursor wrap(doc);
        if (backward)
            wrap.movePosition(QTextCursor::End);
        found = doc->find(wanted, wrap, flags);
    }
    if (found.isNull()) {
        QApplication::beep();
        return false;
    }
    m_view.setTextCursor(found);
    m_view.ensureCursorVisible();
    return true;
}

void CFindBar::OnTextEdited() {
    Refresh();
    const QString wanted = Wanted();
    if (wanted.isEmpty())
        return;
    // As the text grows the selection stays on the match it began on, or moves on to the next.
    QTextDocument* doc = m_view.document();
    const int anchor = m_view.textCursor().selectionStart();
    QTextCursor found = doc->find(wanted, anchor, Flags());
    if (found.isNull())
        found = doc->find(wanted, 0, Flags());
    if (found.isNull()) {
        QTextCursor caret = m_view.textCursor();
        caret.setPosition(anchor);
        m_view.setTextCursor(caret);
        return;
    }
    m_view.setTextCursor(found);
    m_view.ensureCursorVisible();
}

void CFindBar::Refresh() {
    m_refreshTimer.stop();
    m_starts.clear();
    const QString wanted = Wanted();
    m_wanted = wanted;
    m_length = static_cast<int>(wanted.size());
    const Qt::CaseSensitivity cs = Sensitivity();
    if (!wanted.isEmpty()) {
        // Within each line, as the document's own find does; no match spans a line break.
        for (QTextBlock block = m_view.document()->begin(); block.isValid(); block = block.next()) {
            const QString text = block.text();
            for (qsizetype at = text.indexOf(wanted, 0, cs); at >= 0;
                 at = text.indexOf(wanted, at + m_length, cs))
                m_starts.push_back(block.position() + static_cast<int>(at));
        }
    }
    m_count = static_cast<int>(m_starts.size());
    LightVisible();
    ShowCount();
}

void CFindBar::LightVisible() {
    QList<QTextCursor> matches;
    if (!m_starts.isEmpty() && !isHidden()) {
        // Only around the lines shown: lighting a match lays its line out.
        QTextDocument* doc = m_view.document();
        const QTextBlock top = m_view.cursorForPosition(QPoint(0, 0)).block();
        const int lineHeight = std::max(1, m_view.fontMetrics().height());
        const int shown = m_view.viewport()->height() / lineHeight + 1;
        const QTextBlock first =
            doc->findBlockByNumber(std::max(0, top.blockNumber() - kLitMargin));
        QTextBlock last = doc->findBlockByNumber(top.blockNumber() + shown + kLitMargin);
        if (!last.isValid())
            last = doc->lastBlock();
        const int from = first.position();
        const int to = last.position() + last.length();
        const int end = doc->characterCount() - 1;
        const Qt::CaseSensitivity cs = Sensitivity();
        for (auto it = std::lower_bound(m_starts.cbegin(), m_starts.cend(), from);
             it != m_starts.cend() && *it < to && *it + m_length <= end; ++it) {
            QTextCursor match(doc);
            match.setPosition(*it);
            match.setPosition(*it + m_length, QTextCursor::KeepAnchor);
            // Between an edit of the text and the next count a place may hold a match no more.
            if (match.selectedText().compare(m_wanted, cs) == 0)
                matches.push_back(match);
        }
    }
    SetHighlights(matches);
}

bool CFindBar::IsMatchSelection(const QTextCharFormat& format) {
    return format.boolProperty(kMatchProperty);
}

void CFindBar::SetHighlights(const QList<QTextCursor>& matches) {
    // The selections others put on the view stay; only the bar's own are replaced.
    QList<QTextEdit::ExtraSelection> selections;
    for (const QTextEdit::ExtraSelection& s : m_view.extraSelections())
        if (!IsMatchSelection(s.format))
            selections.push_back(s);
    QTextCharFormat format;
    format.setBackground(kMatchColour);
    format.setProperty(kMatchProperty, true);
    for (const QTextCursor& match : matches)
        selections.push_back({match, format});
    m_view.setExtraSelections(selections);
}

void CFindBar::ShowCount() {
    if (m_edit->text().isEmpty())
        m_countLabel->clear();
    else if (m_count == 0)
        m_countLabel->setText(QStringLiteral("Не найдено"));
    else
        m_countLabel->setText(QStringLiteral("Совпадений: %1").arg(m_count));
}

void CFindBar::keyPressEvent(QKeyEvent* event) {
    // Esc on the buttons or the check box, which leave it to the bar.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        Close();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool CFindBar::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &m_view && event->type() == QEvent::Resize && !isHidden() && !m_starts.isEmpty())
        LightVisible();
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (watched == m_edit && IsReturn(key)) {
        if (key->modifiers() & Qt::ShiftModifier)
            FindPrevious();
        else
            FindNext();
        return true;
    }
    // Esc in the bar or in the text closes the bar while it is shown.
    if ((watched == m_edit || watched == &m_view) && key->key() == Qt::Key_Escape &&
        key->modifiers() == Qt::NoModifier && !isHidden()) {
        Close();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace norvak
