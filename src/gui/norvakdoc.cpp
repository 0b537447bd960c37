#include "norvakdoc.h"

#include "core/codepage.h"
#include "core/literal.h"
#include "core/textfile.h"
#include "docdictdlg.h"
#include "document/inputsniff.h"
#include "document/sourceformat.h"
#include "documentwindow.h"
#include "formats/formatreaders.h"
#include "opendialogex.h"
#include "organdictdlg.h"
#include "sourcedictdlg.h"
#include "temathicsdlg.h"
#include "textcodec.h"
#include "waitcursor.h"

#include <QApplication>
#include <QCursor>
#include <QDateTime>
#include <QFileInfo>
#include <QTextDocument>

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace norvak {
namespace {

std::string PathBytes(const QString& path) {
    return Utf8ToCp1251(path.toStdString());
}

// Opens Dialog over copy, which the caller made of a dictionary; true when the operator
// changed it and chose OK.
template <class Dialog, class Dict>
bool EditWorkingCopy(Dict& copy, COperator& op, QWidget* parent) {
    Dialog dialog(copy, op, parent);
    return dialog.exec() == QDialog::Accepted && dialog.IsModified();
}

// Opens Dialog over a copy of dict; OK after a change puts the copy in place of dict. True
// then.
template <class Dialog, class Dict> bool EditCopy(Dict& dict, COperator& op, QWidget* parent) {
    Dict copy = dict;
    if (!EditWorkingCopy<Dialog>(copy, op, parent))
        return false;
    dict = std::move(copy);
    return true;
}

} // namespace

CNorvakDoc::CNorvakDoc(CSettingsStore* store, QString serviceDataPath, COperator& op,
                       QObject* parent)
    : QObject(parent), m_store(store), m_serviceDataPath(std::move(serviceDataPath)),
      m_recovery(RecoveryFolder(std::getenv("XDG_STATE_HOME"), std::getenv("HOME")), ::getpid()) {
    LoadServiceData(op);
    if (m_store != nullptr)
        for (const std::string& message : m_settings.Read(*m_store))
            op.Message(message, MessageIcon::Exclamation);
    m_autosaveTimer.setInterval(kAutosaveMs);
    connect(&m_autosaveTimer, &QTimer::timeout, this, &CNorvakDoc::Autosave);
    m_autosaveTimer.start();
}

CNorvakDoc::~CNorvakDoc() {
    // The editor ends as the operator asked: the text was saved or deliberately given up.
    DropRecoveryCopy();
    // A failed save has told the operator "Ошибка сохранения файла служебных данных!".
    if (m_window != nullptr)
        SaveServiceData(m_window->Operator());
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
    const bool saved = SaveServiceData(m_window->Operator());
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
    return CommitIfChanged(
        EditCopy<CDocDictDlg>(m_data.DocDict(), m_window->Operator(), m_window->DialogParent()));
}

bool CNorvakDoc::OnDictOrgans() {
    // The bodies teach the letter-case dictionary the spellings they are given: the copy
    // teaches a copy of it, so that a cancelled dialog leaves both as they were.
    CUpperCaseDict letterCase = m_data.UpperCaseDict();
    COrganDict organs = m_data.OrganDict();
    organs.LinkUpperCaseDict(&letterCase);
    if (!EditWorkingCopy<COrganDictDlg>(organs, m_window->Operator(), m_window->DialogParent()))
        return false;
    organs.LinkUpperCaseDict(&m_data.UpperCaseDict());
    m_data.OrganDict() = std::move(organs);
    m_data.UpperCaseDict() = std::move(letterCase);
    return CommitIfChanged(true);
}

bool CNorvakDoc::OnDictSources() {
    return CommitIfChanged(EditCopy<CSourceDictDlg>(m_data.SourceDict(), m_window->Operator(),
                                                    m_window->DialogParent()));
}

bool CNorvakDoc::OnDictThemes() {
    return CommitIfChanged(EditCopy<CTemathicsDlg>(m_data.TemathicsDict(), m_window->Operator(),
                                                   m_window->DialogParent()));
}

bool CNorvakDoc::OnClearCases() {
    return CommitIfChanged(m_data.UniDict().ConfirmRemoveAll(m_window->Operator()));
}

bool CNorvakDoc::OnClearLetterCase() {
    return CommitIfChanged(m_data.UpperCaseDict().ConfirmRemoveAll(m_window->Operator()));
}

QString CNorvakDoc::HeaderText() const {
    const std::string bytes = WriteSourceBytes(m_window->GetRequisites(), m_settings.stringLength);
    // The blocks before the text: everything up to the header of the text block.
    std::size_t end = bytes.find("\r\n$18");
    end = end == std::string::npos ? bytes.size() : end + 2;
    std::string text;
    std::size_t start = 0;
    while (start < end) {
        std::size_t lf = bytes.find('\n', start);
        if (lf == std::string::npos || lf > end)
            lf = end;
        text += DosToWindows(StripCRTrailing(std::string_view(bytes).substr(start, lf - start)));
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

void CNorvakDoc::Attach(CDocumentWindow* window) {
    m_window = window;
}

void CNorvakDoc::NoteTextChanged() {
    // The view tells the first change only; the recovery copy needs every one.
    m_changedSinceCopy = true;
    emit CaptionChanged(Caption());
}

void CNorvakDoc::SetModified(bool modified) {
    const bool changed = modified != m_modified;
    m_modified = modified;
    // Cleared after a save, or after the text was given up for another (New, Open), which
    // asked first.
    if (modified)
        m_changedSinceCopy = true;
    else
        DropRecoveryCopy();
    if (!modified && m_window != nullptr)
        m_window->MarkTextClean();
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
    switch (m_window->Operator().AskYesNoCancel(question)) {
    case Answer::Cancel:
        return false;
    case Answer::No:
        return true;
    case Answer::Yes:
        break;
    }
    // Giving up the save dialog gives up the command too, as Cancel does: the text was not
    // saved. So does a save that failed.
    QString path = m_sourcePath;
    if (path.isEmpty()) {
        path = m_window->AskSavePath(m_window->GetRequisites());
        if (path.isEmpty())
            return false;
    }
    return WriteTo(path);
}

bool CNorvakDoc::DoSave(bool askPath) {
    QString path = m_sourcePath;
    if (askPath || path.isEmpty()) {
        path = m_window->AskSavePath(m_window->GetRequisites());
        if (path.isEmpty())
            return false;
    }
    return WriteTo(path);
}

bool CNorvakDoc::WriteTo(const QString& path) {
    // A broken tag structure is shown before it is written; the operator may save anyway.
    if (!m_window->ConfirmSave())
        return false;
    CRequisiteRecord record = m_window->GetRequisites();
    record.m_text = m_window->TextLines();
    {
        CWaitCursor wait;
        std::string reason;
        if (!WriteSourceFile(record, path.toStdString(), m_settings.stringLength, &reason)) {
            m_window->Operator().Message(
                FormatMessage("Ошибка сохранения файла %s!"_cp, PathBytes(path)) + "\n" +
                    Utf8ToCp1251(reason),
                MessageIcon::Error);
            return false;
        }
    }
    m_record = std::move(record);
    // A saved file opens again as the source format it now is.
    m_window->AddRecentFile(path, static_cast<int>(FileType::Marked), Encoding::Dos);
    m_sourcePath = path;
    SetModified(false);
    return true;
}

bool CNorvakDoc::OnFileSave() {
    return DoSave(false);
}

bool CNorvakDoc::OnFileSaveAs() {
    return DoSave(true);
}

bool CNorvakDoc::OnNewDocument() {
    if (!SaveModified())
        return false;
    m_window->ShowText({}, false);
    m_record.Clear();
    m_window->SetRequisites(m_record);
    m_sourcePath.clear();
    m_openedPath.clear();
    SetModified(false);
    return true;
}

bool CNorvakDoc::OnFileOpen() {
    QString path;
    FileType chosen = FileType::Auto;
    Encoding encoding = Encoding::Dos;
    if (!m_window->AskOpenPath(m_lastFileType, path, chosen, encoding))
        return false;
    m_lastFileType = chosen;
    // A type that does not fit the file is told before anything is given up for it.
    std::string bytes;
    const bool read = ReadFileBytes(path.toStdString(), bytes);
    if (read && chosen != FileType::Auto) {
        const TypeMismatch mismatch = CheckFileType(bytes, chosen, PathBytes(path));
        if (mismatch.found) {
            switch (m_window->Operator().AskYesNoCancel(mismatch.message)) {
            case Answer::Cancel:
                return false;
            case Answer::Yes:
                chosen = mismatch.offer;
                encoding = mismatch.encoding;
                break;
            case Answer::No:
                break;
            }
        }
    }
    if (!SaveModified())
        return false;
    return OpenWith(path, chosen, encoding, read ? &bytes : nullptr);
}

bool CNorvakDoc::OpenFile(const QString& path, FileType type, Encoding encoding) {
    return OpenWith(path, type, encoding, nullptr);
}

bool CNorvakDoc::OpenDetected(const QString& path, int fileType, Encoding encoding) {
    if (fileType >= 1 && fileType <= 6) {
        if (!SaveModified())
            return false;
        return OpenFile(path, static_cast<FileType>(fileType), encoding);
    }
    if (fileType == kRecentDetected) {
        if (!SaveModified())
            return false;
        return OpenFile(path, FileType::Auto, encoding);
    }
    std::string bytes;
    if (ReadFileBytes(path.toStdString(), bytes)) {
        const DetectedType detected = DetectSourceFormat(bytes);
        if (detected.found) {
            if (!SaveModified())
                return false;
            return OpenWith(path, detected.type, detected.encoding, &bytes);
        }
        // A web page or a word-processor document has no unchanged text to show.
        const FileType kind = FormatReaders().Detect(bytes);
        if (kind == FileType::Html || kind == FileType::Docx || kind == FileType::Odt) {
            if (!SaveModified())
                return false;
            return OpenWith(path, kind, Encoding::Utf8, &bytes);
        }
    }
    return OpenUnchanged(path);
}

bool CNorvakDoc::OpenDropped(const QString& path) {
    std::string bytes;
    if (!ReadFileBytes(path.toStdString(), bytes)) {
        m_window->Operator().Message(FormatMessage("Ошибка чтения файла %s!"_cp, PathBytes(path)),
                                     MessageIcon::Error);
        return false;
    }
    if (!SaveModified())
        return false;
    return OpenWith(path, FileType::Auto, GuessTextEncoding(bytes), &bytes);
}

bool CNorvakDoc::OpenWith(const QString& path, FileType type, Encoding encoding,
                          const std::string* bytes) {
    m_lastFileType = type;
    m_openedPath.clear();
    SetSourcePath(QString());
    CWaitCursor wait;
    m_encoding = encoding;
    m_window->ShowText({}, false);
    m_record.Clear();
    m_window->SetRequisites(m_record);
    CProgress& progress = m_window->Progress();
    progress.Pump();

    OpenOptions options;
    options.readers = &FormatReaders();
    options.type = type;
    options.encoding = encoding;
    OpenedDocument opened = bytes != nullptr
                                ? OpenDocumentBytes(*bytes, path.toStdString(), options, m_settings,
                                                    m_data, progress, m_window->Operator())
                                : OpenDocument(path.toStdString(), options, m_settings, m_data,
                                               progress, m_window->Operator());
    if (!opened.ok) {
        progress.End();
        SetModified(false);
        return false;
    }
    if (opened.unlaidLines.empty()) {
        m_window->ShowText(opened.lines, true);
        m_window->EmptyUndo();
    } else {
        // A text laid out from one paragraph per line: the layout (with its tags) is one
        // edit over the text as read, so that Undo gives the text back as it was.
        m_window->ShowText(opened.unlaidLines, false);
        m_window->EmptyUndo();
        m_window->ReplaceText(opened.lines);
    }
    m_record = std::move(opened.record);
    MapEvidenceLines(opened.evidence, opened.lines);
    m_window->SetRequisites(m_record, std::move(opened.evidence));
    progress.End();
    // Opened again the way it was read: the detected type and encoding when it was told
    // automatically.
    m_encoding = opened.encoding;
    m_window->AddRecentFile(
        path, type == FileType::Auto ? kRecentDetected : static_cast<int>(opened.type),
        opened.encoding);
    m_openedPath = QFileInfo(path).absoluteFilePath();
    m_openedType = static_cast<int>(opened.type);
    SetModified(false);
    const QString warning = LossWarningText(path, opened);
    if (!warning.isEmpty())
        m_window->Operator().Message(QStringToBytes(warning), MessageIcon::Exclamation);
    return true;
}

bool CNorvakDoc::OpenUnchanged(const QString& path) {
    if (!SaveModified())
        return false;
    std::string bytes;
    if (!ReadFileBytes(path.toStdString(), bytes)) {
        m_window->Operator().Message(FormatMessage("Ошибка чтения файла %s!"_cp, PathBytes(path)),
                                     MessageIcon::Error);
        return false;
    }
    m_record.Clear();
    m_window->SetRequisites(m_record);
    m_sourcePath.clear();
    m_window->ShowText(SplitTextLines(bytes), true);
    m_window->AddRecentFile(path, 0, Encoding::Dos);
    m_openedPath = QFileInfo(path).absoluteFilePath();
    m_openedType = 0;
    SetModified(false);
    return true;
}

void CNorvakDoc::SetRecoveryFolder(const QString& folder) {
    m_recovery = CRecoveryStore(folder.toStdString(), ::getpid());
}

void CNorvakDoc::DropRecoveryCopy() {
    m_recovery.Remove();
    m_changedSinceCopy = false;
}

bool CNorvakDoc::Autosave() {
    if (!m_modified || !m_changedSinceCopy || m_window == nullptr)
        return false;
    RecoveryCopy copy;
    copy.sourcePath = m_sourcePath.toStdString();
    copy.record = m_window->GetRequisites();
    copy.record.m_text = m_window->TextLines();
    std::string error;
    if (!m_recovery.Write(copy, &error)) {
        if (!m_copyFailureTold)
            m_window->Operator().Message(
                FormatMessage("Не удалось записать копию документа для восстановления после сбоя "
                              "(%s). Сохраняйте документ чаще."_cp,
                              Utf8ToCp1251(error)),
                MessageIcon::Exclamation);
        m_copyFailureTold = true;
        return false;
    }
    m_changedSinceCopy = false;
    return true;
}

bool CNorvakDoc::OfferRecovery() {
    for (const std::string& path : m_recovery.Orphans()) {
        RecoveryCopy copy;
        if (!CRecoveryStore::Read(path, copy))
            continue; // not a copy this editor can read: left where it is
        const QString name = copy.sourcePath.empty() ? QStringLiteral("без имени")
                                                     : QString::fromStdString(copy.sourcePath);
        const QString when = QFileInfo(QString::fromStdString(path))
                                 .lastModified()
                                 .toString(QStringLiteral("dd.MM.yyyy hh:mm"));
        const QString question =
            QStringLiteral("Работа редактора была прервана, и документ %1 остался несохранённым. "
                           "Его копия от %2 (строк: %3) сохранилась.\n\nВосстановить документ?")
                .arg(name, when)
                .arg(copy.record.m_text.size());
        if (m_window->Operator().AskYesNo(QStringToBytes(question)) != Answer::Yes) {
            CRecoveryStore::Discard(path);
            continue;
        }
        m_record = copy.record;
        m_record.m_text.clear();
        m_window->ShowText(copy.record.m_text, true);
        m_window->EmptyUndo();
        m_window->SetRequisites(m_record);
        SetSourcePath(QString::fromStdString(copy.sourcePath));
        SetModified(true);
        // The copy becomes this editor's own before the old one goes.
        Autosave();
        CRecoveryStore::Discard(path);
        return true;
    }
    return false;
}

} // namespace norvak
