#include "guitests.h"

#include "markup/tags.h"
#include "norvakview.h"
#include "taghighlighter.h"
#include "textcodec.h"

#include <QApplication>
#include <QClipboard>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

using namespace norvak;

namespace {

// The foreground colour and weight the layout gives to character i of a block.
struct CharLook {
    QColor colour;
    bool bold = false;
};
CharLook LookAt(const QTextBlock& block, int i) {
    CharLook look;
    for (const QTextLayout::FormatRange& r : block.layout()->formats())
        if (i >= r.start && i < r.start + r.length) {
            look.colour = r.format.foreground().color();
            look.bold = r.format.fontWeight() >= QFont::Bold;
        }
    return look;
}

LineList AllBytesLines() {
    // Every byte value; the line feed separates the lines.
    LineList lines(1);
    for (int b = 0; b < 256; ++b) {
        if (b == '\n')
            lines.emplace_back();
        else
            lines.back().push_back(static_cast<char>(b));
    }
    return lines;
}

} // namespace

// The editing view: text in and out, undo, highlighting.
class TestNorvakView : public QObject {
    Q_OBJECT
private slots:
    void allByteValuesSurviveTheEditor() {
        CNorvakView view(nullptr);
        const LineList lines = AllBytesLines();
        view.SetText(lines, true);
        QCOMPARE(view.GetLines(), lines);
    }

    void copyAndPasteKeepTheBytes() {
        CNorvakView view(nullptr);
        const LineList lines = AllBytesLines();
        view.SetText(lines, true);
        view.selectAll();
        view.copy();
        view.SetText({}, false);
        view.paste();
        QCOMPARE(view.GetLines(), lines);
    }

    void pastedForeignTextIsShownAsItWillBeSaved() {
        CNorvakView view(nullptr);
        QApplication::clipboard()->setText(QStringLiteral("ü\r\nЖ"));
        view.paste();
        QCOMPARE(view.toPlainText(), QStringLiteral("?\nЖ"));
    }

