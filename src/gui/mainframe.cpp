#include "mainframe.h"

#include "dialoghelpers.h"
#include "document/sourceformat.h"
#include "editcommands.h"
#include "filepane.h"
#include "findbar.h"
#include "gotolinedlg.h"
#include "markup/tags.h"
#include "markupcommands.h"
#include "messageboxoperator.h"
#include "norvakdoc.h"
#include "norvakview.h"
#include "opendialogex.h"
#include "optionsdlg.h"
#include "qtsettingsstore.h"
#include "requisitesbar.h"
#include "requisiteslist.h"
#include "spellingcommands.h"
#include "stageprogress.h"
#include "textcodec.h"
#include "viewcontextmenu.h"
#include "viewdecorations.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPainter>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

#ifndef NORVAK_VERSION
#define NORVAK_VERSION "1.0"
#endif

// The icons and the guide are compiled into the static library; its resources must be
// registered by name (outside any namespace) before the first use.
static void InitNorvakResources() {
    Q_INIT_RESOURCE(norvak);
}

namespace norvak {
namespace {

// An icon drawn for the commands the icon theme has no picture for.
QIcon DrawnIcon(int id) {
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor ink(0x2e, 0x34, 0x36);
    switch (id) {
    case ID_ALIGN_LEFT_RIGHT:
        // Two bars pressed to the left and two to the right.
        for (int row = 0; row < 4; ++row) {
            const int y = 4 + row * 7;
            p.fillRect(2, y, 11, 4, ink);
            p.fillRect(19, y, 11, 4, ink);
        }
        break;
    case ID_UPPER_CASE:
    case ID_LOWER_CASE: {
        QFont f(QStringLiteral("DejaVu Sans"));
        f.setPixelSize(id == ID_UPPER_CASE ? 20 : 22);
        f.setBold(true);
        p.setFont(f);
        p.setPen(ink);
        p.drawText(pm.rect(), Qt::AlignCenter,
                   id == ID_UPPER_CASE ? QStringLiteral("АА") : QStringLiteral("аа"));
        break;
    }
    default:
        break;
    }
    return QIcon(pm);
}

QString Esc(const QString& s) {
    return s.toHtmlEscaped();
}

} // namespace

CMainFrame::CMainFrame(CQtSettingsStore& store, const QString& serviceDataPath, COperator* op,
                       QWidget* parent)
    : QMainWindow(parent), m_store(store) {
    InitNorvakResources();
    m_boxOperator = std::make_unique<CMessageBoxOperator>(this);
    m_operator = op != nullptr ? op : m_boxOperator.get();
    setObjectName(QStringLiteral("MainFrame"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/norvak.svg")));

    // The document first (service data, settings), then the view (font), then the window.
    m_doc = std::make_unique<CNorvakDoc>(&m_store, serviceDataPath, *m_operator);
    m_view = new CNorvakView(&m_store, this);
    m_view->setObjectName(QStringLiteral("NorvakView"));
    // The text area: the view, and the find bar under it while it is shown.
    auto* textArea = new QWidget(this);
    textArea->setObjectName(QStringLiteral("TextArea"));
    auto* textLayout = new QVBoxLayout(textArea);
    textLayout->setContentsMargins(0, 0, 0, 0);
    textLayout->setSpacing(0);
    textLayout->addWidget(m_view, 1);
    m_findBar = new CFindBar(*m_view, textArea);
    textLayout->addWidget(m_findBar);
    setCentralWidget(textArea);

    CreateActions();
    CreateMenus();
    CreateStatusBar();
    CreateToolBars();
    setDockOptions(QMainWindow::AnimatedDocks | QMainWindow::AllowNestedDocks);
    m_bar = new CRequisitesBar(this);
    m_bar->List()->SetDictionaries(&m_doc->Dictionaries());
    addDockWidget(Qt::LeftDockWidgetArea, m_bar);
    m_bar->toggleViewAction()->setText(QStringLiteral("&Реквизиты"));
    m_bar->toggleViewAction()->setStatusTip(
        QStringLiteral("Показать или скрыть панель реквизитов"));
    if (QMenu* view = menuBar()->findChild<QMenu*>(QStringLiteral("ViewMenu"))) {
        view->addAction(m_bar->toggleViewAction());
        auto* decorations =
            new CViewDecorations(*m_view, [this] { return m_doc->Settings().stringLength; });
        decorations->AddActions(view, Settings());
    }
    m_barSizePending = true;
    LoadBarState();

    ConnectCommands();
    new CEditCommands(*this);
    m_spelling = new CSpellingCommands(*this, m_store.Settings(), this);
    new CMarkupCommands(*this);
    m_doc->Attach(this);
    connect(m_view->document(), &QTextDocument::contentsChanged, m_doc.get(),
            &CNorvakDoc::NoteTextChanged);
    RebuildRecentMenu();
    UpdateCommands();
    ShowPosition(1, 0, m_view->LineCount());
    resize(1000, 700);
}

CMainFrame::~CMainFrame() {
    // The view writes its font settings, then the document its service data and settings.
    m_view->disconnect(this);
    delete m_view;
    m_view = nullptr;
    m_doc.reset();
}

QSettings& CMainFrame::Settings() {
    return m_store.Settings();
}

LineList CMainFrame::TextLines() const {
    return m_view->GetLines();
}

void CMainFrame::ShowText(const LineList& lines, bool highlight) {
    m_view->SetText(lines, highlight);
}

void CMainFrame::ReplaceText(const LineList& lines) {
    QStringList text;
    for (const std::string& l : lines)
        text << BytesToQString(l);
    QTextCursor all(m_view->document());
    all.select(QTextCursor::Document);
    all.beginEditBlock(); // one undo step
    all.insertText(text.join(QLatin1Char('\n')));
    all.endEditBlock();
    m_view->HighlightLines(0, static_cast<int>(lines.size()));
}

void CMainFrame::EmptyUndo() {
    m_view->EmptyUndo();
}

void CMainFrame::MarkTextClean() {
    if (m_view != nullptr)
        m_view->MarkClean();
}

void CMainFrame::SetOperator(COperator* op) {
    m_operator = op != nullptr ? op : m_boxOperator.get();
}

CProgress& CMainFrame::Progress() {
    return *m_progress;
}

QAction* CMainFrame::MakeAction(int id, const QString& iconName) {
    const CommandInfo& info = FindCommand(id);
    auto* action = new QAction(info.text, this);
    action->setObjectName(QStringLiteral("cmd%1").arg(id));
    action->setData(id);
    if (!info.keys.isEmpty())
        action->setShortcuts(info.keys);
    action->setStatusTip(info.prompt);
    if (!info.tooltip.isEmpty())
        action->setToolTip(info.tooltip);
    if (!iconName.isEmpty())
        action->setIcon(QIcon(QStringLiteral(":/icons/%1.svg").arg(iconName)));
    m_actions.insert(id, action);
    return action;
}

void CMainFrame::CreateActions() {
    MakeAction(ID_FILE_NEW, QStringLiteral("document-new"));
    MakeAction(ID_FILE_OPEN, QStringLiteral("document-open"));
    MakeAction(ID_FILE_SAVE, QStringLiteral("document-save"));
    MakeAction(ID_FILE_SAVE_AS);
    MakeAction(ID_FILE_PRINT, QStringLiteral("document-print"));
    MakeAction(ID_FILE_PRINT_PREVIEW);
    MakeAction(ID_FILE_PRINT_SETUP);
    MakeAction(ID_APP_EXIT);
    MakeAction(ID_EDIT_UNDO, QStringLiteral("edit-undo"));
    MakeAction(ID_EDIT_REDO, QStringLiteral("edit-redo"));
    MakeAction(ID_EDIT_CUT, QStringLiteral("edit-cut"));
    MakeAction(ID_EDIT_COPY, QStringLiteral("edit-copy"));
    MakeAction(ID_EDIT_PASTE, QStringLiteral("edit-paste"));
    MakeAction(ID_EDIT_PASTE_SPECIAL);
    MakeAction(ID_EDIT_SELECT_ALL);
    MakeAction(ID_EDIT_FIND);
    MakeAction(ID_EDIT_REPEAT);
    MakeAction(ID_EDIT_REPLACE);
    MakeAction(ID_ALIGN_LEFT, QStringLiteral("format-justify-left"));
    MakeAction(ID_ALIGN_CENTER, QStringLiteral("format-justify-center"));
    MakeAction(ID_ALIGN_RIGHT, QStringLiteral("format-justify-right"));
    MakeAction(ID_ALIGN_JUSTIFY, QStringLiteral("format-justify-fill"));
    MakeAction(ID_ALIGN_LEFT_RIGHT)->setIcon(DrawnIcon(ID_ALIGN_LEFT_RIGHT));
    MakeAction(ID_REMOVE_LEFT_SPACES, QStringLiteral("format-indent-less"));
    MakeAction(ID_UPPER_CASE)->setIcon(DrawnIcon(ID_UPPER_CASE));
    MakeAction(ID_LOWER_CASE)->setIcon(DrawnIcon(ID_LOWER_CASE));
    MakeAction(ID_FORMAT_FONT);
    MakeAction(ID_GOTO_LINE);
    MakeAction(ID_EXPORT_WORD, QStringLiteral("document-send"));
    MakeAction(ID_IMPORT_WORD, QStringLiteral("document-revert"));
    MakeAction(ID_VIEW_HEADER, QStringLiteral("document-properties"));
    // Tag buttons show the tag code.
    for (TagCode code : kAllTagCodes)
        MakeAction(TagCommandId(code))->setIconText(BytesToQString(TagCodeText(code)));
    const QList<std::pair<int, const char*>> tags = {{ID_TAG_LINK, "СС_"},
                                                     {ID_TAG_LABEL, "МЕТ"},
                                                     {ID_TAG_INNER_LINK, "►◄"},
                                                     {ID_TAG_LINE, "———"}};
    for (const auto& [id, code] : tags)
        MakeAction(id)->setIconText(QString::fromUtf8(code));
    MakeAction(ID_TAG_DELETE_ALL);
    MakeAction(ID_DICT_KINDS);
    MakeAction(ID_DICT_ORGANS);
    MakeAction(ID_DICT_SOURCES);
    MakeAction(ID_DICT_THEMES);
    MakeAction(ID_DICT_CLEAR_CASES);
    MakeAction(ID_DICT_CLEAR_LETTER_CASE);
    MakeAction(ID_OPTIONS);
    MakeAction(ID_HELP_INDEX);
    MakeAction(ID_APP_ABOUT);
    for (int i = 0; i < kRecentFiles; ++i) {
        auto* a = new QAction(this);
        a->setObjectName(QStringLiteral("cmd%1").arg(ID_FILE_MRU_FILE1 + i));
        a->setStatusTip(QStringLiteral("Повторно открыть файл"));
        a->setVisible(false);
        m_recentActions.push_back(a);
        m_actions.insert(ID_FILE_MRU_FILE1 + i, a);
    }
    // Commands whose work is done elsewhere start disabled until they are connected.
    for (int id : {ID_FILE_PRINT,
                   ID_FILE_PRINT_PREVIEW,
                   ID_FILE_PRINT_SETUP,
                   ID_EDIT_PASTE_SPECIAL,
                   ID_EDIT_FIND,
                   ID_EDIT_REPEAT,
                   ID_EDIT_REPLACE,
                   ID_ALIGN_LEFT,
                   ID_ALIGN_CENTER,
                   ID_ALIGN_RIGHT,
                   ID_ALIGN_JUSTIFY,
                   ID_ALIGN_LEFT_RIGHT,
                   ID_REMOVE_LEFT_SPACES,
                   ID_UPPER_CASE,
                   ID_LOWER_CASE,
                   ID_FORMAT_FONT,
                   ID_EXPORT_WORD,
                   ID_IMPORT_WORD,
                   ID_TAG_ZAG,
                   ID_TAG_CNT,
                   ID_TAG_PRV,
                   ID_TAG_LEV,
                   ID_TAG_LIP,
                   ID_TAG_NFT,
                   ID_TAG_TAB,
                   ID_TAG_TTT,
                   ID_TAG_LINK,
                   ID_TAG_LABEL,
                   ID_TAG_OGL,
                   ID_TAG_INNER_LINK,
                   ID_TAG_LINE,
                   ID_TAG_DELETE_ALL})
        m_actions.value(id)->setEnabled(false);
}

void CMainFrame::CreateMenus() {
    QMenuBar* bar = menuBar();
    m_fileMenu = bar->addMenu(QStringLiteral("&Файл"));
    m_fileMenu->setObjectName(QStringLiteral("FileMenu"));
    for (int id : {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, ID_FILE_SAVE_AS})
        m_fileMenu->addAction(Action(id));
    m_fileMenu->addSeparator();
    for (int id : {ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW, ID_FILE_PRINT_SETUP})
        m_fileMenu->addAction(Action(id));
    m_fileMenu->addSeparator();
    m_fileMenu->addAction(Action(ID_EXPORT_WORD));
    m_fileMenu->addAction(Action(ID_IMPORT_WORD));
    m_recentSeparator = m_fileMenu->addSeparator();
    for (QAction* a : m_recentActions)
        m_fileMenu->addAction(a);
    m_fileMenu->addSeparator();
    m_fileMenu->addAction(Action(ID_APP_EXIT));

    QMenu* edit = bar->addMenu(QStringLiteral("&Правка"));
    edit->setObjectName(QStringLiteral("EditMenu"));
    edit->addAction(Action(ID_EDIT_UNDO));
    edit->addAction(Action(ID_EDIT_REDO));
    edit->addSeparator();
    for (int id : {ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_PASTE_SPECIAL})
        edit->addAction(Action(id));
    edit->addSeparator();
    for (int id : {ID_EDIT_SELECT_ALL, ID_EDIT_FIND, ID_EDIT_REPEAT, ID_EDIT_REPLACE})
        edit->addAction(Action(id));
    edit->addSeparator();
    for (int id : {ID_ALIGN_LEFT, ID_ALIGN_CENTER, ID_ALIGN_RIGHT, ID_ALIGN_JUSTIFY,
                   ID_ALIGN_LEFT_RIGHT, ID_REMOVE_LEFT_SPACES})
        edit->addAction(Action(id));
    edit->addSeparator();
    edit->addAction(Action(ID_UPPER_CASE));
    edit->addAction(Action(ID_LOWER_CASE));
    edit->addSeparator();
    edit->addAction(Action(ID_GOTO_LINE));
    edit->addAction(Action(ID_FORMAT_FONT));

    QMenu* tags = bar->addMenu(QStringLiteral("&Теги"));
    tags->setObjectName(QStringLiteral("TagsMenu"));
    for (int id : {ID_TAG_ZAG, ID_TAG_CNT, ID_TAG_PRV, ID_TAG_LEV, ID_TAG_LIP, ID_TAG_NFT,
                   ID_TAG_TAB, ID_TAG_TTT})
        tags->addAction(Action(id));
    tags->addSeparator();
    for (int id : {ID_TAG_LINK, ID_TAG_LABEL, ID_TAG_INNER_LINK, ID_TAG_OGL})
        tags->addAction(Action(id));
    tags->addSeparator();
    tags->addAction(Action(ID_TAG_LINE));

    QMenu* service = bar->addMenu(QStringLiteral("С&ервис"));
    service->setObjectName(QStringLiteral("ServiceMenu"));
    service->addAction(Action(ID_TAG_DELETE_ALL));
    service->addSeparator();
    for (int id : {ID_DICT_KINDS, ID_DICT_ORGANS, ID_DICT_SOURCES, ID_DICT_THEMES})
        service->addAction(Action(id));
    service->addSeparator();
    service->addAction(Action(ID_DICT_CLEAR_CASES));
    service->addAction(Action(ID_DICT_CLEAR_LETTER_CASE));
    service->addSeparator();
    service->addAction(Action(ID_VIEW_HEADER));
    service->addAction(Action(ID_OPTIONS));

    QMenu* view = bar->addMenu(QStringLiteral("&Вид"));
    view->setObjectName(QStringLiteral("ViewMenu"));

    QMenu* help = bar->addMenu(QStringLiteral("&Справка"));
    help->setObjectName(QStringLiteral("HelpMenu"));
    help->addAction(Action(ID_HELP_INDEX));
    help->addSeparator();
    help->addAction(Action(ID_APP_ABOUT));
}

void CMainFrame::CreateToolBars() {
    m_mainBar = new QToolBar(QStringLiteral("Панель инструментов"), this);
    m_mainBar->setObjectName(QStringLiteral("MainToolBar"));
    m_mainBar->setIconSize(QSize(16, 16));
    for (int id : std::initializer_list<int>{ID_FILE_NEW,
                                             ID_FILE_OPEN,
                                             ID_FILE_SAVE,
                                             ID_EXPORT_WORD,
                                             ID_IMPORT_WORD,
                                             ID_VIEW_HEADER,
                                             0,
                                             ID_EDIT_CUT,
                                             ID_EDIT_COPY,
                                             ID_EDIT_PASTE,
                                             0,
                                             ID_FILE_PRINT,
                                             0,
                                             ID_EDIT_UNDO,
                                             ID_EDIT_REDO,
                                             0,
                                             ID_ALIGN_LEFT,
                                             ID_ALIGN_CENTER,
                                             ID_ALIGN_RIGHT,
                                             ID_ALIGN_JUSTIFY,
                                             ID_ALIGN_LEFT_RIGHT,
                                             ID_REMOVE_LEFT_SPACES,
                                             0,
                                             ID_UPPER_CASE,
                                             ID_LOWER_CASE}) {
        if (id == 0)
            m_mainBar->addSeparator();
        else
            m_mainBar->addAction(Action(id));
    }
    addToolBar(Qt::TopToolBarArea, m_mainBar);

    m_tagBar = new QToolBar(QStringLiteral("Панель тегов"), this);
    m_tagBar->setObjectName(QStringLiteral("TagToolBar"));
    m_tagBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    for (int id :
         std::initializer_list<int>{ID_TAG_ZAG, ID_TAG_CNT, ID_TAG_PRV, ID_TAG_LEV, ID_TAG_LIP,
                                    ID_TAG_NFT, ID_TAG_TAB, ID_TAG_TTT, 0, ID_TAG_LINK,
                                    ID_TAG_LABEL, ID_TAG_OGL, ID_TAG_INNER_LINK, 0, ID_TAG_LINE}) {
        if (id == 0)
            m_tagBar->addSeparator();
        else
            m_tagBar->addAction(Action(id));
    }
    addToolBarBreak(Qt::TopToolBarArea);
    addToolBar(Qt::TopToolBarArea, m_tagBar);

    if (QMenu* view = menuBar()->findChild<QMenu*>(QStringLiteral("ViewMenu"))) {
        QAction* a = m_mainBar->toggleViewAction();
        a->setText(QStringLiteral("&Панель инструментов"));
        a->setStatusTip(QStringLiteral("Показать или скрыть панель инструментов"));
        view->addAction(a);
        a = m_tagBar->toggleViewAction();
        a->setText(QStringLiteral("Панель &тегов"));
        a->setStatusTip(QStringLiteral("Показать или скрыть панель тегов"));
        view->addAction(a);
        auto* status = new QAction(QStringLiteral("&Строка состояния"), this);
        status->setCheckable(true);
        status->setChecked(true);
        status->setStatusTip(QStringLiteral("Показать или скрыть строку состояния"));
        connect(status, &QAction::toggled, statusBar(), &QStatusBar::setVisible);
        view->addAction(status);
    }
}

void CMainFrame::CreateStatusBar() {
    QStatusBar* status = statusBar();
    m_position = new QLabel(status);
    m_position->setObjectName(QStringLiteral("PositionPane"));
    m_position->setMinimumWidth(170);
    m_position->setFrameShape(QFrame::Panel);
    m_position->setFrameShadow(QFrame::Sunken);
    status->addPermanentWidget(m_position);
    m_progress = std::make_unique<CStageProgress>(status);
    // The message pane falls back to the invitation to press F1 whenever it empties.
    connect(status, &QStatusBar::messageChanged, this, [status](const QString& text) {
        if (text.isEmpty())
            status->showMessage(CStageProgress::IdlePrompt());
    });
    status->showMessage(CStageProgress::IdlePrompt());
}

void CMainFrame::ConnectCommands() {
    CNorvakDoc* doc = m_doc.get();
    connect(Action(ID_FILE_NEW), &QAction::triggered, doc, &CNorvakDoc::OnNewDocument);
    connect(Action(ID_FILE_OPEN), &QAction::triggered, doc, &CNorvakDoc::OnFileOpen);
    connect(Action(ID_FILE_SAVE), &QAction::triggered, doc, &CNorvakDoc::OnFileSave);
    connect(Action(ID_FILE_SAVE_AS), &QAction::triggered, doc, &CNorvakDoc::OnFileSaveAs);
    connect(Action(ID_APP_EXIT), &QAction::triggered, this, &QWidget::close);
    connect(Action(ID_EDIT_UNDO), &QAction::triggered, m_view, &CNorvakView::Undo);
    connect(Action(ID_EDIT_REDO), &QAction::triggered, m_view, &CNorvakView::Redo);
    connect(Action(ID_EDIT_CUT), &QAction::triggered, m_view, &QPlainTextEdit::cut);
    connect(Action(ID_EDIT_COPY), &QAction::triggered, m_view, &QPlainTextEdit::copy);
    connect(Action(ID_EDIT_PASTE), &QAction::triggered, m_view, &QPlainTextEdit::paste);
    connect(Action(ID_EDIT_SELECT_ALL), &QAction::triggered, m_view, &QPlainTextEdit::selectAll);
    connect(Action(ID_GOTO_LINE), &QAction::triggered, this, &CMainFrame::OnGotoLine);
    connect(Action(ID_OPTIONS), &QAction::triggered, this, &CMainFrame::OnOptions);
    connect(Action(ID_DICT_KINDS), &QAction::triggered, doc, &CNorvakDoc::OnDictKinds);
    connect(Action(ID_DICT_ORGANS), &QAction::triggered, doc, &CNorvakDoc::OnDictOrgans);
    connect(Action(ID_DICT_SOURCES), &QAction::triggered, doc, &CNorvakDoc::OnDictSources);
    connect(Action(ID_DICT_THEMES), &QAction::triggered, doc, &CNorvakDoc::OnDictThemes);
    connect(Action(ID_DICT_CLEAR_CASES), &QAction::triggered, doc, &CNorvakDoc::OnClearCases);
    connect(Action(ID_DICT_CLEAR_LETTER_CASE), &QAction::triggered, doc,
            &CNorvakDoc::OnClearLetterCase);
    connect(Action(ID_VIEW_HEADER), &QAction::triggered, this, &CMainFrame::OnViewHeader);
    connect(m_bar->List(), &CRequisitesList::Modified, doc, [doc] { doc->SetModified(true); });
    connect(m_bar->List(), &CRequisitesList::EvidenceLineRequested, this, [this](int line) {
        m_view->GoToLine(line);
        m_view->setFocus();
    });
    connect(Action(ID_HELP_INDEX), &QAction::triggered, this, &CMainFrame::ShowHelp);
    connect(Action(ID_APP_ABOUT), &QAction::triggered, this, &CMainFrame::ShowAbout);
    for (int i = 0; i < static_cast<int>(m_recentActions.size()); ++i)
        connect(m_recentActions.at(i), &QAction::triggered, this, [this, i] { OpenRecent(i); });

    connect(doc, &CNorvakDoc::CaptionChanged, this, &QWidget::setWindowTitle);
    auto* filePane = new CFilePane(statusBar());
    statusBar()->insertPermanentWidget(0, filePane);
    connect(doc, &CNorvakDoc::CaptionChanged, filePane, [filePane, doc] { filePane->Show(*doc); });
    connect(doc, &CNorvakDoc::ModifiedChanged, this, &CMainFrame::UpdateCommands);
    connect(m_view, &CNorvakView::TextModified, doc, [doc] { doc->SetModified(true); });
    connect(m_view, &CNorvakView::PositionChanged, this, &CMainFrame::ShowPosition);
    connect(m_view, &CNorvakView::UndoRedoChanged, this, &CMainFrame::UpdateCommands);
    connect(m_view, &QPlainTextEdit::copyAvailable, this, &CMainFrame::UpdateCommands);

    // Files dropped onto the window or the view open as documents.
    setAcceptDrops(true);
    m_view->viewport()->installEventFilter(this);
    // The view's right-click menu is the window's own (the editor's would bypass the undo
    // limit).
    m_view->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_view, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { ShowViewContextMenu(*this, pos); });

    // Keys of the window's commands reach the commands even while the editor has the focus.
    QList<QKeySequence> keys;
    for (QAction* a : std::as_const(m_actions))
        keys += a->shortcuts();
    m_view->SetReservedKeys(keys);
}

void CMainFrame::UpdateCommands() {
    const bool modified = m_doc->IsModified();
    Action(ID_FILE_SAVE)->setEnabled(modified);
    Action(ID_FILE_SAVE_AS)->setEnabled(modified);
    Action(ID_EDIT_UNDO)->setEnabled(m_view->CanUndo());
    Action(ID_EDIT_REDO)->setEnabled(m_view->CanRedo());
    const bool selection = m_view->textCursor().hasSelection();
    Action(ID_EDIT_CUT)->setEnabled(selection);
    Action(ID_EDIT_COPY)->setEnabled(selection);
}

void CMainFrame::SetRequisites(const CRequisiteRecord& record,
                               std::vector<RequisiteEvidence> evidence) {
    m_bar->SetRequisites(record, std::move(evidence));
}

CRequisiteRecord CMainFrame::GetRequisites() const {
    return m_bar->GetRequisites();
}

QString CMainFrame::ProposedFileName(const CRequisiteRecord& record) {
    return QString::fromStdString(ProposedSaveName(record.m_dbNumber));
}

void CMainFrame::SetSavePathProvider(std::function<QString(const QString&)> provider) {
    m_savePathProvider = std::move(provider);
}

void CMainFrame::SetOpenPathProvider(
    std::function<bool(FileType, QString&, FileType&, Encoding&)> provider) {
    m_openPathProvider = std::move(provider);
}

bool CMainFrame::ConfirmSave() {
    auto* markup = findChild<CMarkupCommands*>();
    return markup == nullptr || markup->ConfirmTagsBeforeSave();
}

QString CMainFrame::AskSavePath(const CRequisiteRecord& record) {
    const QString proposed = ProposedFileName(record);
    if (m_savePathProvider)
        return m_savePathProvider(proposed);
    return AskSaveFileName(this, QStringLiteral("Исходный формат (*.rla)"), QStringLiteral("rla"),
                           proposed);
}

bool CMainFrame::AskOpenPath(FileType lastType, QString& path, FileType& type, Encoding& encoding) {
    if (m_openPathProvider)
        return m_openPathProvider(lastType, path, type, encoding);
    COpenDialogEx dialog(this, lastType);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    path = dialog.selectedFiles().front();
    type = dialog.ChosenType();
    encoding = dialog.ChosenEncoding();
    return true;
}

QList<CMainFrame::RecentFile> CMainFrame::RecentEntries() const {
    QList<RecentFile> entries;
    QSettings& s = const_cast<CMainFrame*>(this)->Settings();
    s.beginGroup(QStringLiteral("Recent File List"));
    for (int i = 1; i <= kRecentFiles; ++i) {
        RecentFile e;
        e.path = s.value(QStringLiteral("File%1").arg(i)).toString();
        if (e.path.isEmpty())
            continue;
        e.type = s.value(QStringLiteral("Type%1").arg(i), 0).toInt();
        if (e.type < 0 || e.type > kRecentDetected)
            e.type = 0;
        const int encoding = s.value(QStringLiteral("Encoding%1").arg(i), 0).toInt();
        e.encoding = encoding == 1   ? Encoding::Windows
                     : encoding == 2 ? Encoding::Utf8
                                     : Encoding::Dos;
        entries.push_back(e);
    }
    s.endGroup();
    return entries;
}

QStringList CMainFrame::RecentFiles() const {
    QStringList files;
    for (const RecentFile& e : RecentEntries())
        files.push_back(e.path);
    return files;
}

void CMainFrame::AddRecentFile(const QString& path, int type, Encoding encoding) {
    const QString full = QFileInfo(path).absoluteFilePath();
    QList<RecentFile> entries = RecentEntries();
    entries.removeIf([&full](const RecentFile& e) { return e.path == full; });
    entries.prepend(RecentFile{full, type, encoding});
    while (entries.size() > kRecentFiles)
        entries.removeLast();
    QSettings& s = Settings();
    s.beginGroup(QStringLiteral("Recent File List"));
    for (int i = 1; i <= kRecentFiles; ++i) {
        if (i <= entries.size()) {
            const RecentFile& e = entries.at(i - 1);
            s.setValue(QStringLiteral("File%1").arg(i), e.path);
            s.setValue(QStringLiteral("Type%1").arg(i), e.type);
            s.setValue(QStringLiteral("Encoding%1").arg(i), static_cast<int>(e.encoding));
        } else {
            s.remove(QStringLiteral("File%1").arg(i));
            s.remove(QStringLiteral("Type%1").arg(i));
            s.remove(QStringLiteral("Encoding%1").arg(i));
        }
    }
    s.endGroup();
    RebuildRecentMenu();
}

bool CMainFrame::OpenRecent(int index) {
    const QList<RecentFile> entries = RecentEntries();
    if (index < 0 || index >= entries.size())
        return false;
    const RecentFile& e = entries.at(index);
    return m_doc->OpenDetected(e.path, e.type, e.encoding);
}

void CMainFrame::RebuildRecentMenu() {
    const QStringList files = RecentFiles();
    for (int i = 0; i < kRecentFiles; ++i) {
        QAction* a = m_recentActions.at(i);
        if (i < files.size()) {
            a->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(files.at(i)));
            a->setData(files.at(i));
            a->setVisible(true);
        } else {
            a->setVisible(false);
        }
    }
    m_recentSeparator->setVisible(!files.isEmpty());
}

void CMainFrame::ShowPosition(int line, int column, int total) {
    m_position->setText(QString::asprintf("Стр: %d   Кол: %d   Всего: %d", line, column, total));
    UpdateCommands();
}

QString CMainFrame::PositionText() const {
    return m_position->text();
}

QString CMainFrame::MessageText() const {
    return statusBar()->currentMessage();
}

bool CMainFrame::CheckBarNames(const QStringList& names) const {
    for (const QString& name : names) {
        QWidget* w = findChild<QWidget*>(name);
        if (w == nullptr || (!qobject_cast<QToolBar*>(w) && !qobject_cast<QDockWidget*>(w)))
            return false;
    }
    return true;
}

void CMainFrame::SaveBarState() {
    m_bar->RememberSize(dockWidgetArea(m_bar));
    QSettings& s = Settings();
    m_bar->SaveState(s, QString::fromLatin1(kBarProfile));
    QStringList names;
    for (QToolBar* t : findChildren<QToolBar*>())
        names.push_back(t->objectName());
    for (QDockWidget* d : findChildren<QDockWidget*>())
        names.push_back(d->objectName());
    s.beginGroup(QString::fromLatin1(kBarProfile));
    s.setValue(QStringLiteral("Bars"), names);
    s.setValue(QStringLiteral("Layout"), saveState());
    s.endGroup();
}

bool CMainFrame::LoadBarState() {
    QSettings& s = Settings();
    s.beginGroup(QString::fromLatin1(kBarProfile));
    const QStringList names = s.value(QStringLiteral("Bars")).toStringList();
    const QByteArray layout = s.value(QStringLiteral("Layout")).toByteArray();
    s.endGroup();
    if (names.isEmpty() || layout.isEmpty() || !CheckBarNames(names))
        return false; // a layout naming a bar this window lacks is ignored as a whole
    restoreState(layout);
    m_bar->LoadState(s, QString::fromLatin1(kBarProfile));
    m_barSizePending = true;
    return true;
}

void CMainFrame::ApplyBarSize() {
    if (m_bar->isFloating()) {
        m_bar->resize(m_bar->FloatSize());
        return;
    }
    const Qt::DockWidgetArea area = dockWidgetArea(m_bar);
    if (area == Qt::TopDockWidgetArea || area == Qt::BottomDockWidgetArea)
        resizeDocks({m_bar}, {m_bar->HorzSize().height()}, Qt::Vertical);
    else
        resizeDocks({m_bar}, {m_bar->VertSize().width()}, Qt::Horizontal);
}

void CMainFrame::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (m_barSizePending) {
        m_barSizePending = false;
        ApplyBarSize();
        // Once more after the first layout pass, which may have squeezed the dock.
        QTimer::singleShot(0, this, &CMainFrame::ApplyBarSize);
    }
}

