#pragma once
// The keys every dictionary dialog handles alike: Enter never ends the dialog unless OK has
// the focus, and Esc or "Отмена" asks before dropping changes not yet taken over.

class QDialog;
class QKeyEvent;

namespace norvak {

class COperator;

// Enter or Return that reached dialog because no control took it: presses OK or "Отмена"
// when one of them has the focus, otherwise nothing, and returns true; false for any other
// key.
bool HandleDialogEnter(QDialog* dialog, QKeyEvent* event);

// What becomes of a dialog's changes when the operator leaves it with Esc or "Отмена".
enum class CancelChoice {
    Keep,    // take them over, as OK would
    Discard, // drop them
    Stay     // go back to the dialog
};

// Asks "Сохранить изменения словаря?" (Yes, No, Cancel) when modified; Discard otherwise.
CancelChoice AskOnCancel(COperator& op, bool modified);

// The reject() of a dictionary dialog: AskOnCancel, then the dialog is accepted, rejected or
// left open as the operator chose.
void RejectAsking(QDialog& dialog, COperator& op, bool modified);

} // namespace norvak
