// Nothing the operator does is lost in the editor: a cancelled save dialog abandons the
// command, recovery copies are written and offered again, files are opened as what they are
// (with a question when the chosen type does not fit), the recent-file list reopens files the
// way they were opened, and an .rla opened and saved unchanged keeps its bytes.

#include "guitests.h"

#include "core/codepage.h"
#include "core/textfile.h"
#include "document/recovery.h"
#include "document/sourceformat.h"
#include "documentwindow.h"
#include "frametestbed.h"
#include "markup/tags.h"
#include "textcodec.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QTest>
#include <QUrl>

#include <sys/wait.h>
#include <unistd.h>

using namespace norvak;

namespace {

// A link tag of the note as the link dialog writes it.
std::string LinkTag(const std::string& head) {
    std::string tag = "\x04\x04" + head;
    tag.append(66 - tag.size(), '-');
    return tag;
}

// A record as an operator leaves it: every kind of block filled, a long wrapped title with its
// appendices, a note with a link tag, tags and a frame in the text.
CRequisiteRecord SavedRecord() {
    CRequisiteRecord r;
    r.m_dbNumber = 42;
    r.m_entryDate = CDateValue(2003, 1, 15);
    r.m_firstEdition = 7;
    r.m_status = 1;
    r.m_note = Cp("Примечание к документу, достаточно длинное, чтобы занять не одну строку "
                  "при ширине в шестьдесят шесть знаков ") +
               LinkTag(Cp("СС_ПОТ_1234#")) + Cp(" \nв редакции приказа");
    r.m_themes = {10, 2030};
    r.m_sources = {Cp("Российская газета, N 12, 21.01.2003")};
    r.m_kinds = {Cp("ПРИКАЗ"), Cp("ПОЛОЖЕНИЕ")};
    r.m_organs = {Cp("МИНФИН РОССИИ")};
    r.m_adoptionDates = {CDateValue(2003, 1, 10)};
    r.m_numbers = {Cp("123н")};
    r.m_justiceDate = CDateValue(2003, 1, 14);
    r.m_justiceNumber = "4123";
    r.m_title = Cp("ОБ УТВЕРЖДЕНИИ ПОЛОЖЕНИЯ О ПОРЯДКЕ ВЕДЕНИЯ УЧЕТА ДОКУМЕНТОВ В ФЕДЕРАЛЬНЫХ "
                   "ОРГАНАХ ИСПОЛНИТЕЛЬНОЙ ВЛАСТИ \n(вместе с \"ПОЛОЖЕНИЕМ О ПОРЯДКЕ ВЕДЕНИЯ "
                   "УЧЕТА ДОКУМЕНТОВ\")");
    r.m_text = {OpeningLine(TagCode::ZAG),
                Cp("      ПРИКАЗ"),
                ClosingLine(),
                "",
                "\x1B\x16\x16\x18\x16\x1A",
                Cp("\x12 А\x12 Б\x12"),
                "\x1C\x16\x16\x19\x16\xA7",
                Cp("     Текст первого абзаца.")};
    return r;
}

long EndedPid() {
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}

} // namespace

class TestDocumentSafety : public QObject, private FrameTestFiles {
    Q_OBJECT
private:
    // The answer of the open dialog.
    QString m_openPath;
    FileType m_openType = FileType::Text;
    Encoding m_openEncoding = Encoding::Dos;

    CMainFrame& Frame() { return *m_frame; }
    CNorvakDoc& Doc() { return m_frame->Doc(); }
    QString RecoveryDir() const { return m_dir->filePath("state/norvak"); }

    void MakeFrame() {
        MakeSavingFrame();
        m_frame->SetOpenPathProvider(
            [this](FileType, QString& path, FileType& type, Encoding& encoding) {
                path = m_openPath;
                type = m_openType;
                encoding = m_openEncoding;
                return true;
            });
        Doc().SetRecoveryFolder(RecoveryDir());
    }
    void Type(const QString& text) { TypeText(&Frame().View(), text); }
    QString WriteFile(const char* name, const std::string& bytes) {
        const QString path = m_dir->filePath(QString::fromLatin1(name));
        if (!WriteFileAtomic(path.toStdString(), bytes))
            qWarning("cannot write %s", name);
        return path;
    }
    std::string ReadBack(const QString& path) {
        std::string bytes;
        ReadFileBytes(path.toStdString(), bytes);
        return bytes;
    }
    int TagLines() {
        int n = 0;
        for (const std::string& l : Frame().View().GetLines())
            n += IsTagLine(l) ? 1 : 0;
        return n;
    }

private slots:
    void init() {
        QVERIFY(MakeFiles());
        MakeFrame();
        QVERIFY(ShowFrame());
    }
    void cleanup() { DropFrameAndFiles(); }

