#include "docdictdlg.h"

#include "core/literal.h"
#include "core/operatorio.h"
#include "textcodec.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>

#include <algorithm>

namespace norvak {

CDocDictDlg::CDocDictDlg(CDocDict& copy, COperator& op, QWidget* parent)
    : CEntryDictDlg(
          {QStringLiteral("Словарь видов документов"),
           QStringLiteral("Количество видов документов:"), QStringLiteral("Виды документов"),
           QStringLiteral("Псевдонимы видов документов"), QStringLiteral("Виды документов")},
          copy, op, parent) {
    setObjectName(QStringLiteral("DocDictDlg"));
    Build();
}

void CDocKindDlg::TakeNewEntry(CDocKindEntry& entry, const CEntryFormDlg& form) {
    entry.SetGender(form.Gender());
    entry.SetQuoteTitle(form.Quote() ? 1 : 0);
}

CDocKindDlg::CDocKindDlg(const CDocKindEntry& entry, COperator& op, QWidget* parent)
    : CEntryDetailsDlg(op, parent), m_entry(entry) {
    setObjectName(QStringLiteral("DocKindDlg"));
    setWindowTitle(QStringLiteral("Дополнительно"));
    setSizeGripEnabled(true);
    auto* nominative = new QLineEdit(BytesToQString(entry.Name()), this);
    nominative->setReadOnly(true);
    m_instrumental = new QLineEdit(BytesToQString(entry.GetCases().Form(CaseInstrumental)), this);
    m_instrumental->setObjectName(QStringLiteral("InstrumentalEdit"));
    m_gender = new QComboBox(this);
    m_gender->addItems(GenderNames());
    m_gender->setCurrentIndex(std::clamp<int>(entry.Gender(), 0, 2));
    m_quote = new QCheckBox(QStringLiteral("В названии помещать в кавычки"), this);
    m_quote->setChecked(entry.QuoteTitle() != 0);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Иминительный падеж:"), nominative);
    form->addRow(QStringLiteral("Творительный падеж:"), m_instrumental);
    form->addRow(QStringLiteral("Род документа"), m_gender);
    form->addRow(QString(), m_quote);
    Build(m_entry, form, KindAliasFormSpec(), QStringLiteral("Отмена"));
    resize(660, 420);
}

void CDocKindDlg::accept() {
    if (NormalizedBytes(m_instrumental->text()).empty() &&
        Op().AskYesNo("Не заполнен творительный падеж: в этом падеже название не будет "
                      "найдено в тексте.\nСохранить без него?"_cp) != Answer::Yes) {
        m_instrumental->setFocus();
        return;
    }
    StoreAliases();
    m_entry.GetCases().SetForm(CaseInstrumental, NormalizedBytes(m_instrumental->text()));
    m_entry.SetQuoteTitle(m_quote->isChecked() ? 1 : 0);
    m_entry.SetGender(m_gender->currentIndex());
    QDialog::accept();
}

} // namespace norvak
