#include "docdictdlg.h"

#include "core/literal.h"
#include "core/operatorio.h"
#include "textcodec.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace norvak {

CDocDictDlg::CDocDictDlg(CDocDict& copy, COperator& op, QWidget* parent)
    : CPhraseDictDlg({QStringLiteral("Словарь видов документов"),
                      QStringLiteral("Количество видов документов:"),
                      QStringLiteral("Виды документов"),
                      QStringLiteral("Псевдонимы видов документов"),
                      QStringLiteral("Виды документов")},
                     op, parent),
      m_dict(copy) {
    setObjectName(QStringLiteral("DocDictDlg"));
    Build();
}

QString CDocDictDlg::AliasNames(int row) const {
    return AliasNominatives(m_dict.GetAt(row).Aliases());
}

bool CDocDictDlg::IsSortedByName() const {
    const auto& e = m_dict.Entries();
    for (std::size_t i = 1; i < e.size(); ++i)
        if (detail::BytesLess(e[i].Name(), e[i - 1].Name()))
            return false;
    return true;
}

bool CDocDictDlg::EditDetails(int row) {
    CDocKindDlg dialog(m_dict.GetAt(row), Op(), this);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    m_dict.GetAt(row) = dialog.Entry();
    return true;
}

bool CDocDictDlg::AddEntry(const QString& nominative) {
    CEntryFormDlg form(KindFormSpec(), nominative, Op(), this);
    if (form.exec() != QDialog::Accepted)
        return false;
    CDocKindEntry entry = m_dict.CreateEntry();
    entry.GetCases().SetForm(CaseNominative, form.Nominative());
    entry.GetCases().SetForm(CaseInstrumental, form.Instrumental());
    entry.SetGender(form.Gender());
    entry.SetQuoteTitle(form.Quote() ? 1 : 0);
    m_dict.Add(entry);
    return true;
}

CDocKindDlg::CDocKindDlg(const CDocKindEntry& entry, COperator& op, QWidget* parent)
    : QDialog(parent), m_entry(entry), m_op(op) {
    setObjectName(QStringLiteral("DocKindDlg"));
    setWindowTitle(QStringLiteral("Дополнительно"));
    setSizeGripEnabled(true);
    auto* nominative = new QLineEdit(BytesToQString(entry.Name()), this);
    nominative->setReadOnly(true);
    m_instrumental =
        new QLineEdit(BytesToQString(entry.GetCases().Form(CaseInstrumental)), this);
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

    m_aliases = MakeAliasList({QStringLiteral("Именительный падеж"),
                               QStringLiteral("Творительный падеж")},
                              this);
    m_newAlias = new QLineEdit(this);
    m_newAlias->setObjectName(QStringLiteral("NewAliasEdit"));
    auto* addAlias = new QPushButton(QStringLiteral("Добавить"), this);
    addAlias->setAutoDefault(false);
    m_deleteAlias = new QPushButton(QStringLiteral("Удалить"), this);
    m_deleteAlias->setAutoDefault(false);
    m_deleteAlias->setEnabled(false);
    auto* deleteAll = new QPushButton(QStringLiteral("Удалить всё"), this);
    deleteAll->setAutoDefault(false);
    connect(addAlias, &QPushButton::clicked, this, &CDocKindDlg::OnAddAlias);
    connect(m_newAlias, &QLineEdit::returnPressed, this, &CDocKindDlg::OnAddAlias);
    connect(m_deleteAlias, &QPushButton::clicked, this, &CDocKindDlg::OnDeleteAliases);
    connect(deleteAll, &QPushButton::clicked, this, &CDocKindDlg::OnDeleteAllAliases);
    connect(m_aliases, &QTreeWidget::itemSelectionChanged, this,
            [this] { m_deleteAlias->setEnabled(!m_aliases->selectedItems().isEmpty()); });

    auto* aliasRow = new QHBoxLayout;
    aliasRow->addWidget(new QLabel(QStringLiteral("Новый псевдоним"), this));
    aliasRow->addWidget(m_newAlias, 1);
    aliasRow->addWidget(addAlias);
    aliasRow->addWidget(m_deleteAlias);
    aliasRow->addWidget(deleteAll);

    auto* buttons = new QDialogButtonBox(this);
    auto* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setAutoDefault(false);
    buttons->addButton(QStringLiteral("Отмена"), QDialogButtonBox::RejectRole)
        ->setAutoDefault(false);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(new QLabel(QStringLiteral("Псевдонимы"), this));
    layout->addWidget(m_aliases, 1);
    layout->addLayout(aliasRow);
    layout->addWidget(buttons);
    FillAliases();
    resize(660, 420);
}

void CDocKindDlg::FillAliases() {
    m_aliases->clear();
    for (const CCases& a : m_entry.Aliases())
        new QTreeWidgetItem(m_aliases, {BytesToQString(a.Form(CaseNominative)),
                                        BytesToQString(a.Form(CaseInstrumental))});
    m_deleteAlias->setEnabled(false);
}

void CDocKindDlg::OnAddAlias() {
    CEntryFormDlg form(KindAliasFormSpec(), m_newAlias->text().trimmed(), m_op, this);
    if (form.exec() != QDialog::Accepted)
        return;
    CCases alias;
    alias.SetForm(CaseNominative, form.Nominative());
    alias.SetForm(CaseInstrumental, form.Instrumental());
    m_entry.AddAlias(alias);
    m_newAlias->clear();
    FillAliases();
}

void CDocKindDlg::OnDeleteAliases() {
    QList<int> rows;
    for (QTreeWidgetItem* item : m_aliases->selectedItems())
        rows << m_aliases->indexOfTopLevelItem(item);
    std::sort(rows.begin(), rows.end(), std::greater<int>());
    for (int r : rows)
        m_entry.RemoveAlias(r);
    FillAliases();
}

void CDocKindDlg::OnDeleteAllAliases() {
    if (m_entry.ConfirmRemoveAllAliases(m_op))
        FillAliases();
}

void CDocKindDlg::accept() {
    if (NormalizedBytes(m_instrumental->text()).empty() &&
        m_op.AskYesNo("Не заполнен творительный падеж: в этом падеже название не будет "
                      "найдено в тексте.\nСохранить без него?"_cp) != Answer::Yes) {
        m_instrumental->setFocus();
        return;
    }
    std::vector<CCases> aliases;
    for (int i = 0; i < m_aliases->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = m_aliases->topLevelItem(i);
        CCases a;
        a.SetForm(CaseNominative, NormalizedBytes(item->text(0)));
        a.SetForm(CaseInstrumental, NormalizedBytes(item->text(1)));
        aliases.push_back(a);
    }
    m_entry.SetAliases(std::move(aliases));
    m_entry.GetCases().SetForm(CaseInstrumental, NormalizedBytes(m_instrumental->text()));
    m_entry.SetQuoteTitle(m_quote->isChecked() ? 1 : 0);
    m_entry.SetGender(m_gender->currentIndex());
    QDialog::accept();
}

} // namespace norvak