    // ------------------------------------------------------------------ lifecycle

    void cancelledSaveDialogAbandonsTheCommand_data() {
        QTest::addColumn<QString>("command");
        QTest::newRow("robustness: close") << QStringLiteral("close");
        QTest::newRow("robustness: new") << QStringLiteral("new");
        QTest::newRow("robustness: open") << QStringLiteral("open");
    }
    void cancelledSaveDialogAbandonsTheCommand() {
        QFETCH(QString, command);
        Type(QStringLiteral("правка"));
        m_op.SetAnswer(Answer::Yes); // "Сохранить документ?" Yes, then Cancel in the dialog
        m_savePaths = {QString()};
        m_openPath = TestData("gui/tagged.cp866.txt");
        m_openType = FileType::Text;
        bool done = true;
        if (command == QLatin1String("close"))
            done = Frame().close();
        else if (command == QLatin1String("new"))
            done = Doc().OnNewDocument();
        else
            done = Doc().OnFileOpen();
        QVERIFY(!done);
        QCOMPARE(m_saveDialogs, 1);
        QCOMPARE(Frame().View().GetLines(), LineList{Cp("правка")});
        QVERIFY(Doc().IsModified());
    }

    void aFailedSaveNamesTheFileAndTheReason() {
        Type(QStringLiteral("x"));
        const QString path = m_dir->filePath("no/such/dir/file.rla");
        m_savePaths = {path};
        QVERIFY(!Doc().OnFileSave());
        QCOMPARE(m_op.Messages().size(), size_t(1));
        const QString text = BytesToQString(m_op.Messages().front());
        QVERIFY2(text.startsWith(QStringLiteral("Ошибка сохранения файла ") + path + "!"),
                 qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("No such file or directory")) ||
                     text.contains(QStringLiteral("Нет такого")),
                 qPrintable(text));
        QVERIFY(Doc().IsModified());
    }

    // ------------------------------------------------------------------ recovery copies

    void aModifiedDocumentIsCopiedAndTheCopyGoesWithTheSave() {
        QVERIFY(!Doc().Autosave());
        Type(QStringLiteral("первая правка"));
        CRequisiteRecord r;
        r.m_kinds = {Cp("ПРИКАЗ")};
        Frame().SetRequisites(r);
        QVERIFY(Doc().Autosave());
        const QString copyPath = QString::fromStdString(Doc().Recovery().Path());
        QVERIFY(copyPath.startsWith(RecoveryDir()));
        RecoveryCopy copy;
        QVERIFY(CRecoveryStore::Read(copyPath.toStdString(), copy));
        QCOMPARE(copy.record.m_text, LineList{Cp("первая правка")});
        QCOMPARE(copy.record.m_kinds, std::vector<std::string>{Cp("ПРИКАЗ")});
        QVERIFY(!Doc().Autosave());
        Type(QStringLiteral("!"));
        QVERIFY(Doc().Autosave());
        m_savePaths = {m_dir->filePath("doc.rla")};
        QVERIFY(Doc().OnFileSave());
        QVERIFY(!QFileInfo::exists(copyPath));
    }

    void aDeliberateDiscardRemovesTheCopy_data() {
        QTest::addColumn<QString>("command");
        QTest::newRow("nominal: New, answering No") << QStringLiteral("new");
        QTest::newRow("nominal: closing, answering No") << QStringLiteral("close");
    }
    void aDeliberateDiscardRemovesTheCopy() {
        QFETCH(QString, command);
        Type(QStringLiteral("текст"));
        QVERIFY(Doc().Autosave());
        const QString copyPath = QString::fromStdString(Doc().Recovery().Path());
        QVERIFY(QFileInfo::exists(copyPath));
        m_op.SetAnswer(Answer::No);
        if (command == QLatin1String("new")) {
            QVERIFY(Doc().OnNewDocument());
        } else {
            QVERIFY(Frame().close());
            m_frame.reset();
        }
        QVERIFY(!QFileInfo::exists(copyPath));
    }

    void theNextStartOffersTheCopyOfACrashedEditor_data() {
        QTest::addColumn<int>("answer");
        QTest::newRow("nominal: Yes restores text, requisites and path") << int(Answer::Yes);
        QTest::newRow("nominal: No discards the copy") << int(Answer::No);
    }
    void theNextStartOffersTheCopyOfACrashedEditor() {
        QFETCH(int, answer);
        RecoveryCopy lost;
        lost.sourcePath = m_dir->filePath("00042.rla").toStdString();
        lost.record = SavedRecord();
        CRecoveryStore crashed(RecoveryDir().toStdString(), EndedPid());
        QVERIFY(crashed.Write(lost));
        // A copy of an editor that still runs is not offered.
        CRecoveryStore running(RecoveryDir().toStdString(), ::getppid());
        QVERIFY(running.Write(RecoveryCopy()));

        m_op.SetAnswer(static_cast<Answer>(answer));
        QCOMPARE(Doc().OfferRecovery(), answer == int(Answer::Yes));
        QCOMPARE(m_op.Questions().size(), size_t(1));
        QVERIFY(BytesToQString(m_op.Questions().front()).contains(QStringLiteral("00042.rla")));
        QVERIFY(!QFileInfo::exists(QString::fromStdString(crashed.Path())));
        QVERIFY(QFileInfo::exists(QString::fromStdString(running.Path())));
        if (answer == int(Answer::Yes)) {
            QCOMPARE(Frame().View().GetLines(), lost.record.m_text);
            QCOMPARE(Frame().GetRequisites().m_kinds, lost.record.m_kinds);
            QCOMPARE(Frame().GetRequisites().m_title, lost.record.m_title);
            QCOMPARE(Doc().SourcePath(), QString::fromStdString(lost.sourcePath));
            QVERIFY(Doc().IsModified());
            QVERIFY(Frame().windowTitle().endsWith(QLatin1Char('*')));
            QVERIFY(QFileInfo::exists(QString::fromStdString(Doc().Recovery().Path())));
        } else {
            QVERIFY(Frame().View().GetLines().empty());
            QVERIFY(!Doc().IsModified());
        }
        m_op.Clear();
        QVERIFY(!Doc().OfferRecovery());
        QVERIFY(m_op.Questions().empty());
    }

    // ------------------------------------------------------------------ opening as what it is

    void openWarnsWhenTheTypeDoesNotFit_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("chosen");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("opened");
        QTest::addColumn<int>("tagLines"); // tag lines in the editor after opening, -1: any
        QTest::newRow("error: a DOS text as marked, Yes opens it as a text")
            << QStringLiteral("text") << 3 << int(Answer::Yes) << true << -1;
        QTest::newRow("error: a DOS text as marked, No opens it as chosen")
            << QStringLiteral("text") << 3 << int(Answer::No) << true << 0;
        QTest::newRow("error: a DOS text as marked, Cancel opens nothing")
            << QStringLiteral("text") << 3 << int(Answer::Cancel) << false << 0;
        QTest::newRow("error: a tagged .rla as source, Yes keeps its tags once")
            << QStringLiteral("tagged") << 2 << int(Answer::Yes) << true << 2;
        QTest::newRow("error: a half .rla as marked, Yes shows all of it as text")
            << QStringLiteral("half") << 3 << int(Answer::Yes) << true << -1;
        QTest::newRow("error: an .rla as a text, Yes opens it as saved")
            << QStringLiteral("tagged") << 1 << int(Answer::Yes) << true << 2;
    }
    void openWarnsWhenTheTypeDoesNotFit() {
        QFETCH(QString, file);
        QFETCH(int, chosen);
        QFETCH(int, answer);
        QFETCH(bool, opened);
        QFETCH(int, tagLines);
        Doc().Settings().createTags = 1;
        const std::string rla = WriteSourceBytes(SavedRecord(), 66);
        if (file == QLatin1String("text"))
            m_openPath = TestData("gui/composed_postanovlenie_tablica.cp866.txt");
        else if (file == QLatin1String("tagged"))
            m_openPath = WriteFile("tagged.rla", rla);
        else
            m_openPath = WriteFile("half.rla", rla.substr(0, rla.find("$18")));
        m_openType = static_cast<FileType>(chosen);
        m_op.SetAnswer(static_cast<Answer>(answer));
        QCOMPARE(Doc().OnFileOpen(), opened);
        QCOMPARE(m_op.Questions().size(), size_t(1));
        QVERIFY(BytesToQString(m_op.Questions().front()).contains(m_openPath));
        if (!opened) {
            QVERIFY(Frame().View().GetLines().empty());
            return;
        }
        QVERIFY(!Frame().View().GetLines().empty() || answer == int(Answer::No));
        if (tagLines >= 0)
            QCOMPARE(TagLines(), tagLines);
        if (file == QLatin1String("half") || file == QLatin1String("text"))
            QCOMPARE(Doc().LastFileType(),
                     answer == int(Answer::Yes) ? FileType::Text : static_cast<FileType>(chosen));
    }

    void openDoesNotAskWhenTheTypeFits() {
        m_openPath = WriteFile("doc.rla", WriteSourceBytes(SavedRecord(), 66));
        m_openType = FileType::Marked;
        QVERIFY(Doc().OnFileOpen());
        QVERIFY(m_op.Questions().empty());
        QCOMPARE(Frame().View().GetLines(), SavedRecord().m_text);
    }

    void anRlaOpenedAndSavedUnchangedKeepsItsBytes() {
        const std::string rla = WriteSourceBytes(SavedRecord(), 66);
        const QString in = WriteFile("in.rla", rla);
        QVERIFY(Doc().OpenFile(in, 3, true));
        QCOMPARE(Frame().GetRequisites().m_title, SavedRecord().m_title);
        QCOMPARE(Frame().GetRequisites().m_note, SavedRecord().m_note);
        const QString out = m_dir->filePath("out.rla");
        m_savePaths = {out};
        QVERIFY(Doc().OnFileSaveAs());
        QCOMPARE(ReadBack(out), rla);
        // And once more from what was saved.
        QVERIFY(Doc().OpenFile(out, 3, true));
        m_savePaths = {m_dir->filePath("again.rla")};
        QVERIFY(Doc().OnFileSaveAs());
        QCOMPARE(ReadBack(m_dir->filePath("again.rla")), rla);
    }

    // A portal page, a DOCX or an ODT reaches the editor laid out and tagged by every road:
    // the Open dialog's detection, the command line, a drop onto the view, the recent list.
    void modernDocumentsOpenLaidOutByEveryRoad_data() {
        QTest::addColumn<QString>("road");
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("type");
        QTest::newRow("nominal: open dialog, html")
            << "dialog"
            << "formats/vozdushnyj_kodeks_1997_102046246.html" << kRecentDetected;
        QTest::newRow("nominal: command line, docx")
            << "command"
            << "formats/composed_postanovlenie_tablica.docx" << int(FileType::Docx);
        QTest::newRow("nominal: drop, odt")
            << "drop"
            << "formats/composed_postanovlenie_tablica.odt" << kRecentDetected;
        QTest::newRow("nominal: drop, paragraph-per-line text")
            << "drop"
            << "formats/vozdushnyj_kodeks_1997_102046246.cp1251.txt" << kRecentDetected;
    }
    void modernDocumentsOpenLaidOutByEveryRoad() {
        QFETCH(QString, road);
        QFETCH(QString, file);
        QFETCH(int, type);
        const QString path = TestData(file.toUtf8().constData());
        if (road == QLatin1String("dialog")) {
            m_openPath = path;
            m_openType = FileType::Auto;
            m_openEncoding = Encoding::Utf8;
            QVERIFY(Doc().OnFileOpen());
        } else if (road == QLatin1String("command")) {
            QVERIFY(Doc().OpenDetected(path));
        } else {
            auto* mime = new QMimeData;
            mime->setUrls({QUrl::fromLocalFile(path)});
            QWidget* viewport = Frame().View().viewport();
            const QPointF at = viewport->rect().center();
            QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, mime, Qt::LeftButton,
                                  Qt::NoModifier);
            QApplication::sendEvent(viewport, &enter);
            QVERIFY(enter.isAccepted());
            QDropEvent drop(at, Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(viewport, &drop);
            QVERIFY(drop.isAccepted());
            QTRY_VERIFY(!Frame().View().GetLines().empty());
            delete mime;
        }
        const LineList lines = Frame().View().GetLines();
        QVERIFY(TagLines() > 0);
        for (const std::string& l : lines)
            QVERIFY2(IsTagLine(l) || l.size() <= 66 || l.find(' ') == std::string::npos, l.c_str());
        QVERIFY(!Doc().IsModified());
        const CMainFrame::RecentFile recent = Frame().RecentEntries().at(0);
        QCOMPARE(recent.type, type);
        if (file.endsWith(QLatin1String(".txt"))) {
            // The layout of a paragraph-per-line text is one edit: Undo gives the text as read.
            Frame().Action(ID_EDIT_UNDO)->trigger();
            QCOMPARE(TagLines(), 0);
            QVERIFY(Frame().View().GetLines().size() < lines.size());
            QVERIFY(Doc().IsModified());
            Frame().Action(ID_EDIT_REDO)->trigger();
            QCOMPARE(Frame().View().GetLines(), lines);
        }
        // The recent entry opens it the same way again.
        Doc().OnNewDocument();
        QVERIFY(Frame().OpenRecent(0));
        QCOMPARE(Frame().View().GetLines(), lines);
    }

    void theCommandLineOpensAnRlaAsSaved() {
        const QString path = WriteFile("doc.rla", WriteSourceBytes(SavedRecord(), 66));
        QVERIFY(Doc().OpenDetected(path));
        QCOMPARE(Frame().View().GetLines(), SavedRecord().m_text);
        QCOMPARE(Frame().GetRequisites().m_kinds, SavedRecord().m_kinds);
        QCOMPARE(Doc().LastFileType(), FileType::Marked);
        // Typing and saving writes the text, not the old file nested in it. (Typed into the
        // last paragraph: a letter before the first tag would stop the save at the tag check.)
        Frame().View().moveCursor(QTextCursor::End);
        Type(QStringLiteral("Ж"));
        m_savePaths = {path};
        QVERIFY(Doc().OnFileSave());
        const CRequisiteRecord back = ReadSourceBytes(ReadBack(path), true);
        QCOMPARE(back.m_kinds, SavedRecord().m_kinds);
        QVERIFY(back.m_text.size() == SavedRecord().m_text.size());
        // A plain text is still loaded unchanged.
        QVERIFY(Doc().OpenDetected(TestData("gui/tagged.cp866.txt")));
        QCOMPARE(Doc().LastFileType(), FileType::Marked);
        QVERIFY(Frame().GetRequisites().m_kinds.empty());
    }

    void recentEntriesReopenTheWayTheyWereOpened() {
        const QString rla = WriteFile("doc.rla", WriteSourceBytes(SavedRecord(), 66));
        const QString windows = WriteFile("win.txt", Cp("   ПРИКАЗ\r\n   о порядке\r\n"));
        Doc().Settings().createTags = 0;
        Doc().Settings().defineRecvisits = 0;
        QVERIFY(Doc().OpenFile(windows, FileType::Text, Encoding::Windows));
        QVERIFY(Doc().OpenFile(rla, 3, true));
        const QList<CMainFrame::RecentFile> entries = Frame().RecentEntries();
        QCOMPARE(entries.size(), 2);
        QCOMPARE(entries.at(0).type, 3);
        QCOMPARE(entries.at(1).type, 1);
        QCOMPARE(entries.at(1).encoding, Encoding::Windows);

        QVERIFY(Frame().OpenRecent(1));
        QCOMPARE(Frame().View().GetLines(), (LineList{Cp("   ПРИКАЗ"), Cp("   о порядке")}));
        QCOMPARE(Doc().LastEncoding(), Encoding::Windows);
        QVERIFY(Frame().OpenRecent(1)); // now the .rla, second after the reopening
        QCOMPARE(Frame().View().GetLines(), SavedRecord().m_text);

        // An entry written before the types were kept is told by its header.
        m_settings->beginGroup(QStringLiteral("Recent File List"));
        m_settings->remove(QStringLiteral("Type1"));
        m_settings->remove(QStringLiteral("Encoding1"));
        m_settings->endGroup();
        QCOMPARE(Frame().RecentEntries().at(0).type, 0);
        QVERIFY(Frame().OpenRecent(0));
        QCOMPARE(Frame().View().GetLines(), SavedRecord().m_text);
    }
};

NORVAK_GUI_TEST(TestDocumentSafety);

#include "documentsafety_test.moc"
