#include "metdlg.h"

#include "core/literal.h"
#include "core/operatorio.h"
#include "digitsvalidator.h"
#include "document/linklabel.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace norvak {

CMetDlg::CMetDlg(QWidget* parent, COperator& op) : QDialog(parent), m_operator(op) {
    setWindowTitle(QStringLiteral("Метка МЕТ"));
    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QStringLiteral("LabelNumber"));
    m_edit->setValidator(new CDigitsValidator(m_edit));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Номер метки"), m_edit);

    auto* buttons = new QDialogButtonBox(this);
    m_ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    m_ok->setDefault(true);
    buttons->addButton(QStringLiteral("Отмена"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &CMetDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CMetDlg::reject);
    connect(m_edit, &QLineEdit::textChanged, this, [this](const QString& text) {
        m_ok->setEnabled(IsLabelOkEnabled(text.toStdString()));
    });
    m_ok->setEnabled(false);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    setMinimumWidth(260);
    m_edit->setFocus();
}

void CMetDlg::accept() {
    int number = 0;
    switch (CheckLabelNumber(m_edit->text().toStdString(), number)) {
    case LabelCheck::Ok:
        m_number = number;
        QDialog::accept();
        return;
    case LabelCheck::Zero:
        m_operator.Message(LabelZeroMessage(), MessageIcon::Exclamation);
        break;
    case LabelCheck::NotInteger:
        m_operator.Message("Введите целое число."_cp, MessageIcon::Exclamation);
        break;
    }
    m_edit->setFocus();
    m_edit->selectAll();
}

} // namespace norvak
