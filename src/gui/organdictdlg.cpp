#include "organdictdlg.h"

#include "core/literal.h"
#include "core/operatorio.h"
#include "textcodec.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace norvak {

COrganDictDlg::COrganDictDlg(COrganDict& copy, COperator& op, QWidget* parent)
    : CPhraseDictDlg({QStringLiteral("Словарь принявших органов"),
                      QStringLiteral("Количество принявших органов:"),
                      QStringLiteral("Принявшие органы"),
                      QStringLiteral("Псевдонимы принявших органов"),
                      QStringLiteral("Принявшие органы")},
                     op, parent),
      m_dict(copy) {
    setObjectName(QStringLiteral("OrganDictDlg"));
    Build();
}

QString COrganDictDlg::AliasNames(int row) const {
    return AliasNominatives(m_dict.GetAt(row).Aliases());
}

bool COrganDictDlg::IsSortedByName() const {
    const auto& e = m_dict.Entries();
    for (std::size_t i = 1; i < e.size(); ++i)
        if (detail::BytesLess(e[i].Name(), e[i - 1].Name()))
            return false;
    return true;
}

bool COrganDictDlg::EditDetails(int row) {
    COrganDlg dialog(m_dict.GetAt(row), Op(), this);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    m_dict.GetAt(row) = dialog.Entry();
    return true;
}

bool COrganDictDlg::AddEntry(const QString& nominative) {
    CEntryFormDlg form(OrganFormSpec(), nominative, Op(), this);
    if (form.exec() != QDialog::Accepted)
        return false;
    COrganEntry entry = m_dict.CreateEntry();
    entry.GetCases().SetForm(CaseNominative, form.Nominative());
    entry.GetCases().SetForm(CaseGenitive, form.Genitive());
    entry.GetCases().SetForm(CaseInstrumental, form.Instrumental());
    entry.SetLetterCaseName(form.LetterCase());
    m_dict.Add(entry);
    return true;
}

COrganDlg::COrganDlg(const COrganEntry& entry, COperator& op, QWidget* parent)
    : QDialog(parent), m_entry(entry), m_op(op) {
    setObjectName(QStringLiteral("OrganDlg"));
    setWindowTitle(QStringLiteral("Отмена"));
    setSizeGripEnabled(true);
    const CCases& c = entry.GetCases();
    auto* nominative = new QLineEdit(BytesToQString(entry.Name()), this);
    nominative->setReadOnly(true);
    m_genitive = new QLineEdit(BytesToQString(c.Form(CaseGenitive)), this);
    m_genitive->setObjectName(QStringLiteral("GenitiveEdit"));
    m_instrumental = new QLineEdit(BytesToQString(c.Form(CaseInstrumental)), this);
    m_instrumental->setObjectName(QStringLiteral("InstrumentalEdit"));
    m_letterCase = new QLineEdit(BytesToQString(entry.LetterCaseName()), this);
    m_letterCase->setObjectName(QStringLiteral("LetterCaseEdit"));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Иминительный падеж:"), nominative);
    form->addRow(QStringLiteral("Родительный падеж:"), m_genitive);
    form->addRow(QStringLiteral("Творительный падеж:"), m_instrumental);
    form->addRow(QStringLiteral("С учётом регистра:"), m_letterCase);

    m_aliases = MakeAliasList({QStringLiteral("Именительный падеж"),
                               QStringLiteral("Родительный падеж"),
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
    connect(addAlias, &QPushButton::clicked, this, &COrganDlg::OnAddAlias);
    connect(m_newAlias, &QLineEdit::returnPressed, this, &COrganDlg::OnAddAlias);
    connect(m_deleteAlias, &QPushButton::clicked, this, &COrganDlg::OnDeleteAliases);
    connect(deleteAll, &QPushButton::clicked, this, &COrganDlg::OnDeleteAllAliases);
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
    buttons->addButton(QStringLiteral("Отменить"), QDialogButtonBox::RejectRole)
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
    resize(860, 460);
}

void COrganDlg::FillAliases() {
    m_aliases->clear();
    for (const CCases& a : m_entry.Aliases())
        new QTreeWidgetItem(m_aliases, {BytesToQString(a.Form(CaseNominative)),
                                        BytesToQString(a.Form(CaseGenitive)),
                                        BytesToQString(a.Form(CaseInstrumental))});
    m_deleteAlias->setEnabled(false);
}

void COrganDlg::OnAddAlias() {
    CEntryFormDlg form(OrganAliasFormSpec(), m_newAlias->text().trimmed(), m_op, this);
    if (form.exec() != QDialog::Accepted)
        return;
    CCases alias;
    alias.SetForm(CaseNominative, form.Nominative());
    alias.SetForm(CaseGenitive, form.Genitive());
    alias.SetForm(CaseInstrumental, form.Instrumental());
    m_entry.AddAlias(alias);
    m_newAlias->clear();
    FillAliases();
}

void COrganDlg::OnDeleteAliases() {
    QList<int> rows;
    for (QTreeWidgetItem* item : m_aliases->selectedItems())
        rows << m_aliases->indexOfTopLevelItem(item);
    std::sort(rows.begin(), rows.end(), std::greater<int>());
    for (int r : rows)
        m_entry.RemoveAlias(r);
    FillAliases();
}

void COrganDlg::OnDeleteAllAliases() {
    if (m_entry.ConfirmRemoveAllAliases(m_op))
        FillAliases();
}

void COrganDlg::accept() {
    const bool noGenitive = NormalizedBytes(m_genitive->text()).empty();
    const bool noInstrumental = NormalizedBytes(m_instrumental->text()).empty();
    if (noGenitive || noInstrumental) {
        const std::string question =
            noGenitive && noInstrumental
                ? std::string("Не заполнены родительный и творительный падежи: в этих падежах "
                              "название не будет найдено в тексте.\nСохранить без них?"_cp)
            : noGenitive ? std::string("Не заполнен родительный падеж: в этом падеже название "
                                       "не будет найдено в тексте.\nСохранить без него?"_cp)
                         : std::string("Не заполнен творительный падеж: в этом падеже название "
                                       "не будет найдено в тексте.\nСохранить без него?"_cp);
        if (m_op.AskYesNo(question) != Answer::Yes) {
            (noGenitive ? m_genitive : m_instrumental)->setFocus();
            return;
        }
    }
    std::vector<CCases> aliases;
    for (int i = 0; i < m_aliases->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = m_aliases->topLevelItem(i);
        CCases a;
        a.SetForm(CaseNominative, NormalizedBytes(item->text(0)));
        a.SetForm(CaseGenitive, NormalizedBytes(item->text(1)));
        a.SetForm(CaseInstrumental, NormalizedBytes(item->text(2)));
        aliases.push_back(a);
    }
    m_entry.SetAliases(std::move(aliases));
    m_entry.GetCases().SetForm(CaseGenitive, NormalizedBytes(m_genitive->text()));
    m_entry.GetCases().SetForm(CaseInstrumental, NormalizedBytes(m_instrumental->text()));
    m_entry.SetLetterCaseName(QStringToBytes(m_letterCase->text()));
    QDialog::accept();
}

} // namespace norvak
