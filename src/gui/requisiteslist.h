#pragma once
// The requisites panel: a list of caption and value rows over a requisite record, edited in
// place (Enter or double click), with Insert and Delete for values and dragging to reorder the
// values of a multi-valued requisite.

#include "document/requisiterows.h"
#include "requisitesmodel.h"

#include <QListView>
#include <QPointer>

namespace norvak {

class CRequisitesDelegate;
class CServiceData;

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
