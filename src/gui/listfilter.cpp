#include "listfilter.h"

#include <QLineEdit>
#include <QTreeView>
#include <QTreeWidget>

#include <functional>

namespace norvak {

QLineEdit* MakeFilterBox(QWidget* parent) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(QStringLiteral("FilterEdit"));
    box->setPlaceholderText(QStringLiteral("Фильтр: часть названия"));
    box->setClearButtonEnabled(true);
    return box;
}

CListFilter::CListFilter(QLineEdit* box, QTreeView* list) : QObject(box), m_box(box), m_list(list) {
    connect(box, &QLineEdit::textChanged, this, &CListFilter::Apply);
    connect(list->model(), &QAbstractItemModel::modelReset, this, &CListFilter::Apply);
}

CListFilter::CListFilter(QLineEdit* box, QTreeWidget* tree)
    : QObject(box), m_box(box), m_tree(tree) {
    connect(box, &QLineEdit::textChanged, this, &CListFilter::Apply);
}

void CListFilter::Apply() {
    const QString text = m_box->text().trimmed();
    if (text.isEmpty() && !m_filtered)
        return; // nothing hidden, nothing to show again
    m_filtered = !text.isEmpty();
    if (m_list != nullptr) {
        QAbstractItemModel* model = m_list->model();
        const int rows = model->rowCount();
        const int columns = model->columnCount();
        for (int r = 0; r < rows; ++r) {
            bool match = text.isEmpty();
            for (int c = 1; c < columns && !match; ++c)
                match = model->index(r, c).data().toString().contains(text, Qt::CaseInsensitive);
            m_list->setRowHidden(r, QModelIndex(), !match);
        }
        return;
    }
    // An item is shown when it or anything under it matches; the root stays.
    std::function<bool(QTreeWidgetItem*)> show = [&](QTreeWidgetItem* item) {
        bool any = text.isEmpty() || item->text(0).contains(text, Qt::CaseInsensitive);
        for (int i = 0; i < item->childCount(); ++i)
            any = show(item->child(i)) || any;
        item->setHidden(!any && item->parent() != nullptr);
        if (any && !text.isEmpty())
            item->setExpanded(true);
        return any;
    };
    for (int i = 0; i < m_tree->topLevelItemCount(); ++i)
        show(m_tree->topLevelItem(i));
}

} // namespace norvak
