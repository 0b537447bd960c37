// Bordered tables drawn as frames: widths shared by the grid, cell text wrapped inside its
// cell, spans and merges joined, and the frames stage recognising every frame.

#include "formatstest.h"

#include "formats/tableframe.h"

namespace norvak {
namespace {
using test::Para;
using test::Shown;

FlowCell Cell(int row, int column, const char* utf8, int columnSpan = 1, int rowSpan = 1) {
    FlowCell c;
    c.row = row;
    c.column = column;
    c.columnSpan = columnSpan;
    c.rowSpan = rowSpan;
    c.paragraphs.push_back(Para(utf8));
    return c;
}

struct ShareCase {
    const char* name;
    std::vector<double> weights;
    std::vector<int> minimum;
    int total;
    std::vector<int> expected;
};

class ShareColumnsCases : public testing::TestWithParam<ShareCase> {};

TEST_P(ShareColumnsCases, Widths) {
    const ShareCase& c = GetParam();
    EXPECT_EQ(ShareColumns(c.weights, c.minimum, c.total), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ShareColumnsCases,
    testing::Values(
        ShareCase{"in_proportion", {1, 2, 1}, {1, 1, 1}, 40, {10, 20, 10}},
        ShareCase{"longest_word_wins_where_it_fits", {1, 9}, {8, 1}, 20, {8, 12}},
        ShareCase{"minimums_too_wide_fall_back_to_proportion", {1, 1}, {30, 30}, 20, {10, 10}},
        ShareCase{"no_weights_share_equally", {0, 0, 0, 0}, {}, 8, {2, 2, 2, 2}},
        ShareCase{"too_many_columns", {1, 1, 1}, {}, 2, {}},
        ShareCase{"no_columns", {}, {}, 10, {}}),
    [](const auto& c) { return std::string(c.param.name); });

TEST(TableFrame, SimpleTableIsDrawnAsTheDosTextsDrawIt) {
    FlowTable t;
    t.columnWidths = {1, 3};
    t.rows = 2;
    t.bordered = true;
    t.cells = {Cell(0, 0, "Код"), Cell(0, 1, "Показатель"), Cell(1, 0, "01"),
               Cell(1, 1, "Численность работников списочного состава")};
    const std::vector<std::string> expected = {
        "┌─────────┬────────────────────────────┐", "│Код      │Показатель                  │",
        "├─────────┼────────────────────────────┤", "│01       │Численность работников      │",
        "│         │списочного состава          │", "└─────────┴────────────────────────────┘"};
    EXPECT_EQ(Shown(DrawTableFrame(t, 40)), expected);
}

TEST(TableFrame, SpansAndMergesAreJoinedCells) {
    FlowTable t;
    t.columnWidths = {1, 1, 1};
    t.rows = 3;
    t.bordered = true;
    t.cells = {Cell(0, 0, "Вид", 1, 2), Cell(0, 1, "Сроки", 2), Cell(1, 1, "с"), Cell(1, 2, "по"),
               Cell(2, 0, "Итого", 3)};
    const std::vector<std::string> expected = {
        "┌────────┬─────────────────┐", "│Вид     │Сроки            │",
        "│        ├────────┬────────┤", "│        │с       │по      │",
        "├────────┴────────┴────────┤", "│Итого                     │",
        "└──────────────────────────┘"};
    EXPECT_EQ(Shown(DrawTableFrame(t, 28)), expected);
}

TEST(TableFrame, EveryLineHasTheWidthAndTheFramesStageTagsIt) {
    FlowTable t;
    t.columnWidths = {5, 1, 1, 1};
    t.rows = 3;
    t.bordered = true;
    t.cells = {Cell(0, 0, "Очень длинный текст ячейки, который переносится", 1, 3), Cell(0, 1, "а"),
               Cell(1, 2, "б", 2), Cell(2, 3, "в")};
    for (int width : {20, 40, 66}) {
        LineList frame = DrawTableFrame(t, width);
        ASSERT_FALSE(frame.empty()) << width;
        for (const std::string& l : frame)
            EXPECT_EQ(static_cast<int>(l.size()), width);
        frame.insert(frame.end(), 4, "");
        EXPECT_EQ(RunFramedTablesStage(frame), 1u) << width;
    }
}

TEST(TableFrame, WordsWiderThanTheirCellAreCut) {
    FlowTable t;
    t.columnWidths = {1, 1};
    t.rows = 1;
    t.bordered = true;
    t.cells = {Cell(0, 0, "Сверхдлинноеслово"), Cell(0, 1, "да")};
    const LineList frame = DrawTableFrame(t, 12);
    ASSERT_FALSE(frame.empty());
    std::string joined;
    for (const std::string& l : frame)
        if (l[0] == kFrameVertical)
            joined += l.substr(1, l.find(kFrameVertical, 1) - 1);
    std::string letters;
    for (char c : joined)
        if (c != ' ')
            letters += c;
    EXPECT_EQ(Cp1251ToUtf8(letters), "Сверхдлинноеслово");
}

TEST(TableFrame, ColumnsThatCannotFitGiveNoFrame) {
    FlowTable t;
    t.rows = 1;
    t.bordered = true;
    t.columnWidths.assign(40, 1.0);
    EXPECT_TRUE(DrawTableFrame(t, 66).empty());
    FlowDocument doc;
    doc.Add(t);
    // The layout then writes the cells as text instead of a broken frame.
    test::ExpectLayoutInvariants(LayOutDocument(doc, LayoutOptions()).lines, 66, "40 columns");
}

TEST(TableFrame, BorderlessTablePlacesCellsLeftAndRight) {
    FlowTable t;
    t.columnWidths = {3, 2};
    t.rows = 1;
    t.cells = {Cell(0, 0, "Председатель Правительства\nРоссийской Федерации"),
               Cell(0, 1, "М.Касьянов")};
    FlowDocument doc;
    doc.Add(t);
    const std::vector<std::string> expected = {
        "Председатель Правительства",
        "Российской Федерации                                    М.Касьянов"};
    EXPECT_EQ(Shown(LayOutDocument(doc, LayoutOptions()).lines), expected);
}

} // namespace
} // namespace norvak
