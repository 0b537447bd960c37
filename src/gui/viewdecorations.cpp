#include "viewdecorations.h"

#include "norvakview.h"

#include <QAction>
#include <QMenu>
#include <QPaintEvent>
#include <QPainter>
#include <QSettings>
#include <QTextBlock>

namespace norvak {
namespace {

constexpr const char* kKeys[] = {"LineNumbers", "Guide", "LongLines", "CurrentLine"};
constexpr const char* kTexts[] = {"&Номера строк", "&Граница строки", "&Длинные строки",
                                  "&Текущая строка"};
constexpr const char* kTips[] = {
    "Показать номера строк слева от текста", "Показать границу строки (колонку \"Длина строки\")",
    "Отметить части строк за границей строки", "Подсветить строку, в которой стоит курсор"};

const QColor kCurrentLine(0xff, 0xfb, 0xdc);
const QColor kLongPart(0xfb, 0xd5, 0xd5);
const QColor kGuide(0xc0, 0xc8, 0xd8);

// The strip left of the text that shows the line numbers.
class CGutter : public QWidget {
public:
    CGutter(QWidget* parent, std::function<void()> paint)
        : QWidget(parent), m_paint(std::move(paint)) {
        setObjectName(QStringLiteral("LineNumberGutter"));
    }

protected:
    void paintEvent(QPaintEvent*) override { m_paint(); }

private:
    std::function<void()> m_paint;
};

// Calls act(block, top, height) for every block shown in the viewport, top to bottom.
template <class Act> void ForVisibleBlocks(CNorvakView& view, Act act) {
    const int height = view.viewport()->height();
    for (QTextBlock block = view.cursorForPosition(QPoint(0, 0)).block(); block.isValid();
         block = block.next()) {
        if (!block.isVisible())
            continue;
        const QRect r = view.cursorRect(QTextCursor(block));
        if (r.top() > height)
            break;
        act(block, r.top(), r.height());
    }
}

} // namespace

CViewDecorations::CViewDecorations(CNorvakView& view, std::function<int()> width)
    : QObject(&view), m_view(view), m_width(std::move(width)),
      m_gutter(new CGutter(&view, [this] { PaintGutter(); })) {
    setObjectName(QStringLiteral("ViewDecorations"));
    m_view.installEventFilter(this);
    m_view.viewport()->installEventFilter(this);
    connect(&m_view, &QPlainTextEdit::updateRequest, this, [this](const QRect& rect, int dy) {
        if (dy != 0)
            m_gutter->scroll(0, dy);
        else
            m_gutter->update(0, rect.y(), m_gutter->width(), rect.height());
    });
    connect(m_view.document(), &QTextDocument::blockCountChanged, this,
            &CViewDecorations::Relayout);
    connect(&m_view, &QPlainTextEdit::cursorPositionChanged, this, [this] {
        if (m_on[CurrentLine])
            m_view.viewport()->update();
        m_gutter->update();
    });
    Relayout();
}

void CViewDecorations::SetOn(Item item, bool on) {
    m_on[item] = on;
    if (m_actions[item] != nullptr && m_actions[item]->isChecked() != on)
        m_actions[item]->setChecked(on);
    Relayout();
    m_view.viewport()->update();
}

void CViewDecorations::AddActions(QMenu* menu, QSettings& settings) {
    menu->addSeparator();
    for (int i = 0; i < kItems; ++i) {
        const auto item = static_cast<Item>(i);
        auto* a = new QAction(QString::fromUtf8(kTexts[i]), menu);
        a->setObjectName(QStringLiteral("View%1").arg(QLatin1String(kKeys[i])));
        a->setCheckable(true);
        a->setStatusTip(QString::fromUtf8(kTips[i]));
        const QString key = QStringLiteral("View/%1").arg(QLatin1String(kKeys[i]));
        m_actions[i] = a;
        SetOn(item, settings.value(key, true).toBool());
        a->setChecked(m_on[i]);
        connect(a, &QAction::toggled, this, [this, item, key, &settings](bool on) {
            settings.setValue(key, on);
            SetOn(item, on);
        });
        menu->addAction(a);
    }
}

int CViewDecorations::ColumnX(int column) const {
    const QRect start = m_view.cursorRect(QTextCursor(m_view.document()->firstBlock()));
    return start.left() + column * m_view.fontMetrics().horizontalAdvance(QLatin1Char(' '));
}

int CViewDecorations::GutterWidth() const {
    const int digits = std::max(3, static_cast<int>(QString::number(m_view.LineCount()).size()));
    return m_view.fontMetrics().horizontalAdvance(QLatin1Char('9')) * digits + 10;
}

void CViewDecorations::Relayout() {
    const int width = m_on[LineNumbers] ? GutterWidth() : 0;
    m_view.SetLeftMargin(width);
    const QRect area = m_view.contentsRect();
    m_gutter->setGeometry(area.left(), area.top(), width, area.height());
    m_gutter->setVisible(width > 0);
}

bool CViewDecorations::eventFilter(QObject* object, QEvent* event) {
    if (object == &m_view && event->type() == QEvent::Resize)
        Relayout();
    else if (object == m_view.viewport() && event->type() == QEvent::Paint)
        PaintUnderText(); // and then the view paints its text over it
    return QObject::eventFilter(object, event);
}

void CViewDecorations::PaintUnderText() {
    if (!m_on[Guide] && !m_on[LongLines] && !m_on[CurrentLine])
        return;
    QWidget* viewport = m_view.viewport();
    QPainter p(viewport);
    const int width = std::max(1, m_width());
    const int guideX = ColumnX(width);
    const QTextBlock current = m_view.textCursor().block();
    ForVisibleBlocks(m_view, [&](const QTextBlock& block, int top, int height) {
        if (m_on[CurrentLine] && block == current)
            p.fillRect(0, top, viewport->width(), height, kCurrentLine);
        const int length = block.length() - 1;
        if (m_on[LongLines] && length > width)
            p.fillRect(guideX, top, ColumnX(length) - guideX, height, kLongPart);
    });
    if (m_on[Guide]) {
        p.setPen(kGuide);
        p.drawLine(guideX, 0, guideX, viewport->height());
    }
}

void CViewDecorations::PaintGutter() {
    QPainter p(m_gutter);
    p.fillRect(m_gutter->rect(), m_gutter->palette().color(QPalette::Window));
    p.setFont(m_view.font());
    const int current = m_view.textCursor().blockNumber();
    const QColor ink = m_gutter->palette().color(QPalette::PlaceholderText);
    const QColor currentInk = m_gutter->palette().color(QPalette::WindowText);
    ForVisibleBlocks(m_view, [&](const QTextBlock& block, int top, int height) {
        p.setPen(block.blockNumber() == current ? currentInk : ink);
        p.drawText(0, top, m_gutter->width() - 5, height, Qt::AlignRight | Qt::AlignVCenter,
                   QString::number(block.blockNumber() + 1));
    });
}

} // namespace norvak
