#include "dialogkeys.h"

#include "core/literal.h"
#include "core/operatorio.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QPushButton>

namespace norvak {

bool HandleDialogEnter(QDialog* dialog, QKeyEvent* event) {
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter)
        return false;
    // The default button (OK, made so by the button box when shown) is not pressed: a stray
    // Enter after a command would otherwise end the dialog and take its changes over.
    // OK and "Отмена" with the focus are pressed; the dialog's command buttons are not, so
    // that Enter after "Удалить" does not delete a second entry.
    if (auto* button = qobject_cast<QPushButton*>(dialog->focusWidget()))
        if (qobject_cast<QDialogButtonBox*>(button->parentWidget()) && button->isEnabled())
            button->click();
    event->accept();
    return true;
}

CancelChoice AskOnCancel(COperator& op, bool modified) {
    if (!modified)
        return CancelChoice::Discard;
    switch (op.AskYesNoCancel("Сохранить изменения словаря?"_cp)) {
    case Answer::Yes:
        return CancelChoice::Keep;
    case Answer::No:
        return CancelChoice::Discard;
    case Answer::Cancel:
        break;
    }
    return CancelChoice::Stay;
}

void RejectAsking(QDialog& dialog, COperator& op, bool modified) {
    switch (AskOnCancel(op, modified)) {
    case CancelChoice::Keep:
        dialog.accept();
        break;
    case CancelChoice::Discard:
        dialog.QDialog::reject();
        break;
    case CancelChoice::Stay:
        break;
    }
}

} // namespace norvak
