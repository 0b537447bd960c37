#include "guitests.h"

#include "core/codepage.h"
#include "core/textfile.h"
#include "document/sourceformat.h"
#include "frametestbed.h"
#include "mainframe.h"
#include "norvakdoc.h"
#include "norvakview.h"
#include "qtsettingsstore.h"
#include "requisitesbar.h"
#include "requisiteslist.h"
#include "stageprogress.h"
#include "taghighlighter.h"
#include "textcodec.h"

#include <QDockWidget>
#include <QMenuBar>
#include <QSet>
#include <QSettings>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextLayout>
#include <QToolBar>

#include <memory>

using namespace norvak;

namespace {

// The DOS text as the editor should show it.
LineList ConvertedSample(const QString& path) {
    std::string bytes;
    ReadFileBytes(path.toStdString(), bytes);
    LineList lines = SplitTextLines(bytes);
    for (std::string& l : lines)
        l = DosToWindows(l);
    return lines;
}

bool BlockIsTagColoured(const QTextBlock& block) {
    for (const QTextLayout::FormatRange& r : block.layout()->formats())
        if (r.format.foreground().color() == CTagHighlighter::TagColour() && r.length > 2)
            return true;
    return false;
}

} // namespace

// The main window with its document: what the operator sees and the flows he goes through.
class TestMainFrame : public QObject, private FrameTestFiles {
    Q_OBJECT
private:
    CMainFrame& Frame() { return *m_frame; }
    CNorvakDoc& Doc() { return m_frame->Doc(); }

    void Type(const QString& text) { TypeText(&Frame().View(), text); }

private slots:
    void init() {
        QVERIFY(MakeFiles());
        MakeSavingFrame();
        QVERIFY(ShowFrame());
    }
    void cleanup() { DropFrameAndFiles(); }

    void openingADosTextShowsItConverted() {
        Doc().Settings().createTags = 0; // the text as converted, without the markup
        const QString path = TestData("gui/composed_postanovlenie_tablica.cp866.txt");
        QVERIFY(Doc().OpenFile(path, 1, true));
        const LineList expected = ConvertedSample(path);
        QCOMPARE(Frame().View().GetLines(), expected);
        // The table's frame is drawn with box characters.
        QVERIFY(Frame().View().toPlainText().contains(QStringLiteral("┌")));
        // The caption names the file the text came from.
        QCOMPARE(Frame().windowTitle(),
                 QStringLiteral("Norvak - ") + QFileInfo(path).absoluteFilePath());
        QVERIFY(!Frame().Action(ID_FILE_SAVE)->isEnabled());
        QVERIFY(!Frame().Action(ID_FILE_SAVE_AS)->isEnabled());
        QVERIFY(m_op.Entries().empty());
    }

    void tagLinesOfAnOpenedTextAreHighlighted() {
        Doc().Settings().createTags = 0; // the tags the file holds
        QVERIFY(Doc().OpenFile(TestData("gui/tagged.cp866.txt"), 1, true));
        QTextDocument* doc = Frame().View().document();
        QCOMPARE(BytesToQString(Cp("ЗАГ")), doc->findBlockByNumber(1).text().mid(2, 3));
        QVERIFY(BlockIsTagColoured(doc->findBlockByNumber(1)));
        QVERIFY(BlockIsTagColoured(doc->findBlockByNumber(3)));
        QVERIFY(!BlockIsTagColoured(doc->findBlockByNumber(2)));
        QVERIFY(doc->findBlockByNumber(1).text().startsWith(QStringLiteral("♦♦")));
    }

    void requisitesBarListsTheRequisites() {
        CRequisiteRecord r;
        r.m_kinds = {Cp("ПОСТАНОВЛЕНИЕ")};
        r.m_numbers = {"123"};
        Frame().SetRequisites(r);
        CRequisitesList* list = Frame().Bar().List();
        QStringList rows;
        for (int i = 0; i < list->Model().rowCount(); ++i)
            rows << list->RowText(i);
        QVERIFY(rows.contains(QStringLiteral("ПОСТАНОВЛЕНИЕ")));
        QVERIFY(rows.contains(QStringLiteral("Вид документа")));
        QCOMPARE(Frame().GetRequisites().m_numbers, std::vector<std::string>{"123"});
    }

