#include "dictionaries/sourcedict.h"

#include "core/literal.h"
#include "dictbytes.h"
#include "dictionaries/archive.h"

#include <gtest/gtest.h>

namespace norvak {
namespace {

using testing::I32;
using testing::Str;

TEST(SourceDictTest, SortByUnsignedBytesPrefixFirst) {
    CSourceDict d;
    for (std::string_view s : {"Собрание"_cp, "Ведомости"_cp, "Bulletin"_cp, "Собр"_cp,
                               "Собрание законодательства"_cp, "Ведомости"_cp})
        d.Add(s);
    d.Sort();
    EXPECT_EQ(d.Sources(), (std::vector<std::string>{
                               "Bulletin", std::string("Ведомости"_cp), std::string("Ведомости"_cp),
                               std::string("Собр"_cp), std::string("Собрание"_cp),
                               std::string("Собрание законодательства"_cp)}));
}

TEST(SourceDictTest, RemoveSeveralHighestFirst) {
    CSourceDict d;
    for (std::string_view s : {"a", "b", "c", "d", "e"})
        d.Add(s);
    for (int i : {3, 1}) // the dialog removes the selected rows from the highest index down
        d.RemoveAt(i);
    EXPECT_EQ(d.Sources(), (std::vector<std::string>{"a", "c", "e"}));
    d.RemoveAt(9);
    EXPECT_EQ(d.GetCount(), 3);
    d.RemoveAll();
    EXPECT_EQ(d.GetCount(), 0);
}

TEST(SourceDictTest, SerializeAndErrors) {
    CSourceDict d;
    d.Add("Российская газета"_cp);
    d.Add("");
    CArchive out;
    CScriptedOperator op;
    ASSERT_TRUE(d.Serialize(out, op));
    EXPECT_EQ(out.Data(), I32(2) + Str("Российская газета"_cp) + Str(""));
    CSourceDict back;
    CArchive in(out.Data());
    ASSERT_TRUE(back.Serialize(in, op));
    EXPECT_EQ(back, d);

    struct Case {
        const char* name;
        std::string bytes;
        int sources;
        std::size_t stopsAt;
    } cases[] = {
        {"robustness: negative count fails right after it", I32(-1) + Str("x"), 0, 4},
        {"robustness: count beyond the data", I32(3) + Str("x"), 0, 4},
        {"robustness: last string cut", I32(2) + Str("x") + Str("yz").substr(0, 2), 1, 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CScriptedOperator errs;
        CArchive bad(c.bytes);
        EXPECT_FALSE(back.Serialize(bad, errs));
        EXPECT_EQ(back.GetCount(), c.sources);
        EXPECT_EQ(bad.Position(), c.stopsAt);
        ASSERT_EQ(errs.Messages().size(), 1u);
        EXPECT_EQ(errs.Messages()[0],
                  "Ошибка операции ввода/вывода словаря источников публикации!"_cp);
    }
}

TEST(SourceDictTest, SaveListingKeepsTheOrderAndIsByteExact) {
    CSourceDict d;
    d.Add("Собрание законодательства РФ"_cp);
    d.Add("Российская газета"_cp);
    for (int i = 0; i < 8; ++i)
        d.Add("x");
    testing::TempDir dir;
    const std::string path = dir.File("sources.txt");
    CScriptedOperator op;
    ASSERT_TRUE(d.SaveListing(path, op));
    std::string expected("\t\tСловарь источников публикаций\r\n\r\n"
                         "   1.  Собрание законодательства РФ\r\n"
                         "   2.  Российская газета\r\n"_cp);
    for (int i = 3; i <= 9; ++i)
        expected += "   " + std::to_string(i) + ".  x\r\n";
    expected += "  10.  x\r\n";
    EXPECT_EQ(testing::ReadAll(path), expected);

    EXPECT_FALSE(d.SaveListing(dir.File("none/s.txt"), op));
    EXPECT_EQ(op.Messages().at(0), "Ошибка открытия файла!"_cp);
    if (std::filesystem::exists("/dev/full")) {
        op.Clear();
        EXPECT_FALSE(d.SaveListing("/dev/full", op));
        EXPECT_EQ(op.Messages().at(0), "Ошибка сохранения файла"_cp);
    }
}

} // namespace
} // namespace norvak
