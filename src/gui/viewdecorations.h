#pragma once
// What the editing view shows around and under the text, none of it stored: the line-number
// gutter, a guide at column StringLength, the part of a line beyond that column marked, and
// the current line lit; each switched in the menu "Вид" and remembered.

#include <QObject>

#include <array>
#include <functional>

class QMenu;
class QSettings;
class QAction;
class QWidget;

namespace norvak {

class CNorvakView;

// The decorations of one view; a child of the view.
class CViewDecorations : public QObject {
    Q_OBJECT
public:
    enum Item { LineNumbers, Guide, LongLines, CurrentLine, kItems };

    // width gives the column of the guide (the document's StringLength) whenever it is drawn.
    CViewDecorations(CNorvakView& view, std::function<int()> width);

    bool IsOn(Item item) const { return m_on[item]; }
    void SetOn(Item item, bool on);
    QWidget* Gutter() const { return m_gutter; }
    // The menu item switching item (after AddActions).
    QAction* Action(Item item) const { return m_actions[item]; }

    // Adds the four switches to menu, their states read from and written to settings.
    void AddActions(QMenu* menu, QSettings& settings);

    // The x of the left edge of column (0-based) in the viewport; the font is monospaced.
    int ColumnX(int column) const;
    // The width of the gutter for the current number of lines.
    int GutterWidth() const;

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    void PaintUnderText();
    void PaintGutter();
    void Relayout();

    CNorvakView& m_view;
    std::function<int()> m_width;
    QWidget* m_gutter;
    std::array<bool, kItems> m_on{true, true, true, true};
    std::array<QAction*, kItems> m_actions{};
};

} // namespace norvak
