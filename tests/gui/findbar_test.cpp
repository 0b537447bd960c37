#include "guitests.h"

#include "commands.h"
#include "editcommands.h"
#include "findbar.h"
#include "findreplacedlg.h"
#include "frametestbed.h"
#include "textcodec.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

using namespace norvak;

// The find bar under the text and what "Заменить все" tells: counting and lighting the
// matches as the operator types, Enter and Shift+Enter round the text, Esc, case, and the
// find and replace dialogs beside it.
class TestFindBar : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<FrameTestbed> m_bed;
    const LineList m_text{Cp("Приказ о приказе"), Cp("второй ПРИКАЗ"), "end"};

    CNorvakView& View() { return m_bed->View(); }
    CFindBar& Bar() { return m_bed->frame->FindBar(); }
    CEditCommands& Commands() {
        return *m_bed->frame->findChild<CEditCommands*>(QStringLiteral("EditCommands"));
    }
    QAction* BarAction() {
        return m_bed->frame->findChild<QAction*>(QStringLiteral("ShowFindBar"));
    }
    QString Count() { return Bar().CountLabel()->text(); }
    int Caret() { return View().textCursor().selectionStart(); }
    QString Selected() { return View().textCursor().selectedText(); }
    // The lit matches in the view as (start, end) pairs, in the order of the text.
    QList<std::pair<int, int>> Lit() {
        QList<std::pair<int, int>> lit;
        for (const QTextEdit::ExtraSelection& s : View().extraSelections())
            if (CFindBar::IsMatchSelection(s.format))
                lit.push_back({s.cursor.selectionStart(), s.cursor.selectionEnd()});
        return lit;
    }
    void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(Bar().Edit(), key, modifiers);
    }
    // Opens the bar with its key from the text, and types text into it.
    void OpenAndType(const QString& text) {
        View().setFocus();
        m_bed->frame->activateWindow();
        QTest::keyClick(&View(), Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(Bar().isVisible());
        TypeText(Bar().Edit(), text);
    }

private slots:
    void init() {
        m_bed = std::make_unique<FrameTestbed>();
        View().SetText(m_text, true);
    }
    void cleanup() { m_bed.reset(); }

    void barIsInTheEditMenuUnderItsOwnKey() {
        QVERIFY(!Bar().isVisible());
        QAction* action = BarAction();
        QVERIFY(action != nullptr);
        QCOMPARE(action->text(), QStringLiteral("Панель по&иска"));
        QCOMPARE(action->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+F")));
        auto* edit = m_bed->frame->menuBar()->findChild<QMenu*>(QStringLiteral("EditMenu"));
        const QList<QAction*> items = edit->actions();
        QCOMPARE(items.indexOf(action), items.indexOf(m_bed->frame->Action(ID_EDIT_REPLACE)) + 1);
        // The dialog keeps its key.
        QCOMPARE(m_bed->frame->Action(ID_EDIT_FIND)->shortcut(),
                 QKeySequence(QStringLiteral("Ctrl+F")));
        // The bar stands below the text.
        QTest::keyClick(&View(), Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(Bar().isVisible());
        QVERIFY(Bar().Edit()->hasFocus());
        QVERIFY(Bar().geometry().top() >= View().geometry().bottom());
    }

    void countAndLightAsTheOperatorTypes() {
        OpenAndType(QStringLiteral("при"));
        QCOMPARE(Count(), QStringLiteral("Совпадений: 3"));
        QCOMPARE(Lit(), (QList<std::pair<int, int>>{{0, 3}, {9, 12}, {24, 27}}));
        // The first match is selected and stays so as the text grows.
        QCOMPARE(Selected(), QStringLiteral("При"));
        TypeText(Bar().Edit(), QStringLiteral("казе"));
        QCOMPARE(Count(), QStringLiteral("Совпадений: 1"));
        QCOMPARE(Lit(), (QList<std::pair<int, int>>{{9, 16}}));
        QCOMPARE(Selected(), QStringLiteral("приказе"));
        TypeText(Bar().Edit(), QStringLiteral("м"));
        QCOMPARE(Count(), QStringLiteral("Не найдено"));
        QVERIFY(Lit().isEmpty());
        Bar().Edit()->clear();
        QCOMPARE(Count(), QString());
        QVERIFY(Lit().isEmpty());
    }

    void litMatchesAreSeen() {
        OpenAndType(QStringLiteral("end"));
        // The lit match is the caret's; put the caret elsewhere to see its colour, not the
        // selection's.
        m_bed->Caret(0, 0);
        QTest::qWait(50);
        const QRect r = View().cursorRect(QTextCursor(View().document()->findBlockByNumber(2)));
        const QImage shot = View().viewport()->grab().toImage();
        const QPoint inside(r.left() + View().fontMetrics().horizontalAdvance(QLatin1Char('e')),
                            r.top() + 1);
        QCOMPARE(shot.pixelColor(inside), QColor(0xff, 0xd8, 0x6b));
    }

    void enterAndShiftEnterGoRoundTheText() {
        OpenAndType(QStringLiteral("приказ"));
        QCOMPARE(Caret(), 0);
        Press(Qt::Key_Return);
        QCOMPARE(Caret(), 9);
        Press(Qt::Key_Enter);
        QCOMPARE(Selected(), QStringLiteral("ПРИКАЗ"));
        // Past the last match back to the first, and before the first to the last.
        Press(Qt::Key_Return);
        QCOMPARE(Caret(), 0);
        Press(Qt::Key_Return, Qt::ShiftModifier);
        QCOMPARE(Selected(), QStringLiteral("ПРИКАЗ"));
        Press(Qt::Key_Return, Qt::ShiftModifier);
        QCOMPARE(Caret(), 9);
        // The buttons do the same; the text in the bar stays.
        QTest::mouseClick(Bar().NextButton(), Qt::LeftButton);
        QCOMPARE(Selected(), QStringLiteral("ПРИКАЗ"));
        QTest::mouseClick(Bar().PreviousButton(), Qt::LeftButton);
        QCOMPARE(Caret(), 9);
        QCOMPARE(Bar().Edit()->text(), QStringLiteral("приказ"));
        QCOMPARE(View().GetLines(), m_text);
        QVERIFY(m_bed->op.Entries().empty());
    }

    void nothingToFindLeavesTheCaret() {
        OpenAndType(QStringLiteral("закон"));
        m_bed->Caret(1, 2);
        QVERIFY(!Bar().FindNext());
        QVERIFY(!Bar().FindPrevious());
        QCOMPARE(Caret(), View().document()->findBlockByNumber(1).position() + 2);
        QVERIFY(m_bed->op.Entries().empty());
    }

    void escHidesTheBarAndTakesTheLightOff() {
        // A selection someone else put on the view stays.
        QTextEdit::ExtraSelection other;
        other.cursor = QTextCursor(View().document());
        other.cursor.setPosition(2, QTextCursor::KeepAnchor);
        other.format.setBackground(Qt::green);
        View().setExtraSelections({other});
        OpenAndType(QStringLiteral("приказ"));
        QCOMPARE(View().extraSelections().size(), 4);
        Press(Qt::Key_Escape);
        QVERIFY(!Bar().isVisible());
        QVERIFY(Lit().isEmpty());
        QCOMPARE(View().extraSelections().size(), 1);
        QCOMPARE(View().extraSelections().front().format.background().color(), QColor(Qt::green));
        QVERIFY(View().hasFocus());
        // Opened again it shows the same text and lights again; Esc in the text closes it too.
        BarAction()->trigger();
        QCOMPARE(Bar().Edit()->text(), QStringLiteral("приказ"));
        QCOMPARE(Lit().size(), 3);
        QVERIFY(Bar().Edit()->hasSelectedText());
        View().setFocus();
        QTest::keyClick(&View(), Qt::Key_Escape);
        QVERIFY(!Bar().isVisible());
        QVERIFY(Lit().isEmpty());
        QCOMPARE(View().GetLines(), m_text);
    }

    void caseSensitivity() {
        OpenAndType(QStringLiteral("ПРИКАЗ"));
        QCOMPARE(Count(), QStringLiteral("Совпадений: 3"));
        QTest::mouseClick(Bar().MatchCase(), Qt::LeftButton);
        QVERIFY(Bar().MatchCase()->isChecked());
        QCOMPARE(Count(), QStringLiteral("Совпадений: 1"));
        QCOMPARE(Lit().size(), 1);
        m_bed->Caret(0, 0);
        QVERIFY(Bar().FindNext());
        QCOMPARE(View().textCursor().blockNumber(), 1);
        QVERIFY(Bar().FindNext());
        QCOMPARE(View().textCursor().blockNumber(), 1);
        Bar().Edit()->setText(QStringLiteral("приказ"));
        QCOMPARE(Count(), QStringLiteral("Совпадений: 1"));
        QTest::mouseClick(Bar().MatchCase(), Qt::LeftButton);
        QCOMPARE(Count(), QStringLiteral("Совпадений: 3"));
    }

    void aSelectionWithinALineIsTheTextToFind() {
        m_bed->Select(1, 7, 1, 13);
        BarAction()->trigger();
        QCOMPARE(Bar().Edit()->text(), QStringLiteral("ПРИКАЗ"));
        QCOMPARE(Count(), QStringLiteral("Совпадений: 3"));
        // A selection over two lines leaves the text as it was.
        m_bed->Select(0, 0, 1, 3);
        BarAction()->trigger();
        QCOMPARE(Bar().Edit()->text(), QStringLiteral("ПРИКАЗ"));
    }

    void theCountFollowsEditsOfTheText() {
        OpenAndType(QStringLiteral("end"));
        QCOMPARE(Count(), QStringLiteral("Совпадений: 1"));
        m_bed->Caret(0, 0);
        View().textCursor().insertText(QStringLiteral("end "));
        QTRY_COMPARE(Count(), QStringLiteral("Совпадений: 2"));
        QCOMPARE(Lit().size(), 2);
        // A new text as a whole.
        View().SetText({"end end end"}, true);
        QTRY_COMPARE(Count(), QStringLiteral("Совпадений: 3"));
        QCOMPARE(Lit().size(), 3);
    }

    void ctrlFStillOpensTheDialog() {
        View().setFocus();
        m_bed->frame->activateWindow();
        QTest::keyClick(&View(), Qt::Key_F, Qt::ControlModifier);
        CFindReplaceDlg* dlg = Commands().FindDialog();
        QVERIFY(dlg != nullptr);
        QVERIFY(dlg->isVisible());
        QCOMPARE(dlg->windowTitle(), QStringLiteral("Найти"));
        QVERIFY(!Bar().isVisible());
        dlg->SetFindText(QStringLiteral("приказ"));
        QTest::mouseClick(dlg->FindNextButton(), Qt::LeftButton);
        QCOMPARE(Selected(), QStringLiteral("Приказ"));
        // The dialog lights nothing.
        QVERIFY(Lit().isEmpty());
    }

    void replaceAllTellsHowManyItReplaced() {
        m_bed->Trigger(ID_EDIT_REPLACE);
        CFindReplaceDlg* dlg = Commands().FindDialog();
        dlg->SetFindText(QStringLiteral("приказ"));
        dlg->ReplaceEdit()->setText(QStringLiteral("указ"));
        QTest::mouseClick(dlg->ReplaceAllButton(), Qt::LeftButton);
        QCOMPARE(View().GetLines(), (LineList{Cp("указ о указе"), Cp("второй указ"), "end"}));
        QCOMPARE(m_bed->op.Messages(), std::vector<std::string>{Cp("Заменено: 3.")});
        // Nothing left to replace: told as when finding.
        m_bed->op.Clear();
        QTest::mouseClick(dlg->ReplaceAllButton(), Qt::LeftButton);
        QCOMPARE(m_bed->op.Messages(),
                 std::vector<std::string>{Cp("Не удается найти \"приказ\".")});
        QCOMPARE(View().GetLines(), (LineList{Cp("указ о указе"), Cp("второй указ"), "end"}));
    }

    void replaceAllWithTheBarOpenLeavesItCounting() {
        OpenAndType(QStringLiteral("указ"));
        QCOMPARE(Count(), QStringLiteral("Не найдено"));
        QCOMPARE(Commands().ReplaceAll(QStringLiteral("приказ"), QStringLiteral("указ"),
                                       QTextDocument::FindCaseSensitively),
                 1);
        QCOMPARE(m_bed->op.Messages(), std::vector<std::string>{Cp("Заменено: 1.")});
        QTRY_COMPARE(Count(), QStringLiteral("Совпадений: 1"));
        View().Undo();
        QCOMPARE(View().GetLines(), m_text);
        QTRY_COMPARE(Count(), QStringLiteral("Не найдено"));
    }

    void aLongTextIsCountedWholeAndLitWhereItIsShown() {
        LineList lines;
        for (int i = 0; i < 3000; ++i)
            lines.push_back(Cp("приказ ") + std::to_string(i));
        View().SetText(lines, true);
        OpenAndType(QStringLiteral("приказ"));
        QCOMPARE(Count(), QStringLiteral("Совпадений: 3000"));
        QCOMPARE(Bar().MatchCount(), 3000);
        QList<std::pair<int, int>> lit = Lit();
        QVERIFY(!lit.isEmpty());
        QVERIFY(lit.size() < 3000);
        QCOMPARE(lit.front(), (std::pair<int, int>{0, 6}));
        // Scrolled to the end, the last lines are lit.
        View().moveCursor(QTextCursor::End);
        View().ensureCursorVisible();
        const int lastStart = View().document()->lastBlock().position();
        lit = Lit();
        QVERIFY(!lit.isEmpty());
        QCOMPARE(lit.back(), (std::pair<int, int>{lastStart, lastStart + 6}));
        QVERIFY(lit.front().first > 0);
        // Enter from the end wraps round to the first match.
        Press(Qt::Key_Return);
        QCOMPARE(Caret(), 0);
        QCOMPARE(Lit().front(), (std::pair<int, int>{0, 6}));
    }

    void screenshot() {
        const QByteArray env = qgetenv("NORVAK_SCREENSHOT_DIR");
        if (env.isEmpty())
            QSKIP("NORVAK_SCREENSHOT_DIR not set");
        OpenAndType(QStringLiteral("приказ"));
        QTest::qWait(100);
        QVERIFY(m_bed->frame->grab().save(QString::fromLocal8Bit(env) +
                                          QStringLiteral("/main_window_find_bar.png")));
    }
};

NORVAK_GUI_TEST(TestFindBar);
#include "findbar_test.moc"
