#include "norvakdoc.h"

#include "core/codepage.h"
#include "core/literal.h"
#include "docdictdlg.h"
#include "core/textfile.h"
#include "document/sourceformat.h"
#include "organdictdlg.h"
#include "sourcedictdlg.h"
#include "temathicsdlg.h"
#include "mainframe.h"
#include "markupcommands.h"
#include "norvakview.h"
#include "opendialogex.h"
#include "textcodec.h"
#include "waitcursor.h"

#include <QApplication>
#include <QCursor>
#include <QFileInfo>

#include <cstdio>

namespace norvak {
namespace {

std::string PathBytes(const QString& path) { return Utf8ToCp1251(path.toStdString()); }

// Opens Dialog over a copy of dict; OK after a change puts the copy in place of dict. True
// then.
template <class Dialog, class Dict> bool EditCopy(Dict& dict, COperator& op, QWidget* parent) {
    Dict copy = dict;
    Dialog dialog(copy, op, parent);
    if (dialog.exec() != QDialog::Accepted || !dialog.IsModified())
        return false;
    dict = copy;
    return true;
}

} // namespace

CNorvakDoc::CNorvakDoc(CSettingsStore* store, QString serviceDataPath, COperator& op,
                       QObject* parent)
    : QObject(parent), m_store(store), m_serviceDataPath(std::move(serviceDataPath)) {
    LoadServiceData(op);
    if (m_store != nullptr)
        for (const std::string& message : m_settings.Read(*m_store))
            op.Message(message, MessageIcon::Exclamation);
}

CNorvakDoc::~CNorvakDoc() {
    // A failed save has told the operator "Ошибка сохранения файла служебных данных!".
    if (m_frame != nullptr)
        SaveServiceData(m_frame->Operator());
    if (m_store != nullptr)
        m_settings.Write(*m_store);
}

void CNorvakDoc::LoadServiceData(COperator& op) {
    if (m_serviceDataPath.isEmpty())
        return;
    CWaitCursor wait;
    const std::string path = m_serviceDataPath.toStdString();
    if (!m_data.Load(path, op)) {
        if (m_data.Unreadable()) {
            // Left as it is: the dictionaries stay empty and the file is not replaced.
            std::string text = FormatMessage("Файл служебных данных %s не может быть прочитан"_cp,
                                             PathBytes(m_serviceDataPath));
            text += " (" + m_data.ReadError() + "). ";
            text += "Словари не загружены."_cp;
            op.Message(text, MessageIcon::Exclamation);
            return;
        }
        SaveServiceData(op); // a missing file is written afresh at once
        return;
    }
    if (!m_data.LoadedCleanly()) {
        const std::string copy = m_data.KeepDamagedCopy();
        std::string text =
            FormatMessage("Файл служебных данных %s повреждён, словари загружены не полностью. "_cp,
                          PathBytes(m_serviceDataPath));
        text += copy.empty() ? std::string("Сохранить копию повреждённого файла не удалось."_cp)
                             : FormatMessage("Копия повреждённого файла сохранена как %s."_cp,
                                             Utf8ToCp1251(copy));
        op.Message(text, MessageIcon::Exclamation);
    }
}

bool CNorvakDoc::SaveServiceData(COperator& op) {
    if (m_serviceDataPath.isEmpty())
        return true;
    return m_data.Save(m_serviceDataPath.toStdString(), op) == 1;
}

bool CNorvakDoc::CommitDictionaries() {
    const bool saved = SaveServiceData(m_frame->Operator());
    if (saved)
        emit DictionariesSaved();
    return saved;
}

bool CNorvakDoc::CommitIfChanged(bool changed) {
    if (changed)
        CommitDictionaries();
    return changed;
}

bool CNorvakDoc::OnDictKinds() {
    return CommitIfChanged(EditCopy<CDocDictDlg>(m_data.DocDict(), m_frame->Operator(), m_frame));
}

bool CNorvakDoc::OnDictOrgans() {
    return CommitIfChanged(
        EditCopy<COrganDictDlg>(m_data.OrganDict(), m_frame->Operator(), m_frame));
}

bool CNorvakDoc::OnDictSources() {
    return CommitIfChanged(
        EditCopy<CSourceDictDlg>(m_data.SourceDict(), m_frame->Operator(), m_frame));
}

bool CNorvakDoc::OnDictThemes() {
    return CommitIfChanged(
        EditCopy<CTemathicsDlg>(m_data.TemathicsDict(), m_frame->Operator(), m_frame));
}

bool CNorvakDoc::OnClearCases() {
    return CommitIfChanged(m_data.UniDict().ConfirmRemoveAll(m_frame->Operator()));
}

bool CNorvakDoc::OnClearLetterCase() {
    return CommitIfChanged(m_data.UpperCaseDict().ConfirmRemoveAll(m_frame->Operator()));
}

QString CNorvakDoc::HeaderText() const {
    const std::string bytes = WriteSourceBytes(m_frame->GetRequisites(), m_settings.m_stringLength);
    // The blocks before the text: everything up to the header of the text block.
    std::size_t end = bytes.find("\r\n$18");
    end = end == std::string::npos ? bytes.size() : end + 2;
    std::string text;
    std::size_t start = 0;
    while (start < end) {
        std::size_t lf = bytes.find('\n', start);
        if (lf == std::string::npos || lf > end)
            lf = end;
        std::string line = bytes.substr(start, lf - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        text += DosToWindows(line);
        text += '\n';
        start = lf + 1;
    }
    return BytesToQString(text);
}

QString CNorvakDoc::LossWarningText(const QString& path, const OpenedDocument& opened) {
    QStringList parts;
    if (!opened.losses.empty()) {
        int characters = 0;
        for (const LossWarning& w : opened.losses)
            characters += w.count;
        const LossWarning& first = opened.losses.front();
        parts << QStringLiteral("В файле %1 есть символы, которых нет в кодировке Windows: "
                                "при чтении они заменены (символов: %2, строк: %3; первая "
                                "замена в строке %4, колонке %5).")
                     .arg(path)
                     .arg(characters)
                     .arg(opened.losses.size())
                     .arg(first.line)
                     .arg(first.column);
    }
    if (opened.nulBytes > 0)
        parts << QStringLiteral("Нулевые байты заменены пробелами: %1.").arg(opened.nulBytes);
    if (opened.ctrlZLine > 0)
        parts << QStringLiteral("В строке %1 стоит знак конца файла (Ctrl+Z): текст после него "
                                "не прочитан.")
                     .arg(opened.ctrlZLine);
    if (parts.isEmpty())
        return {};
    parts << QStringLiteral("Проверьте эти места перед сохранением.");
    return parts.join(QLatin1Char('\n'));
}

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
    const QString& shown = m_sourcePath.isEmpty() ? m_openedPath : m_sourcePath;
    if (!shown.isEmpty())
        caption += QStringLiteral(" - ") + shown;
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
    // A broken tag structure is shown before it is written; the operator may save anyway.
    if (auto* markup = m_frame->findChild<CMarkupCommands*>())
        if (!markup->ConfirmTagsBeforeSave())
            return false;
    CRequisiteRecord record = m_frame->GetRequisites();
    record.m_text = m_view->GetLines();
    {
        CWaitCursor wait;
        if (!WriteSourceFile(record, path.toStdString(), m_settings.m_stringLength,
                             &m_frame->Operator()))
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
    m_openedPath.clear();
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
    m_openedPath.clear();
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
    OpenedDocument opened = OpenDocument(path.toStdString(), options, m_settings, m_data,
                                         progress, m_frame->Operator());
    if (!opened.ok) {
        progress.End();
        SetModified(false);
        return false;
    }
    m_view->SetText(opened.lines, true);
    m_record = std::move(opened.record);
    m_view->EmptyUndo();
    m_frame->SetRequisites(m_record);
    progress.End();
    m_frame->AddRecentFile(path);
    m_openedPath = QFileInfo(path).absoluteFilePath();
    m_openedType = fileType;
    SetModified(false);
    const QString warning = LossWarningText(path, opened);
    if (!warning.isEmpty())
        m_frame->Operator().Message(QStringToBytes(warning), MessageIcon::Exclamation);
    return true;
}

bool CNorvakDoc::OpenUnchanged(const QString& path) {
    if (!SaveModified())
        return false;
    std::string bytes;
    if (!ReadFileBytes(path.toStdString(), bytes)) {
        m_frame->Operator().Message(FormatMessage("Ошибка чтения файла %s!"_cp, PathBytes(path)),
                                    MessageIcon::Error);
        return false;
    }
    m_record.Clear();
    m_frame->SetRequisites(m_record);
    m_sourcePath.clear();
    m_view->SetText(SplitTextLines(bytes), true);
    m_frame->AddRecentFile(path);
    m_openedPath = QFileInfo(path).absoluteFilePath();
    m_openedType = 0;
    SetModified(false);
    return true;
}

} // namespace norvak
