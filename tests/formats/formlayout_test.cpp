// The layout of paragraphs into the fixed-width form: each rule on a small document, the
// markup's view of the result, and the invariants on generated documents.

#include "formatstest.h"

#include "core/textcore.h"
#include "formats/paragraphtext.h"

#include <random>

namespace norvak {
namespace {
using test::Para;
using test::Shown;

LayoutOptions Narrow() {
    LayoutOptions o;
    o.stringLength = 40;
    o.posParagraph = 5;
    o.leftSpaces = 10;
    return o;
}

struct LayoutCase {
    const char* name;
    std::vector<FlowParagraph> paragraphs;
    std::vector<std::string> expected; // UTF-8
};

class LayoutRules : public testing::TestWithParam<LayoutCase> {};

TEST_P(LayoutRules, LinesAreAsWritten) {
    FlowDocument doc;
    for (const FlowParagraph& p : GetParam().paragraphs)
        doc.Add(p);
    EXPECT_EQ(Shown(LayOutDocument(doc, Narrow()).lines), GetParam().expected);
}

const std::string kLong = "Первый второй третий четвертый пятый шестой седьмой восьмой";

INSTANTIATE_TEST_SUITE_P(
    Rules, LayoutRules,
    testing::Values(
        LayoutCase{"centred_wrapped_within_the_margins",
                   {Para("Закон о порядке выезда из Российской Федерации", FlowAlign::Centre)},
                   {"       Закон о порядке выезда из", "          Российской Федерации"}},
        LayoutCase{"centred_paragraphs_stand_between_blank_lines",
                   {Para("Текст."), Para("ЗАГОЛОВОК", FlowAlign::Centre), Para("Текст.")},
                   {"Текст.", "", "               ЗАГОЛОВОК", "", "Текст."}},
        LayoutCase{"right_aligned_lines_end_at_the_margin",
                   {Para("Утвержден приказом министра от 1 июня 2004 г.", FlowAlign::Right)},
                   {"          Утвержден приказом министра от",
                    "                          1 июня 2004 г."}},
        LayoutCase{"a_run_of_right_aligned_paragraphs_is_one_block",
                   {Para("Текст."), Para("УТВЕРЖДЕНО", FlowAlign::Right),
                    Para("приказом", FlowAlign::Right), Para("Текст.")},
                   {"Текст.", "", "                              УТВЕРЖДЕНО",
                    "                                приказом", "", "Текст."}},
        LayoutCase{"justified_with_the_first_line_indent",
                   {Para(kLong, FlowAlign::Justify, 36)},
                   {"     Первый   второй   третий  четвертый", "пятый шестой седьмой восьмой"}},
        LayoutCase{"left_wrapped_without_spreading",
                   {Para(kLong)},
                   {"Первый второй третий четвертый пятый", "шестой седьмой восьмой"}},
        LayoutCase{
            "small_indents_are_none_large_ones_at_most_pos_paragraph",
            {Para("Раз два.", FlowAlign::Left, 9), Para("Три четыре.", FlowAlign::Left, 200)},
            {"Раз два.", "     Три четыре."}},
        LayoutCase{"hanging_indent_counts_from_the_left_indent",
                   {Para(kLong, FlowAlign::Left, -36, 36)},
                   {"Первый второй третий четвертый пятый", "     шестой седьмой восьмой"}},
        LayoutCase{
            "padding_parts_left_and_right_text",
            {Para("Президент\u00A0\u00A0\u00A0\u00A0\u00A0\u00A0Б.Ельцин", FlowAlign::Justify)},
            {"Президент                       Б.Ельцин"}},
        LayoutCase{"a_tab_parts_left_and_right_text",
                   {Para("Москва\t1 июня 2004 г.")},
                   {"Москва                    1 июня 2004 г."}},
        LayoutCase{
            "left_and_right_that_do_not_fit_go_on_lines_of_their_own",
            {Para("Председатель Правительства Российской\tИ.И.Иванов")},
            {"Председатель Правительства Российской", "                              И.И.Иванов"}},
        LayoutCase{"non_breaking_spaces_hold_words_together",
                   {Para("Статья один два три четыре пять 19\u00A0февраля")},
                   {"Статья один два три четыре пять", "19 февраля"}},
        LayoutCase{
            "words_joined_too_long_for_a_line_break_at_the_non_breaking_spaces",
            {Para("Изменения: от\u00A030.12.2015\u00A0№\u00A0462-ФЗ)\u00A0(В\u00A0редакции"
                  "\u00A0от\u00A003.07.2016\u00A0№\u00A0291-ФЗ)",
                  FlowAlign::Justify)},
            {"Изменения:  от  30.12.2015  № 462-ФЗ) (В", "редакции от 03.07.2016 № 291-ФЗ)"}},
        LayoutCase{"hard_breaks_end_lines_and_pieces_are_not_spread",
                   {Para("Председатель Правительства\nРоссийской Федерации", FlowAlign::Justify)},
                   {"Председатель Правительства", "Российской Федерации"}},
        LayoutCase{"bold_section_heading_is_centred",
                   {[] {
                       FlowParagraph p = Para("Глава 1. Общие положения");
                       p.bold = true;
                       return p;
                   }()},
                   {"        Глава 1. Общие положения"}},
        LayoutCase{"empty_paragraphs_are_blank_lines",
                   {Para("Раз."), Para("\u00A0"), Para("Два.")},
                   {"Раз.", "", "Два."}},
        LayoutCase{"a_word_longer_than_the_line_stands_alone",
                   {Para("Очень-очень-очень-длинное-слово-без-пробелов-внутри конец",
                         FlowAlign::Justify, 36)},
                   {"Очень-очень-очень-длинное-слово-без-пробелов-внутри", "конец"}}),
    [](const auto& c) { return std::string(c.param.name); });

TEST(LayoutMarkup, CentredAndRightLinesPassTheStagesTests) {
    LayoutOptions o; // the defaults the markup uses
    FlowDocument doc;
    doc.Add(Para("Федеральный закон о внесении изменений в отдельные законодательные акты "
                 "Российской Федерации",
                 FlowAlign::Centre));
    doc.Add(Para("Принят Государственной Думой 19 февраля 1997 года и одобрен Советом "
                 "Федерации",
                 FlowAlign::Right));
    const LineList lines = LayOutDocument(doc, o).lines;
    int centred = 0, right = 0;
    for (const std::string& l : lines) {
        if (IsBlankLine(l))
            continue;
        if (CountLeadingSpaces(l) < o.leftSpaces) {
            EXPECT_TRUE(IsCentredLine(l, o.posParagraph, o.stringLength)) << l;
            ++centred;
        } else if (static_cast<int>(l.size()) == o.stringLength) {
            ++right;
        } else {
            EXPECT_TRUE(IsCentredLine(l, o.posParagraph, o.stringLength)) << l;
            ++centred;
        }
    }
    EXPECT_EQ(centred, 2);
    EXPECT_EQ(right, 2);
}

TEST(LayoutMarkup, ReplacedCharactersAreReportedOnTheirLine) {
    FlowDocument doc;
    doc.Add(Para("Раз."));
    FlowParagraph p = Para("Два.");
    p.replaced = 3;
    doc.Add(p);
    const LaidOutText out = LayOutDocument(doc, LayoutOptions());
    ASSERT_EQ(out.replaced.size(), 1u);
    EXPECT_EQ(out.replaced[0].line, 1u);
    EXPECT_EQ(out.replaced[0].count, 3u);
}

// Generated documents of random words, alignments, indents, gaps, breaks and tables.
FlowDocument RandomDocument(std::mt19937& rng) {
    static const char* const kWords[] = {
        "и",
        "в",
        "закон",
        "Российской",
        "Федерации",
        "статья",
        "7.1",
        "постановление",
        "N",
        "60-ФЗ",
        "государственной",
        "очень-длинное-слово-из-многих-частей-которое-не-помещается"};
    auto word = [&] { return std::string(kWords[rng() % std::size(kWords)]); };
    auto text = [&](int most) {
        std::string t;
        const int n = 1 + static_cast<int>(rng() % most);
        for (int i = 0; i < n; ++i) {
            if (i) {
                const int k = static_cast<int>(rng() % 20);
                t += k == 0   ? "\n"
                     : k == 1 ? "\t"
                     : k == 2 ? "\u00A0\u00A0\u00A0\u00A0\u00A0"
                     : k <= 5 ? "\u00A0"
                              : " ";
            }
            t += word();
        }
        return Utf8ToCp1251(t);
    };
    FlowDocument doc;
    const int blocks = 1 + static_cast<int>(rng() % 30);
    for (int b = 0; b < blocks; ++b) {
        if (rng() % 6 == 0) {
            FlowTable t;
            const int cols = 1 + static_cast<int>(rng() % 5);
            t.rows = 1 + static_cast<int>(rng() % 4);
            for (int c = 0; c < cols; ++c)
                t.columnWidths.push_back(1 + rng() % 100);
            t.bordered = rng() % 3 != 0;
            for (int r = 0; r < t.rows; ++r)
                for (int c = 0; c < cols; ++c) {
                    FlowCell cell;
                    cell.row = r;
                    cell.column = c;
                    if (rng() % 5 == 0 && c + 1 < cols)
                        cell.columnSpan = 2;
                    if (rng() % 5 == 0 && r + 1 < t.rows)
                        cell.rowSpan = 2;
                    FlowParagraph p;
                    p.text = text(8);
                    cell.paragraphs.push_back(p);
                    t.cells.push_back(cell);
                    c += cell.columnSpan - 1;
                }
            doc.Add(t);
            continue;
        }
        FlowParagraph p;
        p.text = text(40);
        p.align = static_cast<FlowAlign>(rng() % 4);
        p.firstIndentPt = static_cast<double>(rng() % 80) - 20;
        p.leftIndentPt = static_cast<double>(rng() % 60);
        p.bold = rng() % 4 == 0;
        doc.Add(p);
    }
    return doc;
}

TEST(LayoutInvariants, GeneratedDocumentsKeepTheirWordsTheWidthAndTheirFrames) {
    std::mt19937 rng(20260);
    for (int round = 0; round < 300; ++round) {
        const FlowDocument doc = RandomDocument(rng);
        LayoutOptions o;
        o.stringLength = 30 + static_cast<int>(rng() % 50);
        const LineList lines = LayOutDocument(doc, o).lines;
        const std::string what = "round " + std::to_string(round);
        test::ExpectLayoutInvariants(lines, o.stringLength, what);
        // Paragraph words in order; borderless tables put their words outside frames too, so
        // compare with the paragraphs only when the document has no table.
        bool tables = false;
        for (const FlowBlock& b : doc.blocks)
            tables = tables || b.isTable;
        if (!tables) {
            EXPECT_EQ(test::WordsOutsideFrames(lines), test::ParagraphWords(doc)) << what;
        }
        if (HasFailure())
            break;
    }
}

struct PlainCase {
    const char* name;
    const char* line;
    FlowAlign align;
};

class ParagraphTextRules : public testing::TestWithParam<PlainCase> {};

TEST_P(ParagraphTextRules, LineGetsItsAlignment) {
    const FlowDocument doc = ParagraphsFromLines({Utf8ToCp1251(GetParam().line)}, 66, 5);
    ASSERT_EQ(doc.blocks.size(), 1u);
    EXPECT_EQ(doc.blocks[0].paragraph.align, GetParam().align);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, ParagraphTextRules,
    testing::Values(
        PlainCase{"capitals_centred", "РОССИЙСКАЯ ФЕДЕРАЦИЯ", FlowAlign::Centre},
        PlainCase{"chapter_centred", "Глава 1. Общие положения", FlowAlign::Centre},
        PlainCase{"section_with_roman_numeral", "РАЗДЕЛ I", FlowAlign::Centre},
        PlainCase{"code_title_centred", "Воздушный кодекс Российской Федерации", FlowAlign::Centre},
        PlainCase{"long_code_title_centred",
                  "Кодекс административного судопроизводства Российской Федерации",
                  FlowAlign::Centre},
        PlainCase{"note_naming_a_code_justified",
                  "(С учетом постановлений Конституционного Суда по делам о Кодексе)",
                  FlowAlign::Justify},
        PlainCase{"adopted_right", "Принят Государственной Думой 19 февраля 1997 года",
                  FlowAlign::Right},
        PlainCase{"approved_right", "Одобрен Советом Федерации 5 марта 1997 года",
                  FlowAlign::Right},
        PlainCase{"capitals_with_full_stop_justified", "ОБЩИЕ ПОЛОЖЕНИЯ.", FlowAlign::Justify},
        PlainCase{"word_beginning_like_a_heading_justified",
                  "Главным условием является соблюдение закона", FlowAlign::Justify},
        PlainCase{"ordinary_line_justified", "1. Настоящий Кодекс устанавливает правовые основы.",
                  FlowAlign::Justify}),
    [](const auto& c) { return std::string(c.param.name); });

TEST(ParagraphText, TheSubjectOfAnActIsCentredOnlyBelowItsHead) {
    struct Case {
        const char* name;
        std::vector<const char*> lines;
        FlowAlign last; // of the last line
    };
    const Case cases[] = {
        {"nominal: below the kind",
         {"ФЕДЕРАЛЬНЫЙ ЗАКОН", "", "О минимальном размере оплаты труда"},
         FlowAlign::Centre},
        {"nominal: longer than a centred line",
         {"ФЕДЕРАЛЬНЫЙ ЗАКОН", "О профессиональных союзах, их правах и гарантиях деятельности"},
         FlowAlign::Centre},
        {"edge: \"Об\"", {"УКАЗ", "Об утверждении Положения"}, FlowAlign::Centre},
        {"edge: first line of the text",
         {"О минимальном размере оплаты труда"},
         FlowAlign::Justify},
        {"robustness: in the body, after a paragraph",
         {"ФЕДЕРАЛЬНЫЙ ЗАКОН", "Статья 1. Установить размер оплаты.",
          "О порядке применения см. статью 2"},
         FlowAlign::Justify},
        {"robustness: a word that only begins with \"О\"",
         {"ФЕДЕРАЛЬНЫЙ ЗАКОН", "Органы власти субъектов Российской Федерации"},
         FlowAlign::Justify},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LineList lines;
        for (const char* l : c.lines)
            lines.push_back(Utf8ToCp1251(l));
        const FlowDocument doc = ParagraphsFromLines(lines, 66, 5);
        ASSERT_EQ(doc.blocks.size(), lines.size());
        EXPECT_EQ(doc.blocks.back().paragraph.align, c.last);
    }
}

TEST(ParagraphText, LayoutIsToldFromLineLengths) {
    const std::string fixed(60, 'x');
    EXPECT_FALSE(IsParagraphPerLine({fixed, fixed, "", fixed}, 66));
    EXPECT_TRUE(IsParagraphPerLine({fixed, std::string(140, 'x')}, 66));
    LineList some(20, fixed);
    some[3] = std::string(80, 'x');
    EXPECT_FALSE(IsParagraphPerLine(some, 66)) << "one long line in twenty is a fixed layout";
    some[4] = some[5] = some[3];
    EXPECT_TRUE(IsParagraphPerLine(some, 66));
    EXPECT_FALSE(IsParagraphPerLine({}, 66));
}

} // namespace
} // namespace norvak
