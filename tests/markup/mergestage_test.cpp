#include "markup/mergestage.h"

#include "markuptest.h"

#include <gtest/gtest.h>

namespace norvak::test {
namespace {

std::vector<StageCase> MergeCases() {
    const std::string closingCR = ClosingLine() + "\r";
    const std::string openingCR = "\r" + OpeningLine(TagCode::PRV);
    return {
        {"nominal: two ПРВ blocks separated by two blank lines become one, keeping the blanks",
         Lines({"<ПРВ>"_cp, "a", "</>", "", "", "<ПРВ>"_cp, "b", "</>"}),
         Lines({"<ПРВ>"_cp, "a", "", "", "b", "</>"})},
        {"nominal: blocks directly after each other are merged",
         Lines({"<ПРВ>"_cp, "a", "</>", "<ПРВ>"_cp, "b", "</>"}),
         Lines({"<ПРВ>"_cp, "a", "b", "</>"})},
        {"nominal: a text line between two ПРВ blocks prevents merging",
         Lines({"<ПРВ>"_cp, "a", "</>", "text", "<ПРВ>"_cp, "b", "</>"}),
         Lines({"<ПРВ>"_cp, "a", "</>", "text", "<ПРВ>"_cp, "b", "</>"})},
        {"nominal: a ЗАГ block followed by a ПРВ block is not merged",
         Lines({"<ЗАГ>"_cp, "a", "</>", "", "<ПРВ>"_cp, "b", "</>"}),
         Lines({"<ЗАГ>"_cp, "a", "</>", "", "<ПРВ>"_cp, "b", "</>"})},
        {"nominal: three ПРВ blocks in a row become a single block",
         Lines(
             {"<ПРВ>"_cp, "a", "</>", "", "<ПРВ>"_cp, "b", "</>", "", "<ПРВ>"_cp, "c", "</>", ""}),
         Lines({"<ПРВ>"_cp, "a", "", "b", "", "c", "</>", ""})},
        {"nominal: every one of the eight kinds is merged with its own kind",
         Lines({"<ТТТ>"_cp, "a", "</>", "<ТТТ>"_cp, "b", "</>", "<НФТ>"_cp, "c", "</>", "<НФТ>"_cp,
                "d", "</>"}),
         Lines({"<ТТТ>"_cp, "a", "b", "</>", "<НФТ>"_cp, "c", "d", "</>"})},
        {"nominal: tables of contents are not merged",
         Lines({"<ОГЛ>"_cp, "a", "</КОН>"_cp, "", "<ОГЛ>"_cp, "b", "</КОН>"_cp}),
         Lines({"<ОГЛ>"_cp, "a", "</КОН>"_cp, "", "<ОГЛ>"_cp, "b", "</КОН>"_cp})},
        {"nominal: blank lines of carriage returns and spaces do not separate blocks",
         Lines({"<ПРВ>"_cp, "a", closingCR, " \r", openingCR, "b", "</>"}),
         Lines({"<ПРВ>"_cp, "a", " \r", "b", "</>"})},
        {"nominal: a link line between two blocks prevents merging",
         Lines({"<ПРВ>"_cp, "a", "</>", "\x04\x04СС_1_2"_cp, "<ПРВ>"_cp, "b", "</>"}),
         Lines({"<ПРВ>"_cp, "a", "</>", "\x04\x04СС_1_2"_cp, "<ПРВ>"_cp, "b", "</>"})},
        {"fixed: a stray opening inside a merged block deletes no text line",
         Lines({"<ПРВ>"_cp, "a", "</>", "", "<ПРВ>"_cp, "<ПРВ>"_cp, "b", "</>"}),
         Lines({"<ПРВ>"_cp, "a", "", "<ПРВ>"_cp, "b", "</>"})},
        {"robustness: a closing line before any opening is left alone",
         Lines({"</>", "", "<ПРВ>"_cp, "a", "</>"}), Lines({"</>", "", "<ПРВ>"_cp, "a", "</>"})},
        {"robustness: an empty text", {}, {}},
    };
}

TEST(MergeStage, Cases) {
    ExpectStageCases(MergeCases(), [](StageCase& c) { RunMergeStage(c.input); });
}

} // namespace
} // namespace norvak::test
