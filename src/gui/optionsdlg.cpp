#include "optionsdlg.h"

#include "textcodec.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace norvak {

COptionsDlg::COptionsDlg(QWidget* parent, const DocSettings& settings)
    : QDialog(parent), m_values(settings) {
    setWindowTitle(QStringLiteral("Параметры"));
    m_posParagraph = new QLineEdit(QString::number(settings.posParagraph), this);
    m_stringLength = new QLineEdit(QString::number(settings.stringLength), this);
    m_questionDoc = new QLineEdit(BytesToQString(settings.questionDoc), this);
    m_leftSpaces = new QLineEdit(QString::number(settings.leftSpaces), this);
    m_defineRecvisits =
        new QCheckBox(QStringLiteral("Определять реквизиты при открытии документа"), this);
    m_createTags = new QCheckBox(QStringLiteral("Создавать теги при открытии документа"), this);
    m_defineRecvisits->setChecked(settings.defineRecvisits != 0);
    m_createTags->setChecked(settings.createTags != 0);
    m_extendedRecvisits = new QCheckBox(QStringLiteral("Расширенное определение реквизитов"), this);
    m_extendedRecvisits->setChecked(settings.extendedRecvisits != 0);
    for (QLineEdit* e : {m_posParagraph, m_stringLength, m_leftSpaces})
        e->setMaximumWidth(80);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Позиция начала абзаца"), m_posParagraph);
    form->addRow(QStringLiteral("Длина строки"), m_stringLength);
    form->addRow(QStringLiteral("Вид документа-вопроса"), m_questionDoc);
    auto* leftLabel = new QLabel(QStringLiteral("Минимальное количество пробелов в левой части "
                                                "строки для текста, прижатого вправо"),
                                 this);
    leftLabel->setWordWrap(true);
    form->addRow(leftLabel, m_leftSpaces);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QStringLiteral("Отмена"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &COptionsDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &COptionsDlg::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_defineRecvisits);
    layout->addWidget(m_createTags);
    layout->addWidget(m_extendedRecvisits);
    layout->addWidget(buttons);
    setMinimumWidth(460);
}

bool COptionsDlg::Collect() {
    DocSettings v = m_values;
    struct Field {
        QLineEdit* edit;
        int* target;
        const SettingRange* range;
    };
    for (const Field& f : {Field{m_posParagraph, &v.posParagraph, &kPosParagraphRange},
                           Field{m_stringLength, &v.stringLength, &kStringLengthRange},
                           Field{m_leftSpaces, &v.leftSpaces, &kLeftSpacesRange}}) {
        bool ok = false;
        const int n = f.edit->text().trimmed().toInt(&ok);
        QString problem;
        if (!ok)
            problem = QStringLiteral("Введите целое число.");
        else if (!f.range->Contains(n))
            problem =
                QStringLiteral("Введите число от %1 до %2.").arg(f.range->min).arg(f.range->max);
        if (!problem.isEmpty()) {
            QMessageBox::warning(this, QStringLiteral("Norvak"), problem);
            f.edit->setFocus();
            f.edit->selectAll();
            return false;
        }
        *f.target = n;
    }
    v.questionDoc = QStringToBytes(m_questionDoc->text());
    v.defineRecvisits = m_defineRecvisits->isChecked() ? 1 : 0;
    v.createTags = m_createTags->isChecked() ? 1 : 0;
    v.extendedRecvisits = m_extendedRecvisits->isChecked() ? 1 : 0;
    m_values = v;
    return true;
}

void COptionsDlg::accept() {
    if (Collect())
        QDialog::accept();
}

} // namespace norvak
