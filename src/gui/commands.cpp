#include "commands.h"

namespace norvak {

QList<QKeySequence> CtrlCyrillic(QChar cyrillic, Qt::Key latin) {
    const int cyr = cyrillic.toUpper().unicode();
    return {QKeySequence(Qt::CTRL | cyr), QKeySequence(Qt::CTRL | latin)};
}

namespace {

QList<CommandInfo> BuildTable() {
    // Prompts hold the status-line text, a line break and the tooltip.
    struct Row {
        int id;
        const char* text;
        QList<QKeySequence> keys;
        const char* prompt;
    };
    const QList<Row> rows = {
        {ID_FILE_NEW,
         "Созд&ать",
         {QKeySequence(Qt::CTRL | Qt::Key_N)},
         "Создать новый документ\nСоздать"},
        {ID_FILE_OPEN,
         "&Открыть...",
         {QKeySequence(Qt::CTRL | Qt::Key_O)},
         "Открыть существующий документ\nОткрыть"},
        {ID_FILE_SAVE,
         "&Сохранить",
         {QKeySequence(Qt::CTRL | Qt::Key_S)},
         "Сохранить документ в исходном формате\nСохранить"},
        {ID_FILE_SAVE_AS,
         "Сохранить &как...",
         {},
         "Сохранить документ в исходном формате под новым именем\nСохранить как"},
        {ID_FILE_PRINT, "&Печать...", {}, "Печать документа\nПечать"},
        {ID_FILE_PRINT_PREVIEW,
         "Пред&варительный просмотр",
         {},
         "Показать документ так, как он будет напечатан\nПредварительный просмотр"},
        {ID_FILE_PRINT_SETUP,
         "&Настройка печати...",
         {},
         "Изменить параметры принтера и печати\nНастройка печати"},
        {ID_APP_EXIT,
         "В&ыход",
         {},
         "Завершить работу приложения с предложением сохранить документ\nВыход"},
        {ID_EDIT_UNDO,
         "&Отменить",
         {QKeySequence(Qt::CTRL | Qt::Key_Z)},
         "Отменить последнее действие\nОтменить"},
        {ID_EDIT_REDO,
         "&Повторить",
         {QKeySequence(Qt::CTRL | Qt::Key_Y)},
         "Повторить отменённое действие\nПовторить"},
        {ID_EDIT_CUT,
         "&Вырезать",
         {QKeySequence(Qt::CTRL | Qt::Key_X)},
         "Вырезать выделенный фрагмент в буфер обмена\nВырезать"},
        {ID_EDIT_COPY,
         "&Копировать",
         {QKeySequence(Qt::CTRL | Qt::Key_C)},
         "Копировать выделенный фрагмент в буфер обмена\nКопировать"},
        {ID_EDIT_PASTE,
         "Вст&авить",
         {QKeySequence(Qt::CTRL | Qt::Key_V)},
         "Вставить содержимое буфера обмена\nВставить"},
        {ID_EDIT_PASTE_SPECIAL,
         "Специальная вст&авка...",
         {},
         "Вставить содержимое буфера обмена в выбранном формате\nСпециальная вставка"},
        {ID_EDIT_SELECT_ALL,
         "Выделить в&се",
         {QKeySequence(Qt::CTRL | Qt::Key_A)},
         "Выделить весь текст документа\nВыделить все"},
        {ID_EDIT_FIND,
         "&Найти...",
         {QKeySequence(Qt::CTRL | Qt::Key_F)},
         "Найти указанный текст\nНайти"},
        {ID_EDIT_REPEAT,
         "Найти &далее",
         {QKeySequence(Qt::Key_F3)},
         "Повторить последний поиск\nНайти далее"},
        {ID_EDIT_REPLACE,
         "&Заменить...",
         {QKeySequence(Qt::CTRL | Qt::Key_H)},
         "Заменить указанный текст другим\nЗаменить"},
        {ID_ALIGN_LEFT,
         "Прижать абзац в&лево",
         {},
         "Выравнивание абзаца по левому краю\nПрижать абзац влево"},
        {ID_ALIGN_CENTER,
         "&Центрировать абзац",
         {},
         "Выравнивание абзаца по центру\nЦентрировать абзац"},
        {ID_ALIGN_RIGHT,
         "Прижать абзац в&право",
         {},
         "Выравнивание абзаца по правому краю\nПрижать абзац вправо"},
        {ID_ALIGN_JUSTIFY,
         "&Растянуть абзац",
         {},
         "Выравнивание абзаца по ширине\nРастянуть абзац"},
        {ID_ALIGN_LEFT_RIGHT,
         "&Выровнять влево и вправо",
         {},
         "Веравнивает левую часть абзаца по левому краю и правую по правому\n"
         "Выровнять влево и вправо"},
        {ID_REMOVE_LEFT_SPACES,
         "&Удалить пробелы слева",
         {},
         "Удаляет пробелы из левой части выделенных строк\nУдалить пробелы слева"},
        {ID_FORMAT_FONT, "&Шрифт", {}, "\nШрифт"},
        {ID_UPPER_CASE,
         "В &верхний регистр",
         {},
         "Перевести все буквы в верхний регистр  в выделеном блоке текста\nВ верхний регистр"},
        {ID_LOWER_CASE,
         "В &нижний регистр",
         {},
         "Перевести все буквы в нижний регистр  в выделеном блоке текста\nВ нижний регистр"},
        {ID_GOTO_LINE,
         "П&ерейти на строку...",
         {QKeySequence(Qt::CTRL | Qt::Key_U)},
         "Перейти на строку по её номеру\nПерейти на строку"},
        {ID_EXPORT_WORD,
         "&Экспортировать в MS Word",
         {},
         "Экспортирует текущий документ в MS Word\nЭкспортировать в Word"},
        {ID_IMPORT_WORD,
         "&Импортироваить из MS Word",
         {},
         "Импортирует документ из MS Word\nИмпортировать в Word"},
        {ID_VIEW_HEADER,
         "Просмотреть &шапку",
         {},
         "Просмотреть шапку документа\nПросмотреть шапку"},
        {ID_TAG_ZAG, "&Заголовок", CtrlCyrillic(QChar(0x0417), Qt::Key_P),
         "Вставить тег ЗАГ - заголовок\nТег \"Заголовок\""},
        {ID_TAG_CNT, "&Центрированный текст", CtrlCyrillic(QChar(0x0426), Qt::Key_W),
         "Вставить тег ЦНТ - центрированный текст\nТег \"Центрированный текст\""},
        {ID_TAG_PRV, "Текст, прижатый в&право", CtrlCyrillic(QChar(0x041F), Qt::Key_G),
         "Вставить тег ПРВ - текст, прижатый вправо\nТег \"Текст, прижатый вправо\""},
        {ID_TAG_LEV, "Текст, прижатый в&лево", CtrlCyrillic(QChar(0x041B), Qt::Key_K),
         "Вставить тег ЛЕВ - Текст, прижатый влево\nТег \"Текст, прижатый влево\""},
        {ID_TAG_LIP, "Текст, прижатый влево &и вправо", CtrlCyrillic(QChar(0x0418), Qt::Key_B),
         "Вставить тег ЛИП - текст, прижатый влево и вправо\n"
         "Тег \"Текст, прижатый влево и вправо\""},
        {ID_TAG_NFT, "&Неформатируемый текст", CtrlCyrillic(QChar(0x042A), Qt::Key_BracketRight),
         "Вставить тег НФТ - неформатируемый текст\nТег \"Неформатируемый текст\""},
        {ID_TAG_TAB, "Таблица &динамическая", CtrlCyrillic(QChar(0x0414), Qt::Key_L),
         "Вставить тег ТАБ - таблица динамическая\nТег \"Таблица динамическая\""},
        {ID_TAG_TTT, "&Таблица нединамическая", CtrlCyrillic(QChar(0x0411), Qt::Key_Comma),
         "Вставить тег ТТТ - таблица нединамическая\nТег \"Таблица нединамическая\""},
        {ID_TAG_LINK, "&Ссылка", CtrlCyrillic(QChar(0x041A), Qt::Key_R),
         "Вставить тег СС_ - ссылка\nТег \"Ссылка\""},
        {ID_TAG_LABEL, "&Метка", CtrlCyrillic(QChar(0x0415), Qt::Key_T),
         "Вставить тег МЕТ - метка для ссылки\nТег \"Метка\""},
        {ID_TAG_INNER_LINK, "&Внутридокументная ссылка", CtrlCyrillic(QChar(0x0412), Qt::Key_D),
         "Вставить внутридокументную ссылку\nВнутридокумнтая ссылка"},
        {ID_TAG_OGL, "&Оглавление", CtrlCyrillic(QChar(0x0416), Qt::Key_Semicolon),
         "Вставить тег ОГЛ - оглавлениет\nТег \"Оглавление\""},
        {ID_TAG_LINE, "Лини&я", CtrlCyrillic(QChar(0x0419), Qt::Key_Q),
         "Вставить линию\nВставить линию"},
        {ID_TAG_DELETE_ALL, "&Удалить все теги", CtrlCyrillic(QChar(0x042D), Qt::Key_Apostrophe),
         "Удалить все теги в выделеном блоке текста\nУдалить все теги"},
        {ID_DICT_KINDS,
         "Словарь видов &документов...",
         {QKeySequence(Qt::CTRL | Qt::Key_E)},
         "Редактировать словарь видов документов\nСловарь видов документов"},
        {ID_DICT_ORGANS, "Словарь принявших &органов...", CtrlCyrillic(QChar(0x0428), Qt::Key_I),
         "Редактировать словарь принявших органов\nСловарь принявших органов"},
        {ID_DICT_SOURCES, "Словарь &источников публикаций...",
         CtrlCyrillic(QChar(0x042C), Qt::Key_M),
         "Редактировать словарь источников публикаций\nСловарь источников публикаций"},
        {ID_DICT_THEMES, "Словарь &тематик...", CtrlCyrillic(QChar(0x042E), Qt::Key_Period),
         "Редактировать словарь тематик\nСловарь тематик"},
        {ID_DICT_CLEAR_CASES,
         "Очистить словарь &падежей",
         {},
         "Очистить словарь падежей\nОчистить словарь падежей"},
        {ID_DICT_CLEAR_LETTER_CASE,
         "Очистить словарь &регистров букв в принявших органах",
         {},
         "Очистить словарь регистров букв в принявших органах\nОчистить словарь регистров"},
        {ID_OPTIONS, "&Параметры...", {}, "Изменить параметры работы приложения\nПараметры"},
        {ID_HELP_INDEX,
         "&Вызов справки",
         {QKeySequence(Qt::Key_F1)},
         "Открыть руководство оператора\nСправка"},
        {ID_APP_ABOUT,
         "&О программе Norvak...",
         {},
         "Вывести сведения о программе и её версии\nО программе"},
    };
    QList<CommandInfo> table;
    for (const Row& r : rows) {
        const QString prompt = QString::fromUtf8(r.prompt);
        const qsizetype lf = prompt.indexOf(QLatin1Char('\n'));
        table.push_back({r.id, QString::fromUtf8(r.text), r.keys, lf < 0 ? prompt : prompt.left(lf),
                         lf < 0 ? QString() : prompt.mid(lf + 1)});
    }
    return table;
}

} // namespace

const QList<CommandInfo>& CommandTable() {
    static const QList<CommandInfo> table = BuildTable();
    return table;
}

const CommandInfo& FindCommand(int id) {
    static const CommandInfo none{0, {}, {}, {}, {}};
    for (const CommandInfo& c : CommandTable())
        if (c.id == id)
            return c;
    return none;
}

int TagCommandId(TagCode code) {
    switch (code) {
    case TagCode::ZAG:
        return ID_TAG_ZAG;
    case TagCode::CNT:
        return ID_TAG_CNT;
    case TagCode::PRV:
        return ID_TAG_PRV;
    case TagCode::LEV:
        return ID_TAG_LEV;
    case TagCode::LIP:
        return ID_TAG_LIP;
    case TagCode::NFT:
        return ID_TAG_NFT;
    case TagCode::TAB:
        return ID_TAG_TAB;
    case TagCode::TTT:
        return ID_TAG_TTT;
    case TagCode::OGL:
        return ID_TAG_OGL;
    }
    return 0;
}

} // namespace norvak
