#include "phrasedictdlg.h"

#include "charlistctrl.h"
#include "dialogkeys.h"
#include "listfilter.h"
#include "core/literal.h"
#include "core/operatorio.h"
#include "core/textcore.h"
#include "dictionaries/dictentry.h"
#include "requisites/cases.h"
#include "textcodec.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace norvak {

QStringList GenderNames() {
    return {QStringLiteral("Мужской род"), QStringLiteral("Женский род"),
            QStringLiteral("Средний род")};
}

EntryFormLayout KindFormSpec() {
    EntryFormLayout s;
    s.title = QStringLiteral("Внести в словарь видов документов");
    s.gender = true;
    s.genderLabel = QStringLiteral("Род вида документа");
    s.quote = true;
    s.quoteLabel = QStringLiteral("Название документа заносить в скобку");
    return s;
}

EntryFormLayout KindAliasFormSpec() {
    EntryFormLayout s;
    s.title = QStringLiteral("Новый псевдоним");
    return s;
}

EntryFormLayout OrganFormSpec() {
    EntryFormLayout s;
    s.title = QStringLiteral("Внести в словарь принявших органов");
    s.genitive = true;
    s.letterCase = true;
    s.letterCaseLabel = QStringLiteral("Принявший орган с учётом регистра");
    return s;
}

EntryFormLayout OrganAliasFormSpec() {
    EntryFormLayout s;
    s.title = QStringLiteral("Новый псевдоним");
    s.genitive = true;
    return s;
}

QString AliasNominatives(const std::vector<CCases>& aliases) {
    QStringList names;
    for (const CCases& a : aliases)
        names << BytesToQString(a.Form(CaseNominative));
    return names.join(QStringLiteral(", "));
}

std::string NormalizedBytes(const QString& text) { return NormalizeName(QStringToBytes(text)); }

QPushButton* MakeButton(const QString& text, QWidget* parent, const char* objectName) {
    auto* b = new QPushButton(text, parent);
    if (objectName != nullptr)
        b->setObjectName(QString::fromLatin1(objectName));
    b->setAutoDefault(false);
    return b;
}

