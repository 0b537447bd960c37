#include "document/requisiterows.h"

#include "core/codepage.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace norvak {
namespace {

std::string Cp(const char* utf8) { return Utf8ToCp1251(utf8); }

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

TEST(RequisiteRows, DefaultRecordShowsCaptionsAndTheStatus) {
    CRequisiteRows rows;
    ASSERT_EQ(rows.Count(), 18);
    int captions = 0;
    for (int i = 0; i < rows.Count(); ++i)
        captions += rows.IsCaption(i) ? 1 : 0;
    EXPECT_EQ(captions, 17);
    const int status = CaptionRow(rows, "Поиск по статусу");
    ASSERT_GE(status, 0);
    EXPECT_EQ(rows.At(status + 1).text, "-");
    EXPECT_EQ(rows.At(status + 1).data, 0u);
    EXPECT_EQ(rows.At(0).data, 0x145u);
    EXPECT_EQ(rows.At(rows.Count() - 1).data, 0x1000025u);
}

TEST(RequisiteRows, RecordSurvivesTheRows) {
    CRequisiteRows rows;
    const CRequisiteRecord r = FullRecord();
    rows.SetRecord(r);
    const CRequisiteRecord back = rows.Collect();
    EXPECT_EQ(back.m_dbNumber, 42);
    EXPECT_EQ(back.m_firstEdition, -7); // a negative number stays itself
    EXPECT_EQ(FormatDate(back.m_entryDate), "01.02.2003");
    EXPECT_TRUE(IsNoDate(back.m_textDate));
    EXPECT_EQ(back.m_status, 1);
    EXPECT_EQ(back.m_note, r.m_note);
    EXPECT_EQ(back.m_themes, r.m_themes);
    EXPECT_EQ(back.m_sources, r.m_sources);
    EXPECT_EQ(back.m_links, r.m_links);
    EXPECT_EQ(back.m_kinds, r.m_kinds);
    EXPECT_EQ(back.m_organs, r.m_organs);
    ASSERT_EQ(back.m_adoptionDates.size(), 1u);
    EXPECT_TRUE(back.m_adoptionDates[0] == r.m_adoptionDates[0]);
    EXPECT_EQ(back.m_numbers, r.m_numbers);
    EXPECT_TRUE(back.m_justiceDate == r.m_justiceDate);
    EXPECT_EQ(back.m_justiceNumber, r.m_justiceNumber);
    EXPECT_EQ(back.m_title, r.m_title);
}

TEST(RequisiteRows, ReadInteger) {
    struct Case {
        const char* name;
        const char* text;
        int value;
    };
    const Case cases[] = {
        {"nominal: digits", "123", 123},
        {"nominal: leading integer", "12abc", 12},
        {"sound: minus and digits is negative", "-5", -5},
        {"robustness: minus alone", "-", -1},
        {"robustness: letters", "abc", -1},
        {"robustness: leading space", " 7", -1},
        {"robustness: empty", "", -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CRequisiteRows::ReadInteger(c.text), c.value) << c.name;
}

TEST(RequisiteRows, ReadDate) {
    struct Case {
        const char* name;
        const char* text;
        const char* formatted;
    };
    const Case cases[] = {
        {"nominal: short parts", "1.2.2003", "01.02.2003"},
        {"nominal: full form", "31.12.1999", "31.12.1999"},
        {"robustness: impossible month", "01.13.2002", "Invalid DateTime"},
        {"robustness: no date at all", "abc", "Invalid DateTime"},
    };
    for (const Case& c : cases) {
        const CDateValue d = CRequisiteRows::ReadDate(c.text);
        EXPECT_EQ(FormatDate(d), c.formatted) << c.name;
        if (d.IsValid()) {
            EXPECT_EQ(d.Hour() * 3600 + d.Minute() * 60 + d.Second(), 3661) << c.name;
        }
    }
}

TEST(RequisiteRows, TitleRule) {
    struct Case {
        const char* name;
        const char* text;
        const char* stored;
    };
    const Case cases[] = {
        {"nominal: line break before the bracket", "Положение о порядке (вместе с Правилами)",
         "Положение о порядке  \n(вместе с Правилами)"},
        {"nominal: already broken is only stripped", "Положение\n(вместе с Правилами) \n \n",
         "Положение\n(вместе с Правилами)"},
        {"edge: no bracket, trailing spaces go", "Приказ   ", "Приказ"},
        {"edge: only the first bracket", "А (вместе с Б) (вместе с В)",
         "А  \n(вместе с Б) (вместе с В)"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CRequisiteRows::ApplyTitleRule(Cp(c.text)), Cp(c.stored)) << c.name;
}

TEST(RequisiteRows, InsertOnAMultiValuedCaptionAddsAnEmptyRowThatCancelRemoves) {
    CRequisiteRows rows;
    const int themes = CaptionRow(rows, "Тематика");
    const int before = rows.Count();
    const auto r = rows.Insert(themes);
    EXPECT_TRUE(r.inserted);
    EXPECT_EQ(r.row, themes + 1);
    EXPECT_EQ(rows.Count(), before + 1);
    EXPECT_TRUE(rows.Cancel(r.row, true));
    EXPECT_EQ(rows.Count(), before);
}

TEST(RequisiteRows, InsertOnAValueGoesBeforeIt) {
    CRequisiteRows rows;
    rows.SetRecord(FullRecord());
    const int kinds = CaptionRow(rows, "Вид документа");
    const auto r = rows.Insert(kinds + 2);
    EXPECT_TRUE(r.inserted);
    EXPECT_EQ(r.row, kinds + 2);
    EXPECT_TRUE(rows.Commit(r.row, Cp("УКАЗ"), true));
    EXPECT_EQ(rows.Collect().m_kinds,
              (std::vector<std::string>{Cp("ПОСТАНОВЛЕНИЕ"), Cp("УКАЗ"), Cp("ПРИКАЗ")}));
}

TEST(RequisiteRows, InsertOnASingleValuedCaptionWithAValueEditsIt) {
    CRequisiteRows rows;
    CRequisiteRecord rec;
    rec.m_dbNumber = 5;
    rows.SetRecord(rec);
    const int before = rows.Count();
    const auto r = rows.Insert(0);
    EXPECT_FALSE(r.inserted);
    EXPECT_EQ(r.row, 1);
    EXPECT_EQ(rows.Count(), before);
    const auto onValue = rows.Insert(1);
    EXPECT_FALSE(onValue.inserted);
    EXPECT_EQ(onValue.row, 1);
}

TEST(RequisiteRows, InsertOnAnEmptySingleValuedCaptionAddsItsValue) {
    CRequisiteRows rows;
    const int title = CaptionRow(rows, "Название документа");
    const auto r = rows.Insert(title);
    EXPECT_TRUE(r.inserted);
    EXPECT_EQ(r.row, title + 1);
    EXPECT_TRUE(rows.Commit(r.row, Cp("Положение о порядке (вместе с Правилами)"), true));
    EXPECT_EQ(rows.Collect().m_title, Cp("Положение о порядке  \n(вместе с Правилами)"));
}

TEST(RequisiteRows, EmptyResultRemovesANewRowAndKeepsAnOldOne) {
    CRequisiteRows rows;
    rows.SetRecord(FullRecord());
    const int numbers = CaptionRow(rows, "Номер");
    EXPECT_FALSE(rows.Commit(numbers + 1, "", false));
    EXPECT_EQ(rows.At(numbers + 1).text, "12");
    const auto r = rows.Insert(numbers);
    EXPECT_TRUE(rows.Commit(r.row, "", true));
    EXPECT_EQ(rows.Collect().m_numbers, (std::vector<std::string>{"12", "34-p"}));
}

TEST(RequisiteRows, StatusCommitIsKeptInTheRecord) {
    CRequisiteRows rows;
    const int status = CaptionRow(rows, "Поиск по статусу");
    EXPECT_TRUE(rows.Commit(status + 1, "+", false));
    EXPECT_EQ(rows.Status(), 2);
    EXPECT_EQ(rows.Collect().m_status, 2);
}

TEST(RequisiteRows, DeleteOnlyValueRows) {
    CRequisiteRows rows;
    rows.SetRecord(FullRecord());
    const int numbers = CaptionRow(rows, "Номер");
    EXPECT_FALSE(rows.Remove(numbers));
    EXPECT_TRUE(rows.Remove(numbers + 1));
    EXPECT_EQ(rows.Collect().m_numbers, std::vector<std::string>{"34-p"});
}

TEST(RequisiteRows, DragRules) {
    struct Case {
        const char* name;
        const char* from;
        int fromOffset;
        const char* to;
        int toOffset;
        bool allowed;
    };
    const Case cases[] = {
        {"nominal: within the kinds", "Вид документа", 2, "Вид документа", 1, true},
        {"edge: kind onto a body", "Вид документа", 1, "Принявший орган", 1, false},
        {"edge: from a caption", "Вид документа", 0, "Вид документа", 1, false},
        {"edge: single-valued requisite", "Номер в базе", 1, "Номер в базе", 1, false},
        {"edge: onto itself", "Номер", 1, "Номер", 1, false},
    };
    for (const Case& c : cases) {
        CRequisiteRows rows;
        rows.SetRecord(FullRecord());
        const int f = CaptionRow(rows, c.from) + c.fromOffset;
        const int t = CaptionRow(rows, c.to) + c.toOffset;
        EXPECT_EQ(rows.Move(f, t), c.allowed) << c.name;
        if (c.allowed) {
            EXPECT_EQ(rows.Collect().m_kinds,
                      (std::vector<std::string>{Cp("ПРИКАЗ"), Cp("ПОСТАНОВЛЕНИЕ")}))
                << c.name;
        }
    }
}

TEST(RequisiteRows, EditorsChosenByTheCaptionBits) {
    const auto& c = RequisiteCaptions();
    ASSERT_EQ(c.size(), 17u);
    EXPECT_EQ(EditorFor(c[0].data), RowEditor::Digits);
    EXPECT_EQ(EditorFor(c[1].data), RowEditor::Date);
    EXPECT_EQ(EditorFor(c[5].data), RowEditor::Status);
    EXPECT_EQ(EditorFor(c[6].data), RowEditor::Text);
    EXPECT_EQ(EditorFor(c[7].data), RowEditor::Themes);
    EXPECT_EQ(EditorFor(c[8].data), RowEditor::Sources);
    EXPECT_EQ(EditorFor(c[10].data), RowEditor::DictList);
    EXPECT_EQ(EditorFor(c[11].data), RowEditor::DictList);
    EXPECT_EQ(EditorFor(c[12].data), RowEditor::Date);
    EXPECT_EQ(EditorFor(c[13].data), RowEditor::Text);
}

} // namespace
} // namespace norvak
