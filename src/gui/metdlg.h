#pragma once
// The dialog "Метка МЕТ": the number of a label; on OK its result is a number greater than 0.

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace norvak {

class COperator;

// Asks the operator for a label number; refusals are told through the operator.
class CMetDlg : public QDialog {
    Q_OBJECT
public:
    CMetDlg(QWidget* parent, COperator& op);

    // The label number; set on OK.
    int Number() const { return m_number; }

    QLineEdit* NumberEdit() const { return m_edit; }
    QPushButton* OkButton() const { return m_ok; }

public slots:
    void accept() override;

private:
    COperator& m_operator;
    QLineEdit* m_edit;
    QPushButton* m_ok;
    int m_number = 0;
};

} // namespace norvak