QDialogButtonBox* MakeOkCancel(QDialog* dialog, bool okDefault, const QString& cancelText) {
    auto* buttons = new QDialogButtonBox(dialog);
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    QPushButton* cancel = buttons->addButton(cancelText, QDialogButtonBox::RejectRole);
    if (okDefault) {
        ok->setDefault(true);
    } else {
        ok->setAutoDefault(false);
        cancel->setAutoDefault(false);
    }
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

void LayOutListDialog(QDialog* dialog, QWidget* list, std::initializer_list<QPushButton*> side,
                      const QString& countText, QLabel* count, QLineEdit* newName,
                      std::initializer_list<QPushButton*> newButtons) {
    QDialogButtonBox* buttons = MakeOkCancel(dialog, false);

    auto* sideColumn = new QVBoxLayout;
    for (QPushButton* b : side)
        sideColumn->addWidget(b);
    sideColumn->addStretch(1);

    auto* countRow = new QHBoxLayout;
    countRow->addWidget(new QLabel(countText, dialog));
    countRow->addWidget(count);
    countRow->addStretch(1);

    auto* newRow = new QHBoxLayout;
    newRow->addWidget(newName, 1);
    for (QPushButton* b : newButtons)
        newRow->addWidget(b);

    // Above the list, a filter box that hides the rows not containing its text.
    auto* listColumn = new QVBoxLayout;
    if (auto* view = qobject_cast<QTreeView*>(list)) {
        QLineEdit* filter = MakeFilterBox(dialog);
        new CListFilter(filter, view);
        listColumn->addWidget(filter);
    }
    listColumn->addWidget(list, 1);

    auto* grid = new QGridLayout;
    grid->addLayout(listColumn, 0, 0);
    grid->addLayout(sideColumn, 0, 1);
    grid->addLayout(countRow, 1, 0);
    grid->addLayout(newRow, 2, 0);
    grid->setRowStretch(0, 1);

    auto* layout = new QVBoxLayout(dialog);
    layout->addLayout(grid, 1);
    layout->addWidget(buttons);
}

QString ChooseListingPath(QWidget* parent, const std::function<QString(const QString&)>& provider,
                          const QString& name) {
    if (provider)
        return provider(name);
    QFileDialog dialog(parent, QStringLiteral("Сохранить как"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(QStringLiteral("Текстовые файлы(*.txt)"));
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.selectFile(name);
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        return dialog.selectedFiles().front();
    return QString();
}

// ---------------------------------------------------------------------------- list dialog

CPhraseDictDlg::CPhraseDictDlg(const PhraseDictTexts& texts, COperator& op, QWidget* parent)
    : QDialog(parent), m_texts(texts), m_op(op) {}

void CPhraseDictDlg::Build() {
    setWindowTitle(m_texts.title);
    setObjectName(QStringLiteral("PhraseDictDlg"));
    setMinimumSize(480, 300);
    setSizeGripEnabled(true);

    m_list = new CCharListCtrl(this);
    m_list->setObjectName(QStringLiteral("DictList"));
    m_model = new CDictListModel(
        {QStringLiteral("№"), m_texts.namesColumn, m_texts.aliasesColumn},
        [this] { return Count(); },
        [this](int row, int column) -> QString {
            switch (column) {
            case 0: return QString::number(row + 1);
            case 1: return BytesToQString(Name(row));
            default: return AliasNames(row);
            }
        },
        this);
    m_model->SetRightAligned(0);
    m_list->setModel(m_model);
    m_list->header()->setStretchLastSection(true);
    m_list->header()->resizeSection(0, 50);
    m_list->header()->resizeSection(1, 300);
    m_list->header()->resizeSection(2, 300);
    m_list->installEventFilter(this);
    connect(m_list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CPhraseDictDlg::UpdateButtons);
    connect(m_list, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& i) {
        m_list->SelectOnly(i.row());
        OnDetails();
    });

    m_count = new QLabel(this);
    m_count->setObjectName(QStringLiteral("CountLabel"));
    m_newName = new QLineEdit(this);
    m_newName->setObjectName(QStringLiteral("NewNameEdit"));
    m_newName->setPlaceholderText(QStringLiteral("Именительный падеж нового названия"));
    m_newName->installEventFilter(this);

    auto button = [this](const QString& text, const char* name) {
        return MakeButton(text, this, name);
    };
    QPushButton* enter = button(QStringLiteral("Внести"), "EnterButton");
    QPushButton* add = button(QStringLiteral("Добавить"), "AddButton");
    add->setToolTip(QStringLiteral("Внести новое название, заполнив все его формы"));
    m_details = button(QStringLiteral("Дополнительно"), "DetailsButton");
    m_delete = button(QStringLiteral("Удалить"), "DeleteButton");
    QPushButton* clear = button(QStringLiteral("Очистить"), "ClearButton");
    QPushButton* save = button(QStringLiteral("Сохранить"), "SaveButton");
    save->setToolTip(QStringLiteral("Сохранить список словаря в текстовый файл"));
    connect(enter, &QPushButton::clicked, this, &CPhraseDictDlg::OnEnter);
    connect(add, &QPushButton::clicked, this, &CPhraseDictDlg::OnAdd);
    connect(m_details, &QPushButton::clicked, this, &CPhraseDictDlg::OnDetails);
    connect(m_delete, &QPushButton::clicked, this, &CPhraseDictDlg::OnDelete);
    connect(clear, &QPushButton::clicked, this, &CPhraseDictDlg::OnClear);
    connect(save, &QPushButton::clicked, this, &CPhraseDictDlg::OnSave);

    LayOutListDialog(this, m_list, {m_details, m_delete, clear, save}, m_texts.countLabel, m_count,
                     m_newName, {enter, add});
    if (auto* filter = findChild<QLineEdit*>(QStringLiteral("FilterEdit")))
        filter->installEventFilter(this);
    resize(760, 480);

    Refresh();
    UpdateButtons();
}

void CPhraseDictDlg::UpdateButtons() {
    const int n = m_list->SelectedCount();
    m_details->setEnabled(n == 1);
    m_delete->setEnabled(n >= 1);
}

void CPhraseDictDlg::Refresh() {
    const QList<int> selected = m_list->SelectedRows();
    int index = selected.isEmpty() ? -1 : selected.front();
    const std::string name = index >= 0 && index < Count() ? Name(index) : std::string();
    // An order that is already sorted stays as the sort would leave it: skip the sort then.
    if (!IsSortedByName())
        SortByName();
    m_model->Reset();
    m_count->setText(QString::number(Count()));
    if (index < 0 || Count() == 0) {
        UpdateButtons();
        return;
    }
    index = std::min(index, Count() - 1);
    if (Name(index) != name && index + 1 < Count() && Name(index + 1) == name)
        ++index;
    m_list->SelectOnly(index);
    UpdateButtons();
}

int CPhraseDictDlg::RowOf(const std::string& name) const {
    for (int r = 0; r < Count(); ++r)
        if (Name(r) == name)
            return r;
    return -1;
}

void CPhraseDictDlg::RefuseDuplicate(const std::string& name, int row) {
    m_list->SelectOnly(row);
    m_list->scrollTo(m_list->model()->index(row, 0));
    m_op.Message(DuplicateMessage(name, row), MessageIcon::Exclamation);
}

void CPhraseDictDlg::ShowAdded(const std::string& added) {
    SetModified();
    Refresh();
    const int row = RowOf(added);
    if (row >= 0) {
        m_list->SelectOnly(row);
        m_list->scrollTo(m_list->model()->index(row, 0));
    }
    UpdateButtons();
}

void CPhraseDictDlg::OnEnter() {
    const QString text = m_newName->text().trimmed();
    const std::string name = NormalizedBytes(text);
    if (const int row = name.empty() ? -1 : RowOf(name); row >= 0) {
        RefuseDuplicate(name, row);
        return;
    }
    const std::string added = AddEntry(text);
    if (added.empty())
        return;
    m_newName->clear();
    ShowAdded(added);
}

void CPhraseDictDlg::OnAdd() {
    const std::string added = AddEntry(QString());
    if (!added.empty())
        ShowAdded(added);
}

void CPhraseDictDlg::OnDetails() {
    const QList<int> rows = m_list->SelectedRows();
    if (rows.size() != 1)
        return;
    if (!EditDetails(rows.front()))
        return;
    SetModified();
    Refresh();
}

void CPhraseDictDlg::OnDelete() {
    QList<int> rows = m_list->SelectedRows();
    if (rows.isEmpty())
        return;
    std::sort(rows.begin(), rows.end(), std::greater<int>());
    for (int r : rows)
        RemoveAt(r);
    SetModified();
    // The row now at the index of the first one removed is selected, so that the operator
    // sees where the list went on.
    Refresh();
}

void CPhraseDictDlg::OnClear() {
    if (!ConfirmRemoveAll())
        return;
    SetModified();
    Refresh();
}

void CPhraseDictDlg::OnSave() {
    const QString path = ChooseListingPath(this, m_listingPath, m_texts.listingName);
    if (path.isEmpty())
        return;
    SaveListing(path.toStdString());
    Refresh(); // the listing sorts the kinds and bodies
}

void CPhraseDictDlg::reject() {
    switch (AskOnCancel(m_op, m_modified)) {
    case CancelChoice::Keep: accept(); break;
    case CancelChoice::Discard: QDialog::reject(); break;
    case CancelChoice::Stay: break;
    }
}

bool CPhraseDictDlg::eventFilter(QObject* object, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(object, event);
    auto* key = static_cast<QKeyEvent*>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (object == m_newName && enter) {
        OnEnter();
        return true;
    }
    if (m_list->SelectedCount() != 1)
        return QDialog::eventFilter(object, event);
    if (object == m_list && enter) {
        OnDetails();
        return true;
    }
    // The text boxes keep Delete for themselves; every other control passes it on to the
    // dialog.
    if (qobject_cast<QLineEdit*>(object) != nullptr && key->key() == Qt::Key_Delete)
        OnDelete(); // and the key goes on as usual
    return QDialog::eventFilter(object, event);
}

void CPhraseDictDlg::keyPressEvent(QKeyEvent* event) {
    // Delete reaches here from whichever control has the focus and does not use it itself.
    if (event->key() == Qt::Key_Delete && m_list->SelectedCount() == 1) {
        OnDelete();
        return;
    }
    if (HandleDialogEnter(this, event))
        return;
    QDialog::keyPressEvent(event);
}

// ---------------------------------------------------------------------------- entry form

CEntryFormDlg::CEntryFormDlg(const EntryFormLayout& fields, const QString& nominative,
                             COperator& op, QWidget* parent)
    : QDialog(parent), m_layout(fields), m_op(op) {
    setObjectName(QStringLiteral("EntryFormDlg"));
    setWindowTitle(fields.title);
    auto* form = new QFormLayout;
    auto edit = [this](const char* name) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QString::fromLatin1(name));
        e->setMinimumWidth(360);
        return e;
    };
    m_nominative = edit("NominativeEdit");
    m_nominative->setText(nominative);
    form->addRow(QStringLiteral("Именительный падеж:"), m_nominative);
    if (fields.genitive) {
        m_genitive = edit("GenitiveEdit");
        form->addRow(QStringLiteral("Родительный падеж:"), m_genitive);
    }
    m_instrumental = edit("InstrumentalEdit");
    form->addRow(QStringLiteral("Творительный падеж:"), m_instrumental);
    if (fields.gender) {
        m_gender = new QComboBox(this);
        m_gender->setObjectName(QStringLiteral("GenderBox"));
        m_gender->addItems(GenderNames());
        form->addRow(fields.genderLabel, m_gender);
    }
    if (fields.quote) {
        m_quote = new QCheckBox(fields.quoteLabel, this);
        m_quote->setObjectName(QStringLiteral("QuoteCheck"));
        form->addRow(QString(), m_quote);
    }
    if (fields.letterCase) {
        m_letterCase = edit("LetterCaseEdit");
        form->addRow(fields.letterCaseLabel, m_letterCase);
    }
    auto* hint = new QLabel(QStringLiteral("Формы вводятся в любом регистре; в словарь они "
                                           "заносятся прописными буквами."),
                            this);
    hint->setWordWrap(true);
    QDialogButtonBox* buttons = MakeOkCancel(this, true);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(hint);
    layout->addWidget(buttons);
    (nominative.isEmpty() ? m_nominative : m_genitive ? m_genitive : m_instrumental)->setFocus();
}

