#include "guitests.h"

#include "core/codepage.h"
#include "core/textfile.h"
#include "dictionaries/servicedata.h"
#include "document/sourceformat.h"
#include "frametestbed.h"
#include "mainframe.h"
#include "norvakdoc.h"
#include "norvakview.h"
#include "qtsettingsstore.h"
#include "requisitesbar.h"
#include "requisiteseditors.h"
#include "requisiteslist.h"
#include "temathicsdlg.h"
#include "textcodec.h"

#include <QDialog>
#include <QFile>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QProcess>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include <memory>

using namespace norvak;

namespace {

const char* const kSample = "gui/composed_postanovlenie_tablica.cp866.txt";

} // namespace

// The requisites panel in the main window, as the operator uses it: open, edit, save.
class TestRequisitesPanel : public QObject, private FrameTestFiles {
    Q_OBJECT
private:
    CMainFrame& Frame() { return *m_frame; }
    CNorvakDoc& Doc() { return m_frame->Doc(); }
    CRequisitesList& List() { return *m_frame->Bar().List(); }

    int Caption(const char* caption) {
        const QString text = QString::fromUtf8(caption);
        for (int i = 0; i < List().Model().rowCount(); ++i)
            if (List().Model().Rows().IsCaption(i) && List().RowText(i) == text)
                return i;
        return -1;
    }
    void Key(QWidget* w, Qt::Key key) { QTest::keyClick(w, key); }
    // Insert on the caption: the editor of the new (or existing single) value.
    QWidget* InsertAt(const char* caption) {
        List().setFocus();
        List().SelectRow(Caption(caption));
        Key(&List(), Qt::Key_Insert);
        return List().Editor();
    }
    void ChooseInList(QWidget* editor, const char* name) {
        auto* combo = qobject_cast<CImplementComboBox*>(editor);
        QVERIFY(combo != nullptr);
        const int i = combo->findText(QString::fromUtf8(name));
        QVERIFY2(i >= 0, name);
        combo->setCurrentIndex(i);
        Key(combo, Qt::Key_Return);
    }
    void MoveMouse(QWidget* w, QPoint pos) {
        QMouseEvent move(QEvent::MouseMove, pos, w->mapToGlobal(pos), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(w, &move);
    }

private slots:
    void init() {
        QVERIFY(MakeFiles("dictionaries/small_dict.dat"));
        m_savePaths.clear();
        m_frame = std::make_unique<CMainFrame>(*m_store, DictPath(), &m_op);
        m_frame->SetSavePathProvider([this](const QString&) {
            return m_savePaths.isEmpty() ? QString() : m_savePaths.takeFirst();
        });
        QVERIFY(ShowFrame(1000, 700));
    }
    void cleanup() { DropFiles(); }

    void dictionariesAreLoadedAtStart() {
        QCOMPARE(Doc().Dictionaries().DocDict().GetCount(), 2);
        QCOMPARE(Doc().Dictionaries().OrganDict().GetCount(), 1);
        QCOMPARE(Doc().Dictionaries().TemathicsDict().GetCount(), 3);
        QVERIFY(m_op.Entries().empty());
    }

    void themesShowTheirNamesAndKeepTheirCodes() {
        const CTemathicsRec& known = Doc().Dictionaries().TemathicsDict().GetAt(0);
        CRequisiteRecord record;
        record.m_themes = {known.Code(), 987654};
        Frame().SetRequisites(record);
        QAbstractItemModel* model = Frame().Bar().List()->model();
        QStringList shown;
        for (int r = 0; r < model->rowCount(); ++r)
            shown << model->index(r, 0).data().toString();
        QVERIFY2(shown.contains(
                     QStringLiteral("%1 — %2").arg(known.Code()).arg(BytesToQString(known.Name()))),
                 qPrintable(shown.join('|')));
        QVERIFY2(shown.contains(QStringLiteral("987654")), qPrintable(shown.join('|')));
        QCOMPARE(Frame().GetRequisites().m_themes, record.m_themes);
    }

    void missingDictionaryIsCreatedAtOnce() {
        m_frame.reset();
        const QString fresh = m_dir->filePath("fresh/dict.dat");
        QVERIFY(QDir().mkpath(m_dir->filePath("fresh")));
        m_frame = std::make_unique<CMainFrame>(*m_store, fresh, &m_op);
        QVERIFY(QFile::exists(fresh));
        QCOMPARE(Doc().Dictionaries().DocDict().GetCount(), 0);
        QVERIFY(m_op.Entries().empty());
    }

    void aDamagedDictionaryIsKeptAsideAndItsCopyNamed() {
        m_frame.reset();
        QFile file(DictPath());
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.resize(40));
        file.close();
        m_op.Clear();
        m_frame = std::make_unique<CMainFrame>(*m_store, DictPath(), &m_op);
        const QString copy = DictPath() + QStringLiteral(".damaged");
        QVERIFY(QFile::exists(copy));
        bool named = false;
        for (const std::string& m : m_op.Messages())
            named = named || BytesToQString(m).contains(copy);
        QVERIFY2(named, "the message names the kept copy");
    }

