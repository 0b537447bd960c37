#include "requisiteseditors.h"

#include "sourcedictdlg.h"
#include "temathicsdlg.h"
#include "textcodec.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDateTime>
#include <QKeyEvent>
#include <QMimeData>
#include <QResizeEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QToolButton>

namespace norvak {
namespace {

bool IsEnter(const QKeyEvent* e) {
    return e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
}

QString DigitsOf(const QString& s) {
    QString out;
    for (QChar c : s)
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            out += c;
    return out;
}

} // namespace

CImplementRichEditCtrl::CImplementRichEditCtrl(bool digitsOnly, QWidget* parent)
    : QPlainTextEdit(parent), m_digitsOnly(digitsOnly) {
    setObjectName(digitsOnly ? QStringLiteral("DigitsEditor") : QStringLiteral("TextEditor"));
    setFrameShape(QFrame::Box);
    setLineWrapMode(digitsOnly ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setTabChangesFocus(true);
    document()->setDocumentMargin(3);
    connect(this, &QPlainTextEdit::textChanged, this, &CImplementRichEditCtrl::Grow);
}

void CImplementRichEditCtrl::SetHeightLimits(int minimum, int maximum) {
    m_minHeight = minimum;
    m_maxHeight = std::max(minimum, maximum);
    Grow();
}

int CImplementRichEditCtrl::WantedHeight() const {
    // The text wrapped at the width the editor shows it in.
    const int margin = static_cast<int>(document()->documentMargin());
    const int textWidth =
        std::max(20, width() - 2 * frameWidth() - 2 * margin - 4 - (m_digitsOnly ? 25 : 0));
    QString text = toPlainText();
    if (text.isEmpty() || text.endsWith(QLatin1Char('\n')))
        text += QLatin1Char(' ');
    const int flags = m_digitsOnly ? Qt::TextSingleLine : Qt::TextWordWrap;
    const QRect r = fontMetrics().boundingRect(QRect(0, 0, textWidth, 1000000), flags, text);
    const int wanted =
        std::max(r.height(), fontMetrics().lineSpacing()) + 2 * margin + 2 * frameWidth() + 2;
    return std::clamp(wanted, m_minHeight, m_maxHeight);
}

void CImplementRichEditCtrl::resizeEvent(QResizeEvent* event) {
    QPlainTextEdit::resizeEvent(event);
    if (event->oldSize().width() != event->size().width())
        Grow();
}

void CImplementRichEditCtrl::Grow() {
    if (m_minHeight <= 0)
        return;
    const int h = WantedHeight();
    if (h != height())
        resize(width(), h);
    ensureCursorVisible();
}

void CImplementRichEditCtrl::keyPressEvent(QKeyEvent* event) {
    if (IsEnter(event)) {
        const bool lineBreak =
            !m_digitsOnly && (event->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier));
        if (!lineBreak) {
            emit Done(false);
            return;
        }
        insertPlainText(QStringLiteral("\n"));
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        emit Done(true);
        return;
    }
    if (m_digitsOnly && !event->text().isEmpty() && event->text().at(0).isPrint() &&
        !(event->modifiers() & Qt::ControlModifier)) {
        if (DigitsOf(event->text()).isEmpty())
            return; // only 0 to 9 are typed
    }
    QPlainTextEdit::keyPressEvent(event);
}

void CImplementRichEditCtrl::insertFromMimeData(const QMimeData* source) {
    QString text = source->text();
    if (m_digitsOnly)
        text = DigitsOf(text);
    else if (!IsRepresentable(text))
        text = BytesToQString(QStringToBytes(text));
    insertPlainText(text);
}

CThemesRichEditCtrl::CThemesRichEditCtrl(const CTemathicsDict* themes, QWidget* parent)
    : CImplementRichEditCtrl(true, parent), m_themes(themes), m_button(new QToolButton(this)) {
    setObjectName(QStringLiteral("ThemesEditor"));
    m_button->setObjectName(QStringLiteral("ThemesButton"));
    m_button->setText(QStringLiteral("..."));
    m_button->setToolTip(QStringLiteral("Выбрать тематику из словаря (Insert)"));
    m_button->setCursor(Qt::ArrowCursor);
    m_button->setFocusPolicy(Qt::NoFocus);
    setViewportMargins(0, 0, 25, 0);
    connect(m_button, &QToolButton::clicked, this, &CThemesRichEditCtrl::Choose);
}

void CThemesRichEditCtrl::resizeEvent(QResizeEvent* event) {
    CImplementRichEditCtrl::resizeEvent(event);
    if (m_button == nullptr)
        return;
    const QRect r = contentsRect();
    m_button->setGeometry(r.right() - 24, r.top(), 25, r.height());
}

void CThemesRichEditCtrl::Choose() {
    if (m_themes == nullptr)
        return;
    CTemathicsSelectDlg dialog(*m_themes, this);
    if (dialog.exec() != QDialog::Accepted) {
        emit Done(true);
        return;
    }
    setPlainText(QString::number(dialog.Code()));
    emit Done(false);
}

void CThemesRichEditCtrl::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Insert) {
        Choose();
        return;
    }
    CImplementRichEditCtrl::keyPressEvent(event);
}

