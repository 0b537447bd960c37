#include "dialoghelpers.h"

#include "listfilter.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace norvak {

QPushButton* MakeButton(const QString& text, QWidget* parent, const char* objectName) {
    auto* b = new QPushButton(text, parent);
    if (objectName != nullptr)
        b->setObjectName(QString::fromLatin1(objectName));
    b->setAutoDefault(false);
    return b;
}

QDialogButtonBox* MakeOkCancel(QDialog* dialog, bool okDefault, const QString& cancelText) {
    auto* buttons = new QDialogButtonBox(dialog);
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    QPushButton* cancel = buttons->addButton(cancelText, QDialogButtonBox::RejectRole);
    if (okDefault) {
        ok->setDefault(true);
    } else {
        ok->setAutoDefault(false);
        cancel->setAutoDefault(false);
    }
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

void LayOutListDialog(QDialog* dialog, QWidget* list, std::initializer_list<QPushButton*> side,
                      const QString& countText, QLabel* count, QLineEdit* newName,
                      std::initializer_list<QPushButton*> newButtons) {
    QDialogButtonBox* buttons = MakeOkCancel(dialog, false);

    auto* sideColumn = new QVBoxLayout;
    for (QPushButton* b : side)
        sideColumn->addWidget(b);
    sideColumn->addStretch(1);

    auto* countRow = new QHBoxLayout;
    countRow->addWidget(new QLabel(countText, dialog));
    countRow->addWidget(count);
    countRow->addStretch(1);

    auto* newRow = new QHBoxLayout;
    newRow->addWidget(newName, 1);
    for (QPushButton* b : newButtons)
        newRow->addWidget(b);

    // Above the list, a filter box that hides the rows not containing its text.
    auto* listColumn = new QVBoxLayout;
    if (auto* view = qobject_cast<QTreeView*>(list)) {
        QLineEdit* filter = MakeFilterBox(dialog);
        new CListFilter(filter, view);
        listColumn->addWidget(filter);
    }
    listColumn->addWidget(list, 1);

    auto* grid = new QGridLayout;
    grid->addLayout(listColumn, 0, 0);
    grid->addLayout(sideColumn, 0, 1);
    grid->addLayout(countRow, 1, 0);
    grid->addLayout(newRow, 2, 0);
    grid->setRowStretch(0, 1);

    auto* layout = new QVBoxLayout(dialog);
    layout->addLayout(grid, 1);
    layout->addWidget(buttons);
}

QString ChooseListingPath(QWidget* parent, const std::function<QString(const QString&)>& provider,
                          const QString& name) {
    if (provider)
        return provider(name);
    return AskSaveFileName(parent, QStringLiteral("Текстовые файлы(*.txt)"), QStringLiteral("txt"),
                           name);
}

QString AskSaveFileName(QWidget* parent, const QString& filter, const QString& suffix,
                        const QString& name) {
    QFileDialog dialog(parent, QStringLiteral("Сохранить как"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(filter);
    dialog.setDefaultSuffix(suffix);
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    if (!name.isEmpty())
        dialog.selectFile(name);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().front();
}

} // namespace norvak
