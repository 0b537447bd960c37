#include "gotolinedlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace norvak {
namespace {

// The spin box of line numbers: any number of digits may be typed, so that a number beyond the
// range stays as typed (the dialog refuses it) instead of losing its last digits.
class CLineSpinBox : public QSpinBox {
public:
    explicit CLineSpinBox(QWidget* parent) : QSpinBox(parent) {
        // The number as typed: the spin box puts its last good value back when it loses the
        // focus or takes Enter, before "Перейти" could see a number out of range.
        connect(lineEdit(), &QLineEdit::textEdited, this,
                [this](const QString& t) { m_typed = t; });
    }
    const QString& Typed() const { return m_typed; }
    void ClearTyped() { m_typed.clear(); }
    void stepBy(int steps) override {
        m_typed.clear(); // the arrows choose a number of the range
        QSpinBox::stepBy(steps);
    }

protected:
    QValidator::State validate(QString& input, int& pos) const override {
        if (input.isEmpty())
            return QValidator::Intermediate;
        if (input.size() > 9)
            return QValidator::Invalid;
        for (QChar c : input)
            if (!c.isDigit())
                return QValidator::Invalid;
        const int n = input.toInt();
        return n >= minimum() && n <= maximum() ? QSpinBox::validate(input, pos)
                                                : QValidator::Intermediate;
    }

private:
    QString m_typed;
};

} // namespace

CGotoLineDlg::CGotoLineDlg(QWidget* parent, int lineCount) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Перейти на строку"));
    m_spin = new CLineSpinBox(this);
    m_spin->setObjectName(QStringLiteral("LineSpin"));
    m_spin->setRange(1, std::max(1, lineCount));
    m_spin->setValue(1);
    m_spin->setWrapping(true);
    m_spin->setMinimumWidth(100);
    m_problem = new QLabel(this);
    m_problem->setObjectName(QStringLiteral("LineProblem"));
    m_problem->setStyleSheet(QStringLiteral("color: #a40000;"));
    m_problem->hide();
    connect(m_spin, &QSpinBox::textChanged, m_problem, &QWidget::hide);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Номер строки"), m_spin);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("Перейти"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QStringLiteral("Отмена"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_problem);
    layout->addWidget(buttons);
    // Wide enough for the whole title in the window's frame.
    setMinimumWidth(std::max(300, fontMetrics().horizontalAdvance(windowTitle()) + 160));
    m_spin->selectAll();
}

void CGotoLineDlg::accept() {
    bool ok = false;
    auto* spin = static_cast<CLineSpinBox*>(m_spin);
    const int n = (spin->Typed().isEmpty() ? m_spin->cleanText() : spin->Typed()).toInt(&ok);
    spin->ClearTyped();
    if (!ok || n < m_spin->minimum() || n > m_spin->maximum()) {
        m_problem->setText(QStringLiteral("Номер строки должен быть от %1 до %2.")
                               .arg(m_spin->minimum())
                               .arg(m_spin->maximum()));
        m_problem->show();
        m_spin->setFocus();
        m_spin->selectAll();
        return;
    }
    m_spin->setValue(n);
    QDialog::accept();
}

int CGotoLineDlg::Line() const {
    return m_spin->value();
}

} // namespace norvak
