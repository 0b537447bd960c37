#pragma once
// The find bar under the text: a line to type in, "Назад" and "Далее", case sensitivity and
// the number of matches, every match lit in the view while the bar is shown. It stands beside
// the find and replace dialogs and shares nothing with them.

#include <QTextDocument>
#include <QTextFormat>
#include <QTimer>
#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace norvak {

class CNorvakView;

// The find bar of one view; placed below the view in the main window's text area.
class CFindBar : public QWidget {
    Q_OBJECT
public:
    // Matches are lit this many lines above and below the lines shown (all are counted).
    static constexpr int kLitMargin = 200;

    CFindBar(CNorvakView& view, QWidget* parent);

    // Shows the bar with the focus in its line, the text selected; a selection within one
    // line of the view becomes the text to find.
    void Open();
    // Hides the bar, takes the lit matches off the view and gives the focus back to it.
    void Close();

    // The next (or previous) match from the caret, wrapping round once; selects it in the
    // view. False when the text does not occur.
    bool FindNext();
    bool FindPrevious();

    // Counts and lights the matches of the text now (also done as the operator types).
    void Refresh();
    int MatchCount() const { return m_count; }
    // The view's extra selections that are this bar's lit matches.
    static bool IsMatchSelection(const QTextCharFormat& format);

    QLineEdit* Edit() const { return m_edit; }
    QPushButton* PreviousButton() const { return m_previous; }
    QPushButton* NextButton() const { return m_next; }
    QCheckBox* MatchCase() const { return m_matchCase; }
    QLabel* CountLabel() const { return m_countLabel; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool Find(bool backward);
    QString Wanted() const;
    QTextDocument::FindFlags Flags() const;
    Qt::CaseSensitivity Sensitivity() const;
    void OnTextEdited();
    void SetHighlights(const QList<QTextCursor>& matches);
    void LightVisible();
    void ShowCount();

    CNorvakView& m_view;
    QLineEdit* m_edit;
    QPushButton* m_previous;
    QPushButton* m_next;
    QCheckBox* m_matchCase;
    QLabel* m_countLabel;
    QTimer m_refreshTimer;
    int m_count = 0;
    // The text counted, where its matches start, in order, and their length.
    QString m_wanted;
    QList<int> m_starts;
    int m_length = 0;
};

} // namespace norvak
