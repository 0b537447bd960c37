#include "guitests.h"

#include "requisiterows.h"

#include <QTest>

using namespace norvak;

namespace {

int CaptionRow(const CRequisiteRows& rows, const char* caption) {
    const std::string text = Cp(caption);
    for (int i = 0; i < rows.Count(); ++i)
        if (rows.IsCaption(i) && rows.At(i).text == text)
            return i;
    return -1;
}

CRequisiteRecord FullRecord() {
    CRequisiteRecord r;
    r.m_dbNumber = 42;
    r.m_entryDate = CDateValue(2003, 2, 1, 1, 1, 1);
    r.m_firstEdition = -7;
    r.m_status = 1;
    r.m_note = Cp("Примечание\nв две строки");
    r.m_themes = {5, 12};
    r.m_sources = {Cp("Российская газета")};
    r.m_links = {"L1", "L2"};
    r.m_kinds = {Cp("ПОСТАНОВЛЕНИЕ"), Cp("ПРИКАЗ")};
    r.m_organs = {Cp("МИНИСТЕРСТВО ФИНАНСОВ")};
    r.m_adoptionDates = {CDateValue(2002, 12, 31, 1, 1, 1)};
    r.m_numbers = {"12", "34-p"};
    r.m_justiceDate = CDateValue(2003, 1, 15, 1, 1, 1);
    r.m_justiceNumber = "4321";
    r.m_title = Cp("О порядке");
    return r;
}

} // namespace

// The panel's rows without a window: building, collecting, and the editing rules.
class TestRequisiteRows : public QObject {
    Q_OBJECT
private slots:
    void defaultRecordShowsCaptionsAndTheStatus() {
        CRequisiteRows rows;
        QCOMPARE(rows.Count(), 18);
        int captions = 0;
        for (int i = 0; i < rows.Count(); ++i)
            captions += rows.IsCaption(i) ? 1 : 0;
        QCOMPARE(captions, 17);
        const int status = CaptionRow(rows, "Поиск по статусу");
        QCOMPARE(rows.At(status + 1).text, std::string("-"));
        QCOMPARE(rows.At(status + 1).data, 0u);
        QCOMPARE(rows.At(0).data, 0x145u);
        QCOMPARE(rows.At(rows.Count() - 1).data, 0x1000025u);
    }

    void recordSurvivesTheRows() {
        CRequisiteRows rows;
        const CRequisiteRecord r = FullRecord();
        rows.SetRecord(r);
        const CRequisiteRecord back = rows.Collect();
        QCOMPARE(back.m_dbNumber, 42);
        QCOMPARE(back.m_firstEdition, -7); // a negative number stays itself
        QCOMPARE(FormatDate(back.m_entryDate), std::string("01.02.2003"));
        QVERIFY(IsNoDate(back.m_textDate));
        QCOMPARE(back.m_status, 1);
        QCOMPARE(back.m_note, r.m_note);
        QCOMPARE(back.m_themes, r.m_themes);
        QCOMPARE(back.m_sources, r.m_sources);
        QCOMPARE(back.m_links, r.m_links);
        QCOMPARE(back.m_kinds, r.m_kinds);
        QCOMPARE(back.m_organs, r.m_organs);
        QCOMPARE(back.m_adoptionDates.size(), size_t(1));
        QVERIFY(back.m_adoptionDates[0] == r.m_adoptionDates[0]);
        QCOMPARE(back.m_numbers, r.m_numbers);
        QVERIFY(back.m_justiceDate == r.m_justiceDate);
        QCOMPARE(back.m_justiceNumber, r.m_justiceNumber);
        QCOMPARE(back.m_title, r.m_title);
    }