    void getLinesRules_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("count");
        QTest::newRow("edge: empty text has no lines") << QString() << 0;
        QTest::newRow("nominal: final line feed adds no line") << QStringLiteral("a\nb\n") << 2;
        QTest::newRow("nominal: last piece without line feed") << QStringLiteral("a\nb") << 2;
        QTest::newRow("edge: empty lines inside count") << QStringLiteral("\n\nb") << 3;
    }
    void getLinesRules() {
        QFETCH(QString, text);
        QFETCH(int, count);
        CNorvakView view(nullptr);
        view.setPlainText(text);
        QCOMPARE(int(view.GetLines().size()), count);
    }

    void everyTypedCharacterIsAnUndoStep() {
        CNorvakView view(nullptr);
        view.show();
        TypeText(&view, QStringLiteral("абв"));
        QCOMPARE(view.toPlainText(), QStringLiteral("абв"));
        QVERIFY(view.CanUndo());
        view.Undo();
        QCOMPARE(view.toPlainText(), QStringLiteral("аб"));
        QTest::keyClick(&view, Qt::Key_Y, Qt::ControlModifier); // redo
        QCOMPARE(view.toPlainText(), QStringLiteral("абв"));
    }

    void undoIsLimitedToAHundredSteps() {
        CNorvakView view(nullptr);
        view.show();
        for (int i = 0; i < 120; ++i)
            QTest::keyClick(&view, Qt::Key_X);
        int undone = 0;
        while (view.CanUndo()) {
            view.Undo();
            ++undone;
        }
        QCOMPARE(undone, CNorvakView::kUndoLimit);
        QCOMPARE(view.toPlainText().size(), 20);
    }

    void setTextEmptiesUndoAndReportsNoChange() {
        CNorvakView view(nullptr);
        QSignalSpy modified(&view, &CNorvakView::TextModified);
        view.SetText({"a", "b"}, true);
        QVERIFY(!view.CanUndo());
        QCOMPARE(modified.count(), 0);
        view.show();
        QTest::keyClick(&view, Qt::Key_X);
        QCOMPARE(modified.count(), 1);
        QTest::keyClick(&view, Qt::Key_X);
        QCOMPARE(modified.count(), 1); // reported once until the view is marked clean
        view.MarkClean();
        QTest::keyClick(&view, Qt::Key_X);
        QCOMPARE(modified.count(), 2);
    }

    void tagLinesAndLinksAreHighlighted() {
        CNorvakView view(nullptr);
        view.resize(600, 400);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        const LineList lines = {OpeningLine(TagCode::ZAG), "TITLE", ClosingLine(),
                                "one\x01link\x02two", "\x04\x04"};
        view.SetText(lines, true);
        QTextBlock b0 = view.document()->findBlockByNumber(0);
        QCOMPARE(LookAt(b0, 10).colour, CTagHighlighter::TagColour());
        QVERIFY(LookAt(b0, 10).bold);
        QVERIFY(!LookAt(view.document()->findBlockByNumber(1), 1).bold);
        QTextBlock link = view.document()->findBlockByNumber(3);
        QCOMPARE(LookAt(link, 5).colour, CTagHighlighter::LinkColour());
        QVERIFY(!LookAt(link, 0).bold);
        // The two marker bytes alone are not a tag line.
        QVERIFY(!LookAt(view.document()->findBlockByNumber(4), 0).bold);
        // Highlighting never changes the text.
        QCOMPARE(view.GetLines(), lines);
    }

    void highlightingIsLazy() {
        CNorvakView view(nullptr);
        view.resize(600, 300);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        LineList lines;
        for (int i = 0; i < 5000; ++i)
            lines.push_back(i % 10 == 0 ? OpeningLine(TagCode::CNT) : "text");
        view.SetText(lines, true);
        QTextDocument* doc = view.document();
        QVERIFY(CTagHighlighter::IsHighlighted(doc->findBlockByNumber(0)));
        QVERIFY(!CTagHighlighter::IsHighlighted(doc->findBlockByNumber(4000)));
        view.GoToLine(4001);
        QTRY_VERIFY(CTagHighlighter::IsHighlighted(doc->findBlockByNumber(4000)));
        QCOMPARE(LookAt(doc->findBlockByNumber(4000), 3).colour, CTagHighlighter::TagColour());
    }

    void editedLineIsHighlightedAtOnce() {
        CNorvakView view(nullptr);
        view.show();
        view.SetText({"plain"}, true);
        QTextCursor c(view.document());
        c.insertText(BytesToQString(OpeningLine(TagCode::NFT)) + QStringLiteral("\n"));
        QCOMPARE(LookAt(view.document()->findBlockByNumber(0), 5).colour,
                 CTagHighlighter::TagColour());
    }

    void positionIsReported() {
        CNorvakView view(nullptr);
        QSignalSpy spy(&view, &CNorvakView::PositionChanged);
        LineList lines(10, "0123456789");
        view.SetText(lines, true);
        view.GoToLine(3);
        QVERIFY(!spy.isEmpty());
        const QList<QVariant> last = spy.takeLast();
        QCOMPARE(last.at(0).toInt(), 3);
        QCOMPARE(last.at(1).toInt(), 0);
        QCOMPARE(last.at(2).toInt(), 10);
    }

    void fontFollowsTheViewSettings() {
        ViewSettings s;
        s.fontHeight = 240;
        const QFont f = CNorvakView::MakeFont(s);
        QCOMPARE(f.pointSizeF(), 12.0);
        QVERIFY(QFontInfo(f).fixedPitch());
        CNorvakView view(nullptr);
        QCOMPARE(view.lineWrapMode(), QPlainTextEdit::NoWrap);
    }
};

NORVAK_GUI_TEST(TestNorvakView);
#include "norvakview_test.moc"