    void aReadOnlyDictionaryFolderWithNothingChangedIsLeftAlone() {
        m_frame.reset();
        QFile::setPermissions(m_dir->path(), QFile::ReadOwner | QFile::ExeOwner);
        m_op.Clear();
        m_frame = std::make_unique<CMainFrame>(*m_store, DictPath(), &m_op);
        QVERIFY(Doc().OpenFile(TestData(kSample), 1, true)); // sorts the dictionaries
        m_frame.reset();
        QFile::setPermissions(m_dir->path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(m_op.Messages().empty());
        QVERIFY(!QFile::exists(DictPath() + QStringLiteral(".bak")));
        QVERIFY(!QFile::exists(DictPath() + QStringLiteral(".lock")));
    }

    void aCtrlZBeforeTheEndOfATextIsReported() {
        const QString path = m_dir->filePath("cut.txt");
        QVERIFY(WriteFileAtomic(path.toStdString(), "line one\r\nline two\x1A\r\nlost\r\n"));
        m_op.Clear();
        QVERIFY(Doc().OpenFile(path, 1, true));
        QCOMPARE(m_op.Messages().size(), std::size_t(1));
        QVERIFY(BytesToQString(m_op.Messages()[0]).contains(QStringLiteral("В строке 2")));
    }

    void aStoredSettingOutOfRangeIsReplacedWithAMessage() {
        m_frame.reset();
        m_settings->setValue(QStringLiteral("PosParagraph"), -1);
        m_op.Clear();
        m_frame = std::make_unique<CMainFrame>(*m_store, DictPath(), &m_op);
        QCOMPARE(Doc().Settings().posParagraph, 5);
        QCOMPARE(m_op.Messages().size(), std::size_t(1));
        QVERIFY(BytesToQString(m_op.Messages()[0]).contains(QStringLiteral("PosParagraph")));
    }

    void openShowsTheRecordInThePanel() {
        QVERIFY(Doc().OpenFile(TestData(kSample), 1, true));
        const CRequisiteRecord shown = List().GetRequisites();
        QCOMPARE(shown.m_kinds, Doc().Record().m_kinds);
        QCOMPARE(shown.m_numbers, Doc().Record().m_numbers);
        QCOMPARE(shown.m_title, Doc().Record().m_title);
        QVERIFY(!shown.m_kinds.empty());
        QCOMPARE(List().RowText(Caption("Вид документа") + 1),
                 BytesToQString(shown.m_kinds.front()));
        QCOMPARE(List().CurrentRow(), 0);
    }

    // A value found automatically says where it came from, and the panel's command puts the
    // caret on that line of the (tagged) text; a value typed by hand has neither.
    void foundValuesShowTheirLineAndTakeTheCaretThere() {
        QVERIFY(Doc().OpenFile(TestData(kSample), 1, true));
        const int number = Caption("Номер") + 1;
        QCOMPARE(List().RowText(number), QStringLiteral("75"));
        const QString tip =
            List().Model().data(List().Model().index(number), Qt::ToolTipRole).toString();
        QVERIFY2(tip.startsWith(QStringLiteral("Найдено автоматически: строка ")), qPrintable(tip));
        QVERIFY2(tip.contains(QStringLiteral("от 12 февраля 2004 г. N 75")), qPrintable(tip));

        List().setFocus();
        List().SelectRow(number);
        QVERIFY(List().GoToEvidenceAction()->isEnabled());
        QCOMPARE(List().GoToEvidenceAction()->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_L));
        QVERIFY(List().actions().contains(List().GoToEvidenceAction())); // the context menu
        List().GoToEvidenceAction()->trigger();
        const QTextCursor caret = Frame().View().textCursor();
        QVERIFY2(caret.block().text().contains(QStringLiteral("от 12 февраля 2004 г. N 75")),
                 qPrintable(caret.block().text()));
        QVERIFY(tip.contains(QStringLiteral("строка %1,").arg(caret.blockNumber() + 1)));
        QVERIFY(Frame().View().hasFocus());

        // Captions and hand-made values: no evidence, the command is off.
        List().SelectRow(Caption("Номер"));
        QVERIFY(!List().GoToEvidenceAction()->isEnabled());
        QVERIFY(!List().GoToEvidence());
        QVERIFY(
            List().Model().data(List().Model().index(Caption("Номер")), Qt::ToolTipRole).isNull());
    }