    void unreadableFileReportsAndLeavesTheEditorEmpty() {
        Frame().View().SetText({"old"}, true);
        const QString missing = m_dir->filePath("missing.txt");
        QVERIFY(!Doc().OpenFile(missing, 1, true));
        QCOMPARE(m_op.Messages().size(), size_t(1));
        QCOMPARE(m_op.Messages().front(),
                 FormatMessage(Cp("Ошибка чтения файла %s!"), missing.toStdString()));
        QVERIFY(Frame().View().GetLines().empty());
    }

    void editingEnablesSaveAndMarksTheCaption() {
        QVERIFY(Doc().OpenFile(TestData("gui/tagged.cp866.txt"), 1, true));
        QVERIFY(!Frame().Action(ID_FILE_SAVE)->isEnabled());
        Frame().View().setFocus();
        Type(QStringLiteral("Ж"));
        QVERIFY(Frame().Action(ID_FILE_SAVE)->isEnabled());
        QVERIFY(Frame().Action(ID_FILE_SAVE_AS)->isEnabled());
        QCOMPARE(Frame().windowTitle(),
                 QStringLiteral("Norvak - ") +
                     QFileInfo(TestData("gui/tagged.cp866.txt")).absoluteFilePath() +
                     QLatin1Char('*'));
    }

    void saveWritesTheSourceFormatAndSetsTheCaption() {
        QVERIFY(Doc().OpenFile(TestData("gui/tagged.cp866.txt"), 1, true));
        CRequisiteRecord r;
        r.m_dbNumber = 42;
        r.m_kinds = {Cp("ПОЛОЖЕНИЕ")};
        Frame().SetRequisites(r);
        Type(QStringLiteral("x"));
        const QString out = m_dir->filePath("00042.rla");
        m_savePaths = {out};
        // The tagged text opened as a text gets its blocks doubled by the markup: the save
        // warns, and the operator saves anyway.
        m_op.SetAnswer(Answer::Yes);
        QVERIFY(Doc().OnFileSave());
        QCOMPARE(m_saveDialogs, 1);
        // The same bytes the source-format writer gives for the panel's record and the text.
        CRequisiteRecord expected = Frame().GetRequisites();
        expected.m_text = Frame().View().GetLines();
        std::string written;
        QVERIFY(ReadFileBytes(out.toStdString(), written));
        QCOMPARE(written, WriteSourceBytes(expected, 66));
        QCOMPARE(Frame().windowTitle(), QStringLiteral("Norvak - ") + out);
        QVERIFY(!Frame().Action(ID_FILE_SAVE)->isEnabled());
        QCOMPARE(CMainFrame::ProposedFileName(r), QStringLiteral("00042"));
        // A second save goes to the same path without asking.
        Type(QStringLiteral("y"));
        QVERIFY(Doc().OnFileSave());
        QCOMPARE(m_saveDialogs, 1);
        QCOMPARE(Frame().RecentFiles().front(), QFileInfo(out).absoluteFilePath());
    }

    void failedSaveKeepsTheDocumentModified() {
        Type(QStringLiteral("x"));
        m_savePaths = {m_dir->filePath("no/such/dir/file.rla")};
        QVERIFY(!Doc().OnFileSave());
        QCOMPARE(m_op.Messages().size(), size_t(1));
        QVERIFY(m_op.Messages().front().rfind(Cp("Ошибка сохранения файла "), 0) == 0);
        QVERIFY(Doc().IsModified());
        QVERIFY(Frame().Action(ID_FILE_SAVE)->isEnabled());
    }

