#include "guitests.h"

#include "frametestbed.h"
#include "spelling/spellchecker.h"
#include "spellingcommands.h"
#include "spellingdlg.h"
#include "taghighlighter.h"
#include "textcodec.h"
#include "viewcontextmenu.h"

#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTextLayout>

using namespace norvak;

namespace {

// Characters of a block with the wavy underline.
QList<int> Underlined(const QTextBlock& block) {
    QList<int> chars;
    for (const QTextLayout::FormatRange& r : block.layout()->formats())
        if (r.format.underlineStyle() == QTextCharFormat::WaveUnderline)
            for (int i = r.start; i < r.start + r.length; ++i)
                chars.push_back(i);
    return chars;
}

QList<int> Range(int start, int length) {
    QList<int> r;
    for (int i = start; i < start + length; ++i)
        r.push_back(i);
    return r;
}

QString U(const char* utf8) {
    return QString::fromUtf8(utf8);
}

const char kTagLine[] =
    "\x04\x04ЗАГ Министерсво---------------------------------------------------------";

} // namespace

// Spell checking in the editor, with the installed Russian dictionary (skipped without it).
class TestSpelling : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        qputenv("XDG_DATA_HOME", m_data.path().toUtf8());
        qunsetenv("NORVAK_HUNSPELL_DIR");
    }
    void init() {
        QFile::remove(WordsPath());
        m_bed = std::make_unique<FrameTestbed>();
    }
    void cleanup() { m_bed.reset(); }

    void underlinesUnknownWordsOfTextLinesOnly() {
        Load({kTagLine, "Министерсво финансов", "\x04\x04СС_ПОТ_1234#Министерсво--------",
              "\x04\x04МЕТ12#Министерсво------------", "закон 167-ФЗ, глава XIV, РСФСР"});
        QTextDocument* doc = m_bed->View().document();
        QCOMPARE(Underlined(doc->findBlockByNumber(1)), Range(0, 11));
        for (int line : {0, 2, 3, 4})
            QVERIFY2(Underlined(doc->findBlockByNumber(line)).isEmpty(),
                     qPrintable(QStringLiteral("line %1").arg(line)));
        // The tag colour of a tag line is untouched.
        bool tagColour = false;
        for (const QTextLayout::FormatRange& r : doc->findBlockByNumber(0).layout()->formats())
            tagColour = tagColour || r.format.foreground().color() == CTagHighlighter::TagColour();
        QVERIFY(tagColour);
    }

    void mixedScriptWordIsUnderlinedAndNamed() {
        Load({"Pоссийской Федерации"});
        QCOMPARE(Underlined(m_bed->View().document()->firstBlock()), Range(0, 10));
        QMenu menu;
        QVERIFY(Spelling().AddContextItems(menu, PointAt(0, 3)));
        QCOMPARE(menu.actions().front()->text(), U("латиница в слове"));
        QCOMPARE(menu.actions().at(1)->text(), U("Российской"));
    }

    void switchIsRememberedAndTakesTheUnderlineAway() {
        Load({"Министерсво финансов"});
        Spelling().ToggleAction()->setChecked(false);
        m_bed->View().HighlightVisible();
        QVERIFY(Underlined(m_bed->View().document()->firstBlock()).isEmpty());
        m_bed->Close();
        m_bed->Open();
        QVERIFY(!Spelling().IsEnabled());
        Spelling().ToggleAction()->setChecked(true);
        Load({"Министерсво финансов"});
        QCOMPARE(Underlined(m_bed->View().document()->firstBlock()), Range(0, 11));
    }

    void contextMenuOffersSuggestionsAndReplaces() {
        Load({"Министерсво финансов"});
        QMenu none;
        QVERIFY(!Spelling().AddContextItems(none, PointAt(0, 15))); // "финансов" is known
        QVERIFY(none.actions().isEmpty());
        QMenu menu;
        menu.addAction(QStringLiteral("Копировать"));
        QVERIFY(Spelling().AddContextItems(menu, PointAt(0, 4)));
        QStringList texts;
        QAction* fix = nullptr;
        int suggestions = 0;
        for (QAction* a : menu.actions()) {
            texts << a->text();
            if (a->objectName() == QStringLiteral("SpellingSuggestion")) {
                ++suggestions;
                if (a->text() == U("Министерство"))
                    fix = a;
            }
        }
        QVERIFY2(suggestions >= 1 && suggestions <= 8, qPrintable(texts.join(',')));
        QVERIFY2(fix != nullptr, qPrintable(texts.join(',')));
        QVERIFY(texts.contains(U("Добавить в словарь")));
        QVERIFY(texts.contains(U("Пропустить все")));
        QCOMPARE(texts.last(), QStringLiteral("Копировать"));
        fix->trigger();
        QCOMPARE(m_bed->View().document()->firstBlock().text(), U("Министерство финансов"));
    }

    void theViewsRightClickMenuPutsTheSuggestionsOverTheWindowsCommands() {
        Load({"Министерсво финансов"});
        QMenu menu;
        FillViewContextMenu(menu, *m_bed->frame, PointAt(0, 4));
        QCOMPARE(menu.actions().front()->objectName(), QStringLiteral("SpellingSuggestion"));
        QVERIFY(menu.actions().contains(m_bed->frame->Action(ID_EDIT_UNDO)));
        QMenu known;
        FillViewContextMenu(known, *m_bed->frame, PointAt(0, 15));
        QCOMPARE(known.actions().front(), m_bed->frame->Action(ID_EDIT_UNDO));
    }

    void addedWordIsKeptInTheUtf8PersonalList() {
        Load({"Минприроды и Минприроды"});
        QMenu menu;
        QVERIFY(Spelling().AddContextItems(menu, PointAt(0, 2)));
        for (QAction* a : menu.actions())
            if (a->objectName() == QStringLiteral("SpellingAdd"))
                a->trigger();
        QVERIFY(Underlined(m_bed->View().document()->firstBlock()).isEmpty());
        QFile words(WordsPath());
        QVERIFY(words.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(words.readAll()), U("Минприроды\n"));
        // A new window knows it too.
        m_bed->Close();
        m_bed->Open();
        Load({"Минприроды"});
        QVERIFY(Underlined(m_bed->View().document()->firstBlock()).isEmpty());
    }

    void walkGoesFromTheCaretRoundTheEnd() {
        Load({"Министерсво финансов", "закон", "суды постановлят, Министерсво решило"});
        m_bed->Caret(1, 0);
        CSpellingDlg* dialog = Spelling().BeginCheck();
        QVERIFY(dialog != nullptr);
        QCOMPARE(dialog->Word(), U("постановлят"));
        QCOMPARE(m_bed->View().textCursor().selectedText(), U("постановлят"));
        Click(dialog, "SkipButton");
        QCOMPARE(dialog->Word(), U("Министерсво"));
        QCOMPARE(m_bed->CaretLine(), 2);
        dialog->findChild<QLineEdit*>(QStringLiteral("SpellingReplacement"))
            ->setText(U("Министерство"));
        m_bed->op.Clear();
        Click(dialog, "ReplaceAllButton");
        // Both occurrences replaced, the walk went round to the start and found nothing more.
        QCOMPARE(m_bed->View().document()->findBlockByNumber(0).text(), U("Министерство финансов"));
        QCOMPARE(m_bed->View().document()->findBlockByNumber(2).text(),
                 U("суды постановлят, Министерство решило"));
        QCOMPARE(m_bed->op.Messages().size(), std::size_t(1));
        QVERIFY(m_bed->op.Messages().front() == Cp("Проверка орфографии завершена."));
        // Replacing all was one step.
        m_bed->View().Undo();
        QCOMPARE(m_bed->View().document()->findBlockByNumber(0).text(), U("Министерсво финансов"));
    }

    void walkReplacesSkipsAllAndAdds() {
        Load({"постановлят Министерсво Минприроды постановлят Министерсво"});
        CSpellingDlg* dialog = Spelling().BeginCheck();
        QVERIFY(dialog != nullptr);
        QCOMPARE(dialog->Word(), U("постановлят"));
        Click(dialog, "SkipAllButton"); // the second one is passed too
        QCOMPARE(dialog->Word(), U("Министерсво"));
        QVERIFY(dialog->Suggestions().contains(U("Министерство")));
        dialog->findChild<QLineEdit*>(QStringLiteral("SpellingReplacement"))
            ->setText(U("Министерство"));
        Click(dialog, "ReplaceButton");
        QCOMPARE(dialog->Word(), U("Минприроды"));
        Click(dialog, "AddButton");
        QCOMPARE(dialog->Word(), U("Министерсво")); // only the first was replaced
        m_bed->op.Clear();
        Click(dialog, "SkipButton");
        QCOMPARE(m_bed->op.Messages().size(), std::size_t(1));
        QCOMPARE(m_bed->View().document()->firstBlock().text(),
                 U("постановлят Министерство Минприроды постановлят Министерсво"));
    }

    void cleanTextSaysSo() {
        Load({"закон о минимальном размере оплаты труда"});
        m_bed->op.Clear();
        QVERIFY(Spelling().BeginCheck() == nullptr);
        QCOMPARE(m_bed->op.Messages().size(), std::size_t(1));
        QVERIFY(m_bed->op.Messages().front() == Cp("Слов с ошибками не найдено."));
    }

    void missingDictionaryIsToldOnceAndEditingGoesOn() {
        m_bed.reset();
        qputenv("NORVAK_HUNSPELL_DIR", m_data.filePath(QStringLiteral("none")).toUtf8());
        m_bed = std::make_unique<FrameTestbed>();
        Spelling().WaitUntilLoaded();
        QVERIFY(Spelling().Checker() == nullptr);
        Spelling().ToggleAction()->setChecked(false);
        Spelling().ToggleAction()->setChecked(true);
        QTest::qWait(3 * 50);
        QCOMPARE(m_bed->op.Messages().size(), std::size_t(1));
        QVERIFY(m_bed->op.Messages().front().find(Cp("недоступна")) != std::string::npos);
        m_bed->View().SetText({Cp("Министерсво")}, true);
        TypeText(&m_bed->View(), U("Абв "));
        QCOMPARE(m_bed->View().document()->firstBlock().text(), U("Абв Министерсво"));
        QVERIFY(Underlined(m_bed->View().document()->firstBlock()).isEmpty());
        qunsetenv("NORVAK_HUNSPELL_DIR");
    }

