#include "markup/centredstage.h"

#include "markuptest.h"

#include <gtest/gtest.h>

namespace norvak::test {
namespace {

const std::string kText{"Текст."_cp};
const std::string kCentre1 = Centred("Приложение к порядку"_cp);
const std::string kCentre2 = Centred("учета и отчетности"_cp);

std::vector<StageCase> CentredCases() {
    // 6 leading spaces and 44 characters: 50 in all, right gap 16.
    const std::string six = Pad(6, std::string(44, 'x'));
    const std::string five = Pad(5, std::string(45, 'x'));
    return {
        {"nominal: a 50-character line with 6 leading spaces between blank lines is tagged",
         Lines({kText, "", six, "", kText}), Lines({kText, "", "<ЦНТ>"_cp, six, "</>", "", kText})},
        {"nominal: with 5 leading spaces it is not", Lines({kText, "", five, "", kText}),
         Lines({kText, "", five, "", kText})},
        {"nominal: a centred paragraph of several lines becomes one block",
         Lines({"", kCentre1, kCentre2, "", kText}),
         Lines({"", "<ЦНТ>"_cp, kCentre1, kCentre2, "</>", "", kText})},
        {"nominal: paragraphs separated by single blank lines each get a block",
         Lines({"", kCentre1, "", kCentre2, "", kText}),
         Lines({"", "<ЦНТ>"_cp, kCentre1, "</>", "", "<ЦНТ>"_cp, kCentre2, "</>", "", kText})},
        {"nominal: a line longer than StringLength is centred only through its trailing spaces",
         Lines(
             {"", Pad(10, std::string(54, 'x'), 6), "", "", Pad(10, std::string(55, 'x'), 5), ""}),
         Lines({"", "<ЦНТ>"_cp, Pad(10, std::string(54, 'x'), 6), "</>", "", "",
                Pad(10, std::string(55, 'x'), 5), ""})},
        {"nominal: the last paragraph without a blank line after it stays untagged",
         Lines({kText, "", kCentre1}), Lines({kText, "", kCentre1})},
        {"nominal: the first line of the text never begins a block", Lines({kCentre1, "", kText}),
         Lines({kCentre1, "", kText})},
        {"nominal: a centred run ended by an ordinary line is dropped",
         Lines({"", kCentre1, kText, ""}), Lines({"", kCentre1, kText, ""})},
        {"nominal: centred lines inside a ЗАГ block are not tagged again",
         Lines({"", "<ЗАГ>"_cp, kCentre1, "", kCentre2, "</>", "", kText}),
         Lines({"", "<ЗАГ>"_cp, kCentre1, "", kCentre2, "</>", "", kText})},
        {"nominal: a centred paragraph right after a ПРВ closing line is not tagged",
         Lines({"", "<ПРВ>"_cp, RightAt("Приложение"_cp), "</>", kCentre1, "", kText}),
         Lines({"", "<ПРВ>"_cp, RightAt("Приложение"_cp), "</>", kCentre1, "", kText})},
        {"nominal: a blank line after a block's closing line lets centred text be tagged",
         Lines({"<ПРВ>"_cp, RightAt("Приложение"_cp), "</>", "", kCentre1, "", kText}),
         Lines({"<ПРВ>"_cp, RightAt("Приложение"_cp), "</>", "", "<ЦНТ>"_cp, kCentre1, "</>", "",
                kText})},
        {"fixed: a ЗАГ block that interrupts a centred run is passed over whole",
         Lines({"", kCentre1, "<ЗАГ>"_cp, kCentre2, "", kCentre2, "", "</>", "", kText}),
         Lines({"", kCentre1, "<ЗАГ>"_cp, kCentre2, "", kCentre2, "", "</>", "", kText})},
        {"fixed: a НФТ block met after a blank line is passed over whole",
         Lines({"", "<НФТ>"_cp, "", kCentre1, "", "</>", "", kText}),
         Lines({"", "<НФТ>"_cp, "", kCentre1, "", "</>", "", kText})},
        {"fixed: inside a ЗАГ block a closing line is the only way out",
         Lines({"", "<ЗАГ>"_cp, "", "<НФТ>"_cp, "", kCentre1, "", "</>", "", kCentre2, ""}),
         Lines({"", "<ЗАГ>"_cp, "", "<НФТ>"_cp, "", kCentre1, "", "</>", "", "<ЦНТ>"_cp, kCentre2,
                "</>", ""})},
        {"nominal: carriage returns around a centred line are ignored, trailing spaces count",
         Lines({"\r", "\r" + kCentre1 + "   \r", "\r", kText}),
         Lines({"\r", "<ЦНТ>"_cp, "\r" + kCentre1 + "   \r", "</>", "\r", kText})},
        {"robustness: an empty text", {}, {}},
        {"robustness: a full-width body between blank lines", Lines({"", Body(), ""}),
         Lines({"", Body(), ""})},
    };
}

TEST(CentredStage, Cases) {
    ExpectStageCases(CentredCases(), [](StageCase& c) { RunCentredStage(c.input, 5, 66); });
}

TEST(CentredStage, CentredLineUsesTheLayoutNumbers) {
    EXPECT_TRUE(IsCentredLine(Pad(6, std::string(44, 'x')), 5, 66));
    EXPECT_FALSE(IsCentredLine(Pad(5, std::string(45, 'x')), 5, 66));
    // 6 + 60 = 66 characters: no gap at 66, a gap of 14 at 80.
    EXPECT_TRUE(IsCentredLine(Pad(6, std::string(60, 'x')), 5, 80));
    EXPECT_FALSE(IsCentredLine(Pad(6, std::string(60, 'x')), 5, 66));
    // Tabs are ordinary characters: a tab-indented line is not centred.
    EXPECT_FALSE(IsCentredLine("\t\t\tЦЕНТР"_cp, 5, 66));
}

} // namespace
} // namespace norvak::test
