#pragma once
// The menu the editing view opens on a right click: the window's own commands (undo and redo
// with their limit, the clipboard, the tags), never the editor's built-in menu.

#include <QPoint>

class QMenu;
class QWidget;

namespace norvak {

class CMainFrame;

// Fills menu with the commands of frame that apply at viewPos (a point of the view's
// viewport). Every item of the view's right-click menu is added here, in the order shown.
void FillViewContextMenu(QMenu& menu, CMainFrame& frame, const QPoint& viewPos);

// Opens the view's right-click menu at viewPos; the menu deletes itself when closed.
QMenu* ShowViewContextMenu(CMainFrame& frame, const QPoint& viewPos);

} // namespace norvak
