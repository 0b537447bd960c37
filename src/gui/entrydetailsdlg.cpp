#include "entrydetailsdlg.h"

#include "core/literal.h"
#include "core/operatorio.h"
#include "core/textcore.h"
#include "dialoghelpers.h"
#include "dialogkeys.h"
#include "dictionaries/dictentry.h"
#include "entryforms.h"
#include "textcodec.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace norvak {

namespace {

// An alias list of a details dialog: columns of case forms, full-row selection.
QTreeWidget* MakeAliasList(const QStringList& columns, QWidget* parent) {
    auto* list = new QTreeWidget(parent);
    list->setObjectName(QStringLiteral("AliasList"));
    list->setColumnCount(static_cast<int>(columns.size()));
    list->setHeaderLabels(columns);
    list->setRootIsDecorated(false);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setAllColumnsShowFocus(true);
    list->setUniformRowHeights(true);
    for (int c = 0; c < columns.size(); ++c)
        list->header()->resizeSection(c, 300);
    list->setMinimumHeight(120);
    return list;
}

QString CaseColumn(CaseIndex c) {
    switch (c) {
    case CaseGenitive:
        return QStringLiteral("Родительный падеж");
    case CaseInstrumental:
        return QStringLiteral("Творительный падеж");
    default:
        return QStringLiteral("Именительный падеж");
    }
}

} // namespace

void CEntryDetailsDlg::Build(CDictEntry& entry, QFormLayout* form, const EntryFormLayout& aliasForm,
                             const QString& cancelText) {
    m_entry = &entry;
    m_aliasForm = aliasForm;
    m_aliasCases = {CaseNominative};
    if (aliasForm.genitive)
        m_aliasCases.push_back(CaseGenitive);
    m_aliasCases.push_back(CaseInstrumental);
    QStringList columns;
    for (CaseIndex c : m_aliasCases)
        columns << CaseColumn(c);
    m_aliases = MakeAliasList(columns, this);
    m_newAlias = new QLineEdit(this);
    m_newAlias->setObjectName(QStringLiteral("NewAliasEdit"));
    QPushButton* addAlias = MakeButton(QStringLiteral("Добавить"), this);
    m_deleteAlias = MakeButton(QStringLiteral("Удалить"), this);
    m_deleteAlias->setEnabled(false);
    QPushButton* deleteAll = MakeButton(QStringLiteral("Удалить всё"), this);
    connect(addAlias, &QPushButton::clicked, this, &CEntryDetailsDlg::OnAddAlias);
    connect(m_newAlias, &QLineEdit::returnPressed, this, &CEntryDetailsDlg::OnAddAlias);
    connect(m_deleteAlias, &QPushButton::clicked, this, &CEntryDetailsDlg::OnDeleteAliases);
    connect(deleteAll, &QPushButton::clicked, this, &CEntryDetailsDlg::OnDeleteAllAliases);
    connect(m_aliases, &QTreeWidget::itemSelectionChanged, this,
            [this] { m_deleteAlias->setEnabled(!m_aliases->selectedItems().isEmpty()); });

    auto* aliasRow = new QHBoxLayout;
    aliasRow->addWidget(new QLabel(QStringLiteral("Новый псевдоним"), this));
    aliasRow->addWidget(m_newAlias, 1);
    aliasRow->addWidget(addAlias);
    aliasRow->addWidget(m_deleteAlias);
    aliasRow->addWidget(deleteAll);

    QDialogButtonBox* buttons = MakeOkCancel(this, false, cancelText);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(new QLabel(QStringLiteral("Псевдонимы"), this));
    layout->addWidget(m_aliases, 1);
    layout->addLayout(aliasRow);
    layout->addWidget(buttons);
    FillAliases();
}

void CEntryDetailsDlg::keyPressEvent(QKeyEvent* event) {
    // Enter in "Новый псевдоним" has added the alias; it must not press OK as well.
    if (!HandleDialogEnter(this, event))
        QDialog::keyPressEvent(event);
}

void CEntryDetailsDlg::FillAliases() {
    m_aliases->clear();
    for (const CCases& a : m_entry->Aliases()) {
        QStringList forms;
        for (CaseIndex c : m_aliasCases)
            forms << BytesToQString(a.Form(c));
        new QTreeWidgetItem(m_aliases, forms);
    }
    m_deleteAlias->setEnabled(false);
}

void CEntryDetailsDlg::OnAddAlias() {
    CEntryFormDlg form(m_aliasForm, m_newAlias->text().trimmed(), m_op, this);
    if (form.exec() != QDialog::Accepted)
        return;
    m_entry->AddAlias(form.Forms());
    m_newAlias->clear();
    FillAliases();
}

void CEntryDetailsDlg::OnDeleteAliases() {
    QList<int> rows;
    for (QTreeWidgetItem* item : m_aliases->selectedItems())
        rows << m_aliases->indexOfTopLevelItem(item);
    std::sort(rows.begin(), rows.end(), std::greater<int>());
    for (int r : rows)
        m_entry->RemoveAlias(r);
    FillAliases();
}

void CEntryDetailsDlg::OnDeleteAllAliases() {
    if (m_entry->ConfirmRemoveAllAliases(m_op))
        FillAliases();
}

void CEntryDetailsDlg::StoreAliases() {
    std::vector<CCases> aliases;
    for (int i = 0; i < m_aliases->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = m_aliases->topLevelItem(i);
        CCases a;
        for (int column = 0; column < static_cast<int>(m_aliasCases.size()); ++column)
            a.SetForm(m_aliasCases[static_cast<std::size_t>(column)],
                      NormalizedBytes(item->text(column)));
        aliases.push_back(a);
    }
    m_entry->SetAliases(std::move(aliases));
}

} // namespace norvak
