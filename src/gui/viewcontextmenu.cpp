#include "viewcontextmenu.h"

#include "commands.h"
#include "mainframe.h"
#include "markupcommands.h"
#include "norvakview.h"
#include "spellingcommands.h"

#include <QAction>
#include <QMenu>

namespace norvak {

void FillViewContextMenu(QMenu& menu, CMainFrame& frame, const QPoint& viewPos) {
    frame.UpdateCommands();
    auto add = [&menu, &frame](std::initializer_list<int> ids) {
        if (!menu.isEmpty())
            menu.addSeparator();
        for (int id : ids)
            if (QAction* a = frame.Action(id))
                menu.addAction(a);
    };
    add({ID_EDIT_UNDO, ID_EDIT_REDO});
    add({ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_SELECT_ALL});
    QMenu* tags = menu.addMenu(QStringLiteral("&Теги"));
    tags->setObjectName(QStringLiteral("ContextTagsMenu"));
    for (int id : {ID_TAG_ZAG, ID_TAG_CNT, ID_TAG_PRV, ID_TAG_LEV, ID_TAG_LIP, ID_TAG_NFT,
                   ID_TAG_TAB, ID_TAG_TTT})
        tags->addAction(frame.Action(id));
    tags->addSeparator();
    for (int id : {ID_TAG_LINK, ID_TAG_LABEL, ID_TAG_INNER_LINK, ID_TAG_OGL, ID_TAG_LINE})
        tags->addAction(frame.Action(id));
    tags->addSeparator();
    tags->addAction(frame.Action(ID_TAG_DELETE_ALL));
    if (auto* markup = frame.findChild<CMarkupCommands*>()) {
        tags->addAction(markup->CheckAction());
        tags->addAction(markup->RemarkupAction());
    }
    add({ID_UPPER_CASE, ID_LOWER_CASE, ID_GOTO_LINE});
    // The suggestions for a misspelt word under the pointer go on top.
    frame.Spelling().AddContextItems(menu, viewPos);
}

QMenu* ShowViewContextMenu(CMainFrame& frame, const QPoint& viewPos) {
    auto* menu = new QMenu(&frame);
    menu->setObjectName(QStringLiteral("ViewContextMenu"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    FillViewContextMenu(*menu, frame, viewPos);
    menu->popup(frame.View().viewport()->mapToGlobal(viewPos));
    return menu;
}

} // namespace norvak
