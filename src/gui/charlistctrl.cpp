#include "charlistctrl.h"

#include <QHeaderView>
#include <QHelpEvent>
#include <QToolTip>

namespace norvak {

CDictListModel::CDictListModel(QStringList headers, CountFn count, CellFn cell, QObject* parent)
    : QAbstractTableModel(parent), m_headers(std::move(headers)), m_count(std::move(count)),
      m_cell(std::move(cell)) {}

int CDictListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_count();
}

int CDictListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_headers.size());
}

QVariant CDictListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole)
        return m_cell(index.row(), index.column());
    if (role == Qt::TextAlignmentRole && index.column() == m_rightAligned)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant CDictListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= m_headers.size())
        return {};
    if (role == Qt::DisplayRole)
        return m_headers.at(section);
    if (role == Qt::TextAlignmentRole && section == m_rightAligned)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

void CDictListModel::Reset() {
    beginResetModel();
    endResetModel();
}

bool ShowTitleTip(QAbstractItemView* view, QEvent* event) {
    if (event->type() != QEvent::ToolTip)
        return false;
    auto* help = static_cast<QHelpEvent*>(event);
    const QModelIndex index = view->indexAt(help->pos());
    if (!index.isValid()) {
        QToolTip::hideText();
        return true;
    }
    const QString text = index.data(Qt::DisplayRole).toString();
    const QRect cell = view->visualRect(index);
    const int needed = view->fontMetrics().horizontalAdvance(text) + 3 + 6;
    if (text.isEmpty() || needed <= cell.width()) {
        QToolTip::hideText();
        return true;
    }
    QToolTip::showText(help->globalPos(), text, view->viewport(), cell);
    return true;
}

CCharListCtrl::CCharListCtrl(QWidget* parent) : QTreeView(parent) {
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setAlternatingRowColors(true);
    setTextElideMode(Qt::ElideRight);
    header()->setStretchLastSection(true);
    header()->setSectionsMovable(false);
}

void CCharListCtrl::showEvent(QShowEvent* event) {
    QTreeView::showEvent(event);
    if (!m_focused) {
        m_focused = true;
        setFocus();
    }
}

void CCharListCtrl::keyboardSearch(const QString& search) {
    if (search.isEmpty() || model() == nullptr)
        return;
    const QChar c = search.at(0);
    const QString lower(c.toLower());
    const QString upper(c.toUpper());
    const int rows = model()->rowCount();
    for (int r = 0; r < rows; ++r) {
        const QString text = model()->index(r, 1).data(Qt::DisplayRole).toString();
        if (!text.isEmpty() && (text.startsWith(lower) || text.startsWith(upper))) {
            SelectOnly(r);
            return;
        }
    }
}

void CCharListCtrl::SelectOnly(int row) {
    if (model() == nullptr || row < 0 || row >= model()->rowCount())
        return;
    const QModelIndex i = model()->index(row, 0);
    selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect |
                                             QItemSelectionModel::Rows);
    scrollTo(i, QAbstractItemView::EnsureVisible);
}

QList<int> CCharListCtrl::SelectedRows() const {
    QList<int> rows;
    if (selectionModel() == nullptr)
        return rows;
    for (const QModelIndex& i : selectionModel()->selectedRows())
        rows << i.row();
    std::sort(rows.begin(), rows.end());
    return rows;
}

bool CCharListCtrl::viewportEvent(QEvent* event) {
    if (ShowTitleTip(this, event))
        return true;
    return QTreeView::viewportEvent(event);
}

} // namespace norvak
