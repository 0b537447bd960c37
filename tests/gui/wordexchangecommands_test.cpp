#include "guitests.h"

#include "commands.h"
#include "core/textfile.h"
#include "document/wordexchange.h"
#include "editcommands.h"
#include "frametestbed.h"
#include "markup/tags.h"
#include "wordexchangecommands.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

using namespace norvak;

// Export to the word processor and import back, through the window's commands, with a launcher
// that starts nothing.
class TestWordExchangeCommands : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<FrameTestbed> m_bed;
    QList<QStringList> m_launched; // program and arguments of every start
    bool m_launchWorks = true;

    CNorvakView& View() { return m_bed->View(); }
    CWordExchangeCommands& Exchange() {
        return m_bed->frame->findChild<CEditCommands*>(QStringLiteral("EditCommands"))
            ->WordExchange();
    }
    std::string Document() { return Exchange().Exchange().DocumentPath(); }

private slots:
    void init() {
        m_bed = std::make_unique<FrameTestbed>();
        m_launched.clear();
        m_launchWorks = true;
        Exchange().SetDirectory(m_bed->dir->filePath("exchange").toStdString());
        Exchange().SetLauncher([this](const QString& program, const QStringList& args) {
            m_launched.push_back(QStringList{program} + args);
            return m_launchWorks;
        });
    }
    void cleanup() { m_bed.reset(); }

    void exportWritesTheDocumentAndOpensIt() {
        View().SetText({Cp("Приказ"), "x"}, true);
        m_bed->Trigger(ID_EXPORT_WORD);
        QVERIFY(m_bed->op.Entries().empty());
        QVERIFY(QFile::exists(QString::fromStdString(Document())));
        QCOMPARE(m_launched.size(), 1);
        QCOMPARE(m_launched.front(),
                 (QStringList{QStringLiteral("xdg-open"), QString::fromStdString(Document())}));
        std::string written;
        QVERIFY(ReadFileBytes(Document(), written));
        QVERIFY(written.find("Courier New") != std::string::npos);
    }

    void roundTripKeepsCyrillicAndTags() {
        const LineList text{OpeningLine(TagCode::ZAG),
                            Cp("ПРИКАЗ  от 1 января"),
                            ClosingLine(),
                            std::string("a\x01link\x02 b"),
                            "",
                            "   end"};
        View().SetText(text, true);
        m_bed->Trigger(ID_EXPORT_WORD);
        View().SetText({"something else"}, true);
        m_bed->Trigger(ID_IMPORT_WORD);
        QVERIFY(m_bed->op.Entries().empty());
        QCOMPARE(View().GetLines(), text);
    }

    void importTakesTheOperatorsEditsAsOneUndoStep() {
        View().SetText({"one", "two", "three"}, true);
        m_bed->Caret(2, 3);
        m_bed->Trigger(ID_EXPORT_WORD);
        QVERIFY(WriteFileAtomic(Document(), WriteFlatOdt(Cp("новый\nтекст\nиз\nредактора"))));
        m_bed->Trigger(ID_IMPORT_WORD);
        QCOMPARE(View().GetLines(),
                 (LineList{Cp("новый"), Cp("текст"), Cp("из"), Cp("редактора")}));
        // The caret at the start of the line where it was.
        QCOMPARE(m_bed->CaretLine(), 2);
        QCOMPARE(m_bed->CaretColumn(), 0);
        View().Undo();
        QCOMPARE(View().GetLines(), (LineList{"one", "two", "three"}));
    }

    void exportTwiceThenImportTakesTheSecond() {
        View().SetText({"first"}, true);
        m_bed->Trigger(ID_EXPORT_WORD);
        const std::string first = Document();
        View().SetText({"second"}, true);
        m_bed->Trigger(ID_EXPORT_WORD);
        QVERIFY(Document() != first);
        View().SetText({}, true);
        m_bed->Trigger(ID_IMPORT_WORD);
        QCOMPARE(View().GetLines(), LineList{"second"});
    }

    void emptyTextRoundTrip() {
        View().SetText({}, true);
        m_bed->Trigger(ID_EXPORT_WORD);
        View().SetText({"x"}, true);
        m_bed->Trigger(ID_IMPORT_WORD);
        QVERIFY(m_bed->op.Entries().empty());
        QVERIFY(View().GetLines().empty());
    }

    void importBeforeExportFailsAndKeepsTheText() {
        View().SetText({"kept"}, true);
        m_bed->Trigger(ID_IMPORT_WORD);
        QCOMPARE(m_bed->op.Messages(), std::vector<std::string>{Cp("Ошибка импорта документа.")});
        QCOMPARE(m_bed->op.Entries().front().icon, MessageIcon::Error);
        QCOMPARE(View().GetLines(), LineList{"kept"});
        QVERIFY(!View().CanUndo());
    }

    void importOfADeletedDocumentFails() {
        View().SetText({"kept"}, true);
        m_bed->Trigger(ID_EXPORT_WORD);
        QVERIFY(QFile::remove(QString::fromStdString(Document())));
        m_bed->Trigger(ID_IMPORT_WORD);
        QCOMPARE(m_bed->op.Messages(), std::vector<std::string>{Cp("Ошибка импорта документа.")});
        QCOMPARE(View().GetLines(), LineList{"kept"});
    }

    void exportFailures_data() {
        QTest::addColumn<bool>("unwritable");
        QTest::addColumn<int>("launches");
        QTest::newRow("no application starts (both tried)") << false << 2;
        QTest::newRow("directory cannot be written") << true << 0;
    }
    void exportFailures() {
        QFETCH(bool, unwritable);
        QFETCH(int, launches);
        if (unwritable) {
            const QString blocker = m_bed->dir->filePath("file");
            QFile f(blocker);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.close();
            Exchange().SetDirectory((blocker + "/sub").toStdString());
        }
        m_launchWorks = false;
        View().SetText({"x"}, true);
        QVERIFY(!Exchange().OnExport());
        QCOMPARE(m_bed->op.Messages(), std::vector<std::string>{Cp("Ошибка экспорта документа.")});
        QCOMPARE(m_launched.size(), launches);
        if (launches == 2)
            QCOMPARE(m_launched.at(1).front(), QStringLiteral("soffice"));
    }

    // The word processor itself reads the exported document and writes it back: what it
    // saves is imported unchanged. Runs only where LibreOffice is installed.
    void wordProcessorRoundTrip() {
        const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
        if (soffice.isEmpty())
            QSKIP("LibreOffice is not installed");
        const LineList text{Cp("ПРИКАЗ"), Cp("  о порядке   работы"), std::string("\x04\x04x")};
        View().SetText(text, true);
        m_bed->Trigger(ID_EXPORT_WORD);
        const QString exported = QString::fromStdString(Document());
        const QString outDir = m_bed->dir->filePath("converted");
        QProcess convert;
        convert.start(soffice,
                      {QStringLiteral("--headless"), QStringLiteral("--convert-to"),
                       QStringLiteral("fodt"), QStringLiteral("--outdir"), outDir, exported});
        QVERIFY(convert.waitForFinished(120000));
        const QString converted = outDir + QLatin1Char('/') + QFileInfo(exported).fileName();
        QVERIFY(QFile::exists(converted));
        QVERIFY(QFile::remove(exported));
        QVERIFY(QFile::copy(converted, exported));
        View().SetText({}, true);
        m_bed->Trigger(ID_IMPORT_WORD);
        QVERIFY(m_bed->op.Entries().empty());
        QCOMPARE(View().GetLines(), text);
    }

    void menuAndToolbarTexts() {
        QAction* ex = m_bed->frame->Action(ID_EXPORT_WORD);
        QAction* im = m_bed->frame->Action(ID_IMPORT_WORD);
        QVERIFY(ex->isEnabled());
        QVERIFY(im->isEnabled());
        QCOMPARE(ex->statusTip(), QStringLiteral("Экспортирует текущий документ в MS Word"));
        QCOMPARE(ex->toolTip(), QStringLiteral("Экспортировать в Word"));
        QCOMPARE(im->statusTip(), QStringLiteral("Импортирует документ из MS Word"));
        QVERIFY(m_bed->frame->MainToolBar().actions().contains(ex));
        QVERIFY(m_bed->frame->MainToolBar().actions().contains(im));
    }
};

NORVAK_GUI_TEST(TestWordExchangeCommands);
#include "wordexchangecommands_test.moc"