void CThemesRichEditCtrl::mouseDoubleClickEvent(QMouseEvent* event) {
    (void)event;
    Choose();
}

CSourcesRichEditCtrl::CSourcesRichEditCtrl(const CSourceDict* sources, QWidget* parent)
    : CImplementRichEditCtrl(false, parent), m_sources(sources) {
    setObjectName(QStringLiteral("SourcesEditor"));
    setToolTip(QStringLiteral("Insert или двойной щелчок: выбрать источник из словаря"));
}

void CSourcesRichEditCtrl::Choose() {
    if (m_sources == nullptr)
        return;
    CSourceSelectDlg dialog(*m_sources, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    textCursor().insertText(BytesToQString(dialog.Selected()));
}

void CSourcesRichEditCtrl::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Insert) {
        Choose();
        return;
    }
    CImplementRichEditCtrl::keyPressEvent(event);
}

void CSourcesRichEditCtrl::mouseDoubleClickEvent(QMouseEvent* event) {
    (void)event;
    Choose();
}

CImplementDateTimeCtrl::CImplementDateTimeCtrl(QWidget* parent) : QDateEdit(parent) {
    setObjectName(QStringLiteral("DateEditor"));
    setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    setCalendarPopup(true);
    setMinimumDate(QDate(100, 1, 1));
}

void CImplementDateTimeCtrl::keyPressEvent(QKeyEvent* event) {
    if (IsEnter(event)) {
        interpretText();
        emit Done(false);
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        emit Done(true);
        return;
    }
    QDateEdit::keyPressEvent(event);
}

CImplementComboBox::CImplementComboBox(QWidget* parent) : QComboBox(parent) {
    setObjectName(QStringLiteral("ListEditor"));
    setEditable(false);
    setMaxVisibleItems(12);
    connect(this, &QComboBox::activated, this, [this] { emit Done(false); });
}

bool CImplementComboBox::event(QEvent* event) {
    // Tab commits instead of moving the focus on.
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            emit Done(false);
            return true;
        }
    }
    return QComboBox::event(event);
}

bool CImplementComboBox::Search(const QString& text) {
    for (int i = 0; i < count(); ++i)
        if (itemText(i).startsWith(text, Qt::CaseInsensitive)) {
            setCurrentIndex(i);
            return true;
        }
    return false;
}

void CImplementComboBox::keyPressEvent(QKeyEvent* event) {
    // The list's own handling of these keys and of typed letters would report the choice as
    // made (activated), which commits: they only move the choice here.
    const int page = std::max(1, maxVisibleItems() - 1);
    const int last = count() - 1;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Insert:
        m_typed.clear();
        emit Done(false);
        return;
    case Qt::Key_Escape:
    case Qt::Key_Delete:
        m_typed.clear();
        emit Done(true);
        return;
    case Qt::Key_Up:
        if (event->modifiers() & Qt::AltModifier)
            break; // Alt+Up closes the list as usual
        setCurrentIndex(std::max(0, currentIndex() - 1));
        return;
    case Qt::Key_Down:
        if (event->modifiers() & Qt::AltModifier)
            break; // Alt+Down opens the list as usual
        setCurrentIndex(std::min(last, currentIndex() + 1));
        return;
    case Qt::Key_PageUp:
        setCurrentIndex(std::max(0, currentIndex() - page));
        return;
    case Qt::Key_PageDown:
        setCurrentIndex(std::min(last, currentIndex() + page));
        return;
    case Qt::Key_Home:
        setCurrentIndex(std::min(0, last));
        return;
    case Qt::Key_End:
        setCurrentIndex(last);
        return;
    default: {
        const QString text = event->text();
        if (text.isEmpty() || !text.at(0).isPrint() ||
            (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
            break;
        // Letters typed in quick succession make one beginning to search for.
        const qint64 now = QDateTime::currentMSecsSinceEpoch();
        if (now - m_lastTyped > QApplication::keyboardInputInterval())
            m_typed.clear();
        m_lastTyped = now;
        if (!Search(m_typed + text) && m_typed.isEmpty())
            return; // no name begins so: the choice stays
        if (!m_typed.isEmpty() && !Search(m_typed + text)) {
            // The longer beginning matches nothing: start again from this letter.
            m_typed.clear();
            if (!Search(text))
                return;
        }
        m_typed += text;
        return;
    }
    }
    QComboBox::keyPressEvent(event);
}

} // namespace norvak
