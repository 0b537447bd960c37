#include "markup/alignstages.h"

#include "markuptest.h"

#include <gtest/gtest.h>

namespace norvak::test {
namespace {

// ---------------------------------------------------------------- right-aligned blocks (ПРВ)

const std::string kStamp1 = RightAt("Приложение N 1"_cp);
const std::string kStamp2 = RightAt("к приказу от 1 мая 2000 г."_cp);

std::vector<StageCase> RightAlignedCases() {
    const std::string text{"Текст."_cp};
    return {
        {"nominal: a paragraph at the very start of the text is tagged",
         Lines({kStamp1, kStamp2, "", text}),
         Lines({"<ПРВ>"_cp, kStamp1, kStamp2, "</>", "", text})},
        {"nominal: a paragraph after a blank line is tagged, closing directly before the blank",
         Lines({text, "", kStamp1, kStamp2, "", text}),
         Lines({text, "", "<ПРВ>"_cp, kStamp1, kStamp2, "</>", "", text})},
        {"nominal: a paragraph not preceded by a blank line is not tagged",
         Lines({text, kStamp1, ""}), Lines({text, kStamp1, ""})},
        {"nominal: 19 leading spaces are too few with the default LeftSpaces",
         Lines({"", Pad(19, std::string(47, 'x'))}), Lines({"", Pad(19, std::string(47, 'x'))})},
        {"nominal: exactly LeftSpaces leading spaces start a block",
         Lines({"", Pad(20, std::string(46, 'x')), ""}),
         Lines({"", "<ПРВ>"_cp, Pad(20, std::string(46, 'x')), "</>", ""})},
        {"nominal: a following left-margin line of another length closes the block before it",
         Lines({"", kStamp1, text, kStamp2}),
         Lines({"", "<ПРВ>"_cp, kStamp1, "</>", text, kStamp2})},
        {"nominal: a following indented line of another length drops the block",
         Lines({"", kStamp1, Pad(5, text), ""}), Lines({"", kStamp1, Pad(5, text), ""})},
        {"nominal: a line one character short neither starts a block",
         Lines({"", RightAt("Приложение"_cp, 65), ""}),
         Lines({"", RightAt("Приложение"_cp, 65), ""})},
        {"nominal: nor continues one (it is indented, so the block is dropped)",
         Lines({"", kStamp1, RightAt("Приложение"_cp, 65), ""}),
         Lines({"", kStamp1, RightAt("Приложение"_cp, 65), ""})},
        {"nominal: a full-length line with too few leading spaces drops the block",
         Lines({"", kStamp1, Body(), ""}), Lines({"", kStamp1, Body(), ""})},
        {"nominal: a block still open at the end of the text is closed after the last line",
         Lines({"", kStamp1, kStamp2}), Lines({"", "<ПРВ>"_cp, kStamp1, kStamp2, "</>"})},
        {"nominal: two paragraphs separated by one blank line both get blocks",
         Lines({kStamp1, "", kStamp2, ""}),
         Lines({"<ПРВ>"_cp, kStamp1, "</>", "", "<ПРВ>"_cp, kStamp2, "</>", ""})},
        {"nominal: trailing spaces and carriage returns are not counted in the length",
         Lines({"", kStamp1 + "   \r", "\r" + kStamp2, ""}),
         Lines({"", "<ПРВ>"_cp, kStamp1 + "   \r", "\r" + kStamp2, "</>", ""})},
        {"nominal: a line of spaces and carriage returns counts as blank and ends the block",
         Lines({"", kStamp1, " \r "}), Lines({"", "<ПРВ>"_cp, kStamp1, "</>", " \r "})},
        {"quirk: the line before a start is blank only once its trailing carriage returns go, "
         "so a leading one keeps it from being blank",
         Lines({"\r  ", kStamp1, ""}), Lines({"\r  ", kStamp1, ""})},
        {"settings: StringLength 67 makes 66-character lines ordinary", Lines({"", kStamp1, ""}),
         Lines({"", kStamp1, ""}), 67},
        {"settings: StringLength 67 tags 67-character lines",
         Lines({"", RightAt("Приложение"_cp, 67), ""}),
         Lines({"", "<ПРВ>"_cp, RightAt("Приложение"_cp, 67), "</>", ""}), 67},
        {"settings: LeftSpaces 40 rejects a line with 35 leading spaces",
         Lines({"", Pad(35, std::string(31, 'x')), ""}),
         Lines({"", Pad(35, std::string(31, 'x')), ""}), 66, 40},
        {"robustness: an empty text", {}, {}},
    };
}

TEST(RightAlignedStage, Cases) {
    ExpectStageCases(RightAlignedCases(), [](StageCase& c) {
        RunRightAlignedStage(c.input, c.stringLength, c.leftSpaces);
    });
}

// ---------------------------------------------------------------- left-aligned blocks (ЛЕВ)

std::vector<StageCase> LeftAlignedCases() {
    const std::string place{"г. Москва"_cp};
    const std::string date{"1 мая 2000 года"_cp};
    return {
        {"nominal: the paragraph right after a ПРВ block is tagged",
         Lines({"<ПРВ>"_cp, kStamp1, "</>", place, date, "", Body()}),
         Lines({"<ПРВ>"_cp, kStamp1, "</>", "<ЛЕВ>"_cp, place, date, "</>", "", Body()})},
        {"nominal: a paragraph that runs to the end of the text is not tagged",
         Lines({"<ПРВ>"_cp, kStamp1, "</>", place, date}),
         Lines({"<ПРВ>"_cp, kStamp1, "</>", place, date})},
        {"nominal: a blank line after the ПРВ block means no ЛЕВ block",
         Lines({"<ПРВ>"_cp, kStamp1, "</>", "", place, ""}),
         Lines({"<ПРВ>"_cp, kStamp1, "</>", "", place, ""})},
        {"nominal: an indented first line means no ЛЕВ block",
         Lines({"<ПРВ>"_cp, kStamp1, "</>", " " + place, ""}),
         Lines({"<ПРВ>"_cp, kStamp1, "</>", " " + place, ""})},
        {"nominal: an indented line inside drops the block",
         Lines({"<ПРВ>"_cp, kStamp1, "</>", place, "  " + date, ""}),
         Lines({"<ПРВ>"_cp, kStamp1, "</>", place, "  " + date, ""})},
        {"nominal: a full-length line inside drops the block",
         Lines({"<ПРВ>"_cp, kStamp1, "</>", place, Body(), ""}),
         Lines({"<ПРВ>"_cp, kStamp1, "</>", place, Body(), ""})},
        {"nominal: trailing spaces count in the length",
         Lines({"<ПРВ>"_cp, kStamp1, "</>", place + std::string(66 - place.size(), ' '), ""}),
         Lines({"<ПРВ>"_cp, kStamp1, "</>", place + std::string(66 - place.size(), ' '), ""})},
        {"nominal: only a ПРВ block is followed by ЛЕВ", Lines({"<ЗАГ>"_cp, "X", "</>", place, ""}),
         Lines({"<ЗАГ>"_cp, "X", "</>", place, ""})},
        {"nominal: each ПРВ block gets its own ЛЕВ block",
         Lines({"<ПРВ>"_cp, kStamp1, "</>", place, "", "<ПРВ>"_cp, kStamp2, "</>", date, ""}),
         Lines({"<ПРВ>"_cp, kStamp1, "</>", "<ЛЕВ>"_cp, place, "</>", "", "<ПРВ>"_cp, kStamp2,
                "</>", "<ЛЕВ>"_cp, date, "</>", ""})},
        {"settings: StringLength 70 lets a 66-character body line into the block",
         Lines({"<ПРВ>"_cp, kStamp1, "</>", Body(), ""}),
         Lines({"<ПРВ>"_cp, kStamp1, "</>", "<ЛЕВ>"_cp, Body(), "</>", ""}), 70},
    };
}

TEST(LeftAlignedStage, Cases) {
    ExpectStageCases(LeftAlignedCases(),
                     [](StageCase& c) { RunLeftAlignedStage(c.input, c.stringLength); });
}

// ---------------------------------------------------------------- left-and-right line (ЛИП)

std::vector<StageCase> LeftRightCases() {
    const std::string gap(10, ' ');
    const std::string four = std::string("Омск"_cp) + gap + std::string("1 мая 2000 г."_cp);
    const std::string three = std::string("Уфа"_cp) + gap + std::string("1 мая 2000 г."_cp);
    return {
        {"nominal: a four-character place, ten spaces and a date make a ЛИП line",
         Lines({four, "", "Текст"_cp}), Lines({"<ЛИП>"_cp, four, "</>", "", "Текст"_cp})},
        {"nominal: a three-character place puts the run of spaces at position 3: no ЛИП",
         Lines({three, ""}), Lines({three, ""})},
        {"nominal: the second line is examined when the first does not qualify",
         Lines({"ПРИКАЗ"_cp, four, ""}), Lines({"ПРИКАЗ"_cp, "<ЛИП>"_cp, four, "</>", ""})},
        {"nominal: the third line is never examined", Lines({"A", "B", four}),
         Lines({"A", "B", four})},
        {"nominal: only the first of two qualifying lines is tagged", Lines({four, four}),
         Lines({"<ЛИП>"_cp, four, "</>", four})},
        {"nominal: leading spaces disqualify", Lines({" " + four}), Lines({" " + four})},
        {"nominal: trailing spaces disqualify", Lines({four + " "}), Lines({four + " "})},
        {"nominal: carriage returns at both ends are ignored", Lines({"\r" + four + "\r"}),
         Lines({"<ЛИП>"_cp, "\r" + four + "\r", "</>"})},
        {"robustness: a line without a run of ten spaces does not qualify",
         Lines({std::string("Омск"_cp) + std::string(9, ' ') + "1"}),
         Lines({std::string("Омск"_cp) + std::string(9, ' ') + "1"})},
        {"robustness: an empty first line does not qualify", Lines({"", four}),
         Lines({"", "<ЛИП>"_cp, four, "</>"})},
        {"robustness: an empty text", {}, {}},
    };
}

TEST(LeftRightStage, Cases) {
    ExpectStageCases(LeftRightCases(), [](StageCase& c) { RunLeftRightStage(c.input); });
}

} // namespace
} // namespace norvak::test
