#include "guitests.h"

#include "commands.h"
#include "document/lineediting.h"
#include "editcommands.h"
#include "frametestbed.h"
#include "linkdlg.h"
#include "markup/tags.h"
#include "metdlg.h"
#include "taghighlighter.h"
#include "textcodec.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTextLayout>

using namespace norvak;

namespace {

bool BlockIsTagColoured(const QTextBlock& block) {
    for (const QTextLayout::FormatRange& r : block.layout()->formats())
        if (r.format.foreground().color() == CTagHighlighter::TagColour() && r.length > 2)
            return true;
    return false;
}

std::string Dashes(std::size_t n) {
    return std::string(n, '-');
}

} // namespace

// The editing commands of the view as the operator gives them: on a selection, without one,
// and undone.
class TestEditCommands : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<FrameTestbed> m_bed;
    const LineList m_three{"one", "two", "three"};

    FrameTestbed& Bed() { return *m_bed; }
    CNorvakView& View() { return m_bed->View(); }
    CEditCommands& Commands() {
        return *m_bed->frame->findChild<CEditCommands*>(QStringLiteral("EditCommands"));
    }
    // Undoes once and checks that the text is back and nothing more is left to undo.
    void UndoRestores(const LineList& original) {
        QVERIFY(View().CanUndo());
        View().Undo();
        QCOMPARE(View().GetLines(), original);
        QVERIFY(!View().CanUndo());
    }

