#pragma once
// The single document of the editor: its settings, requisite record, modified flag,
// source-format path and the choices last made in the open dialog, with the New, Open,
// Save and Save As flows and the asking to save before the text is given up.

#include "core/textcore.h"
#include "document/settings.h"
#include "requisites/requisiterecord.h"

#include <QObject>
#include <QString>

namespace norvak {

class CMainFrame;
class CNorvakView;

// The document; lives for the whole run, New and Open reuse it.
class CNorvakDoc : public QObject {
    Q_OBJECT
public:
    // Loads the service data file and reads the settings from store; both are written back
    // when the document is destroyed. A null store keeps the defaults.
    CNorvakDoc(CSettingsStore* store, QString serviceDataPath, QObject* parent = nullptr);
    ~CNorvakDoc() override;

    void Attach(CMainFrame* frame, CNorvakView* view);

    bool IsModified() const { return m_modified; }
    void SetModified(bool modified);
    // The source-format path (a local file name); empty until the document is saved.
    const QString& SourcePath() const { return m_sourcePath; }
    void SetSourcePath(const QString& path);
    // The window caption: "Norvak", " - " and the path when there is one, "*" when modified.
    QString Caption() const;

    DocSettings& Settings() { return m_settings; }
    const CRequisiteRecord& Record() const { return m_record; }
    int LastFileType() const { return m_lastFileType; }
    bool DosEncoding() const { return m_dosEncoding; }
    const QString& ServiceDataPath() const { return m_serviceDataPath; }

    // The commands; each returns false when it was abandoned.
    bool OnNewDocument();
    bool OnFileOpen();
    bool OnFileSave();
    bool OnFileSaveAs();
    // Opening after the dialog: reads the file as the given type and shows the result.
    bool OpenFile(const QString& path, int fileType, bool dos);
    // The file's text as it is, without conversion, requisites or tags (the command line and
    // the recent-file list); asks to save first.
    bool OpenUnchanged(const QString& path);
    // Asks to save a modified document; false when the operator cancels.
    bool SaveModified();

    static constexpr const char* kTitle = "Norvak";

signals:
    void CaptionChanged(const QString& caption);
    void ModifiedChanged(bool modified);

private:
    bool DoSave(bool askPath);
    bool WriteTo(const QString& path);
    void LoadServiceData();
    bool SaveServiceData();

    CSettingsStore* m_store;
    QString m_serviceDataPath;
    CMainFrame* m_frame = nullptr;
    CNorvakView* m_view = nullptr;
    CRequisiteRecord m_record;
    DocSettings m_settings;
    bool m_modified = false;
    QString m_sourcePath;
    int m_lastFileType = 0;
    bool m_dosEncoding = true;
};

} // namespace norvak
