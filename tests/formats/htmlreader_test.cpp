// The HTML reader on small pages written for each rule, and on bad pages.

#include "formatstest.h"

#include "formats/htmlreader.h"

namespace norvak {
namespace {

struct Seen {
    std::string text; // UTF-8
    FlowAlign align;
    double firstPt;
    double leftPt;
    bool operator==(const Seen&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Seen& s) {
    return os << '"' << s.text << "\" align " << static_cast<int>(s.align) << " first " << s.firstPt
              << " left " << s.leftPt;
}

std::vector<Seen> Paragraphs(const std::string& html) {
    FlowDocument doc;
    std::string error;
    EXPECT_TRUE(ReadHtml(html, doc, &error)) << Cp1251ToUtf8(error);
    std::vector<Seen> out;
    for (const FlowBlock& b : doc.blocks)
        if (!b.isTable)
            out.push_back({Cp1251ToUtf8(b.paragraph.text), b.paragraph.align,
                           b.paragraph.firstIndentPt, b.paragraph.leftIndentPt});
    return out;
}

struct HtmlCase {
    const char* name;
    std::string html;
    std::vector<Seen> expected;
};

class HtmlRules : public testing::TestWithParam<HtmlCase> {};

TEST_P(HtmlRules, ParagraphsAreRead) {
    EXPECT_EQ(Paragraphs(GetParam().html), GetParam().expected);
}

const char* const kPortalStyle =
    "<html><head><meta charset=\"utf-8\"><style><!--/*CSS*/ p, p.P {text-indent: 45px; "
    "text-align: justify} p.C {text-indent: 0; text-align: center} p.I {text-indent: 0; "
    "margin-left: 45px; text-align: left} .HD {display: none} .W9 {vertical-align: super} "
    "@media print { p.C {text-align: left} } --></style></head><body>";

INSTANTIATE_TEST_SUITE_P(
    Rules, HtmlRules,
    testing::Values(
        HtmlCase{
            "classes_of_the_pages_own_style",
            "<html><head><style>p.C {text-align: center}</style></head>"
            "<body><p class=\"C\">РОССИЙСКАЯ ФЕДЕРАЦИЯ</p><p>Текст</p></body></html>",
            {{"РОССИЙСКАЯ ФЕДЕРАЦИЯ", FlowAlign::Centre, 0, 0}, {"Текст", FlowAlign::Left, 0, 0}}},
        HtmlCase{"portal_page_rules_screen_not_print",
                 (std::string(kPortalStyle) +
                  "<p class=\"C\">Заголовок</p><p>Текст абзаца.</p><p class=\"I\">Принят</p>"
                  "</body></html>"),
                 {{"Заголовок", FlowAlign::Centre, 0, 0},
                  {"Текст абзаца.", FlowAlign::Justify, 33.75, 0},
                  {"Принят", FlowAlign::Left, 0, 33.75}}},
        HtmlCase{"align_attribute_and_style_attribute",
                 "<body><p align=\"right\">Справа</p><div style=\"text-align:center\">Центр"
                 "<p>внутри</p></div><center>Старый центр</center></body>",
                 {{"Справа", FlowAlign::Right, 0, 0},
                  {"Центр", FlowAlign::Centre, 0, 0},
                  {"внутри", FlowAlign::Centre, 0, 0},
                  {"Старый центр", FlowAlign::Centre, 0, 0}}},
        HtmlCase{"superscript_article_numbers",
                 (std::string(kPortalStyle) +
                  "<p class=\"I\">Статья 7<span class=\"W9\">1</span>. Объекты</p>"
                  "<p class=\"I\">x<sup>2</sup> и 5<sup>3</sup></p></body></html>"),
                 {{"Статья 7.1. Объекты", FlowAlign::Left, 0, 33.75},
                  {"x2 и 5.3", FlowAlign::Left, 0, 33.75}}},
        HtmlCase{"hidden_and_page_furniture_left_out",
                 (std::string(kPortalStyle) +
                  "<script>var x = 1;</script><p class=\"I\">Видно<span class=\"HD\"> "
                  "скрыто</span></p><p class=\"I\" style=\"display:none\">Нет</p>"
                  "<noscript>без скриптов</noscript></body></html>"),
                 {{"Видно", FlowAlign::Left, 0, 33.75}}},
        HtmlCase{
            "white_space_collapses_non_breaking_spaces_stay",
            "<body><p>  Раз\n   два&nbsp;&nbsp;три  </p><p>&nbsp;</p></body>",
            {{"Раз два\u00A0\u00A0три", FlowAlign::Left, 0, 0}, {"\u00A0", FlowAlign::Left, 0, 0}}},
        HtmlCase{"breaks_links_and_soft_hyphens",
                 "<body><p>Председатель<br>Правительства <a href=\"x\">от&nbsp;1 "
                 "июня</a> пере&shy;нос</p></body>",
                 {{"Председатель\nПравительства от\u00A01 июня перенос", FlowAlign::Left, 0, 0}}},
        HtmlCase{"pre_keeps_its_lines",
                 "<body><pre>  a  b\nc</pre></body>",
                 {{"a  b\nc", FlowAlign::Left, 0, 0}}},
        HtmlCase{
            "windows_1251_page",
            "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; "
            "charset=windows-1251\"></head><body><p>\xCF\xF0\xE8\xED\xFF\xF2</p></body></html>",
            {{"Принят", FlowAlign::Left, 0, 0}}},
        HtmlCase{"undeclared_non_utf8_page_is_windows_1251",
                 "<body><p>\xCF\xF0\xE8\xED\xFF\xF2</p></body>",
                 {{"Принят", FlowAlign::Left, 0, 0}}},
        HtmlCase{"characters_cp1251_lacks_take_a_look_alike",
                 "<body><p>a\u2011b \u2212 c\u2009d \u00E9</p></body>",
                 {{"a-b - c\u00A0d ?", FlowAlign::Left, 0, 0}}}),
    [](const auto& c) { return std::string(c.param.name); });

TEST(HtmlTables, GridSpansWidthsAndBorders) {
    const std::string html =
        "<body><table border=\"1\"><tr><td width=\"60\">Код</td><td width=\"180\" "
        "colspan=\"2\">Показатель</td></tr><tr><td rowspan=\"2\">01</td><td>а</td><td>б"
        "</td></tr><tr><td>в</td><td>г</td></tr></table></body>";
    FlowDocument doc;
    ASSERT_TRUE(ReadHtml(html, doc, nullptr));
    ASSERT_EQ(doc.blocks.size(), 1u);
    const FlowTable& t = doc.blocks[0].table;
    EXPECT_TRUE(t.bordered);
    EXPECT_EQ(t.rows, 3);
    ASSERT_EQ(t.columnWidths.size(), 3u);
    EXPECT_DOUBLE_EQ(t.columnWidths[0], 45);
    ASSERT_EQ(t.cells.size(), 7u);
    EXPECT_EQ(t.cells[1].columnSpan, 2);
    EXPECT_EQ(t.cells[2].rowSpan, 2);
    // The cell after a row-spanning one moves to the next free column.
    EXPECT_EQ(t.cells[5].row, 2);
    EXPECT_EQ(t.cells[5].column, 1);
    EXPECT_EQ(Cp1251ToUtf8(t.cells[6].paragraphs.at(0).text), "г");
}

TEST(HtmlTables, BordersFromStylesAndTheirAbsence) {
    struct Case {
        const char* table;
        bool bordered;
    } cases[] = {{"<table>", false},
                 {"<table border=\"0\">", false},
                 {"<table style=\"border: 1px solid black\">", true},
                 {"<table style=\"border-collapse: collapse\">", false},
                 {"<table><tr><td style=\"border:none\">x</td></tr></table><table "
                  "style=\"border:0\">",
                  false}};
    for (const Case& c : cases) {
        FlowDocument doc;
        ASSERT_TRUE(ReadHtml(std::string("<body>") + c.table + "<tr><td>x</td></tr></table></body>",
                             doc, nullptr));
        ASSERT_FALSE(doc.blocks.empty()) << c.table;
        for (const FlowBlock& b : doc.blocks)
            EXPECT_EQ(b.table.bordered, c.bordered) << c.table;
    }
}

TEST(HtmlDetection, MarkupIsToldFromTheStart) {
    EXPECT_TRUE(LooksLikeHtml("<!DOCTYPE html><html>"));
    EXPECT_TRUE(LooksLikeHtml("\xEF\xBB\xBF  <!-- saved --><HTML><body>x</body></HTML>"));
    EXPECT_TRUE(LooksLikeHtml("<meta charset=utf-8><p>x"));
    EXPECT_FALSE(LooksLikeHtml("Закон о порядке <html> в тексте"));
    EXPECT_FALSE(LooksLikeHtml(""));
    EXPECT_FALSE(LooksLikeHtml("<!-- unterminated"));
}

TEST(HtmlBadInput, DeepNestingEndsWithAMessage) {
    std::string html = "<body>";
    for (int i = 0; i < 5000; ++i)
        html += "<div><span>";
    html += "x";
    FlowDocument doc;
    std::string error;
    // libxml2 stops at its own depth limit or the reader at its own; neither crashes.
    const bool ok = ReadHtml(html, doc, &error);
    if (!ok) {
        EXPECT_FALSE(error.empty());
    }
}

TEST(HtmlBadInput, HugeTableIsRefused) {
    std::string html = "<body><table>";
    for (int i = 0; i < FormatLimits::kMaxTableRows + 1; ++i)
        html += "<tr><td>x";
    FlowDocument doc;
    std::string error;
    EXPECT_FALSE(ReadHtml(html, doc, &error));
    EXPECT_EQ(error, "таблица страницы слишком велика"_cp);
    EXPECT_TRUE(doc.blocks.empty());

    html = "<body><table><tr><td colspan=\"999\">a<td colspan=\"999\">b</table>";
    EXPECT_FALSE(ReadHtml(html, doc, &error));
}

TEST(HtmlBadInput, TagSoupAndBinaryAreReadWithoutCrash) {
    for (const std::string& page :
         {std::string("<p><b>незакрытый <i>текст</p></b><td>ячейка вне таблицы"),
          std::string("\0\1\2<html>\xFF\xFE", 9), std::string("<<<>>>&&&;"),
          std::string(
              "<table><tr><td><table><tr><td>вложенная</td></tr></table></td></tr></table>")}) {
        FlowDocument doc;
        ReadHtml(page, doc, nullptr);
    }
    SUCCEED();
}

} // namespace
} // namespace norvak
