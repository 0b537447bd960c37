#include "guitests.h"

#include "commands.h"
#include "editcommands.h"
#include "findreplacedlg.h"
#include "frametestbed.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace norvak;

// Find, find next and replace: the dialogs and the editor behind them.
class TestFindReplaceDlg : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<FrameTestbed> m_bed;
    const LineList m_text{Cp("Приказ о приказе"), Cp("второй ПРИКАЗ"), "end"};

    CNorvakView& View() { return m_bed->View(); }
    CEditCommands& Commands() {
        return *m_bed->frame->findChild<CEditCommands*>(QStringLiteral("EditCommands"));
    }
    QString Selected() { return View().textCursor().selectedText(); }

private slots:
    void init() {
        m_bed = std::make_unique<FrameTestbed>();
        View().SetText(m_text, true);
    }
    void cleanup() { m_bed.reset(); }

    void findDialogInRussian() {
        m_bed->Trigger(ID_EDIT_FIND);
        CFindReplaceDlg* dlg = Commands().FindDialog();
        QVERIFY(dlg != nullptr);
        QVERIFY(dlg->isVisible());
        QCOMPARE(dlg->windowTitle(), QStringLiteral("Найти"));
        QCOMPARE(dlg->FindNextButton()->text(), QStringLiteral("&Найти далее"));
        QVERIFY(!dlg->FindNextButton()->isEnabled());
        QVERIFY(dlg->ReplaceButton() == nullptr);
        m_bed->Trigger(ID_EDIT_REPLACE);
        dlg = Commands().FindDialog();
        QCOMPARE(dlg->windowTitle(), QStringLiteral("Заменить"));
        QCOMPARE(dlg->ReplaceAllButton()->text(), QStringLiteral("Заменить &все"));
    }

    void findNextThroughTheDialogAndF3() {
        m_bed->Trigger(ID_EDIT_FIND);
        CFindReplaceDlg* dlg = Commands().FindDialog();
        TypeText(dlg->FindEdit(), QStringLiteral("приказ"));
        QTest::mouseClick(dlg->FindNextButton(), Qt::LeftButton);
        QCOMPARE(View().textCursor().selectionStart(), 0);
        QCOMPARE(Selected(), QStringLiteral("Приказ"));
        m_bed->Trigger(ID_EDIT_REPEAT);
        QCOMPARE(View().textCursor().selectionStart(), 9);
        m_bed->Trigger(ID_EDIT_REPEAT);
        QCOMPARE(Selected(), QStringLiteral("ПРИКАЗ"));
        // Past the last occurrence the search wraps round to the first.
        m_bed->Trigger(ID_EDIT_REPEAT);
        QCOMPARE(View().textCursor().selectionStart(), 0);
        QVERIFY(m_bed->op.Entries().empty());
    }

    void findOptions() {
        m_bed->Trigger(ID_EDIT_FIND);
        CFindReplaceDlg* dlg = Commands().FindDialog();
        dlg->SetFindText(QStringLiteral("ПРИКАЗ"));
        dlg->MatchCase()->setChecked(true);
        QTest::mouseClick(dlg->FindNextButton(), Qt::LeftButton);
        QCOMPARE(View().textCursor().blockNumber(), 1);
        // Whole words: "приказ" inside "приказе" does not count.
        dlg->MatchCase()->setChecked(false);
        dlg->WholeWord()->setChecked(true);
        dlg->SetFindText(QStringLiteral("приказ"));
        View().moveCursor(QTextCursor::Start);
        QTest::mouseClick(dlg->FindNextButton(), Qt::LeftButton);
        QTest::mouseClick(dlg->FindNextButton(), Qt::LeftButton);
        QCOMPARE(View().textCursor().blockNumber(), 1);
        // Upwards from the end.
        dlg->WholeWord()->setChecked(false);
        dlg->Up()->setChecked(true);
        View().moveCursor(QTextCursor::End);
        QTest::mouseClick(dlg->FindNextButton(), Qt::LeftButton);
        QCOMPARE(View().textCursor().blockNumber(), 1);
    }

    void notFoundIsTold() {
        QVERIFY(!Commands().FindNext(QStringLiteral("закон"), {}));
        QCOMPARE(m_bed->op.Messages(), std::vector<std::string>{Cp("Не удается найти \"закон\".")});
        QVERIFY(!View().textCursor().hasSelection());
    }

    void f3WithoutAnEarlierSearchOpensTheDialog() {
        m_bed->Trigger(ID_EDIT_REPEAT);
        QVERIFY(Commands().FindDialog() != nullptr);
        QVERIFY(Commands().FindDialog()->isVisible());
    }

    void replaceOneAtATime() {
        m_bed->Trigger(ID_EDIT_REPLACE);
        CFindReplaceDlg* dlg = Commands().FindDialog();
        dlg->SetFindText(QStringLiteral("приказ"));
        dlg->ReplaceEdit()->setText(QStringLiteral("указ"));
        // The first press finds, the next replaces the found one and finds the next.
        QTest::mouseClick(dlg->ReplaceButton(), Qt::LeftButton);
        QCOMPARE(View().GetLines(), m_text);
        QTest::mouseClick(dlg->ReplaceButton(), Qt::LeftButton);
        QCOMPARE(View().GetLines().front(), Cp("указ о приказе"));
        QCOMPARE(View().textCursor().selectionStart(), 7);
        View().Undo();
        QCOMPARE(View().GetLines(), m_text);
    }

    void replaceAllIsOneUndoStep() {
        m_bed->Trigger(ID_EDIT_REPLACE);
        CFindReplaceDlg* dlg = Commands().FindDialog();
        dlg->SetFindText(QStringLiteral("приказ"));
        dlg->ReplaceEdit()->setText(QStringLiteral("приказ приказ"));
        QTest::mouseClick(dlg->ReplaceAllButton(), Qt::LeftButton);
        QCOMPARE(View().GetLines(), (LineList{Cp("приказ приказ о приказ приказе"),
                                              Cp("второй приказ приказ"), "end"}));
        View().Undo();
        QCOMPARE(View().GetLines(), m_text);
        QVERIFY(!View().CanUndo());
    }

    void replaceAllWithNothingFoundChangesNothing() {
        QCOMPARE(Commands().ReplaceAll(QStringLiteral("закон"), QStringLiteral("x"), {}), 0);
        QCOMPARE(View().GetLines(), m_text);
        QVERIFY(!View().CanUndo());
        QCOMPARE(m_bed->op.Messages().size(), std::size_t(1));
    }

    void selectionProposesTheTextToFind() {
        m_bed->Select(2, 0, 2, 3);
        m_bed->Trigger(ID_EDIT_FIND);
        QCOMPARE(Commands().FindDialog()->FindText(), QStringLiteral("end"));
    }
};

NORVAK_GUI_TEST(TestFindReplaceDlg);
#include "findreplacedlg_test.moc"
