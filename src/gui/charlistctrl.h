#pragma once
// The report lists of the dictionary dialogs: a table model filled on demand, so that tens of
// thousands of entries open and scroll at once, and CCharListCtrl, the list that takes the
// focus when created, jumps to the first row starting with a typed letter and shows the full
// text of a clipped cell on hover.

#include <QAbstractTableModel>
#include <QTreeView>

#include <functional>

namespace norvak {

// Rows and columns given by functions; Reset() after the data behind them changed.
class CDictListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using CellFn = std::function<QString(int row, int column)>;
    using CountFn = std::function<int()>;

    CDictListModel(QStringList headers, CountFn count, CellFn cell, QObject* parent = nullptr);
    // Columns right-aligned (the row number).
    void SetRightAligned(int column) { m_rightAligned = column; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void Reset();

private:
    QStringList m_headers;
    CountFn m_count;
    CellFn m_cell;
    int m_rightAligned = -1;
};

// Shows the whole text of a cell that does not fit in it as a tooltip over the cell.
bool ShowTitleTip(QAbstractItemView* view, QEvent* event);

// A report-view list with type-ahead on column 1 and title tips.
class CCharListCtrl : public QTreeView {
    Q_OBJECT
public:
    explicit CCharListCtrl(QWidget* parent = nullptr);

    // Selects and shows the first row whose column-1 text begins with the first character of
    // search in either letter case; nothing changes when no row does.
    void keyboardSearch(const QString& search) override;

    // Selected rows in ascending order.
    QList<int> SelectedRows() const;
    int SelectedCount() const { return static_cast<int>(SelectedRows().size()); }
    void SelectOnly(int row);

protected:
    void showEvent(QShowEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    bool m_focused = false;
};

} // namespace norvak
