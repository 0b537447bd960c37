#include "guitests.h"

#include "filepane.h"
#include "frametestbed.h"
#include "markupcommands.h"
#include "requisitesbar.h"
#include "requisiteslist.h"
#include "textcodec.h"
#include "viewdecorations.h"

#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QTreeWidget>

using namespace norvak;

namespace {

const char* const kSample = "gui/composed_postanovlenie_tablica.cp866.txt";

QColor PixelAt(QWidget* w, QPoint p) {
    return w->grab().toImage().pixelColor(p);
}

} // namespace

// What the editor offers beyond its specified commands: the view's decorations, the file pane,
// the tag check, marking up and detecting the requisites again.
class TestEditorExtras : public QObject, private FrameTestFiles {
    Q_OBJECT
private:
    CMainFrame& Frame() { return *m_frame; }
    CNorvakView& View() { return m_frame->View(); }
    CViewDecorations& Decorations() { return *View().findChild<CViewDecorations*>(); }
    CMarkupCommands& Markup() { return *Frame().findChild<CMarkupCommands*>(); }
    void Open() {
        m_frame = std::make_unique<CMainFrame>(*m_store, DictPath(), &m_op);
        Frame().resize(1000, 700);
        Frame().show();
        QVERIFY(QTest::qWaitForWindowExposed(&Frame()));
    }
    // The point in the viewport at the middle of a column of a line.
    QPoint At(int line, int column) {
        QTextCursor c(View().document()->findBlockByNumber(line));
        const QRect r = View().cursorRect(c);
        const int advance = View().fontMetrics().horizontalAdvance(QLatin1Char(' '));
        return {Decorations().ColumnX(column) + advance / 2, r.center().y()};
    }
    QColor Base() { return View().palette().color(QPalette::Base); }

private slots:
    void init() {
        QVERIFY(MakeFiles("dictionaries/small_dict.dat"));
        Open();
    }
    void cleanup() {
        if (m_frame)
            View().MarkClean();
        DropFiles();
    }

    void decorationsAreShownSwitchedAndRemembered_data() {
        QTest::addColumn<int>("item");
        QTest::newRow("nominal: long lines") << int(CViewDecorations::LongLines);
        QTest::newRow("nominal: current line") << int(CViewDecorations::CurrentLine);
        QTest::newRow("nominal: guide") << int(CViewDecorations::Guide);
        QTest::newRow("nominal: line numbers") << int(CViewDecorations::LineNumbers);
    }
    void decorationsAreShownSwitchedAndRemembered() {
        QFETCH(int, item);
        const auto which = static_cast<CViewDecorations::Item>(item);
        View().SetText({"short", std::string(80, ' '), "third"}, false);
        View().setFocus();
        QTextCursor c(View().document()->findBlockByNumber(2));
        View().setTextCursor(c); // the current line is the third
        QTest::qWait(20);
        // Where each decoration shows: beyond column 66 of the long line, the end of the
        // current line, the guide column of the first line, the gutter.
        auto sample = [this, which]() -> QColor {
            switch (which) {
            case CViewDecorations::LongLines:
                return PixelAt(View().viewport(), At(1, 75));
            case CViewDecorations::CurrentLine:
                return PixelAt(View().viewport(), At(2, 40));
            case CViewDecorations::Guide: {
                QPoint p = At(0, 66);
                p.setX(Decorations().ColumnX(66));
                return PixelAt(View().viewport(), p);
            }
            default:
                return Decorations().Gutter()->isVisible() ? QColor(Qt::black) : Base();
            }
        };
        QVERIFY(Decorations().IsOn(which));
        QVERIFY(sample() != Base());
        QAction* toggle = Decorations().Action(which);
        QVERIFY(toggle != nullptr);
        auto* viewMenu = Frame().menuBar()->findChild<QMenu*>(QStringLiteral("ViewMenu"));
        QVERIFY(viewMenu->actions().contains(toggle));
        toggle->trigger();
        QTest::qWait(20);
        QVERIFY(!Decorations().IsOn(which));
        QCOMPARE(sample(), Base());
        // A new window over the same settings keeps it off.
        View().MarkClean();
        m_frame.reset();
        Open();
        QVERIFY(!Decorations().IsOn(which));
        QVERIFY(!Decorations().Action(which)->isChecked());
    }