std::string CEntryFormDlg::Nominative() const { return NormalizedBytes(m_nominative->text()); }
CCases CEntryFormDlg::Forms() const {
    CCases forms;
    forms.SetForm(CaseNominative, Nominative());
    if (m_genitive)
        forms.SetForm(CaseGenitive, Genitive());
    forms.SetForm(CaseInstrumental, Instrumental());
    return forms;
}

std::string CEntryFormDlg::Genitive() const {
    return m_genitive ? NormalizedBytes(m_genitive->text()) : std::string();
}
std::string CEntryFormDlg::Instrumental() const { return NormalizedBytes(m_instrumental->text()); }
int CEntryFormDlg::Gender() const { return m_gender ? m_gender->currentIndex() : 0; }
bool CEntryFormDlg::Quote() const { return m_quote && m_quote->isChecked(); }
std::string CEntryFormDlg::LetterCase() const {
    return m_letterCase ? QStringToBytes(m_letterCase->text()) : std::string();
}

std::string DuplicateMessage(const std::string& name, int row) {
    return std::string("«"_cp) + name + std::string("» уже есть в словаре (строка "_cp) +
           std::to_string(row + 1) + std::string("): второй раз это название не вносится."_cp);
}

void CEntryFormDlg::accept() {
    if (Nominative().empty()) {
        m_op.Message("Не заполнен именительный падеж."_cp, MessageIcon::Exclamation);
        m_nominative->setFocus();
        return;
    }
    if (const int row = m_existing ? m_existing(Nominative()) : -1; row >= 0) {
        m_op.Message(DuplicateMessage(Nominative(), row), MessageIcon::Exclamation);
        m_nominative->setFocus();
        m_nominative->selectAll();
        return;
    }
    const bool noGenitive = m_genitive != nullptr && Genitive().empty();
    const bool noInstrumental = Instrumental().empty();
    if (noGenitive || noInstrumental) {
        std::string question;
        if (noGenitive && noInstrumental)
            question = "Не заполнены родительный и творительный падежи: в этих падежах "
                       "название не будет найдено в тексте.\nВнести без них?"_cp;
        else if (noGenitive)
            question = "Не заполнен родительный падеж: в этом падеже название не будет "
                       "найдено в тексте.\nВнести без него?"_cp;
        else
            question = "Не заполнен творительный падеж: в этом падеже название не будет "
                       "найдено в тексте.\nВнести без него?"_cp;
        if (m_op.AskYesNo(question) != Answer::Yes) {
            (noGenitive ? m_genitive : m_instrumental)->setFocus();
            return;
        }
    }
    QDialog::accept();
}

// ---------------------------------------------------------------------------- details dialog

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
    case CaseGenitive: return QStringLiteral("Родительный падеж");
    case CaseInstrumental: return QStringLiteral("Творительный падеж");
    default: return QStringLiteral("Именительный падеж");
    }
}

} // namespace

void CEntryDetailsDlg::Build(CDictEntry& entry, QFormLayout* form,
                             const EntryFormLayout& aliasForm, const QString& cancelText) {
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
