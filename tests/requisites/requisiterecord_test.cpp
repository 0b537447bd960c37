#include "requisites/requisiterecord.h"

#include "core/literal.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>
#include <vector>

namespace norvak {
namespace {

using Strings = std::vector<std::string>;

std::string S(std::string_view cp) {
    return std::string(cp);
}

CRequisiteRecord FilledRecord() {
    CRequisiteRecord r;
    r.m_dbNumber = 12;
    r.m_entryDate = CDateValue(2002, 12, 1);
    r.m_textDate = CDateValue(2002, 12, 2);
    r.m_firstEdition = 3;
    r.m_editionDate = CDateValue(2002, 12, 3);
    r.m_status = 2;
    r.m_note = "a\nb";
    r.m_themes = {1, 2};
    r.m_sources = {"s"};
    r.m_links = {"l"};
    r.m_kinds = {S("ПРИКАЗ"_cp)};
    r.m_organs = {S("МИНФИН"_cp)};
    r.m_adoptionDates = {CDateValue(2002, 1, 1, 1, 1, 1)};
    r.m_numbers = {"15"};
    r.m_justiceDate = CDateValue(2002, 2, 2);
    r.m_justiceNumber = "777";
    r.m_title = "t";
    r.m_text = {"line 1", "line 2"};
    return r;
}

void ExpectDefaults(const CRequisiteRecord& r) {
    EXPECT_EQ(r.m_dbNumber, -1);
    EXPECT_EQ(r.m_firstEdition, -1);
    EXPECT_EQ(r.m_status, 0);
    for (const CDateValue* d :
         {&r.m_entryDate, &r.m_textDate, &r.m_editionDate, &r.m_justiceDate}) {
        EXPECT_TRUE(IsNoDate(*d));
        EXPECT_EQ(FormatDate(*d), "01.01.1000");
    }
    EXPECT_TRUE(r.m_note.empty());
    EXPECT_TRUE(r.m_themes.empty());
    EXPECT_TRUE(r.m_sources.empty());
    EXPECT_TRUE(r.m_links.empty());
    EXPECT_TRUE(r.m_kinds.empty());
    EXPECT_TRUE(r.m_organs.empty());
    EXPECT_TRUE(r.m_adoptionDates.empty());
    EXPECT_TRUE(r.m_numbers.empty());
    EXPECT_TRUE(r.m_justiceNumber.empty());
    EXPECT_TRUE(r.m_title.empty());
    EXPECT_TRUE(r.m_text.empty());
}

TEST(RequisiteRecord, NewRecordHoldsTheDefaults) {
    ExpectDefaults(CRequisiteRecord());
}

TEST(RequisiteRecord, ClearRestoresEveryDefaultIncludingTheText) {
    CRequisiteRecord r = FilledRecord();
    r.Clear();
    ExpectDefaults(r);
}

TEST(RequisiteRecord, CopiesAreIndependent) {
    const CRequisiteRecord original = FilledRecord();
    CRequisiteRecord copy(original);
    CRequisiteRecord assigned;
    assigned = original;
    copy.m_kinds.push_back("X");
    copy.m_text[0] = "changed";
    copy.m_entryDate = NoDate();
    assigned.m_themes.clear();
    EXPECT_EQ(original.m_kinds.size(), 1u);
    EXPECT_EQ(original.m_text[0], "line 1");
    EXPECT_EQ(original.m_entryDate, CDateValue(2002, 12, 1));
    EXPECT_EQ(original.m_themes, (std::vector<int>{1, 2}));
    EXPECT_EQ(CRequisiteRecord(original).m_justiceNumber, "777");
}

TEST(RequisiteRecord, TableListsTheEighteenRequisitesInBlockOrder) {
    const std::vector<RequisiteInfo>& table = RequisiteTable();
    const std::vector<RequisiteId> ids = {
        kReqDbNumber,      kReqEntryDate, kReqTextDate,      kReqFirstEdition, kReqEditionDate,
        kReqStatus,        kReqNote,      kReqThemes,        kReqSources,      kReqLinks,
        kReqKinds,         kReqOrgans,    kReqAdoptionDates, kReqNumbers,      kReqJusticeDate,
        kReqJusticeNumber, kReqTitle,     kReqText};
    const std::vector<int> numbers = {0,  100, 101, 19, 17, 16, 3,  13, 10,
                                      11, 5,   4,   6,  7,  14, 15, 9,  18};
    ASSERT_EQ(table.size(), 18u);
    for (std::size_t i = 0; i < table.size(); ++i) {
        EXPECT_EQ(table[i].id, ids[i]);
        EXPECT_EQ(static_cast<int>(table[i].id), numbers[i]);
    }
    EXPECT_EQ(table.front().label, S("Номер в базе"_cp));
    EXPECT_EQ(table[1].label, S("Дата ввода/изменения"_cp));
    EXPECT_EQ(table.back().label, S("Текст документа"_cp));
    std::set<std::string> labels;
    for (const RequisiteInfo& info : table)
        labels.insert(info.label);
    EXPECT_EQ(labels.size(), 18u); // "Номер" and "Номер в Минюсте" are distinct labels
}

TEST(RequisiteRecord, LabelById) {
    EXPECT_EQ(RequisiteLabel(kReqJusticeNumber), S("Номер в Минюсте"_cp));
    EXPECT_EQ(RequisiteLabel(kReqNumbers), S("Номер"_cp));
    EXPECT_EQ(RequisiteLabel(kReqTitle), S("Название документа"_cp));
    EXPECT_EQ(RequisiteLabel(static_cast<RequisiteId>(2)), "");
}

TEST(RequisiteRecord, RemoveDuplicatesKeepsFirstOccurrencesInOrder) {
    struct Case {
        const char* name;
        Strings input;
        Strings expected;
    };
    const Case cases[] = {
        {"nominal: later repetition removed",
         {S("ПРИКАЗ"_cp), S("ПОЛОЖЕНИЕ"_cp), S("ПРИКАЗ"_cp)},
         {S("ПРИКАЗ"_cp), S("ПОЛОЖЕНИЕ"_cp)}},
        {"nominal: survivors keep their order", {"c", "a", "c", "b", "a", "c"}, {"c", "a", "b"}},
        {"case-sensitive: different case stays",
         {S("Приказ"_cp), S("ПРИКАЗ"_cp)},
         {S("Приказ"_cp), S("ПРИКАЗ"_cp)}},
        {"byte-wise: trailing space differs", {"15", "15 "}, {"15", "15 "}},
        {"empty strings are duplicates too", {"", "x", ""}, {"", "x"}},
        {"empty list", {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CRequisiteRecord r;
        r.m_kinds = r.m_numbers = r.m_organs = r.m_links = r.m_sources = c.input;
        r.RemoveDuplicates();
        EXPECT_EQ(r.m_kinds, c.expected);
        EXPECT_EQ(r.m_numbers, c.expected);
        EXPECT_EQ(r.m_organs, c.expected);
        EXPECT_EQ(r.m_links, c.expected);
        EXPECT_EQ(r.m_sources, c.expected);
    }
}

TEST(RequisiteRecord, RemoveDuplicatesOnThemesAndDates) {
    CRequisiteRecord r;
    r.m_themes = {5, 3, 5, -1, 3, -1};
    const CDateValue a(2002, 12, 1, 1, 1, 1);
    const CDateValue sameDayOtherTime(2002, 12, 1);
    const CDateValue invalid(2002, 13, 1);
    r.m_adoptionDates = {a,
                         sameDayOtherTime,
                         a,
                         invalid,
                         invalid,
                         CDateValue::Null(),
                         CDateValue::Null(),
                         sameDayOtherTime};
    r.RemoveDuplicates();
    EXPECT_EQ(r.m_themes, (std::vector<int>{5, 3, -1}));
    // Same day at another time of day stays; invalid and null dates equal nothing and stay.
    ASSERT_EQ(r.m_adoptionDates.size(), 6u);
    EXPECT_EQ(r.m_adoptionDates[0], a);
    EXPECT_EQ(r.m_adoptionDates[1], sameDayOtherTime);
    EXPECT_EQ(r.m_adoptionDates[2].GetStatus(), CDateValue::Status::Invalid);
    EXPECT_EQ(r.m_adoptionDates[3].GetStatus(), CDateValue::Status::Invalid);
    EXPECT_EQ(r.m_adoptionDates[4].GetStatus(), CDateValue::Status::Null);
    EXPECT_EQ(r.m_adoptionDates[5].GetStatus(), CDateValue::Status::Null);
}

TEST(RequisiteRecord, RemoveDuplicatesLeavesTheTextAndSingleFieldsAlone) {
    CRequisiteRecord r = FilledRecord();
    r.m_text = {"", "a", "", "a"};
    const CRequisiteRecord before = r;
    r.RemoveDuplicates();
    EXPECT_EQ(r.m_text, before.m_text);
    EXPECT_EQ(r.m_note, before.m_note);
    EXPECT_EQ(r.m_entryDate, before.m_entryDate);
}

// Deduplicating twice changes nothing more, and every removed item had an equal survivor.
TEST(RequisiteRecord, PropertyRemoveDuplicatesIsIdempotentAndLossless) {
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> len(0, 12), pick(0, 4);
    for (int round = 0; round < 500; ++round) {
        CRequisiteRecord r;
        const int n = len(rng);
        for (int i = 0; i < n; ++i) {
            r.m_numbers.push_back(std::string(1, static_cast<char>('a' + pick(rng))));
            r.m_themes.push_back(pick(rng));
        }
        const Strings input = r.m_numbers;
        r.RemoveDuplicates();
        const Strings once = r.m_numbers;
        std::set<std::string> distinct(input.begin(), input.end());
        EXPECT_EQ(once.size(), distinct.size());
        EXPECT_EQ(std::set<std::string>(once.begin(), once.end()), distinct);
        // The survivors are a subsequence of the input made of first occurrences.
        std::size_t j = 0;
        std::set<std::string> seen;
        for (const std::string& s : input) {
            if (seen.insert(s).second) {
                ASSERT_LT(j, once.size());
                EXPECT_EQ(once[j++], s);
            }
        }
        r.RemoveDuplicates();
        EXPECT_EQ(r.m_numbers, once);
    }
}

} // namespace
} // namespace norvak
