#include "norvakdoc.h"

#include "core/codepage.h"
#include "core/literal.h"
#include "documentio.h"
#include "mainframe.h"
#include "norvakview.h"
#include "opendialogex.h"
#include "textcodec.h"

#include <QApplication>
#include <QCursor>

#include <cstdio>

namespace norvak {
namespace {

// Shows the wait cursor for as long as it lives.
class CWaitCursor {
public:
    CWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~CWaitCursor() { QApplication::restoreOverrideCursor(); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
};

std::string PathBytes(const QString& path) { return Utf8ToCp1251(path.toStdString()); }

} // namespace

CNorvakDoc::CNorvakDoc(CSettingsStore* store, QString serviceDataPath, QObject* parent)
    : QObject(parent), m_store(store), m_serviceDataPath(std::move(serviceDataPath)) {
    LoadServiceData();
    if (m_store != nullptr)
        m_settings.Read(*m_store);
}

CNorvakDoc::~CNorvakDoc() {
    if (!SaveServiceData() && m_frame != nullptr)
        m_frame->Operator().Message("Ошибка сохранения файла служебных данных!"_cp,
                                    MessageIcon::Exclamation);
    if (m_store != nullptr)
        m_settings.Write(*m_store);
}

// The dictionaries are read from and written to the service data file here once they are
// members of the document; until then there is nothing to keep in it.
void CNorvakDoc::LoadServiceData() {}

bool CNorvakDoc::SaveServiceData() { return true; }

void CNorvakDoc::Attach(CMainFrame* frame, CNorvakView* view) {
    m_frame = frame;
    m_view = view;
    emit CaptionChanged(Caption());
}

void CNorvakDoc::SetModified(bool modified) {
    const bool changed = modified != m_modified;
    m_modified = modified;
    if (!modified && m_view != nullptr)
        m_view->MarkClean();
    if (changed)
        emit ModifiedChanged(modified);
    emit CaptionChanged(Caption());
}

void CNorvakDoc::SetSourcePath(const QString& path) {
    m_sourcePath = path;
    emit CaptionChanged(Caption());
}

QString CNorvakDoc::Caption() const {
    QString caption = QString::fromLatin1(kTitle);
    if (!m_sourcePath.isEmpty())
        caption += QStringLiteral(" - ") + m_sourcePath;
    if (m_modified)
        caption += QLatin1Char('*');
    return caption;
}

bool CNorvakDoc::SaveModified() {
    if (!m_modified)
        return true;
    const std::string question =
        m_sourcePath.isEmpty() ? std::string("Сохранить документ?"_cp)
                               : FormatMessage("Сохранить файл %s?"_cp, PathBytes(m_sourcePath));
    switch (m_frame->Operator().AskYesNoCancel(question)) {
    case Answer::Cancel:
        return false;
    case Answer::No:
        return true;
    case Answer::Yes:
        break;
    }
    // Giving up the save dialog goes on without saving; a save that failed keeps the text.
    QString path = m_sourcePath;
    if (path.isEmpty()) {
        path = m_frame->AskSavePath(m_frame->GetRequisites());
        if (path.isEmpty())
            return true;
    }
    return WriteTo(path);
}

bool CNorvakDoc::DoSave(bool askPath) {
    QString path = m_sourcePath;
    if (askPath || path.isEmpty()) {
        path = m_frame->AskSavePath(m_frame->GetRequisites());
        if (path.isEmpty())
            return false;
    }
    return WriteTo(path);
}

bool CNorvakDoc::WriteTo(const QString& path) {
    CRequisiteRecord record = m_frame->GetRequisites();
    record.m_text = m_view->GetLines();
    {
        CWaitCursor wait;
        if (!WriteDocumentFile(path.toStdString(), record, m_settings.m_stringLength,
                               m_frame->Operator()))
            return false;
    }
    m_record = std::move(record);
    m_frame->AddRecentFile(path);
    m_sourcePath = path;
    SetModified(false);
    return true;
}

bool CNorvakDoc::OnFileSave() { return DoSave(false); }

bool CNorvakDoc::OnFileSaveAs() { return DoSave(true); }

bool CNorvakDoc::OnNewDocument() {
    if (!SaveModified())
        return false;
    m_view->SetText({}, false);
    m_record.Clear();
    m_frame->SetRequisites(m_record);
    m_sourcePath.clear();
    SetModified(false);
    return true;
}

bool CNorvakDoc::OnFileOpen() {
    QString path;
    int type = 1;
    bool dos = true;
    if (!m_frame->AskOpenPath(m_lastFileType, path, type, dos))
        return false;
    m_lastFileType = type;
    if (!SaveModified())
        return false;
    return OpenFile(path, type, dos);
}

bool CNorvakDoc::OpenFile(const QString& path, int fileType, bool dos) {
    m_lastFileType = fileType;
    SetSourcePath(QString());
    CWaitCursor wait;
    m_dosEncoding = dos;
    m_view->SetText({}, false);
    m_record.Clear();
    m_frame->SetRequisites(m_record);
    CProgress& progress = m_frame->Progress();
    progress.Pump();

    OpenOptions options;
    options.type = fileType == 2   ? FileType::Source
                   : fileType == 3 ? FileType::Marked
                                   : FileType::Text;
    options.encoding = dos ? Encoding::Dos : Encoding::Windows;
    OpenedDocument opened =
        ReadDocumentFile(path.toStdString(), options, m_settings, progress, m_frame->Operator());
    if (!opened.ok) {
        progress.End();
        SetModified(false);
        return false;
    }
    m_view->SetText(opened.lines, true);
    if (m_settings.m_defineRecvisits == 0)
        opened.record.Clear();
    m_record = std::move(opened.record);
    m_record.RemoveDuplicates();
    m_view->EmptyUndo();
    m_frame->SetRequisites(m_record);
    progress.End();
    m_frame->AddRecentFile(path);
    SetModified(false);
    return true;
}

bool CNorvakDoc::OpenUnchanged(const QString& path) {
    if (!SaveModified())
        return false;
    LineList lines;
    if (!ReadFileUnchanged(path.toStdString(), lines)) {
        m_frame->Operator().Message(FormatMessage("Ошибка чтения файла %s!"_cp, PathBytes(path)),
                                    MessageIcon::Error);
        return false;
    }
    m_record.Clear();
    m_frame->SetRequisites(m_record);
    m_sourcePath.clear();
    m_view->SetText(lines, true);
    m_frame->AddRecentFile(path);
    SetModified(false);
    return true;
}

} // namespace norvak