    void gutterShowsTheLineNumbers() {
        LineList lines;
        for (int i = 0; i < 1200; ++i)
            lines.push_back("line");
        View().SetText(lines, false);
        QWidget* gutter = Decorations().Gutter();
        QVERIFY(gutter->isVisible());
        // Room for four digits, and the text starts right of it.
        QVERIFY(gutter->width() >= View().fontMetrics().horizontalAdvance(QStringLiteral("1200")));
        QVERIFY(View().viewport()->geometry().left() >= gutter->geometry().right());
        const QImage shot = gutter->grab().toImage();
        const QColor background = shot.pixelColor(1, 1);
        int ink = 0;
        for (int y = 0; y < std::min(shot.height(), 40); ++y)
            for (int x = 0; x < shot.width(); ++x)
                ink += shot.pixelColor(x, y) != background;
        QVERIFY(ink > 10);
    }

    void filePaneNamesTheFileItsTypeAndEncoding() {
        auto* pane = Frame().findChild<CFilePane*>();
        QVERIFY(pane != nullptr);
        QCOMPARE(pane->text(), QStringLiteral("Новый документ"));
        QVERIFY(Frame().Doc().OpenFile(TestData(kSample), 1, true));
        QCOMPARE(pane->text(),
                 QFileInfo(TestData(kSample)).fileName() + QStringLiteral(" — текст, DOS (CP866)"));
        const QString out = m_dir->filePath("00001.rla");
        Frame().SetSavePathProvider([out](const QString&) { return out; });
        View().setFocus();
        QTest::keyClick(&View(), Qt::Key_X);
        m_op.SetAnswer(Answer::Yes); // save even if the tags are not sound
        QVERIFY(Frame().Doc().OnFileSave());
        QCOMPARE(pane->text(), QStringLiteral("00001.rla — исходный формат, DOS (CP866)"));
        QVERIFY(Frame().Doc().OnNewDocument());
        QCOMPARE(pane->text(), QStringLiteral("Новый документ"));
        // A text in the encoding it was read in; a web page or a word-processor document by
        // its kind.
        QVERIFY(
            Frame().Doc().OpenFile(TestData("formats/vozdushnyj_kodeks_1997_102046246.cp1251.txt"),
                                   FileType::Text, Encoding::Windows));
        QVERIFY(pane->text().endsWith(QStringLiteral(" — текст, Windows (CP1251)")));
        QVERIFY(
            Frame().Doc().OpenDetected(TestData("formats/composed_postanovlenie_tablica.docx")));
        QCOMPARE(pane->text(),
                 QStringLiteral("composed_postanovlenie_tablica.docx — документ DOCX"));
    }

    void tagCheckListsTheProblemsAndGoesToThem() {
        View().SetText(
            {"title", OpeningLine(TagCode::ZAG), "heading", "text", ClosingLine(TagCode::OGL)},
            false);
        Markup().CheckAction()->trigger();
        auto* dialog = Frame().findChild<CTagCheckDlg*>();
        QVERIFY(dialog != nullptr);
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->List()->count(), 1);
        QCOMPARE(dialog->List()->item(0)->text(),
                 QStringLiteral("Строка 5: блок ЗАГ (строка 2) закрыт строкой закрытия другого "
                                "блока"));
        dialog->List()->setFocus();
        QTest::keyClick(dialog->List(), Qt::Key_Return);
        QCOMPARE(View().textCursor().blockNumber(), 4);
        dialog->close();

