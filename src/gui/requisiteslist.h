#pragma once
// The requisites panel: a list of caption and value rows over a requisite record, edited in
// place (Enter or double click), with Insert and Delete for values and dragging to reorder the
// values of a multi-valued requisite.

#include "document/requisiterows.h"

#include <QAbstractListModel>
#include <QListView>
#include <QPointer>
#include <QStyledItemDelegate>

namespace norvak {

class CServiceData;

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

// Paints the rows (captions on the button face, values on white, word-wrapped with a 4-pixel
// inset and a line under every row) and creates the editor the caption's bits choose.
class CRequisitesDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit CRequisitesDelegate(QObject* parent) : QStyledItemDelegate(parent) {}

    void SetDictionaries(CServiceData* dictionaries) { m_data = dictionaries; }
    // The edit that starts next is of a row just inserted (the date picker starts at today).
    void SetNewRow(bool newRow) { m_newRow = newRow; }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;
    bool eventFilter(QObject* object, QEvent* event) override;

    // The editor's result as CP1251 text.
    static std::string Result(QWidget* editor);
    static constexpr int kInset = 4;

private:
    void Finish(QWidget* editor, bool cancelled);

    CServiceData* m_data = nullptr;
    bool m_newRow = false;
};

// The list of the panel.
class CRequisitesList : public QListView {
    Q_OBJECT
public:
    explicit CRequisitesList(QWidget* parent = nullptr);

    // Rebuilds the rows from record and selects row 0.
    void SetRequisites(const CRequisiteRecord& record);
    // A new record collected from the rows.
    CRequisiteRecord GetRequisites() const;
    // The dictionaries the drop-down lists and the selection dialogs offer.
    void SetDictionaries(CServiceData* dictionaries);

    CRequisitesModel& Model() { return *m_model; }
    int CurrentRow() const;
    void SelectRow(int row);
    QString RowText(int row) const;

    // The operator's actions, as the keys and the mouse trigger them.
    void StartEdit(int row);
    void InsertValue();
    void DeleteValue();
    // Moves a dragged value row onto another row of the same requisite; false when refused.
    bool DropRow(int from, int to);
    // The editor open now, or null.
    QWidget* Editor() const { return m_editor; }
    bool IsNewRow() const { return m_newRow; }

signals:
    // The rows changed in a way Save would write.
    void Modified();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void paintEvent(QPaintEvent* event) override;
    void commitData(QWidget* editor) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    void ReturnFocus();

    CRequisitesModel* m_model;
    CRequisitesDelegate* m_delegate;
    QPointer<QWidget> m_editor;
    int m_editRow = -1;
    bool m_newRow = false;
    int m_dragFrom = -1;
    int m_dragOver = -1;
    bool m_dragging = false;
    QPoint m_pressPos;
};

} // namespace norvak
