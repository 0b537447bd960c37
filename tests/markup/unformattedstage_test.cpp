#include "markup/unformattedstage.h"

#include "markuptest.h"

#include <gtest/gtest.h>

namespace norvak::test {
namespace {

// Rows of a table ruled with single lines but without a complete frame.
const std::string kRuleTop = "\x16\x16\x16\x16\x18\x16\x16\x16\x16";
const std::string kRow = "  1 \x12 2 ";
const std::string kRule = "\x16\x16\x16\x16\x13\x16\x16\x16\x16";
const std::string kSum{"Итого ----- = 100"_cp};
const std::string kText{"Текст."_cp};

std::vector<StageCase> UnformattedCases() {
    const std::string kSumWithOpening = "SUM " + OpeningLine(TagCode::ZAG);
    return {
        {"nominal: a paragraph with a ruled sum is tagged, ending before its blank line",
         Lines({kText, "", "Расчет:"_cp, kSum, "", kText}),
         Lines({kText, "", "<НФТ>"_cp, "Расчет:"_cp, kSum, "</>", "", kText})},
        {"nominal: \"SUM\" anywhere in a later line makes a table signal",
         Lines({"", "Формула"_cp, "x = aSUMb", "", kText}),
         Lines({"", "<НФТ>"_cp, "Формула"_cp, "x = aSUMb", "</>", "", kText})},
        {"nominal: a top-left and a top-right corner in a later line make a table signal",
         Lines({"", "Таблица"_cp, "\x1B\x16\x16\x1A", "\x12  \x12", "", kText}),
         Lines({"", "<НФТ>"_cp, "Таблица"_cp, "\x1B\x16\x16\x1A", "\x12  \x12", "</>", "", kText})},
        {"nominal: a paragraph without a signal is not tagged",
         Lines({"", kText, "----- ", "", kText}), Lines({"", kText, "----- ", "", kText})},
        {"decision: the first line of a candidate is not tested for table signals",
         Lines({"", kSum, "", kText}), Lines({"", kSum, "", kText})},
        {"nominal: a paragraph at the top of the text is no candidate", Lines({kText, kSum, ""}),
         Lines({kText, kSum, ""})},
        {"nominal: a ruled table of four lines before a blank and a full line is not tagged",
         Lines({"", kRuleTop, kRow, kRule, kRow, "", Body()}),
         Lines({"", kRuleTop, kRow, kRule, kRow, "", Body()})},
        {"nominal: a ruled table of five lines is tagged, closing after its last line",
         Lines({"", kRuleTop, kRow, kRule, kRow, kRule, "", "", Body(), ""}),
         Lines({"", "<НФТ>"_cp, kRuleTop, kRow, kRule, kRow, kRule, "</>", "", "", Body(), ""})},
        {"nominal: a ruled table goes on over blank lines followed by short lines",
         Lines({"", kRuleTop, kRow, "", kRow, kRule, "", Body()}),
         Lines({"", "<НФТ>"_cp, kRuleTop, kRow, "", kRow, kRule, "</>", "", Body()})},
        {"settings: with StringLength 70 a 66-character line after a blank still ends the table",
         Lines({"", kRuleTop, kRow, kRule, kRow, kRule, "", Body(66), Body(70), "", kRuleTop, ""}),
         Lines({"", "<НФТ>"_cp, kRuleTop, kRow, kRule, kRow, kRule, "</>", "", Body(66), Body(70),
                "", "<НФТ>"_cp, kRuleTop, "</>", ""}),
         70},
        {"nominal: a ruled table running to the end of the text is tagged whatever its length",
         Lines({"", kRuleTop, kRow, "", ""}),
         Lines({"", "<НФТ>"_cp, kRuleTop, kRow, "</>", "", ""})},
        {"nominal: a candidate with a signal running to the end of the text is closed after it",
         Lines({"", "Расчет:"_cp, kSum}), Lines({"", "<НФТ>"_cp, "Расчет:"_cp, kSum, "</>"})},
        {"nominal: text inside a block of an earlier stage is never tagged",
         Lines({"", "<ТАБ>"_cp, "\x1B\x16\x18\x16\x1A", "\x12 SUM \x12", "", "x ----- =", "</>", "",
                kText}),
         Lines({"", "<ТАБ>"_cp, "\x1B\x16\x18\x16\x1A", "\x12 SUM \x12", "", "x ----- =", "</>", "",
                kText})},
        {"nominal: a candidate that meets an opening before its blank line is abandoned",
         Lines({"", "Расчет:"_cp, kSum, "<ЦНТ>"_cp, "ЦЕНТР"_cp, "</>", "", kText}),
         Lines({"", "Расчет:"_cp, kSum, "<ЦНТ>"_cp, "ЦЕНТР"_cp, "</>", "", kText})},
        {"quirk: a ТТТ opening is not among the blocks this stage steps over",
         Lines({"", "<ТТТ>"_cp, kSum, "", kText}),
         Lines({"", "<НФТ>"_cp, "<ТТТ>"_cp, kSum, "</>", "", kText})},
        {"fixed: an opening that ends a short ruled table is entered as a block, so the frame "
         "inside it does not start a table of its own",
         Lines({"", kRuleTop, kRow, "", "<ТАБ>"_cp, "\x1B\x16\x18\x16\x1A", "\x12 a \x12",
                "\x12 b \x12", "\x1C\x16\x19\x16\xA7", "</>", "", Body()}),
         Lines({"", kRuleTop, kRow, "", "<ТАБ>"_cp, "\x1B\x16\x18\x16\x1A", "\x12 a \x12",
                "\x12 b \x12", "\x1C\x16\x19\x16\xA7", "</>", "", Body()})},
        {"nominal: after a tagged ruled table, an opening that ended it is entered as a block",
         Lines({"", kRuleTop, kRow, kRule, kRow, kRule, "", "<ТАБ>"_cp, "\x1B\x16\x18\x16\x1A",
                "\x12 a \x12", "\x12 b \x12", "\x1C\x16\x19\x16\xA7", "</>", "", Body()}),
         Lines({"", "<НФТ>"_cp, kRuleTop, kRow, kRule, kRow, kRule, "</>", "", "<ТАБ>"_cp,
                "\x1B\x16\x18\x16\x1A", "\x12 a \x12", "\x12 b \x12", "\x1C\x16\x19\x16\xA7", "</>",
                "", Body()})},
        {"nominal: carriage returns at both ends do not hide a blank line",
         Lines({"\r", "Расчет:"_cp, kSum + "\r", "\r\r", kText}),
         Lines({"\r", "<НФТ>"_cp, "Расчет:"_cp, kSum + "\r", "</>", "\r\r", kText})},
        {"reading: a line holding a table signal and an opening abandons the candidate, the "
         "signal row setting its flag without stopping the rows after it",
         Lines({"", "Расчет:"_cp, kSumWithOpening, "x", "</>", "", kText}),
         Lines({"", "Расчет:"_cp, kSumWithOpening, "x", "</>", "", kText})},
        {"robustness: an empty text", {}, {}},
        {"robustness: a text of blank lines", Lines({"", "", ""}), Lines({"", "", ""})},
    };
}

TEST(UnformattedStage, Cases) {
    ExpectStageCases(UnformattedCases(),
                     [](StageCase& c) { RunUnformattedStage(c.input, c.stringLength); });
}

} // namespace
} // namespace norvak::test
