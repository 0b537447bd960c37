#pragma once
// The dialog "Перейти на строку": a line number from 1 to the number of lines, wrapping.

#include <QDialog>

class QLabel;
class QSpinBox;

namespace norvak {

// Asks for a line number. A number typed beyond the last line is not cut to its first digits:
// "Перейти" then says which numbers there are and keeps the dialog open.
class CGotoLineDlg : public QDialog {
    Q_OBJECT
public:
    CGotoLineDlg(QWidget* parent, int lineCount);
    int Line() const;
    QSpinBox* Spin() const { return m_spin; }
    // The complaint about a number out of range; hidden while there is none.
    QLabel* Problem() const { return m_problem; }
    void accept() override;

private:
    QSpinBox* m_spin;
    QLabel* m_problem;
};

} // namespace norvak
