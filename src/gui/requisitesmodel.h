#pragma once
// The rows of the requisites panel as a Qt model.

#include "document/requisiterows.h"

#include <QAbstractListModel>

namespace norvak {

// The rows as a Qt model. Display text is the row text; RowDataRole its data word.
class CRequisitesModel : public QAbstractListModel {
    Q_OBJECT
public:
    static constexpr int RowDataRole = Qt::UserRole + 1;

    explicit CRequisitesModel(QObject* parent = nullptr) : QAbstractListModel(parent) {}

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    CRequisiteRows& Rows() { return m_rows; }
    const CRequisiteRows& Rows() const { return m_rows; }
    void SetRecord(const CRequisiteRecord& record);
    // Applies a change of the rows made through Rows() (the whole list is refreshed).
    void Refresh();

private:
    CRequisiteRows m_rows;
};

} // namespace norvak