    void saveWritesWhatTheCommandLineWrites() {
        QVERIFY(Doc().OpenFile(TestData(kSample), 1, true));
        const QString out = m_dir->filePath("gui.rla");
        m_savePaths = {out};
        QVERIFY(Doc().OnFileSave());
        // The command line on the same input with the same dictionaries.
        const QString cliOut = m_dir->filePath("cli.rla");
        QProcess cli;
        cli.start(QStringLiteral(NORVAK_CLI),
                  {QStringLiteral("convert"), TestData(kSample), QStringLiteral("-o"), cliOut,
                   QStringLiteral("--dict"), TestData("dictionaries/small_dict.dat")});
        QVERIFY(cli.waitForFinished(60000));
        QCOMPARE(cli.exitCode(), 0);
        std::string gui, expected;
        QVERIFY(ReadFileBytes(out.toStdString(), gui));
        QVERIFY(ReadFileBytes(cliOut.toStdString(), expected));
        QCOMPARE(gui, expected);
    }

    void operatorEditsTheRequisitesAndSaves() {
        // A second body to choose from.
        COrganEntry body = Doc().Dictionaries().OrganDict().CreateEntry();
        body.GetCases().SetForm(CaseNominative, Cp("ПРАВИТЕЛЬСТВО"));
        Doc().Dictionaries().OrganDict().Add(body);
        QVERIFY(Doc().OpenFile(TestData(kSample), 1, true));
        QVERIFY(!Doc().IsModified());
        const CRequisiteRecord opened = List().GetRequisites();

        // A date: the picker starts at today for a new row; the operator sets 1.2.2003.
        auto* date = qobject_cast<CImplementDateTimeCtrl*>(InsertAt("Дата ввода/изменения"));
        QVERIFY(date != nullptr);
        QCOMPARE(date->date(), QDate::currentDate());
        date->setDate(QDate(2003, 2, 1));
        Key(date, Qt::Key_Return);
        QVERIFY(List().Editor() == nullptr);
        QCOMPARE(List().RowText(Caption("Дата ввода/изменения") + 1), QStringLiteral("01.02.2003"));
        QVERIFY(Doc().IsModified());

        // A kind from the dictionary goes in front of the kinds found.
        ChooseInList(InsertAt("Вид документа"), "ПРИКАЗ");
        QCOMPARE(List().RowText(Caption("Вид документа") + 1), QStringLiteral("ПРИКАЗ"));

        // Two numbers typed, then the first deleted.
        const std::vector<std::string> numbersBefore = List().GetRequisites().m_numbers;
        for (const char* n : {"22", "11"}) {
            QWidget* e = InsertAt("Номер");
            QVERIFY(qobject_cast<CImplementRichEditCtrl*>(e) != nullptr);
            TypeText(e, QString::fromLatin1(n));
            Key(e, Qt::Key_Return);
        }
        List().SelectRow(Caption("Номер") + 1);
        QCOMPARE(List().RowText(List().CurrentRow()), QStringLiteral("11"));
        Key(&List(), Qt::Key_Delete);
        QCOMPARE(List().RowText(Caption("Номер") + 1), QStringLiteral("22"));

        // Two bodies, the second dragged above the first.
        const int bodiesFound = static_cast<int>(opened.m_organs.size());
        ChooseInList(InsertAt("Принявший орган"), "МИНИСТЕРСТВО ФИНАНСОВ");
        ChooseInList(InsertAt("Принявший орган"), "ПРАВИТЕЛЬСТВО");
        const int organs = Caption("Принявший орган");
        QCOMPARE(List().RowText(organs + 1), QStringLiteral("ПРАВИТЕЛЬСТВО"));
        QWidget* vp = List().viewport();
        const QPoint from = List().visualRect(List().Model().index(organs + 2)).center();
        const QPoint to = List().visualRect(List().Model().index(organs + 1)).center();
        QTest::mousePress(vp, Qt::LeftButton, {}, from);
        MoveMouse(vp, from + QPoint(0, -5));
        MoveMouse(vp, to);
        QTest::mouseRelease(vp, Qt::LeftButton, {}, to);
        QCOMPARE(List().RowText(organs + 1), QStringLiteral("МИНИСТЕРСТВО ФИНАНСОВ"));
        QCOMPARE(List().RowText(organs + 2), QStringLiteral("ПРАВИТЕЛЬСТВО"));
        QCOMPARE(List().CurrentRow(), organs + 1);

        // A theme through the selection dialog: "2, НАЛОГИ" under "1, ФИНАНСЫ".
        auto* themes = qobject_cast<CThemesRichEditCtrl*>(InsertAt("Тематика"));
        QVERIFY(themes != nullptr);
        bool chosen = false;
        OnNextModal([&chosen](QWidget* w) {
            auto* dlg = qobject_cast<CTemathicsSelectDlg*>(w);
            if (dlg == nullptr)
                return;
            for (QTreeWidgetItemIterator it(dlg->Tree()); *it; ++it)
                if (ThemeCode(*it) == 2)
                    dlg->Tree()->setCurrentItem(*it);
            chosen = true;
            dlg->accept();
        });
        Key(themes, Qt::Key_Insert);
        QVERIFY(chosen);
        QCOMPARE(List().RowText(Caption("Тематика") + 1), QStringLiteral("2 — НАЛОГИ"));

        // Save, and read what was written.
        const QString out = m_dir->filePath("edited.rla");
        m_savePaths = {out};
        QVERIFY(Doc().OnFileSave());
        QVERIFY(!Doc().IsModified());
        std::string bytes;
        QVERIFY(ReadFileBytes(out.toStdString(), bytes));
        const CRequisiteRecord written = ReadSourceBytes(bytes, true);
        QCOMPARE(FormatDate(written.m_entryDate), std::string("01.02.2003"));
        QCOMPARE(written.m_kinds.front(), Cp("ПРИКАЗ"));
        QCOMPARE(written.m_kinds.size(), opened.m_kinds.size() + 1);
        std::vector<std::string> numbers{"22"};
        numbers.insert(numbers.end(), numbersBefore.begin(), numbersBefore.end());
        QCOMPARE(written.m_numbers, numbers);
        QCOMPARE(written.m_organs.size(), size_t(bodiesFound + 2));
        QCOMPARE(written.m_organs[0], Cp("МИНИСТЕРСТВО ФИНАНСОВ"));
        QCOMPARE(written.m_organs[1], Cp("ПРАВИТЕЛЬСТВО"));
        QCOMPARE(written.m_themes.front(), 2);
        // The file holds exactly what the panel shows.
        CRequisiteRecord panel = List().GetRequisites();
        panel.m_text = Frame().View().GetLines();
        QCOMPARE(bytes, WriteSourceBytes(panel, 66));
    }

