#pragma once
// The single document of the editor: its dictionaries, settings, requisite record, modified
// flag, source-format path and the choices last made in the open dialog, with the New, Open,
// Save and Save As flows, the asking to save before the text is given up, and the dictionary
// commands.

#include "core/textcore.h"
#include "dictionaries/servicedata.h"
#include "document/openroad.h"
#include "document/recovery.h"
#include "document/settings.h"
#include "requisites/requisiterecord.h"

#include <QObject>
#include <QString>
#include <QTimer>

namespace norvak {

class CDocumentWindow;
class COperator;

// The document; lives for the whole run, New and Open reuse it.
class CNorvakDoc : public QObject {
    Q_OBJECT
public:
    // Loads the service data file (an empty path keeps the dictionaries empty and unsaved;
    // a file that cannot be read is written afresh at once) and reads the settings from
    // store; both are written back when the document is destroyed. A null store keeps the
    // defaults. op hears the messages of loading.
    CNorvakDoc(CSettingsStore* store, QString serviceDataPath, COperator& op,
               QObject* parent = nullptr);
    ~CNorvakDoc() override;

    // The window that shows the document; it must outlive the document's use of it.
    void Attach(CDocumentWindow* window);
    // Every change of the view's text; the window connects its view here, since the view
    // reports only the first one as a modification.
    void NoteTextChanged();

    bool IsModified() const { return m_modified; }
    void SetModified(bool modified);
    // The source-format path (a local file name); empty until the document is saved.
    const QString& SourcePath() const { return m_sourcePath; }
    void SetSourcePath(const QString& path);
    // The window caption: "Norvak", " - " and the path when there is one (else the file last
    // opened), "*" when modified.
    QString Caption() const;

    DocSettings& Settings() { return m_settings; }
    CServiceData& Dictionaries() { return m_data; }
    const CRequisiteRecord& Record() const { return m_record; }
    FileType LastFileType() const { return m_lastFileType; }
    // The file the text came from ("" after New) and how it was read: the open dialog's type
    // (1 to 3), or 0 when it was taken unchanged.
    const QString& OpenedPath() const { return m_openedPath; }
    int OpenedType() const { return m_openedType; }
    bool DosEncoding() const { return m_encoding == Encoding::Dos; }
    Encoding LastEncoding() const { return m_encoding; }
    const QString& ServiceDataPath() const { return m_serviceDataPath; }

    // The commands; each returns false when it was abandoned.
    bool OnNewDocument();
    bool OnFileOpen();
    bool OnFileSave();
    bool OnFileSaveAs();
    // Opening after the dialog: reads the file as the given type and shows the result.
    bool OpenFile(const QString& path, FileType type, Encoding encoding);
    bool OpenFile(const QString& path, int fileType, bool dos) {
        return OpenFile(path, static_cast<FileType>(fileType),
                        dos ? Encoding::Dos : Encoding::Windows);
    }
    // The file's text as it is, without conversion, requisites or tags; asks to save first.
    bool OpenUnchanged(const QString& path);
    // A file named on the command line or an entry of the recent-file list whose type is not
    // known (type 0): a source-format file (told by its header) opens as it was saved, an
    // HTML, DOCX or ODT document through the whole Open road, anything else unchanged. A known
    // type (1 to 6, or kRecentDetected) opens the file again as it was opened the last time.
    bool OpenDetected(const QString& path, int fileType = 0, Encoding encoding = Encoding::Dos);
    // Asks to save a modified document; false when the operator cancels, also in the save
    // dialog after Yes, and when the save fails.
    bool SaveModified();
    // A file dropped onto the window: opened through the Open road with its type detected
    // and its encoding guessed from its bytes, after asking to save a modified document.
    bool OpenDropped(const QString& path);

    // Recovery copies: written every kAutosaveMs while the document is modified, removed when
    // it is saved, discarded or closed. The folder is $XDG_STATE_HOME/norvak unless set here.
    static constexpr int kAutosaveMs = 60 * 1000;
    void SetRecoveryFolder(const QString& folder);
    const CRecoveryStore& Recovery() const { return m_recovery; }
    // Writes the recovery copy now when the document changed since the last one; true when a
    // copy was written.
    bool Autosave();
    // Offers the copies left by editors that ended without saving, one after the other, until
    // one is restored (true then) or all are declined (each declined copy is discarded).
    bool OfferRecovery();

    // The dictionary commands: each edits a working copy and, when the dialog ends with OK
    // after a change, takes it over and writes dict.dat at once. False when nothing changed.
    bool OnDictKinds();
    bool OnDictOrgans();
    bool OnDictSources();
    bool OnDictThemes();
    bool OnClearCases();
    bool OnClearLetterCase();
    // Writes dict.dat after a committed change of the dictionaries.
    bool CommitDictionaries();
    // The header of the document as the source format would hold it before the text.
    QString HeaderText() const;
    // The warning about characters the opening replaced (empty when none were).
    static QString LossWarningText(const QString& path, const OpenedDocument& opened);

    static constexpr const char* kTitle = "Norvak";

signals:
    void CaptionChanged(const QString& caption);
    void ModifiedChanged(bool modified);
    // dict.dat was written after a committed dictionary change.
    void DictionariesSaved();

private:
    // Writes dict.dat when changed; returns changed.
    bool CommitIfChanged(bool changed);
    bool DoSave(bool askPath);
    // Opens path as type in encoding, from bytes already read when given.
    bool OpenWith(const QString& path, FileType type, Encoding encoding, const std::string* bytes);
    bool WriteTo(const QString& path);
    // After the text was saved, discarded or replaced: no recovery copy is needed any more.
    void DropRecoveryCopy();
    void LoadServiceData(COperator& op);
    bool SaveServiceData(COperator& op);

    CSettingsStore* m_store;
    QString m_serviceDataPath;
    CDocumentWindow* m_window = nullptr;
    CServiceData m_data;
    CRequisiteRecord m_record;
    DocSettings m_settings;
    bool m_modified = false;
    QString m_sourcePath;
    QString m_openedPath; // the file the text came from, until New
    int m_openedType = 0;
    FileType m_lastFileType = FileType::Auto;
    Encoding m_encoding = Encoding::Dos;
    CRecoveryStore m_recovery;
    QTimer m_autosaveTimer;
    bool m_changedSinceCopy = false; // an edit since the last recovery copy
    bool m_copyFailureTold = false;  // a failed copy is told once, not every minute
};

} // namespace norvak
