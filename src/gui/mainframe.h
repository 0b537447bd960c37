#pragma once
// The main window: menus, the main and tag toolbars, the status line with the position pane
// and the stage progress indicator, the docked requisites bar, and the small dialogs.

#include "commands.h"
#include "core/operatorio.h"
#include "document/inputsniff.h"
#include "documentwindow.h"
#include "requisites/extendeddetection.h"
#include "requisites/requisiterecord.h"

#include <QHash>
#include <QMainWindow>

#include <functional>
#include <memory>

class QDragEnterEvent;
class QDropEvent;
class QLabel;
class QMimeData;
class QSettings;
class QToolBar;

namespace norvak {

class CFindBar;
class CMessageBoxOperator;
class CNorvakDoc;
class CNorvakView;
class CQtSettingsStore;
class CRequisitesBar;
class CSpellingCommands;
class CStageProgress;
class CProgress;

// The main frame; owns the document, the view and the bars.
class CMainFrame : public QMainWindow, public CDocumentWindow {
    Q_OBJECT
public:
    static constexpr int kRecentFiles = 4;
    static constexpr const char* kBarProfile = "BarState";

    // Builds the document (service data, settings), the view (font) and the window; the bar
    // layout saved under "BarState" is taken over when it names only existing bars. op, when
    // given, replaces the message boxes from the start (tests).
    CMainFrame(CQtSettingsStore& store, const QString& serviceDataPath, COperator* op = nullptr,
               QWidget* parent = nullptr);
    ~CMainFrame() override;

    CNorvakDoc& Doc() { return *m_doc; }
    CNorvakView& View() { return *m_view; }
    // The find bar under the view; hidden until asked for.
    CFindBar& FindBar() { return *m_findBar; }
    CRequisitesBar& Bar() { return *m_bar; }
    QToolBar& MainToolBar() { return *m_mainBar; }
    QToolBar& TagToolBar() { return *m_tagBar; }
    CStageProgress& StageProgress() { return *m_progress; }
    CSpellingCommands& Spelling() { return *m_spelling; }

    // The operator the core talks to; message boxes unless replaced (tests).
    COperator& Operator() override { return *m_operator; }
    void SetOperator(COperator* op);
    CProgress& Progress() override;
    QWidget* DialogParent() override { return this; }

    // The requisites shown in the bar.
    // The panel shows record; evidence (editor lines) marks the values found automatically.
    void SetRequisites(const CRequisiteRecord& record,
                       std::vector<RequisiteEvidence> evidence = {}) override;
    CRequisiteRecord GetRequisites() const override;

    // The view's text, for the document.
    LineList TextLines() const override;
    void ShowText(const LineList& lines, bool highlight) override;
    void EmptyUndo() override;
    void ReplaceText(const LineList& lines) override;
    void MarkTextClean() override;

    // The save dialog for the source format; the proposed name is the database number as
    // "%05d" when there is one. Empty when cancelled.
    QString AskSavePath(const CRequisiteRecord& record) override;
    // The tag check of the markup commands.
    bool ConfirmSave() override;
    // The open dialog; false when cancelled.
    bool AskOpenPath(FileType lastType, QString& path, FileType& type, Encoding& encoding) override;
    // Replace the two file dialogs (tests and scripted runs).
    void SetSavePathProvider(std::function<QString(const QString& proposed)> provider);
    void
    SetOpenPathProvider(std::function<bool(FileType, QString&, FileType&, Encoding&)> provider);

    // An entry of the recent-file list: the file and how it was opened (its FileType, 1 to 6;
    // kRecentDetected when its type was told automatically; 0 when it was loaded unchanged or
    // the entry predates the types).
    struct RecentFile {
        QString path;
        int type = 0;
        Encoding encoding = Encoding::Dos;
    };
    void AddRecentFile(const QString& path, int type, Encoding encoding) override;
    QStringList RecentFiles() const;
    QList<RecentFile> RecentEntries() const;
    // Opens the i-th entry (0-based) again the way it was opened.
    bool OpenRecent(int index);

    // The action of a command identifier (null when there is none); later commands connect
    // to these and enable them.
    QAction* Action(int id) const { return m_actions.value(id, nullptr); }

    void ShowPosition(int line, int column, int total);
    QString PositionText() const;
    QString MessageText() const;

    // Enables the commands that depend on the state of the document and the view.
    void UpdateCommands();

    void SaveBarState();
    bool LoadBarState();
    // True when a saved list of bar names names only bars of this window.
    bool CheckBarNames(const QStringList& names) const;

    static QString ProposedFileName(const CRequisiteRecord& record);

public slots:
    void ShowHelp();
    void ShowAbout();
    void OnOptions();
    void OnGotoLine();
    // "Просмотреть &шапку": the header of the document in a read-only window.
    void OnViewHeader();

    // The local file a drag carries, when it carries exactly one; empty otherwise.
    static QString DroppedFile(const QMimeData* data);

protected:
    void closeEvent(QCloseEvent* event) override;
    // A file dragged onto the window or its view opens as a document (OpenDropped) instead
    // of going into the text as its name.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QAction* MakeAction(int id, const QString& iconName = {});
    void CreateActions();
    void CreateMenus();
    void CreateToolBars();
    void CreateStatusBar();
    void ConnectCommands();
    void RebuildRecentMenu();
    void ApplyBarSize();
    QSettings& Settings();

    CQtSettingsStore& m_store;
    std::unique_ptr<CNorvakDoc> m_doc;
    CNorvakView* m_view = nullptr;
    CFindBar* m_findBar = nullptr;
    CRequisitesBar* m_bar = nullptr;
    CSpellingCommands* m_spelling = nullptr;
    QToolBar* m_mainBar = nullptr;
    QToolBar* m_tagBar = nullptr;
    QLabel* m_position = nullptr;
    QMenu* m_fileMenu = nullptr;
    QAction* m_recentSeparator = nullptr;
    QList<QAction*> m_recentActions;
    std::unique_ptr<CStageProgress> m_progress;
    std::unique_ptr<CMessageBoxOperator> m_boxOperator;
    COperator* m_operator = nullptr;
    std::function<QString(const QString&)> m_savePathProvider;
    std::function<bool(FileType, QString&, FileType&, Encoding&)> m_openPathProvider;
    QHash<int, QAction*> m_actions;
    bool m_barSizePending = false;
};

} // namespace norvak
