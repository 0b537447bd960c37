#include "sourcedictdlg.h"

#include "charlistctrl.h"
#include "dialoghelpers.h"
#include "dialogkeys.h"
#include "dictionaries/dictentry.h"
#include "textcodec.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace norvak {
namespace {

bool IsSorted(const std::vector<std::string>& v) {
    for (std::size_t i = 1; i < v.size(); ++i)
        if (detail::BytesLess(v[i], v[i - 1]))
            return false;
    return true;
}

} // namespace

CSourceDictDlg::CSourceDictDlg(CSourceDict& copy, COperator& op, QWidget* parent)
    : QDialog(parent), m_dict(copy), m_op(op) {
    setObjectName(QStringLiteral("SourceDictDlg"));
    setWindowTitle(QStringLiteral("Словарь источников публиаций"));
    setMinimumSize(480, 300);
    setSizeGripEnabled(true);
    m_list = new CCharListCtrl(this);
    m_list->setObjectName(QStringLiteral("DictList"));
    m_model = new CDictListModel(
        {QStringLiteral("№"), QStringLiteral("Источники публикаций")},
        [this] { return m_dict.GetCount(); },
        [this](int row, int column) {
            return column == 0 ? QString::number(row + 1)
                               : BytesToQString(m_dict.Sources()[static_cast<std::size_t>(row)]);
        },
        this);
    m_model->SetRightAligned(0);
    m_list->setModel(m_model);
    m_list->header()->resizeSection(0, 50);
    m_list->installEventFilter(this);
    m_count = new QLabel(this);
    m_count->setObjectName(QStringLiteral("CountLabel"));
    m_newSource = new QLineEdit(this);
    m_newSource->setObjectName(QStringLiteral("NewSourceEdit"));
    m_newSource->setPlaceholderText(QStringLiteral("Название нового источника"));
    m_newSource->installEventFilter(this);
    auto button = [this](const QString& text) { return MakeButton(text, this); };
    QPushButton* enter = button(QStringLiteral("Внести"));
    m_delete = button(QStringLiteral("Удалить"));
    m_delete->setEnabled(false);
    QPushButton* clear = button(QStringLiteral("Очистить"));
    QPushButton* save = button(QStringLiteral("Сохранить"));
    save->setToolTip(QStringLiteral("Сохранить список источников в текстовый файл"));
    connect(enter, &QPushButton::clicked, this, &CSourceDictDlg::OnEnter);
    connect(m_delete, &QPushButton::clicked, this, &CSourceDictDlg::OnDelete);
    connect(clear, &QPushButton::clicked, this, &CSourceDictDlg::OnClear);
    connect(save, &QPushButton::clicked, this, &CSourceDictDlg::OnSave);
    connect(m_list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { m_delete->setEnabled(m_list->SelectedCount() > 0); });

    LayOutListDialog(this, m_list, {m_delete, clear, save},
                     QStringLiteral("Количество видов документов:"), m_count, m_newSource, {enter});
    resize(640, 460);
    Refresh();
}

void CSourceDictDlg::Refresh() {
    const QList<int> selected = m_list->SelectedRows();
    int index = selected.isEmpty() ? -1 : selected.front();
    const std::string text = index >= 0 && index < m_dict.GetCount() ? m_dict.GetAt(index) : "";
    if (!IsSorted(m_dict.Sources()))
        m_dict.Sort();
    m_model->Reset();
    m_count->setText(QString::number(m_dict.GetCount()));
    if (index < 0 || m_dict.GetCount() == 0)
        return;
    index = std::min(index, m_dict.GetCount() - 1);
    if (m_dict.GetAt(index) != text && index + 1 < m_dict.GetCount() &&
        m_dict.GetAt(index + 1) == text)
        ++index;
    m_list->SelectOnly(index);
}

void CSourceDictDlg::OnEnter() {
    const std::string source = QStringToBytes(m_newSource->text().trimmed());
    if (source.empty())
        return;
    m_dict.Add(source);
    m_modified = true;
    m_newSource->clear();
    Refresh();
    for (int r = 0; r < m_dict.GetCount(); ++r)
        if (m_dict.GetAt(r) == source) {
            m_list->SelectOnly(r);
            break;
        }
}

void CSourceDictDlg::OnDelete() {
    QList<int> rows = m_list->SelectedRows();
    if (rows.isEmpty())
        return;
    std::sort(rows.begin(), rows.end(), std::greater<int>());
    for (int r : rows)
        m_dict.RemoveAt(r);
    m_modified = true;
    // The row now at the index of the first one removed stays selected.
    Refresh();
    m_delete->setEnabled(m_list->SelectedCount() > 0);
}

void CSourceDictDlg::reject() {
    RejectAsking(*this, m_op, m_modified);
}

void CSourceDictDlg::keyPressEvent(QKeyEvent* event) {
    if (!HandleDialogEnter(this, event))
        QDialog::keyPressEvent(event);
}

void CSourceDictDlg::OnClear() {
    if (!m_dict.ConfirmRemoveAll(m_op))
        return;
    m_modified = true;
    Refresh();
}

void CSourceDictDlg::OnSave() {
    const QString path =
        ChooseListingPath(this, m_listingPath, QStringLiteral("Источники публикаций"));
    if (!path.isEmpty())
        m_dict.SaveListing(path.toStdString(), m_op);
}

bool CSourceDictDlg::eventFilter(QObject* object, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (object == m_newSource && enter) {
            OnEnter();
            return true;
        }
        if (object == m_list && key->key() == Qt::Key_Delete && m_list->SelectedCount() > 0) {
            OnDelete();
            return true;
        }
    }
    return QDialog::eventFilter(object, event);
}

CSourceSelectDlg::CSourceSelectDlg(const CSourceDict& sources, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("SourceSelectDlg"));
    setWindowTitle(QStringLiteral("Источники публикаций"));
    setSizeGripEnabled(true);
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("SourceList"));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setUniformItemSizes(true);
    // Grid lines under the rows; the selected row keeps the highlight colours, which a style
    // sheet for the items alone would replace by the plain text colour on the highlight.
    m_list->setStyleSheet(
        QStringLiteral("QListWidget::item { border-bottom: 1px solid #d0d0d0; }"
                       "QListWidget::item:selected { background: palette(highlight);"
                       " color: palette(highlighted-text); }"));
    for (const std::string& s : sources.Sources())
        m_list->addItem(BytesToQString(s));
    connect(m_list, &QListWidget::itemDoubleClicked, this, &CSourceSelectDlg::accept);
    QDialogButtonBox* buttons = MakeOkCancel(this, true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addWidget(buttons);
    // Nothing is chosen until the operator chooses: an immediate OK inserts nothing.
    m_list->setCurrentRow(-1);
    m_list->setFocus();
    resize(460, 360);
}

void CSourceSelectDlg::accept() {
    QListWidgetItem* item = m_list->currentItem();
    m_selected = item != nullptr && item->isSelected() ? QStringToBytes(item->text()) : "";
    QDialog::accept();
}

} // namespace norvak
