#include "gotolinedlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace norvak {

CGotoLineDlg::CGotoLineDlg(QWidget* parent, int lineCount) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Перейти на строку"));
    m_spin = new QSpinBox(this);
    m_spin->setRange(1, std::max(1, lineCount));
    m_spin->setValue(1);
    m_spin->setWrapping(true);
    m_spin->setMinimumWidth(100);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Номер строки"), m_spin);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("Перейти"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QStringLiteral("Отмена"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    m_spin->selectAll();
}

int CGotoLineDlg::Line() const { return m_spin->value(); }

} // namespace norvak
