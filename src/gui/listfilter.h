#pragma once
// The filter box of the dictionary dialogs: rows whose names do not contain the typed text
// are hidden while it is there; the dictionary itself is not touched.

#include <QObject>

class QLineEdit;
class QTreeView;
class QTreeWidget;

namespace norvak {

// Filters a list or a tree by the text of a box; a child of the box.
class CListFilter : public QObject {
    Q_OBJECT
public:
    // A report list: a row stays when one of its columns from 1 on contains the text.
    CListFilter(QLineEdit* box, QTreeView* list);
    // A tree: an item stays when its text or the text of one of its descendants contains it;
    // the owner calls Apply after it refilled the tree.
    CListFilter(QLineEdit* box, QTreeWidget* tree);

    // Hides and shows the rows for the box's text; run again after the rows changed.
    void Apply();

private:
    QLineEdit* m_box;
    QTreeView* m_list = nullptr;
    QTreeWidget* m_tree = nullptr;
    bool m_filtered = false;
};

// A filter box, with its placeholder text, for a dictionary dialog.
QLineEdit* MakeFilterBox(QWidget* parent);

} // namespace norvak
