#pragma once
// The command table of the main window: numeric identifiers, menu texts, accelerators and the
// prompts (status-line text, then the tooltip after a line break) of every command.

#include "markup/tags.h"

#include <QKeySequence>
#include <QList>
#include <QString>

namespace norvak {

// Command identifiers as the menus, toolbars and prompts know them.
enum CommandId : int {
    ID_FILE_NEW = 57600,
    ID_FILE_OPEN = 57601,
    ID_FILE_SAVE = 57603,
    ID_FILE_SAVE_AS = 57604,
    ID_FILE_PRINT = 57607,
    ID_FILE_PRINT_PREVIEW = 57609,
    ID_FILE_PRINT_SETUP = 57606,
    ID_FILE_MRU_FILE1 = 57616,
    ID_APP_EXIT = 57665,
    ID_APP_ABOUT = 57664,
    ID_HELP_INDEX = 57667,
    ID_EDIT_UNDO = 57643,
    ID_EDIT_REDO = 57644,
    ID_EDIT_CUT = 57635,
    ID_EDIT_COPY = 57634,
    ID_EDIT_PASTE = 57637,
    ID_EDIT_PASTE_SPECIAL = 57638,
    ID_EDIT_SELECT_ALL = 57642,
    ID_EDIT_FIND = 57636,
    ID_EDIT_REPEAT = 57640,
    ID_EDIT_REPLACE = 57641,
    ID_FORMAT_FONT = 57696,
    ID_ALIGN_LEFT = 154,
    ID_ALIGN_CENTER = 153,
    ID_ALIGN_RIGHT = 155,
    ID_ALIGN_JUSTIFY = 156,
    ID_ALIGN_LEFT_RIGHT = 159,
    ID_REMOVE_LEFT_SPACES = 160,
    ID_UPPER_CASE = 162,
    ID_LOWER_CASE = 161,
    ID_GOTO_LINE = 146,
    ID_EXPORT_WORD = 157,
    ID_IMPORT_WORD = 158,
    ID_VIEW_HEADER = 164,
    ID_TAG_ZAG = 32786,
    ID_TAG_CNT = 32787,
    ID_TAG_PRV = 32788,
    ID_TAG_LEV = 32789,
    ID_TAG_LIP = 32790,
    ID_TAG_NFT = 32791,
    ID_TAG_TAB = 32792,
    ID_TAG_TTT = 32793,
    ID_TAG_LINE = 32795,
    ID_TAG_DELETE_ALL = 32796,
    ID_TAG_LINK = 32797,
    ID_TAG_LABEL = 32800,
    ID_TAG_INNER_LINK = 144,
    ID_TAG_OGL = 151,
    ID_DICT_KINDS = 32771,
    ID_DICT_ORGANS = 32772,
    ID_DICT_SOURCES = 32773,
    ID_DICT_THEMES = 32798,
    ID_DICT_CLEAR_CASES = 145,
    ID_DICT_CLEAR_LETTER_CASE = 1041,
    ID_OPTIONS = 1018,
};

// One command: its menu text with the access key, accelerators (the first is the one the menu
// shows), the status-line prompt and the tooltip.
struct CommandInfo {
    int id;
    QString text;
    QList<QKeySequence> keys;
    QString prompt;
    QString tooltip;
};

// The command with that identifier; a command the table lacks has an empty text.
const CommandInfo& FindCommand(int id);
const QList<CommandInfo>& CommandTable();

// The command that encloses the selected lines in a block of that tag.
int TagCommandId(TagCode code);

// Ctrl with the key that carries the Cyrillic letter on the Russian layout, and with the Latin
// key in the same place, so that the accelerator works whichever layout is active.
QList<QKeySequence> CtrlCyrillic(QChar cyrillic, Qt::Key latin);

} // namespace norvak
