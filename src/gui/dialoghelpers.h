#pragma once
// The buttons and layouts every dictionary dialog makes alike, and the choice of a listing's
// file.

#include <QString>

#include <functional>
#include <initializer_list>

class QDialog;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace norvak {

// A push button of a dictionary dialog that Enter does not press; objectName when given.
QPushButton* MakeButton(const QString& text, QWidget* parent, const char* objectName = nullptr);

// The OK and cancel buttons of dialog, wired to accept() and reject(). With okDefault OK is
// the default button; otherwise neither button is pressed by Enter.
QDialogButtonBox* MakeOkCancel(QDialog* dialog, bool okDefault,
                               const QString& cancelText = QStringLiteral("Отмена"));

// Lays out a dictionary's list dialog: list with the side buttons beside it, under it the row
// "countText count" and the row of newName with newButtons, and at the bottom OK and cancel.
void LayOutListDialog(QDialog* dialog, QWidget* list, std::initializer_list<QPushButton*> side,
                      const QString& countText, QLabel* count, QLineEdit* newName,
                      std::initializer_list<QPushButton*> newButtons);

// The path to save a dictionary listing to: what provider returns when set (tests), otherwise
// the operator's choice in a save dialog suggesting name; "" when cancelled.
QString ChooseListingPath(QWidget* parent, const std::function<QString(const QString&)>& provider,
                          const QString& name);

} // namespace norvak