    void askToSaveOnNew_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("hasPath");
        QTest::addColumn<bool>("cleared");
        QTest::addColumn<int>("dialogs");
        QTest::newRow("nominal: No discards") << int(Answer::No) << false << true << 0;
        QTest::newRow("nominal: Cancel keeps the text")
            << int(Answer::Cancel) << false << false << 0;
        QTest::newRow("nominal: Yes without path asks for one")
            << int(Answer::Yes) << false << true << 1;
        QTest::newRow("nominal: Yes with a path saves there")
            << int(Answer::Yes) << true << true << 0;
    }
    void askToSaveOnNew() {
        QFETCH(int, answer);
        QFETCH(bool, hasPath);
        QFETCH(bool, cleared);
        QFETCH(int, dialogs);
        const QString path = m_dir->filePath("doc.rla");
        if (hasPath) {
            Type(QStringLiteral("a"));
            m_savePaths = {path};
            QVERIFY(Doc().OnFileSave());
            m_saveDialogs = 0;
        }
        Type(QStringLiteral("b"));
        m_savePaths = {path};
        m_op.SetAnswer(static_cast<Answer>(answer));
        QCOMPARE(Doc().OnNewDocument(), cleared);
        QCOMPARE(m_op.Questions().size(), size_t(1));
        const std::string question =
            hasPath ? FormatMessage(Cp("Сохранить файл %s?"), path.toStdString())
                    : Cp("Сохранить документ?");
        QCOMPARE(m_op.Questions().front(), question);
        QCOMPARE(m_saveDialogs, dialogs);
        QCOMPARE(Frame().View().GetLines().empty(), cleared);
        if (cleared)
            QCOMPARE(Frame().windowTitle(), QStringLiteral("Norvak"));
        if (answer == int(Answer::Yes)) {
            std::string written;
            QVERIFY(ReadFileBytes(path.toStdString(), written));
            QVERIFY(written.find('b') != std::string::npos);
        }
    }

    void newWithoutChangesDoesNotAsk() {
        QVERIFY(Doc().OnNewDocument());
        QVERIFY(m_op.Questions().empty());
    }

    void closingAModifiedDocument_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("dialogAnswer");
        QTest::addColumn<bool>("closes");
        QTest::newRow("nominal: Cancel refuses to close")
            << int(Answer::Cancel) << QString() << false;
        QTest::newRow("nominal: No closes") << int(Answer::No) << QString() << true;
        QTest::newRow("robustness: Yes then cancelling the save dialog keeps the window")
            << int(Answer::Yes) << QString() << false;
    }
    void closingAModifiedDocument() {
        QFETCH(int, answer);
        QFETCH(QString, dialogAnswer);
        QFETCH(bool, closes);
        Type(QStringLiteral("z"));
        m_op.SetAnswer(static_cast<Answer>(answer));
        m_savePaths = {dialogAnswer};
        QCOMPARE(Frame().close(), closes);
        QCOMPARE(m_op.Questions(), std::vector<std::string>{Cp("Сохранить документ?")});
    }

    void positionPaneShowsLineColumnTotal() {
        Frame().View().SetText(LineList(10, "abc"), true);
        Frame().View().GoToLine(3);
        QCOMPARE(Frame().PositionText(), QStringLiteral("Стр: 3   Кол: 0   Всего: 10"));
    }

    void stageProgressShowsTheTextsInOrder() {
        CStageProgress& p = Frame().StageProgress();
        p.Begin();
        p.AddTexts({Cp("Первый"), Cp("Второй"), Cp("Третий"), Cp("Четвёртый")});
        QVERIFY(p.IsActive());
        QCOMPARE(p.Maximum(), 5);
        QCOMPARE(Frame().MessageText(), QStringLiteral("Первый"));
        p.StepAndPump();
        p.StepAndPump();
        QCOMPARE(Frame().MessageText(), QStringLiteral("Второй"));
        p.StepAndPump();
        p.StepAndPump();
        p.StepAndPump();
        QCOMPARE(p.Value(), 5);
        QCOMPARE(p.ShownTexts(),
                 (QStringList{QStringLiteral("Первый"), QStringLiteral("Второй"),
                              QStringLiteral("Третий"), QStringLiteral("Четвёртый")}));
        p.End();
        QVERIFY(!p.IsActive());
        QCOMPARE(Frame().MessageText(), CStageProgress::IdlePrompt());
    }

    void statusLineInvitesF1() {
        QCOMPARE(Frame().MessageText(),
                 QStringLiteral("Чтобы получить справку, нажмите клавишу F1"));
    }

    void menusAndAccelerators() {
        const QList<QKeySequence> zag = Frame().Action(ID_TAG_ZAG)->shortcuts();
        QVERIFY(zag.contains(QKeySequence(Qt::CTRL | Qt::Key_P)));
        QVERIFY(zag.contains(QKeySequence(Qt::CTRL | 0x0417))); // З
        QVERIFY(Frame()
                    .Action(ID_TAG_NFT)
                    ->shortcuts()
                    .contains(QKeySequence(Qt::CTRL | Qt::Key_BracketRight)));
        QCOMPARE(Frame().Action(ID_GOTO_LINE)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_U));
        QCOMPARE(Frame().Action(ID_TAG_ZAG)->statusTip(),
                 QStringLiteral("Вставить тег ЗАГ - заголовок"));
        QCOMPARE(Frame().Action(ID_TAG_ZAG)->toolTip(), QStringLiteral("Тег \"Заголовок\""));
        QStringList titles;
        for (QAction* a : Frame().menuBar()->actions())
            titles << a->text();
        QCOMPARE(titles, (QStringList{QStringLiteral("&Файл"), QStringLiteral("&Правка"),
                                      QStringLiteral("&Теги"), QStringLiteral("С&ервис"),
                                      QStringLiteral("&Вид"), QStringLiteral("&Справка")}));
        // No key is bound to two commands.
        QSet<QKeySequence> seen;
        for (const CommandInfo& c : CommandTable())
            for (const QKeySequence& k : c.keys) {
                QVERIFY2(!seen.contains(k), qPrintable(k.toString()));
                seen.insert(k);
            }
    }

    void tagAcceleratorReachesItsCommandFromTheEditor() {
        QAction* lev = Frame().Action(ID_TAG_LEV); // Ctrl+Л (K), which the editor also knows
        lev->setEnabled(true);
        QSignalSpy spy(lev, &QAction::triggered);
        Frame().View().setFocus();
        Frame().activateWindow();
        QTest::keyClick(&Frame().View(), Qt::Key_K, Qt::ControlModifier);
        QCOMPARE(spy.count(), 1);
    }

    void toolbarsInOrder() {
        QStringList tags;
        for (QAction* a : Frame().TagToolBar().actions())
            tags << (a->isSeparator() ? QStringLiteral("|") : a->iconText());
        QCOMPARE(tags.join(QLatin1Char(' ')),
                 QStringLiteral("ЗАГ ЦНТ ПРВ ЛЕВ ЛИП НФТ ТАБ ТТТ | СС_ МЕТ ОГЛ ►◄ | ———"));
        QList<int> ids;
        for (QAction* a : Frame().MainToolBar().actions())
            ids << (a->isSeparator() ? 0 : a->data().toInt());
        QCOMPARE(ids, (QList<int>{57600, 57601, 57603, 157, 158,   164,   0,  57635, 57634,
                                  57637, 0,     57607, 0,   57643, 57644, 0,  154,   153,
                                  155,   156,   159,   160, 0,     162,   161}));
    }

    void requisitesBarDocksLeftAndRemembersItsWidth() {
        CRequisitesBar& bar = Frame().Bar();
        QCOMPARE(Frame().dockWidgetArea(&bar), Qt::LeftDockWidgetArea);
        QCOMPARE(bar.windowTitle(), QStringLiteral("Реквизиты"));
        QTRY_COMPARE(bar.width(), 200);
        Frame().resizeDocks({&bar}, {260}, Qt::Horizontal);
        QTRY_COMPARE(bar.width(), 260);
        QVERIFY(Frame().close());
        QCOMPARE(m_settings->value(QStringLiteral("BarState-SCBar-59424/sizeVertCX")).toInt(), 260);
        m_frame.reset();
        MakeSavingFrame();
        QVERIFY(ShowFrame());
        QTRY_COMPARE(Frame().Bar().width(), 260);
    }

    void hiddenBarCanBeShownAgain() {
        Frame().Bar().close();
        QVERIFY(!Frame().Bar().isVisible());
        Frame().Bar().toggleViewAction()->trigger();
        QVERIFY(Frame().Bar().isVisible());
    }

    void layoutNamingAMissingBarIsIgnored() {
        QVERIFY(Frame().close());
        m_settings->setValue(
            QStringLiteral("BarState/Bars"),
            QStringList{QStringLiteral("RequisitesBar"), QStringLiteral("NoSuchBar")});
        m_settings->setValue(QStringLiteral("BarState-SCBar-59424/sizeVertCX"), 300);
        m_frame.reset();
        MakeSavingFrame();
        QVERIFY(!Frame().LoadBarState());
        QCOMPARE(Frame().Bar().VertSize().width(), 200);
    }

    void barSizeBelowTheMinimumLoadsAsTheMinimum() {
        m_settings->setValue(QStringLiteral("Test-SCBar-59424/sizeVertCX"), 10);
        Frame().Bar().LoadState(*m_settings, QStringLiteral("Test"));
        QCOMPARE(Frame().Bar().VertSize().width(), 33);
    }

    void openUnchangedShowsTheBytesAsTheyAre() {
        const QString path = TestData("gui/tagged.cp866.txt");
        QVERIFY(Doc().OpenUnchanged(path));
        std::string bytes;
        ReadFileBytes(path.toStdString(), bytes);
        QCOMPARE(Frame().View().GetLines(), SplitTextLines(bytes));
        QCOMPARE(Frame().RecentFiles().front(), QFileInfo(path).absoluteFilePath());
        QVERIFY(Frame().Action(ID_FILE_MRU_FILE1)->isVisible());
    }

    void settingsAndFontAreWrittenAtExit() {
        Doc().Settings().stringLength = 70;
        QVERIFY(Frame().close());
        m_frame.reset();
        QCOMPARE(m_settings->value(QStringLiteral("StringLength")).toInt(), 70);
        QCOMPARE(m_settings->value(QStringLiteral("FontName")).toString(),
                 QStringLiteral("Courier New"));
    }

    void f1OpensTheOperatorsGuide() {
        QCOMPARE(Frame().Action(ID_HELP_INDEX)->shortcut(), QKeySequence(Qt::Key_F1));
        Frame().Action(ID_HELP_INDEX)->trigger();
        auto* browser = Frame().findChild<QTextBrowser*>(QStringLiteral("HelpBrowser"));
        QVERIFY(browser != nullptr);
        const QString text = browser->toPlainText();
        QVERIFY(text.contains(QStringLiteral("Открытие документа")));
        QVERIFY(text.contains(QStringLiteral("Ошибка чтения файла")));
        QVERIFY(QIcon(QStringLiteral(":/icons/document-open.svg"))
                    .pixmap(16, 16)
                    .toImage()
                    .pixelColor(8, 8)
                    .isValid());
    }

    void screenshot() {
        // Saved for a look by eye when NORVAK_SCREENSHOT_DIR names a directory.
        const QByteArray dir = qgetenv("NORVAK_SCREENSHOT_DIR");
        if (dir.isEmpty())
            QSKIP("NORVAK_SCREENSHOT_DIR not set");
        QVERIFY(Doc().OpenFile(TestData("gui/tagged.cp866.txt"), 1, true));
        Frame().resize(1100, 700);
        QTest::qWait(200);
        QVERIFY(Frame().grab().save(QString::fromLocal8Bit(dir) + "/mainframe.png"));
    }
};

NORVAK_GUI_TEST(TestMainFrame);
#include "mainframe_test.moc"