        View().SetText({OpeningLine(TagCode::CNT), "x", ClosingLine()}, false);
        m_op.Clear();
        Markup().CheckAction()->trigger();
        QCOMPARE(m_op.Messages(), std::vector<std::string>{Cp("Ошибок в разметке тегов нет.")});
    }

    void saveWarnsAboutTheTagStructure_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("saved");
        QTest::newRow("nominal: the operator saves anyway") << int(Answer::Yes) << true;
        QTest::newRow("nominal: the operator goes back to the text") << int(Answer::No) << false;
    }
    void saveWarnsAboutTheTagStructure() {
        QFETCH(int, answer);
        QFETCH(bool, saved);
        const QString out = m_dir->filePath("broken.rla");
        Frame().SetSavePathProvider([out](const QString&) { return out; });
        View().SetText({OpeningLine(TagCode::TAB), "row"}, false);
        View().setFocus();
        QTest::keyClick(&View(), Qt::Key_End, Qt::ControlModifier);
        QTest::keyClick(&View(), Qt::Key_X);
        m_op.Clear();
        m_op.SetAnswer(static_cast<Answer>(answer));
        QCOMPARE(Frame().Doc().OnFileSave(), saved);
        QCOMPARE(QFileInfo::exists(out), saved);
        QCOMPARE(m_op.Questions().size(), size_t(1));
        QVERIFY(BytesToQString(m_op.Questions().front()).contains(QStringLiteral("Строка 1")));
        // Going back shows the list.
        QCOMPARE(Frame().findChild<CTagCheckDlg*>() != nullptr, !saved);
    }

    void remarkupPlacesTheTagsAgainAsOneUndoStep() {
        QVERIFY(Frame().Doc().OpenFile(TestData(kSample), 1, true));
        const LineList tagged = View().GetLines();
        LineList plain = tagged;
        QVERIFY(DeleteTagLines(plain, 0, plain.size()) > 0);
        View().SetText(plain, false);
        QTest::keyClick(&View(), Qt::Key_End); // an ordinary edit before
        Markup().RemarkupAction()->trigger();
        QCOMPARE(View().GetLines(), tagged);
        QVERIFY(Frame().Action(ID_EDIT_UNDO)->isEnabled());
        Frame().Action(ID_EDIT_UNDO)->trigger();
        QCOMPARE(View().GetLines(), plain);
        Frame().Action(ID_EDIT_REDO)->trigger();
        QCOMPARE(View().GetLines(), tagged);
    }

    void remarkupOfASelectionLeavesTheOtherLines() {
        const LineList before = {
            "first line", OpeningLine(TagCode::ZAG), "       KEEP", "", ClosingLine(), "last line"};
        View().SetText(before, false);
        // Select lines 0 and 1 only: the opening line there goes, the rest stays.
        QTextCursor c(View().document());
        c.setPosition(View().document()->findBlockByNumber(2).position(), QTextCursor::KeepAnchor);
        View().setTextCursor(c);
        Markup().RemarkupAction()->trigger();
        const LineList after = View().GetLines();
        QCOMPARE(after.front(), std::string("first line"));
        QCOMPARE(LineList(after.end() - 4, after.end()),
                 LineList(before.begin() + 2, before.end()));
        QVERIFY(std::find(after.begin(), after.end() - 4, OpeningLine(TagCode::ZAG)) ==
                after.end() - 4);
    }

    void redetectShowsTheChangesBeforeApplying_data() {
        QTest::addColumn<bool>("apply");
        QTest::newRow("nominal: applied") << true;
        QTest::newRow("nominal: cancelled") << false;
    }
    void redetectShowsTheChangesBeforeApplying() {
        QFETCH(bool, apply);
        QVERIFY(Frame().Doc().OpenFile(TestData(kSample), 1, true));
        const CRequisiteRecord found = Frame().GetRequisites();
        QVERIFY(!found.m_kinds.empty());
        CRequisiteRecord edited = found;
        edited.m_kinds.clear();
        edited.m_title = "X";
        Frame().SetRequisites(edited);
        QStringList captions;
        OnModal<CDetectedChangesDlg>([&captions, apply](CDetectedChangesDlg* d) {
            for (int i = 0; i < d->Table()->topLevelItemCount(); ++i)
                captions << d->Table()->topLevelItem(i)->text(0);
            apply ? d->accept() : d->reject();
        });
        Markup().RedetectAction()->trigger();
        QCOMPARE(captions, (QStringList{QStringLiteral("Вид документа"),
                                        QStringLiteral("Название документа")}));
        const CRequisiteRecord now = Frame().GetRequisites();
        QCOMPARE(now.m_kinds, apply ? found.m_kinds : edited.m_kinds);
        QCOMPARE(now.m_title, apply ? found.m_title : edited.m_title);
        QCOMPARE(Frame().Doc().IsModified(), apply);
    }

    void retitleComposesTheTitleFromTheCorrectedRequisites() {
        QVERIFY(Frame().Doc().OpenFile(TestData(kSample), 1, true));
        CRequisiteRecord edited = Frame().GetRequisites();
        QVERIFY(!edited.m_adoptionDates.empty());
        const QString before = BytesToQString(edited.m_title);
        const QString oldDate = BytesToQString(FormatDate(edited.m_adoptionDates.front()));
        QVERIFY2(before.contains(oldDate), qPrintable(before));
        edited.m_adoptionDates = {CDateValue(2005, 3, 1)};
        Frame().SetRequisites(edited);
        QStringList captions;
        OnModal<CDetectedChangesDlg>([&captions](CDetectedChangesDlg* d) {
            for (int i = 0; i < d->Table()->topLevelItemCount(); ++i)
                captions << d->Table()->topLevelItem(i)->text(0);
            d->accept();
        });
        Markup().RetitleAction()->trigger();
        QCOMPARE(captions, QStringList{QStringLiteral("Название документа")});
        const QString after = BytesToQString(Frame().GetRequisites().m_title);
        QVERIFY2(after.contains(QStringLiteral("от 01.03.2005")) && !after.contains(oldDate),
                 qPrintable(after));
        QVERIFY(Frame().Doc().IsModified());

        // A title the operator wrote is left as it is, and the operator is told.
        edited.m_title = Cp("Воздушный кодекс Российской Федерации");
        Frame().SetRequisites(edited);
        m_op.Clear();
        Markup().RetitleAction()->trigger();
        QCOMPARE(Frame().GetRequisites().m_title, edited.m_title);
        QCOMPARE(m_op.Messages().size(), size_t(1));
    }

    void screenshots() {
        const QByteArray env = qgetenv("NORVAK_SCREENSHOT_DIR");
        if (env.isEmpty())
            QSKIP("NORVAK_SCREENSHOT_DIR not set");
        const QString dir = QString::fromLocal8Bit(env);
        QVERIFY(Frame().Doc().OpenFile(TestData(kSample), 1, true));
        View().GoToLine(12);
        QTest::qWait(100);
        QVERIFY(Frame().grab().save(dir + QStringLiteral("/main_window.png")));
        View().SetText({"title", OpeningLine(TagCode::ZAG), "heading"}, false);
        Markup().CheckAction()->trigger();
        auto* check = Frame().findChild<CTagCheckDlg*>();
        QVERIFY(check != nullptr);
        QTest::qWait(100);
        QVERIFY(check->grab().save(dir + QStringLiteral("/dlg_tag_check.png")));
        check->close();
        CDetectedChangesDlg changes({{QStringLiteral("Вид документа"), QStringLiteral("ПРИКАЗ"),
                                      QStringLiteral("ПОСТАНОВЛЕНИЕ")}},
                                    nullptr);
        changes.show();
        QVERIFY(QTest::qWaitForWindowExposed(&changes));
        QVERIFY(changes.grab().save(dir + QStringLiteral("/dlg_detected_changes.png")));
    }
};

NORVAK_GUI_TEST(TestEditorExtras);
#include "editorextras_test.moc"