private:
    CSpellingCommands& Spelling() { return m_bed->frame->Spelling(); }
    QString WordsPath() const { return m_data.filePath(QStringLiteral("norvak/words.txt")); }

    // Sets the lines and highlights them with the dictionary loaded; skips without it.
    void Load(std::initializer_list<const char*> utf8Lines) {
        Spelling().WaitUntilLoaded();
        if (Spelling().Checker() == nullptr)
            QSKIP("hunspell-ru is not installed");
        LineList lines;
        for (const char* l : utf8Lines)
            lines.push_back(Cp(l));
        m_bed->View().SetText(lines, true);
        m_bed->View().HighlightLines(0, static_cast<int>(lines.size()));
    }
    // The point of the viewport over a character.
    QPoint PointAt(int line, int column) {
        QTextCursor c(m_bed->View().document()->findBlockByNumber(line));
        c.setPosition(c.position() + column);
        return m_bed->View().cursorRect(c).center() + QPoint(2, 0);
    }
    static void Click(CSpellingDlg* dialog, const char* button) {
        dialog->findChild<QPushButton*>(QString::fromLatin1(button))->click();
    }

    QTemporaryDir m_data;
    std::unique_ptr<FrameTestbed> m_bed;
};

NORVAK_GUI_TEST(TestSpelling);
#include "spelling_test.moc"
