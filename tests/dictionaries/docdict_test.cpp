#include "dictionaries/docdict.h"

#include "core/literal.h"
#include "dictbytes.h"
#include "dictionaries/archive.h"
#include "dictionaries/unidict.h"

#include <gtest/gtest.h>

#include <random>

namespace norvak {
namespace {

using testing::CasesBytes;
using testing::I32;

const std::string_view kKindsError = "Ошибка операции ввода/вывода словаря видов документов!"_cp;

CCases Forms(std::string_view nominative, std::string_view instrumental = {}) {
    CCases c;
    c.SetForm(CaseNominative, nominative);
    c.SetForm(CaseInstrumental, instrumental);
    return c;
}

CDocKindEntry Kind(std::string_view nominative, std::int32_t gender = 0,
                   std::string_view instrumental = {}) {
    CDocKindEntry e;
    e.GetCases() = Forms(nominative, instrumental);
    e.SetGender(gender);
    return e;
}

std::vector<std::string> Names(const CDocDict& d) {
    std::vector<std::string> out;
    for (const CDocKindEntry& e : d.Entries())
        out.push_back(e.Name() + "/" + std::to_string(e.Gender()));
    return out;
}

CDocDict Dict(std::initializer_list<CDocKindEntry> entries) {
    CDocDict d;
    for (const CDocKindEntry& e : entries)
        d.Add(e);
    return d;
}

// A dictionary and the names with genders ("NAME/g") a sort leaves in it.
struct SortCase {
    const char* name;
    CDocDict dict;
    std::vector<std::string> expected;
};

TEST(DocDictTest, SortByWordCountIsTheExactSelectionSort) {
    SortCase cases[] = {
        {"boundary: empty", Dict({}), {}},
        {"boundary: one entry", Dict({Kind("A B")}), {"A B/0"}},
        {"nominal: two two-word kinds then one-word end reversed",
         Dict({Kind("A A", 1), Kind("B B", 2), Kind("C")}),
         {"C/0", "B B/2", "A A/1"}},
        {"nominal: two-word kind then two one-word kinds",
         Dict({Kind("A A"), Kind("B"), Kind("C")}),
         {"B/0", "C/0", "A A/0"}},
        {"nominal: one-letter last word counts",
         Dict({Kind("A B C"), Kind("D E")}),
         {"D E/0", "A B C/0"}},
    };
    for (SortCase& c : cases) {
        SCOPED_TRACE(c.name);
        c.dict.SortByWordCount();
        EXPECT_EQ(Names(c.dict), c.expected);
    }
}

TEST(DocDictTest, SortByNameIsTheSameSelectionSortOnUnsignedBytes) {
    SortCase cases[] = {
        {"boundary: empty", Dict({}), {}},
        {"nominal: Cyrillic after Latin (unsigned bytes)",
         Dict({Kind("ЯКОРЬ"_cp), Kind("ABC"), Kind("АКТ"_cp)}),
         {"ABC/0", std::string("АКТ"_cp) + "/0", std::string("ЯКОРЬ"_cp) + "/0"}},
        {"nominal: a prefix sorts first", Dict({Kind("AB"), Kind("A")}), {"A/0", "AB/0"}},
        {"nominal: equal names end in the order the swaps leave",
         Dict({Kind("B", 1), Kind("B", 2), Kind("A")}),
         {"A/0", "B/2", "B/1"}},
    };
    for (SortCase& c : cases) {
        SCOPED_TRACE(c.name);
        c.dict.SortByName();
        EXPECT_EQ(Names(c.dict), c.expected);
    }
}

TEST(DocDictTest, SelectionSortMatchesThePlainProcedureOnRandomTies) {
    // The plain quadratic selection sort the dictionaries' order is defined by.
    auto plain = [](std::vector<std::pair<int, int>> v) {
        for (std::size_t p = 0; p + 1 < v.size(); ++p) {
            std::size_t best = p;
            for (std::size_t i = p + 1; i < v.size(); ++i)
                if (v[i].first < v[best].first)
                    best = i;
            std::swap(v[p], v[best]);
        }
        return v;
    };
    std::mt19937 rng(7);
    for (int round = 0; round < 300; ++round) {
        std::vector<std::pair<int, int>> items(rng() % 200);
        std::vector<int> keys;
        for (std::size_t i = 0; i < items.size(); ++i) {
            items[i] = {static_cast<int>(rng() % 6), static_cast<int>(i)}; // many ties
            keys.push_back(items[i].first);
        }
        auto expected = plain(items);
        detail::SelectionSort(items, keys, [](int a, int b) { return a < b; });
        ASSERT_EQ(items, expected) << "round " << round;
    }
}

TEST(DocDictTest, FindGenderTakesTheFirstExactMatch) {
    CDocDict d =
        Dict({Kind("ПРИКАЗ"_cp, 0), Kind("ПОСТАНОВЛЕНИЕ"_cp, 2), Kind("ПОСТАНОВЛЕНИЕ"_cp, 1)});
    EXPECT_EQ(d.FindGender("ПОСТАНОВЛЕНИЕ"_cp), 2);
    EXPECT_EQ(d.FindGender("постановление"_cp), 0);
    EXPECT_EQ(d.FindGender("ИНСТРУКЦИЯ"_cp), 0);
}

TEST(DocDictTest, RemovingEntriesAndAliases) {
    CDocDict d = Dict({Kind("A"), Kind("B"), Kind("C")});
    d.RemoveAt(1);
    d.RemoveAt(7);
    d.RemoveAt(-1);
    EXPECT_EQ(Names(d), (std::vector<std::string>{"A/0", "C/0"}));
    CDocKindEntry& e = d.GetAt(0);
    e.SetAliases({Forms("X"), Forms("Y"), Forms("Z")});
    std::vector<CCases> copy;
    e.GetAliases(copy);
    copy.clear();
    EXPECT_EQ(e.GetAliasCount(), 3);
    e.RemoveAlias(0);
    EXPECT_EQ(e.Aliases()[0].Form(CaseNominative), "Y");
    e.RemoveAllAliases();
    EXPECT_EQ(e.GetAliasCount(), 0);
    d.RemoveAll();
    EXPECT_EQ(d.GetCount(), 0);
}

TEST(DocDictTest, EntryBytesPutTheFlagBeforeTheGender) {
    CDocDict d;
    CDocKindEntry plain = Kind("ПРИКАЗ"_cp, 2, "ПРИКАЗОМ"_cp);
    plain.SetQuoteTitle(1);
    CDocKindEntry aliased = Kind("A", 1);
    aliased.SetAliases({Forms("B", "BB"), Forms("C")});
    d.Add(plain);
    d.Add(aliased);
    CArchive out;
    CScriptedOperator op;
    ASSERT_TRUE(d.Serialize(out, op));
    EXPECT_EQ(out.Data(), I32(2) + CasesBytes({"ПРИКАЗ"_cp, "", "", "", "ПРИКАЗОМ"_cp}) + I32(-1) +
                              I32(1) + I32(2) + CasesBytes({"A"}) + I32(2) +
                              CasesBytes({"B", "", "", "", "BB"}) + CasesBytes({"C"}) + I32(0) +
                              I32(1));
}

TEST(DocDictTest, LoadLinksEntriesAndReadsZeroAliasCountAsNone) {
    CUniDict uni;
    CDocDict d;
    d.SetUniDict(&uni);
    d.Add(Kind("OLD"));
    const std::string bytes = I32(1) + CasesBytes({"A"}) + I32(0) + I32(0) + I32(2);
    CArchive in(bytes);
    CScriptedOperator op;
    ASSERT_TRUE(d.Serialize(in, op));
    ASSERT_EQ(d.GetCount(), 1);
    EXPECT_EQ(d.GetAt(0).GetUniDict(), &uni);
    EXPECT_EQ(d.GetAt(0).Gender(), 2);
    EXPECT_EQ(d.CreateEntry().GetUniDict(), &uni);
    CArchive out;
    ASSERT_TRUE(d.Serialize(out, op));
    EXPECT_EQ(out.Data(), I32(1) + CasesBytes({"A"}) + I32(-1) + I32(0) + I32(2));
}

TEST(DocDictTest, LoadErrors) {
    const std::string a = CasesBytes({"A"}) + I32(-1) + I32(0) + I32(0);
    const std::string b = CasesBytes({"B"}) + I32(1) + CasesBytes({"BB"}) + I32(0) + I32(1);
    struct Case {
        const char* name;
        std::string bytes;
        int entries;
        std::size_t stopsAt;
    } cases[] = {
        {"robustness: negative count fails right after it", I32(-1) + a, 0, 4},
        {"robustness: count beyond the data fails right after it", I32(100000) + a, 0, 4},
        {"robustness: missing count", "", 0, 0},
        {"robustness: second entry cut in its alias", I32(2) + a + b.substr(0, b.size() - 12), 1,
         4 + a.size() + b.size() - 12},
        {"robustness: alias count beyond the data", I32(2) + a + CasesBytes({"B"}) + I32(9999), 1,
         4 + a.size() + CasesBytes({"B"}).size() + 4},
        {"robustness: second entry without its gender", I32(2) + a + b.substr(0, b.size() - 2), 1,
         4 + a.size() + b.size() - 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CDocDict d;
        CScriptedOperator op;
        CArchive in(c.bytes);
        EXPECT_FALSE(d.Serialize(in, op));
        EXPECT_EQ(d.GetCount(), c.entries);
        EXPECT_EQ(in.Position(), c.stopsAt);
        ASSERT_EQ(op.Entries().size(), 1u);
        EXPECT_EQ(op.Entries()[0].text, kKindsError);
        EXPECT_EQ(op.Entries()[0].icon, MessageIcon::Error);
    }
}

TEST(DocDictTest, SaveListingIsByteExactAndSortsTheDictionary) {
    CDocDict d;
    CDocKindEntry prikaz = Kind("ПРИКАЗ"_cp, 0, "ПРИКАЗОМ"_cp);
    prikaz.SetAliases({Forms("РАСПОРЯЖЕНИЕ"_cp, "РАСПОРЯЖЕНИЕМ"_cp), Forms("УКАЗАНИЕ"_cp)});
    d.Add(prikaz);
    d.Add(Kind("ПИСЬМО"_cp, 2, "ПИСЬМОМ"_cp));
    testing::TempDir dir;
    const std::string path = dir.File("kinds.txt");
    CScriptedOperator op;
    ASSERT_TRUE(d.SaveListing(path, op));
    EXPECT_TRUE(op.Entries().empty());
    EXPECT_EQ(d.GetAt(0).Name(), "ПИСЬМО"_cp);
    const std::string expected = std::string("                           ") +
                                 std::string("Словарь видов документов\r\n"
                                             "\r\n"
                                             "   1   Именительный падеж: ПИСЬМО\r\n"
                                             "       Творительный падеж: ПИСЬМОМ\r\n"
                                             "\r\n"
                                             "   2   Именительный падеж: ПРИКАЗ\r\n"
                                             "       Творительный падеж: ПРИКАЗОМ\r\n"
                                             "\r\n"
                                             "           Псевдонимы\r\n"
                                             "          Именительный падеж: РАСПОРЯЖЕНИЕ\r\n"
                                             "          Творительный падеж: РАСПОРЯЖЕНИЕМ\r\n"
                                             "\r\n"
                                             "          Именительный падеж: УКАЗАНИЕ\r\n"
                                             "          Творительный падеж: \r\n"
                                             "\r\n"_cp);
    EXPECT_EQ(testing::ReadAll(path), expected);
}

TEST(DocDictTest, SaveListingErrors) {
    testing::TempDir dir;
    CDocDict d = Dict({Kind("A")});
    CScriptedOperator op;
    EXPECT_FALSE(d.SaveListing(dir.File("no/such/dir/kinds.txt"), op));
    ASSERT_EQ(op.Messages().size(), 1u);
    EXPECT_EQ(op.Messages()[0], "Ошибка открытия файла!"_cp);
    if (std::filesystem::exists("/dev/full")) {
        op.Clear();
        EXPECT_FALSE(d.SaveListing("/dev/full", op));
        ASSERT_EQ(op.Messages().size(), 1u);
        EXPECT_EQ(op.Messages()[0], "Ошибка сохранения файла"_cp);
    }
}

TEST(DocDictTest, CopiesAreIndependent) {
    CDocDict d = Dict({Kind("A"), Kind("B")});
    CDocDict copy = d;
    copy.RemoveAt(0);
    copy.GetAt(0).SetGender(2);
    EXPECT_EQ(Names(d), (std::vector<std::string>{"A/0", "B/0"}));
    d = d;
    EXPECT_EQ(d.GetCount(), 2);
}

} // namespace
} // namespace norvak