QString CMainFrame::DroppedFile(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls() || data->urls().size() != 1)
        return {};
    const QUrl url = data->urls().front();
    if (!url.isLocalFile())
        return {};
    const QString path = url.toLocalFile();
    return QFileInfo(path).isFile() ? path : QString();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (!DroppedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
    const QString path = DroppedFile(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    // Opened once the drag has ended: a question or an error box must not run inside it.
    QTimer::singleShot(0, this, [this, path] { m_doc->OpenDropped(path); });
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_view->viewport()) {
        switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* drag = static_cast<QDragMoveEvent*>(event);
            if (!DroppedFile(drag->mimeData()).isEmpty()) {
                drag->acceptProposedAction();
                return true;
            }
            break;
        }
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            if (!DroppedFile(drop->mimeData()).isEmpty()) {
                dropEvent(drop);
                return true;
            }
            break;
        }
        default:
            break;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (!m_doc->SaveModified()) {
        event->ignore();
        return;
    }
    SaveBarState();
    event->accept();
}

void CMainFrame::OnOptions() {
    COptionsDlg dialog(this, m_doc->Settings());
    if (dialog.exec() == QDialog::Accepted)
        m_doc->Settings() = dialog.Values();
}

void CMainFrame::OnGotoLine() {
    CGotoLineDlg dialog(this, m_view->LineCount());
    if (dialog.exec() == QDialog::Accepted)
        m_view->GoToLine(dialog.Line());
}