    void escapeDropsANewRowAndLeavesTheDocumentUnmodified() {
        const int rows = List().Model().rowCount();
        QWidget* e = InsertAt("Тематика");
        QVERIFY(e != nullptr);
        QCOMPARE(List().Model().rowCount(), rows + 1);
        Key(e, Qt::Key_Escape);
        QCOMPARE(List().Model().rowCount(), rows);
        QVERIFY(!Doc().IsModified());
    }

    void enterOnACaptionEditsNothingAndStatusUsesItsList() {
        List().setFocus();
        List().SelectRow(Caption("Поиск по статусу"));
        Key(&List(), Qt::Key_Return);
        QVERIFY(List().Editor() == nullptr);
        List().SelectRow(Caption("Поиск по статусу") + 1);
        Key(&List(), Qt::Key_Return);
        auto* combo = qobject_cast<CImplementComboBox*>(List().Editor());
        QVERIFY(combo != nullptr);
        QCOMPARE(combo->count(), 3);
        QCOMPARE(combo->currentText(), QStringLiteral("-"));
        Key(combo, Qt::Key_Down);
        QVERIFY(List().Editor() != nullptr); // Down only moves the choice
        Key(combo, Qt::Key_Return);
        QCOMPARE(List().GetRequisites().m_status, 1);
        QVERIFY(Doc().IsModified());
    }

