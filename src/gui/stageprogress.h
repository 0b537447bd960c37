#pragma once
// The stage progress indicator of the main window: stage names in the status line's message
// pane and a small bar over that pane, driven by the core's progress interface.

#include "core/progress.h"

#include <QPointer>
#include <QProgressBar>
#include <QStringList>

class QStatusBar;

namespace norvak {

// Shows the progress of an analysis running on the user-interface thread and keeps the
// window painted between its stages.
class CStageProgress : public CProgress {
public:
    explicit CStageProgress(QStatusBar* statusBar) : m_statusBar(statusBar) {}

    void Begin() override;
    void AddTexts(const std::vector<std::string>& cp1251Texts) override;
    void Step() override;
    void End() override;
    // Processes pending events except user input, so the window repaints and a second
    // command cannot start while the analysis owns the data.
    void Pump() override;

    bool IsActive() const { return m_bar != nullptr; }
    int Maximum() const { return m_bar ? m_bar->maximum() : 0; }
    int Value() const { return m_bar ? m_bar->value() : 0; }
    // The texts the steps showed since Begin, in order.
    const QStringList& ShownTexts() const { return m_shown; }

    static QString IdlePrompt();

private:
    void Show(const QString& text);
    void EnsureBar();

    QStatusBar* m_statusBar;
    QPointer<QProgressBar> m_bar;
    QStringList m_texts;
    QStringList m_shown;
    int m_next = 0;
};

} // namespace norvak
