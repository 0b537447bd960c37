#include "requisitesmodel.h"

#include "textcodec.h"

namespace norvak {

int CRequisitesModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rows.Count();
}

QVariant CRequisitesModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_rows.Count())
        return {};
    const RequisiteRow& row = m_rows.At(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return BytesToQString(row.text);
    case RowDataRole:
        return static_cast<qulonglong>(row.data);
    default:
        return {};
    }
}

Qt::ItemFlags CRequisitesModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (!m_rows.IsCaption(index.row()))
        f |= Qt::ItemIsEditable;
    return f;
}

void CRequisitesModel::SetRecord(const CRequisiteRecord& record) {
    beginResetModel();
    m_rows.SetRecord(record);
    endResetModel();
}

void CRequisitesModel::Refresh() {
    beginResetModel();
    endResetModel();
}

} // namespace norvak