    void digitsEditorTakesOnlyDigits() {
        QWidget* e = InsertAt("Номер в базе");
        QVERIFY(qobject_cast<CImplementRichEditCtrl*>(e) != nullptr);
        TypeText(e, QStringLiteral("4a-2"));
        QCOMPARE(qobject_cast<QPlainTextEdit*>(e)->toPlainText(), QStringLiteral("42"));
        Key(e, Qt::Key_Return);
        QCOMPARE(List().GetRequisites().m_dbNumber, 42);
    }

    void titleEditorAppliesTheTogetherRule() {
        QWidget* e = InsertAt("Название документа");
        auto* edit = qobject_cast<QPlainTextEdit*>(e);
        QVERIFY(edit != nullptr);
        edit->setPlainText(QStringLiteral("Положение о порядке (вместе с Правилами)"));
        const int before = e->height();
        edit->setPlainText(
            QString(600, QLatin1Char('x')).replace(QLatin1Char('x'), QStringLiteral("слово ")));
        QTRY_VERIFY(e->height() > before); // grows with its text
        edit->setPlainText(QStringLiteral("Положение о порядке (вместе с Правилами)"));
        Key(e, Qt::Key_Return);
        QCOMPARE(List().GetRequisites().m_title, Cp("Положение о порядке  \n(вместе с Правилами)"));
    }

