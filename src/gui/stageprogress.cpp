#include "stageprogress.h"

#include "textcodec.h"

#include <QCoreApplication>
#include <QStatusBar>

namespace norvak {

QString CStageProgress::IdlePrompt() {
    return QStringLiteral("Чтобы получить справку, нажмите клавишу F1");
}

void CStageProgress::Show(const QString& text) {
    m_statusBar->showMessage(text);
}

void CStageProgress::EnsureBar() {
    if (m_bar)
        return;
    m_statusBar->clearMessage();
    m_bar = new QProgressBar(m_statusBar);
    m_bar->setTextVisible(false);
    // Inside the message pane: 100 pixels wide, 170 pixels from its left edge.
    const int h = m_statusBar->height();
    m_bar->setGeometry(170, 2, 100, std::max(8, h - 4));
    m_bar->setRange(0, 1);
    m_bar->setValue(0);
    m_bar->show();
    m_bar->raise();
}

void CStageProgress::Begin() {
    m_texts.clear();
    m_shown.clear();
    m_next = 0;
    EnsureBar();
    m_bar->setRange(0, 1);
    m_bar->setValue(0);
    m_statusBar->clearMessage();
}

void CStageProgress::AddTexts(const std::vector<std::string>& cp1251Texts) {
    const bool first = m_texts.isEmpty();
    for (const std::string& t : cp1251Texts)
        m_texts.push_back(BytesToQString(t));
    EnsureBar();
    m_bar->setRange(0, static_cast<int>(m_texts.size()) + 1);
    if (first && !m_texts.isEmpty())
        Show(m_texts.front());
}

void CStageProgress::Step() {
    EnsureBar();
    m_bar->setValue(std::min(m_bar->value() + 1, m_bar->maximum()));
    if (m_next < m_texts.size()) {
        m_shown.push_back(m_texts.at(m_next));
        Show(m_texts.at(m_next));
    }
    ++m_next;
}

void CStageProgress::End() {
    m_texts.clear();
    m_next = 0;
    delete m_bar;
    m_statusBar->showMessage(IdlePrompt());
    m_statusBar->repaint();
}

void CStageProgress::Pump() {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace norvak