    void readInteger_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("value");
        QTest::newRow("nominal: digits") << "123" << 123;
        QTest::newRow("nominal: leading integer") << "12abc" << 12;
        QTest::newRow("sound: minus and digits is negative") << "-5" << -5;
        QTest::newRow("robustness: minus alone") << "-" << -1;
        QTest::newRow("robustness: letters") << "abc" << -1;
        QTest::newRow("robustness: leading space") << " 7" << -1;
        QTest::newRow("robustness: empty") << "" << -1;
    }
    void readInteger() {
        QFETCH(QString, text);
        QFETCH(int, value);
        QCOMPARE(CRequisiteRows::ReadInteger(text.toStdString()), value);
    }

    void readDate_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("formatted");
        QTest::newRow("nominal: short parts") << "1.2.2003" << "01.02.2003";
        QTest::newRow("nominal: full form") << "31.12.1999" << "31.12.1999";
        QTest::newRow("robustness: impossible month") << "01.13.2002" << "Invalid DateTime";
        QTest::newRow("robustness: no date at all") << "abc" << "Invalid DateTime";
    }
    void readDate() {
        QFETCH(QString, text);
        QFETCH(QString, formatted);
        const CDateValue d = CRequisiteRows::ReadDate(text.toStdString());
        QCOMPARE(QString::fromStdString(FormatDate(d)), formatted);
        if (d.IsValid())
            QCOMPARE(d.Hour() * 3600 + d.Minute() * 60 + d.Second(), 3661);
    }

    void titleRule_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("stored");
        QTest::newRow("nominal: line break before the bracket")
            << "Положение о порядке (вместе с Правилами)"
            << "Положение о порядке  \n(вместе с Правилами)";
        QTest::newRow("nominal: already broken is only stripped")
            << "Положение\n(вместе с Правилами) \n \n" << "Положение\n(вместе с Правилами)";
        QTest::newRow("edge: no bracket, trailing spaces go") << "Приказ   " << "Приказ";
        QTest::newRow("edge: only the first bracket")
            << "А (вместе с Б) (вместе с В)" << "А  \n(вместе с Б) (вместе с В)";
    }
    void titleRule() {
        QFETCH(QString, text);
        QFETCH(QString, stored);
        QCOMPARE(CRequisiteRows::ApplyTitleRule(Cp(text.toUtf8().constData())),
                 Cp(stored.toUtf8().constData()));
    }

    void insertOnAMultiValuedCaptionAddsAnEmptyRowThatCancelRemoves() {
        CRequisiteRows rows;
        const int themes = CaptionRow(rows, "Тематика");
        const int before = rows.Count();
        const auto r = rows.Insert(themes);
        QVERIFY(r.inserted);
        QCOMPARE(r.row, themes + 1);
        QCOMPARE(rows.Count(), before + 1);
        QVERIFY(rows.Cancel(r.row, true));
        QCOMPARE(rows.Count(), before);
    }

    void insertOnAValueGoesBeforeIt() {
        CRequisiteRows rows;
        rows.SetRecord(FullRecord());
        const int kinds = CaptionRow(rows, "Вид документа");
        const auto r = rows.Insert(kinds + 2);
        QVERIFY(r.inserted);
        QCOMPARE(r.row, kinds + 2);
        QVERIFY(rows.Commit(r.row, Cp("УКАЗ"), true));
        QCOMPARE(rows.Collect().m_kinds,
                 (std::vector<std::string>{Cp("ПОСТАНОВЛЕНИЕ"), Cp("УКАЗ"), Cp("ПРИКАЗ")}));
    }

    void insertOnASingleValuedCaptionWithAValueEditsIt() {
        CRequisiteRows rows;
        CRequisiteRecord rec;
        rec.m_dbNumber = 5;
        rows.SetRecord(rec);
        const int before = rows.Count();
        const auto r = rows.Insert(0);
        QVERIFY(!r.inserted);
        QCOMPARE(r.row, 1);
        QCOMPARE(rows.Count(), before);
        const auto onValue = rows.Insert(1);
        QVERIFY(!onValue.inserted);
        QCOMPARE(onValue.row, 1);
    }

    void insertOnAnEmptySingleValuedCaptionAddsItsValue() {
        CRequisiteRows rows;
        const int title = CaptionRow(rows, "Название документа");
        const auto r = rows.Insert(title);
        QVERIFY(r.inserted);
        QCOMPARE(r.row, title + 1);
        QVERIFY(rows.Commit(r.row, Cp("Положение о порядке (вместе с Правилами)"), true));
        QCOMPARE(rows.Collect().m_title, Cp("Положение о порядке  \n(вместе с Правилами)"));
    }

    void emptyResultRemovesANewRowAndKeepsAnOldOne() {
        CRequisiteRows rows;
        rows.SetRecord(FullRecord());
        const int numbers = CaptionRow(rows, "Номер");
        QVERIFY(!rows.Commit(numbers + 1, "", false));
        QCOMPARE(rows.At(numbers + 1).text, std::string("12"));
        const auto r = rows.Insert(numbers);
        QVERIFY(rows.Commit(r.row, "", true));
        QCOMPARE(rows.Collect().m_numbers, (std::vector<std::string>{"12", "34-p"}));
    }

    void statusCommitIsKeptInTheRecord() {
        CRequisiteRows rows;
        const int status = CaptionRow(rows, "Поиск по статусу");
        QVERIFY(rows.Commit(status + 1, "+", false));
        QCOMPARE(rows.Status(), 2);
        QCOMPARE(rows.Collect().m_status, 2);
    }

    void deleteOnlyValueRows() {
        CRequisiteRows rows;
        rows.SetRecord(FullRecord());
        const int numbers = CaptionRow(rows, "Номер");
        QVERIFY(!rows.Remove(numbers));
        QVERIFY(rows.Remove(numbers + 1));
        QCOMPARE(rows.Collect().m_numbers, std::vector<std::string>{"34-p"});
    }

    void dragRules_data() {
        QTest::addColumn<QString>("from");
        QTest::addColumn<int>("fromOffset");
        QTest::addColumn<QString>("to");
        QTest::addColumn<int>("toOffset");
        QTest::addColumn<bool>("allowed");
        QTest::newRow("nominal: within the kinds") << "Вид документа" << 2 << "Вид документа" << 1
                                                   << true;
        QTest::newRow("edge: kind onto a body") << "Вид документа" << 1 << "Принявший орган" << 1
                                                << false;
        QTest::newRow("edge: from a caption") << "Вид документа" << 0 << "Вид документа" << 1
                                              << false;
        QTest::newRow("edge: single-valued requisite")
            << "Номер в базе" << 1 << "Номер в базе" << 1 << false;
        QTest::newRow("edge: onto itself") << "Номер" << 1 << "Номер" << 1 << false;
    }
    void dragRules() {
        QFETCH(QString, from);
        QFETCH(int, fromOffset);
        QFETCH(QString, to);
        QFETCH(int, toOffset);
        QFETCH(bool, allowed);
        CRequisiteRows rows;
        rows.SetRecord(FullRecord());
        const int f = CaptionRow(rows, from.toUtf8().constData()) + fromOffset;
        const int t = CaptionRow(rows, to.toUtf8().constData()) + toOffset;
        QCOMPARE(rows.Move(f, t), allowed);
        if (allowed)
            QCOMPARE(rows.Collect().m_kinds,
                     (std::vector<std::string>{Cp("ПРИКАЗ"), Cp("ПОСТАНОВЛЕНИЕ")}));
    }

    void editorsChosenByTheCaptionBits() {
        const auto& c = RequisiteCaptions();
        QCOMPARE(c.size(), size_t(17));
        QCOMPARE(EditorFor(c[0].data), RowEditor::Digits);
        QCOMPARE(EditorFor(c[1].data), RowEditor::Date);
        QCOMPARE(EditorFor(c[5].data), RowEditor::Status);
        QCOMPARE(EditorFor(c[6].data), RowEditor::Text);
        QCOMPARE(EditorFor(c[7].data), RowEditor::Themes);
        QCOMPARE(EditorFor(c[8].data), RowEditor::Sources);
        QCOMPARE(EditorFor(c[10].data), RowEditor::DictList);
        QCOMPARE(EditorFor(c[11].data), RowEditor::DictList);
        QCOMPARE(EditorFor(c[12].data), RowEditor::Date);
        QCOMPARE(EditorFor(c[13].data), RowEditor::Text);
    }
};

NORVAK_GUI_TEST(TestRequisiteRows);
#include "requisiterows_test.moc"