    void lossWarningIsOneMessage() {
        const QString path = m_dir->filePath("lossy.txt");
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("\xB0\xB1 line one\r\nplain\r\n\xB2 three\r\n");
        f.close();
        QVERIFY(Doc().OpenFile(path, 1, true));
        QCOMPARE(m_op.Messages().size(), size_t(1));
        const QString text = BytesToQString(m_op.Messages().front());
        QVERIFY2(text.contains(QStringLiteral("символов: 3, строк: 2")), qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("строке 1, колонке 1")));
    }

    void headerShowsTheBlocksBeforeTheText() {
        CRequisiteRecord r;
        r.m_dbNumber = 42;
        r.m_kinds = {Cp("ПРИКАЗ")};
        Frame().SetRequisites(r);
        Frame().Action(ID_VIEW_HEADER)->trigger();
        auto* text = Frame().findChild<QPlainTextEdit*>(QStringLiteral("HeaderText"));
        QVERIFY(text != nullptr);
        const QString header = text->toPlainText();
        QVERIFY(header.contains(QStringLiteral("$0 Номер в базе\n42\n")));
        QVERIFY(header.contains(QStringLiteral("$5  Вид документа\nПРИКАЗ\n")));
        QVERIFY(header.contains(QStringLiteral("$9  Название документа")));
        QVERIFY(!header.contains(QStringLiteral("$18")));
    }

    void clearingTheDictionariesAsksAndSavesAtOnce_data() {
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("question");
        QTest::newRow("nominal: cases")
            << int(ID_DICT_CLEAR_CASES) << QStringLiteral("Очистить словарь падежей?");
        QTest::newRow("nominal: letter case")
            << int(ID_DICT_CLEAR_LETTER_CASE)
            << QStringLiteral("Очистить словарь регистров букв в принявших органах?");
    }
    void clearingTheDictionariesAsksAndSavesAtOnce() {
        QFETCH(int, command);
        QFETCH(QString, question);
        QSignalSpy saved(&Doc(), &CNorvakDoc::DictionariesSaved);
        m_op.SetAnswer(Answer::No);
        Frame().Action(command)->trigger();
        QCOMPARE(saved.count(), 0);
        m_op.SetAnswer(Answer::Yes);
        Frame().Action(command)->trigger();
        QCOMPARE(saved.count(), 1);
        QCOMPARE(m_op.Questions().size(), size_t(2));
        QCOMPARE(BytesToQString(m_op.Questions().back()), question);
        // Already on disk, before the program ends.
        CServiceData reloaded;
        CScriptedOperator quiet;
        QVERIFY(reloaded.Load(DictPath().toStdString(), quiet));
        if (command == ID_DICT_CLEAR_CASES)
            QCOMPARE(reloaded.UniDict().GetCount(), 0);
        else
            QCOMPARE(reloaded.UpperCaseDict().GetCount(), 0);
        QCOMPARE(reloaded.DocDict().GetCount(), 2);
    }

    void screenshot() {
        const QByteArray dir = qgetenv("NORVAK_SCREENSHOT_DIR");
        if (dir.isEmpty())
            QSKIP("NORVAK_SCREENSHOT_DIR not set");
        QVERIFY(Doc().OpenFile(TestData(kSample), 1, true));
        Frame().resize(1200, 800);
        Frame().resizeDocks({&Frame().Bar()}, {300}, Qt::Horizontal);
        QTest::qWait(200);
        List().SelectRow(Caption("Вид документа") + 1);
        QVERIFY(Frame().grab().save(QString::fromLocal8Bit(dir) + "/panel.png"));
        QWidget* e = InsertAt("Принявший орган");
        QTest::qWait(100);
        QVERIFY(Frame().Bar().grab().save(QString::fromLocal8Bit(dir) + "/panel_editing.png"));
        Key(e, Qt::Key_Escape);
        List().SelectRow(Caption("Название документа") + 1);
        Key(&List(), Qt::Key_Return);
        QTest::qWait(100);
        QVERIFY(Frame().Bar().grab().save(QString::fromLocal8Bit(dir) + "/panel_title.png"));
        Key(List().Editor(), Qt::Key_Escape);
        Frame().Action(ID_VIEW_HEADER)->trigger();
        QTest::qWait(100);
        auto* header = Frame().findChild<QDialog*>(QStringLiteral("HeaderDlg"));
        QVERIFY(header != nullptr);
        QVERIFY(header->grab().save(QString::fromLocal8Bit(dir) + "/header.png"));
    }
};

NORVAK_GUI_TEST(TestRequisitesPanel);
#include "requisitespanel_test.moc"
