#pragma once
// How the requisites panel paints its rows and edits them in place.

#include <QStyledItemDelegate>

#include <string>

namespace norvak {

class CServiceData;

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
    // Set on an editor once its edit has ended, so that it is not ended twice.
    static constexpr const char* kFinishedProperty = "norvakEditFinished";

private:
    void Finish(QWidget* editor, bool cancelled);

    CServiceData* m_data = nullptr;
    bool m_newRow = false;
};

} // namespace norvak
