#include "phrasedictdlg.h"

#include "charlistctrl.h"
#include "core/literal.h"
#include "core/operatorio.h"
#include "core/textcore.h"
#include "dialoghelpers.h"
#include "dialogkeys.h"
#include "entryformdlg.h"
#include "textcodec.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace norvak {

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
            case 0:
                return QString::number(row + 1);
            case 1:
                return BytesToQString(Name(row));
            default:
                return AliasNames(row);
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
    RejectAsking(*this, m_op, m_modified);
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

} // namespace norvak