private slots:
    void init() { m_bed = std::make_unique<FrameTestbed>(); }
    void cleanup() { m_bed.reset(); }

    void blockTagAroundTheSelectedLines_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("code");
        const QList<std::pair<int, TagCode>> tags = {
            {ID_TAG_ZAG, TagCode::ZAG}, {ID_TAG_CNT, TagCode::CNT}, {ID_TAG_PRV, TagCode::PRV},
            {ID_TAG_LEV, TagCode::LEV}, {ID_TAG_LIP, TagCode::LIP}, {ID_TAG_NFT, TagCode::NFT},
            {ID_TAG_TAB, TagCode::TAB}, {ID_TAG_TTT, TagCode::TTT}, {ID_TAG_OGL, TagCode::OGL}};
        for (const auto& [id, code] : tags)
            QTest::newRow(BytesToQString(TagCodeText(code)).toUtf8().constData())
                << id << int(code);
    }
    void blockTagAroundTheSelectedLines() {
        QFETCH(int, id);
        QFETCH(int, code);
        const TagCode tag = static_cast<TagCode>(code);
        View().SetText(m_three, true);
        Bed().Select(0, 1, 1, 2); // from inside "one" to inside "two"
        Bed().Trigger(id);
        const LineList expected{OpeningLine(tag), "one", "two", ClosingLine(tag), "three"};
        QCOMPARE(View().GetLines(), expected);
        // The caret at the start of the opening line; both tag lines highlighted.
        QVERIFY(!View().textCursor().hasSelection());
        QCOMPARE(View().textCursor().position(), 0);
        QVERIFY(BlockIsTagColoured(View().document()->findBlockByNumber(0)));
        QVERIFY(BlockIsTagColoured(View().document()->findBlockByNumber(3)));
        QVERIFY(!BlockIsTagColoured(View().document()->findBlockByNumber(1)));
        UndoRestores(m_three);
    }

    void tableOfContentsClosesWithKon() {
        View().SetText(m_three, true);
        Bed().Select(1, 0, 1, 3);
        Bed().Trigger(ID_TAG_OGL);
        QCOMPARE(View().GetLines().at(3), "\x04\x04" + Cp("КОН") + Dashes(61));
    }

    void blockTagOverTheLastLineClosesAfterIt() {
        View().SetText(m_three, true);
        Bed().Select(1, 1, 2, 5);
        Bed().Trigger(ID_TAG_NFT);
        QCOMPARE(View().GetLines(),
                 (LineList{"one", OpeningLine(TagCode::NFT), "two", "three", ClosingLine()}));
        QCOMPARE(Bed().CaretLine(), 1);
        UndoRestores(m_three);
    }

    void blockTagWithoutSelectionSplitsTheLineAtTheCaret() {
        View().SetText(m_three, true);
        Bed().Caret(1, 2);
        Bed().Trigger(ID_TAG_ZAG);
        QCOMPARE(View().GetLines(), (LineList{"one", "tw" + OpeningLine(TagCode::ZAG), "",
                                              ClosingLine() + "o", "three"}));
        // The caret stays where the insertion began.
        QCOMPARE(Bed().CaretLine(), 1);
        QCOMPARE(Bed().CaretColumn(), 2);
        UndoRestores(m_three);
    }

    void blockTagOnAnEmptyLineMakesAnEmptyBlock() {
        View().SetText({"a", "", "b"}, true);
        Bed().Caret(1, 0);
        Bed().Trigger(ID_TAG_TAB);
        QCOMPARE(View().GetLines(),
                 (LineList{"a", OpeningLine(TagCode::TAB), "", ClosingLine(), "b"}));
        QVERIFY(BlockIsTagColoured(View().document()->findBlockByNumber(1)));
        QVERIFY(BlockIsTagColoured(View().document()->findBlockByNumber(3)));
    }

    void tagAcceleratorInsertsTheTag() {
        View().SetText(m_three, true);
        Bed().Select(0, 0, 0, 3);
        View().setFocus();
        Bed().frame->activateWindow();
        QTest::keyClick(&View(), Qt::Key_P, Qt::ControlModifier); // Ctrl+З
        QCOMPARE(View().GetLines().front(), OpeningLine(TagCode::ZAG));
    }

    void everyTagCommandIsOnTheTagToolbarOrMenuAndEnabled() {
        for (int id :
             {ID_TAG_ZAG, ID_TAG_CNT, ID_TAG_PRV, ID_TAG_LEV, ID_TAG_LIP, ID_TAG_NFT, ID_TAG_TAB,
              ID_TAG_TTT, ID_TAG_LINK, ID_TAG_LABEL, ID_TAG_OGL, ID_TAG_INNER_LINK, ID_TAG_LINE}) {
            QAction* a = Bed().frame->Action(id);
            QVERIFY2(a->isEnabled(), qPrintable(a->text()));
            QVERIFY2(Bed().frame->TagToolBar().actions().contains(a), qPrintable(a->text()));
            QVERIFY(!a->shortcuts().isEmpty());
        }
    }

    void horizontalLineReplacesTheSelection() {
        View().SetText(m_three, true);
        Bed().Select(1, 0, 1, 3);
        Bed().Trigger(ID_TAG_LINE);
        QCOMPARE(View().GetLines(), (LineList{"one", "", Dashes(66), "", "three"}));
        UndoRestores(m_three);
    }

    void linkSpanMarksTheWordsAroundTheSelection() {
        const LineList text{Cp("Смотри пункт 5 ниже")};
        View().SetText(text, true);
        Bed().Select(0, 9, 0, 10); // inside "пункт"
        Bed().Trigger(ID_TAG_INNER_LINK);
        const std::string marked = Cp("Смотри") + '\x01' + Cp("пункт") + '\x02' + Cp("5 ниже");
        QCOMPARE(View().GetLines(), LineList{marked});
        QCOMPARE(Bed().CaretColumn(), 13); // after the closing marker
        UndoRestores(text);
    }

    void linkSpanAtTheLineStartWritesOnlyTheClosingMarker() {
        View().SetText({"first word"}, true);
        Bed().Caret(0, 2);
        Bed().Trigger(ID_TAG_INNER_LINK);
        QCOMPARE(View().GetLines(), LineList{std::string("first\x02word")});
    }

    void linkSpanAcrossLinesBeepsAndChangesNothing() {
        View().SetText(m_three, true);
        QSignalSpy beeps(&Commands(), &CEditCommands::Beeped);
        Bed().Select(0, 1, 1, 1);
        Bed().Trigger(ID_TAG_INNER_LINK);
        QCOMPARE(beeps.count(), 1);
        QCOMPARE(View().GetLines(), m_three);
        QVERIFY(!View().CanUndo());
    }

    void deleteAllTagsIsEnabledOnlyWithASelection() {
        View().SetText(m_three, true);
        QAction* del = Bed().frame->Action(ID_TAG_DELETE_ALL);
        QVERIFY(!del->isEnabled());
        Bed().Select(0, 0, 1, 0);
        QVERIFY(del->isEnabled());
        Bed().Caret(1, 0);
        QVERIFY(!del->isEnabled());
    }

    void deleteAllTagsRemovesEveryMarkedLine() {
        const LineList text{OpeningLine(TagCode::ZAG),
                            "a",
                            ClosingLine(),
                            Dashes(66),
                            std::string("\x04\x04") + Cp("СС_ПОТ_1#") + Dashes(55),
                            std::string("b\x01link\x02"),
                            OpeningLine(TagCode::OGL),
                            ClosingLine(TagCode::OGL),
                            "\r\r\x04\x04x",
                            "\x04\x04",
                            "c"};
        View().SetText(text, true);
        Bed().Select(0, 0, 10, 0);
        Bed().Trigger(ID_TAG_DELETE_ALL);
        // Horizontal lines, link markers and a bare marker pair stay.
        QCOMPARE(View().GetLines(),
                 (LineList{"a", Dashes(66), std::string("b\x01link\x02"), "\x04\x04", "c"}));
        UndoRestores(text);
    }

    void deleteAllTagsStopsBeforeTheLineOfTheSelectionEnd() {
        const LineList text{OpeningLine(TagCode::CNT), "a", ClosingLine()};
        View().SetText(text, true);
        Bed().Select(0, 3, 2, 0);
        Bed().Trigger(ID_TAG_DELETE_ALL);
        QCOMPARE(View().GetLines(), (LineList{"a", ClosingLine()}));
    }

    void linkCommandInsertsTheDialogsLineBeforeTheCaretLine() {
        View().SetText(m_three, true);
        Bed().Caret(1, 2);
        OnModal<CLinkDlg>([](CLinkDlg* dlg) {
            QVERIFY(!dlg->OkButton()->isEnabled());
            dlg->Kind()->setCurrentIndex(3); // ВИЗ
            QTest::keyClicks(dlg->DocumentNumber(), QStringLiteral("7"));
            QTest::keyClicks(dlg->LineNumber(), QStringLiteral("15"));
            dlg->KeyO()->setChecked(true);
            dlg->KeyP()->setChecked(true);
            QTest::mouseClick(dlg->OkButton(), Qt::LeftButton);
        });
        Bed().Trigger(ID_TAG_LINK);
        const std::string link = "\x04\x04" + Cp("СС_ВИЗ_7_15-О-П#");
        const std::string padded = link + Dashes(66 - link.size());
        QCOMPARE(View().GetLines(), (LineList{"one", padded, "two", "three"}));
        QCOMPARE(Bed().CaretLine(), 1);
        QCOMPARE(Bed().CaretColumn(), 0);
        QVERIFY(BlockIsTagColoured(View().document()->findBlockByNumber(1)));
        UndoRestores(m_three);
    }

    void cancelledLinkDialogChangesNothing() {
        View().SetText(m_three, true);
        OnModal<CLinkDlg>([](CLinkDlg* dlg) { dlg->reject(); });
        Bed().Trigger(ID_TAG_LINK);
        QCOMPARE(View().GetLines(), m_three);
    }

    void labelCommandPutsTheLabelOnALineOfItsOwn() {
        View().SetText(m_three, true);
        Bed().Select(1, 1, 1, 2); // the "w" of "two"
        OnModal<CMetDlg>([](CMetDlg* dlg) {
            QTest::keyClicks(dlg->NumberEdit(), QStringLiteral("12"));
            QTest::mouseClick(dlg->OkButton(), Qt::LeftButton);
        });
        Bed().Trigger(ID_TAG_LABEL);
        const std::string label = "\x04\x04" + Cp("МЕТ12#");
        QCOMPARE(View().GetLines(),
                 (LineList{"one", "t", label + Dashes(66 - label.size()), "o", "three"}));
        QCOMPARE(Bed().CaretLine(), 1);
        QCOMPARE(Bed().CaretColumn(), 0);
        UndoRestores(m_three);
    }

    void formattingRewritesTheSelectedLines_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("expected");
        QTest::newRow("left") << int(ID_ALIGN_LEFT) << "   abc"
                              << "abc";
        QTest::newRow("centre") << int(ID_ALIGN_CENTER) << "ab" << QString(32, ' ') + "ab";
        QTest::newRow("right") << int(ID_ALIGN_RIGHT) << "abc  " << QString(63, ' ') + "abc";
        QTest::newRow("left and right") << int(ID_ALIGN_LEFT_RIGHT) << "a   b"
                                        << "a" + QString(64, ' ') + "b";
        QTest::newRow("remove left spaces") << int(ID_REMOVE_LEFT_SPACES) << "  x"
                                            << "x";
        QTest::newRow("justify") << int(ID_ALIGN_JUSTIFY) << "a b c"
                                 << "a" + QString(32, ' ') + "b" + QString(31, ' ') + "c";
    }
    void formattingRewritesTheSelectedLines() {
        QFETCH(int, id);
        QFETCH(QString, line);
        QFETCH(QString, expected);
        const LineList text{"keep", line.toStdString(), "keep too"};
        View().SetText(text, true);
        // With a selection ending at the start of the next line: that line is left alone.
        Bed().Select(1, 1, 2, 0);
        Bed().Trigger(id);
        QCOMPARE(View().GetLines(), (LineList{"keep", expected.toStdString(), "keep too"}));
        UndoRestores(text);
        // Without a selection: the caret's line.
        Bed().Caret(1, 0);
        Bed().Trigger(id);
        QCOMPARE(View().GetLines(), (LineList{"keep", expected.toStdString(), "keep too"}));
        UndoRestores(text);
    }

    void justifyOfSeveralParagraphsIsOneUndoStep() {
        const LineList text{"     first paragraph has words", "that continue", "",
                            "     second one"};
        View().SetText(text, true);
        Bed().Select(0, 0, 3, 5);
        Bed().Trigger(ID_ALIGN_JUSTIFY);
        QCOMPARE(View().GetLines(), Justify(text, Bed().frame->Doc().Settings().posParagraph, 66));
        // The rewritten lines stay selected for the next command.
        QVERIFY(View().textCursor().hasSelection());
        UndoRestores(text);
    }

    void formattingFollowsTheLineLengthSetting() {
        Bed().frame->Doc().Settings().stringLength = 10;
        View().SetText({"abc"}, true);
        Bed().Trigger(ID_ALIGN_RIGHT);
        QCOMPARE(View().GetLines(), LineList{"       abc"});
    }

    void caseCommandsNeedASelection() {
        View().SetText({Cp("Приказ от Order")}, true);
        QAction* upper = Bed().frame->Action(ID_UPPER_CASE);
        QAction* lower = Bed().frame->Action(ID_LOWER_CASE);
        QVERIFY(!upper->isEnabled());
        QVERIFY(!lower->isEnabled());
        Bed().Select(0, 0, 0, 9);
        QVERIFY(upper->isEnabled());
        QVERIFY(lower->isEnabled());
    }

    void caseCommandsConvertTheSelection() {
        const LineList text{Cp("Приказ от Order"), Cp("ёЁ ъЪ")};
        View().SetText(text, true);
        Bed().Select(0, 2, 1, 5);
        Bed().Trigger(ID_UPPER_CASE);
        QCOMPARE(View().GetLines(), (LineList{Cp("ПрИКАЗ ОТ ORDER"), Cp("ЁЁ ЪЪ")}));
        QVERIFY(View().textCursor().hasSelection());
        Bed().Trigger(ID_LOWER_CASE);
        QCOMPARE(View().GetLines(), (LineList{Cp("Приказ от order"), Cp("ёё ъъ")}));
        View().Undo();
        UndoRestores(text);
    }

    void fontChangesFaceButKeepsTheHeightAndIsSavedAtExit() {
        const QFont before = View().font();
        Commands().SetFontProvider([](const QFont&) {
            QFont f(QStringLiteral("DejaVu Serif"));
            f.setPointSize(30);
            f.setStyleHint(QFont::Serif);
            return std::optional<QFont>(f);
        });
        View().SetText(m_three, true);
        Bed().Caret(2, 3);
        Bed().Trigger(ID_FORMAT_FONT);
        QCOMPARE(View().font().family(), QStringLiteral("DejaVu Serif"));
        QCOMPARE(View().font().pointSizeF(), before.pointSizeF());
        QCOMPARE(View().Font().fontHeight, 200);
        QCOMPARE(View().Font().fontFamily, 0x12);
        QCOMPARE(Bed().CaretLine(), 2);
        QCOMPARE(Bed().CaretColumn(), 3);
        Bed().Close();
        ViewSettings saved;
        saved.Read(*Bed().store);
        QCOMPARE(saved.fontName, std::string("DejaVu Serif"));
        QCOMPARE(saved.fontHeight, 200);
        QCOMPARE(saved.fontFamily, 0x12);
    }

    void cancelledFontDialogKeepsTheFont() {
        Commands().SetFontProvider([](const QFont&) { return std::optional<QFont>(); });
        const ViewSettings before = View().Font();
        Bed().Trigger(ID_FORMAT_FONT);
        QCOMPARE(View().Font().fontName, before.fontName);
    }

    void redoAfterUndoOfACommand() {
        View().SetText(m_three, true);
        Bed().Select(0, 0, 0, 3);
        Bed().Trigger(ID_TAG_ZAG);
        const LineList tagged = View().GetLines();
        Bed().Trigger(ID_EDIT_UNDO);
        QVERIFY(Bed().frame->Action(ID_EDIT_REDO)->isEnabled());
        Bed().Trigger(ID_EDIT_REDO);
        QCOMPARE(View().GetLines(), tagged);
    }

    void gotoLineIsEnabled() { QVERIFY(Bed().frame->Action(ID_GOTO_LINE)->isEnabled()); }
};

NORVAK_GUI_TEST(TestEditCommands);
#include "editcommands_test.moc"