void CMainFrame::OnViewHeader() {
    auto* dialog = new QDialog(this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setObjectName(QStringLiteral("HeaderDlg"));
    dialog->setWindowTitle(QStringLiteral("Шапка документа"));
    auto* text = new QPlainTextEdit(dialog);
    text->setObjectName(QStringLiteral("HeaderText"));
    text->setReadOnly(true);
    text->setLineWrapMode(QPlainTextEdit::NoWrap);
    text->setFont(CNorvakView::MakeFont(m_view->Font()));
    text->setPlainText(m_doc->HeaderText());
    auto* buttons = new QDialogButtonBox(dialog);
    buttons->addButton(QStringLiteral("Закрыть"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::close);
    auto* layout = new QVBoxLayout(dialog);
    layout->addWidget(text);
    layout->addWidget(buttons);
    dialog->resize(640, 560);
    dialog->show();
}

void CMainFrame::ShowHelp() {
    auto* dialog = new QDialog(this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowTitle(QStringLiteral("Справка Norvak"));
    auto* browser = new QTextBrowser(dialog);
    browser->setObjectName(QStringLiteral("HelpBrowser"));
    browser->setOpenExternalLinks(false);
    browser->setSource(QUrl(QStringLiteral("qrc:/help/guide.html")));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, dialog);
    connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::close);
    auto* layout = new QVBoxLayout(dialog);
    layout->addWidget(browser);
    layout->addWidget(buttons);
    dialog->resize(720, 600);
    dialog->show();
}

void CMainFrame::ShowAbout() {
    QMessageBox::about(
        this, QStringLiteral("О программе Norvak"),
        QStringLiteral("<p><b>Norvak</b>, версия %1</p>"
                       "<p>Редактор для подготовки правовых документов к загрузке в "
                       "справочную правовую базу: разметка тегами, реквизиты, исходный "
                       "формат.</p><p>Значки панели инструментов: Adwaita (GNOME), "
                       "LGPL 3 / CC BY-SA 3.0.</p>")
            .arg(Esc(QString::fromLatin1(NORVAK_VERSION))));
}

} // namespace norvak
