#pragma once
// The dialog "Перейти на строку": a line number from 1 to the number of lines, wrapping.

#include <QDialog>

class QSpinBox;

namespace norvak {

// Asks for a line number.
class CGotoLineDlg : public QDialog {
    Q_OBJECT
public:
    CGotoLineDlg(QWidget* parent, int lineCount);
    int Line() const;
    QSpinBox* Spin() const { return m_spin; }

private:
    QSpinBox* m_spin;
};

} // namespace norvak
