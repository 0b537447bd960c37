#include "dictionaries/temathicsdict.h"

#include "core/codepage.h"
#include "core/literal.h"
#include "core/textcore.h"
#include "dictbytes.h"
#include "dictionaries/archive.h"

#include <gtest/gtest.h>

namespace norvak {
namespace {

using testing::I32;
using testing::Str;

const std::string_view kRubricatorErrors =
    "Данный рубрикатор содержит ошибки!\nОперация будет прервана."_cp;

// Themes as "code:parent:name" strings, in dictionary order.
std::vector<std::string> Themes(const CTemathicsDict& d) {
    std::vector<std::string> out;
    for (const CTemathicsRec& t : d.Themes())
        out.push_back(std::to_string(t.Code()) + ":" + std::to_string(t.ParentCode()) + ":" +
                      t.Name());
    return out;
}

// The tree as "depth|text|parent item" strings, in insertion order.
std::vector<std::string> Tree(const CTemathicsDict& d) {
    std::vector<std::string> out;
    for (const CThemeTreeItem& i : d.BuildTree())
        out.push_back(std::to_string(i.depth) + "|" + i.text + "|" + std::to_string(i.parentItem));
    return out;
}

CTemathicsDict Make(std::initializer_list<CTemathicsRec> recs) {
    CTemathicsDict d;
    CScriptedOperator op;
    for (const CTemathicsRec& r : recs)
        d.AddTheme(r.Name(), r.Code(), r.ParentCode(), op);
    return d;
}

TEST(TemathicsDictTest, AddThemeNormalisesAndRefusesDuplicateCodes) {
    CTemathicsDict d;
    CScriptedOperator op;
    EXPECT_EQ(d.AddTheme("  налоги   и сборы "_cp, 5, 0, op), 1);
    EXPECT_EQ(d.AddTheme("другое"_cp, 5, 0, op), 0);
    EXPECT_EQ(Themes(d), (std::vector<std::string>{"5:0:" + std::string("НАЛОГИ И СБОРЫ"_cp)}));
    ASSERT_EQ(op.Entries().size(), 1u);
    EXPECT_EQ(op.Entries()[0].text, "Тематитика с кодом 5 уже существует!"_cp);
    EXPECT_EQ(op.Entries()[0].icon, MessageIcon::Error);
}

TEST(TemathicsDictTest, RemoveThemeTakesTheWholeSubtree) {
    struct Case {
        const char* name;
        CTemathicsDict dict;
        int code;
        std::vector<std::string> expected;
    } cases[] = {
        {"nominal: 5, 7 under 5, 9 under 7", Make({{"A", 5, 0}, {"B", 7, 5}, {"C", 9, 7}}), 5, {}},
        {"nominal: others keep their order",
         Make({{"A", 1, 0}, {"B", 2, 0}, {"C", 3, 2}, {"D", 4, 0}, {"E", 5, 1}}),
         2,
         {"1:0:A", "4:0:D", "5:1:E"}},
        {"boundary: absent code removes nothing, not even its would-be children",
         Make({{"A", 1, 7}}),
         7,
         {"1:7:A"}},
        {"robustness: a cycle ends", Make({{"A", 1, 2}, {"B", 2, 1}, {"C", 3, 0}}), 1, {"3:0:C"}},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.dict.RemoveTheme(c.code);
        EXPECT_EQ(Themes(c.dict), c.expected);
    }
}

TEST(TemathicsDictTest, TreePlacesReachableThemesDepthFirstOnce) {
    struct Case {
        const char* name;
        std::vector<CTemathicsRec> themes;
        std::vector<std::string> expected;
    } cases[] = {
        {"nominal: siblings in insertion order, children at once",
         {{"A", 1, 0}, {"B", 2, 0}, {"C", 3, 1}, {"D", 4, 3}, {"E", 5, 1}},
         {"1|1, A|-1", "2|3, C|0", "3|4, D|1", "2|5, E|0", "1|2, B|-1"}},
        {"nominal: unknown parent is neither shown nor counted",
         {{"A", 1, 0}, {"B", 2, 99}},
         {"1|1, A|-1"}},
        {"robustness: a cycle not reached from 0 is not shown", {{"A", 1, 2}, {"B", 2, 1}}, {}},
        {"robustness: repeated codes are each placed once",
         {{"A", 1, 0}, {"B", 1, 0}, {"C", 2, 1}},
         {"1|1, A|-1", "2|2, C|0", "1|1, B|-1"}},
        {"robustness: a theme numbered 0 takes the later top-level themes",
         {{"Z", 0, 0}, {"A", 1, 0}},
         {"1|0, Z|-1", "2|1, A|0"}},
        {"robustness: a theme that is its own parent", {{"S", 3, 3}, {"A", 1, 0}}, {"1|1, A|-1"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CTemathicsDict d;
        CArchive ar; // loaded, since a file may hold what AddTheme would refuse
        ar.PutInt32(static_cast<std::int32_t>(c.themes.size()));
        for (CTemathicsRec t : c.themes)
            t.Serialize(ar);
        CArchive in(ar.Data());
        CScriptedOperator op;
        ASSERT_TRUE(d.Serialize(in, op));
        EXPECT_EQ(Tree(d), c.expected);
        EXPECT_EQ(d.TreeCount(), static_cast<int>(c.expected.size()));
    }
    EXPECT_EQ(ThemeTreeRootText(), "Тематики"_cp);
}

TEST(TemathicsDictTest, DeepChainDoesNotExhaustTheStack) {
    CArchive ar;
    ar.PutInt32(20000);
    for (int i = 1; i <= 20000; ++i) {
        CTemathicsRec t("T", i, i - 1);
        t.Serialize(ar);
    }
    CArchive in(ar.Data());
    CTemathicsDict d;
    CScriptedOperator op;
    ASSERT_TRUE(d.Serialize(in, op));
    auto tree = d.BuildTree();
    ASSERT_EQ(tree.size(), 20000u);
    EXPECT_EQ(tree.back().depth, 20000);
    d.RemoveTheme(1);
    EXPECT_EQ(d.GetCount(), 0);
}

struct RubricatorCase {
    const char* name;
    std::string text; // UTF-8, converted to the file's encoding
    int result;
    std::vector<std::string> themes; // UTF-8 names in "code:parent:name"
    std::vector<std::string> messages;
};

TEST(TemathicsDictTest, RubricatorParsing) {
    const std::string warn = "Возможно ошибочный формат файла";
    RubricatorCase cases[] = {
        {"nominal: nested blocks",
         "1 Финансы\n{\n  2 Налоги\n  {\n 3   Налог на   прибыль\n  }\n 4 Бюджет\n}\n5 Право\n",
         1,
         {"1:0:ФИНАНСЫ", "2:1:НАЛОГИ", "3:2:НАЛОГ НА ПРИБЫЛЬ", "4:1:БЮДЖЕТ", "5:0:ПРАВО"},
         {}},
        {"nominal: CR LF line ends and blank lines",
         "1 А\r\n\r\n   \r\n2 Б\r\n",
         1,
         {"1:0:А", "2:0:Б"},
         {}},
        {"nominal: a theme line of only a number is its own name", "12\n", 1, {"12:0:12"}, {}},
        {"nominal: continuation lines lengthen the last theme",
         "1 Очень длинное\n   название темы\n{\n2 Б\n}\nещё\n",
         1,
         {"1:0:ОЧЕНЬ ДЛИННОЕ НАЗВАНИЕ ТЕМЫ", "2:1:Б ЕЩЁ"},
         {}},
        {"nominal: rest of a brace line is ignored",
         "1 А\n{ мусор\n2 Б\n} и тут\n3 В\n",
         1,
         {"1:0:А", "2:1:Б", "3:0:В"},
         {}},
        {"boundary: closing brace without an open block continues the name",
         "1 А\n}\n",
         1,
         {"1:0:А }"},
         {}},
        {"boundary: unbalanced opening warns and keeps the themes",
         "1 А\n{\n2 Б\n",
         1,
         {"1:0:А", "2:1:Б"},
         {warn}},
        {"robustness: brace and continuation before any theme are ignored",
         "{\nвступление\n}\n1 А\n{\n2 Б\n}\n",
         1,
         {"1:0:А", "2:1:Б"},
         {}},
        {"robustness: duplicate code stops the load",
         "1 А\n2 Б\n1 В\n3 Г\n",
         0,
         {"1:0:А", "2:0:Б"},
         {"Тематитика с кодом 1 уже существует!",
          "Данный рубрикатор содержит ошибки!\nОперация будет прервана."}},
        {"robustness: input ends at Ctrl+Z",
         "1 А\n\x1A"
         "2 Б\n",
         1,
         {"1:0:А"},
         {}},
        {"boundary: empty file", "", 1, {}, {}},
    };
    for (RubricatorEncoding enc : {RubricatorEncoding::Windows, RubricatorEncoding::Dos}) {
        for (const RubricatorCase& c : cases) {
            SCOPED_TRACE(std::string(c.name) +
                         (enc == RubricatorEncoding::Dos ? " (DOS)" : " (Windows)"));
            std::string bytes = Utf8ToCp1251(c.text);
            if (enc == RubricatorEncoding::Dos)
                bytes = Cp1251ToCp866(bytes);
            CTemathicsDict d = Make({{"OLD", 99, 0}});
            CScriptedOperator op;
            EXPECT_EQ(d.LoadRubricatorBytes(bytes, enc, op), c.result);
            std::vector<std::string> themes;
            for (const std::string& t : Themes(d))
                themes.push_back(Cp1251ToUtf8(t));
            EXPECT_EQ(themes, c.themes);
            std::vector<std::string> messages;
            for (const std::string& m : op.Messages())
                messages.push_back(Cp1251ToUtf8(m));
            EXPECT_EQ(messages, c.messages);
        }
    }
}

TEST(TemathicsDictTest, DosFileReadAsWindowsKeepsItsBytes) {
    const std::string dos = Cp1251ToCp866("1 налоги"_cp); // "налоги" in CP866: AD A0 AB AE A3 A8
    CTemathicsDict d;
    CScriptedOperator op;
    ASSERT_EQ(d.LoadRubricatorBytes(dos, RubricatorEncoding::Windows, op), 1);
    ASSERT_EQ(d.GetCount(), 1);
    EXPECT_EQ(d.GetAt(0).Name(), ToUpper(dos.substr(2)));
    EXPECT_NE(d.GetAt(0).Name(), "НАЛОГИ"_cp);
}

TEST(TemathicsDictTest, RubricatorFileAndReadError) {
    testing::TempDir dir;
    const std::string path = dir.File("rub.txt");
    testing::WriteAll(path, Cp1251ToCp866("1 Финансы\r\n{\r\n2 Налоги\r\n}\r\n"_cp));
    CTemathicsDict d;
    CScriptedOperator op;
    ASSERT_EQ(d.LoadRubricator(path, RubricatorEncoding::Dos, op), 1);
    EXPECT_EQ(d.GetCount(), 2);
    EXPECT_EQ(d.GetAt(1).Name(), "НАЛОГИ"_cp);

    EXPECT_EQ(d.LoadRubricator(dir.File("missing.txt"), RubricatorEncoding::Dos, op), 0);
    EXPECT_EQ(op.Messages(), std::vector<std::string>{std::string("Ошибка чтения файла!"_cp)});
    EXPECT_EQ(d.GetCount(), 2) << "a file that cannot be read changes nothing";
}

TEST(TemathicsDictTest, SerializeLayoutAndErrors) {
    CTemathicsDict d = Make({{"A", 1, 0}, {"B", 2, 1}});
    CArchive out;
    CScriptedOperator op;
    ASSERT_TRUE(d.Serialize(out, op));
    EXPECT_EQ(out.Data(), I32(2) + Str("A") + I32(1) + I32(0) + Str("B") + I32(2) + I32(1));
    CTemathicsDict back;
    CArchive in(out.Data());
    ASSERT_TRUE(back.Serialize(in, op));
    EXPECT_EQ(back, d);

    CArchive negative(I32(-1));
    EXPECT_TRUE(back.Serialize(negative, op));
    EXPECT_EQ(back.GetCount(), 0);

    CArchive cut(out.Data().substr(0, out.Data().size() - 1));
    EXPECT_FALSE(back.Serialize(cut, op));
    EXPECT_EQ(back.GetCount(), 1);
    EXPECT_EQ(op.Messages().at(0), "Ошибка операции ввода/вывода словаря тематик!"_cp);
}

} // namespace
} // namespace norvak
