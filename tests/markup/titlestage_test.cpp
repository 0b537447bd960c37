#include "markup/titlestage.h"

#include "markuptest.h"

#include <gtest/gtest.h>

namespace norvak::test {
namespace {

struct Case {
    const char* name;
    LineList input;
    LineList expected;
    bool law = false;
};

const std::string kLaw = Centred("ФЕДЕРАЛЬНЫЙ ЗАКОН"_cp);
const std::string kName = Centred("О ПРОФЕССИОНАЛЬНЫХ СОЮЗАХ"_cp);
const std::string kNote = Centred("(в ред. Федерального закона от 1 мая 2000 г. N 1-ФЗ)"_cp);
const std::string kText{"Текст статьи."_cp};

std::vector<Case> TitleCases() {
    const std::string item = Centred("1. Общие положения"_cp);
    const std::string section = Centred("Раздел I"_cp);
    const std::string chapter = Centred("глава 2. ПРАВА"_cp);
    return {
        {"nominal: title lines with a blank between them, the editorial note stays outside",
         Lines({kLaw, "", kName, "", kNote, "", kText}),
         Lines({"<ЗАГ>"_cp, kLaw, "", kName, "</>", "", kNote, "", kText})},
        {"nominal: the prefixes are case-sensitive: \"(В ред. \" does not end a run",
         Lines({kLaw, Centred("(В ред. закона)"_cp), kText, ""}),
         Lines({"<ЗАГ>"_cp, kLaw, Centred("(В ред. закона)"_cp), "</>", kText, ""})},
        {"decision: a centred item line that ends a title directly is examined again after the "
         "inserted closing line and becomes a title of its own",
         Lines({kName, item, kText, ""}),
         Lines({"<ЗАГ>"_cp, kName, "</>", "<ЗАГ>"_cp, item, "</>", kText, ""})},
        {"consequence: after a title followed by a blank line, centred lines are not titles "
         "until some closing line",
         Lines({kName, "", kText, "", Centred("ЦЕНТР"_cp), "", kText}),
         Lines({"<ЗАГ>"_cp, kName, "</>", "", kText, "", Centred("ЦЕНТР"_cp), "", kText})},
        {"consequence: a title closed right before the line that ended it lets later centred "
         "lines become titles",
         Lines({kName, kText, "", Centred("ЦЕНТР"_cp), "", kText, ""}),
         Lines({"<ЗАГ>"_cp, kName, "</>", kText, "", "<ЗАГ>"_cp, Centred("ЦЕНТР"_cp), "</>", "",
                kText, ""})},
        {"nominal: lines inside a ПРВ block are never titles",
         Lines({"<ПРВ>"_cp, Centred("УТВЕРЖДЕНО"_cp), "</>", kText}),
         Lines({"<ПРВ>"_cp, Centred("УТВЕРЖДЕНО"_cp), "</>", kText})},
        {"nominal: lines inside a ЛИП block are never titles",
         Lines({"<ЛИП>"_cp, Centred("Москва"_cp), "</>", kText}),
         Lines({"<ЛИП>"_cp, Centred("Москва"_cp), "</>", kText})},
        {"quirk: after a closing only a ПРВ opening is passed over, so a centred line in a later "
         "ЛИП block starts a title",
         Lines({"<ПРВ>"_cp, "</>", "<ЛИП>"_cp, Centred("Москва"_cp), "</>", ""}),
         Lines(
             {"<ПРВ>"_cp, "</>", "<ЛИП>"_cp, "<ЗАГ>"_cp, Centred("Москва"_cp), "</>", "</>", ""})},
        {"nominal: after a ПРВ block centred lines are titles again",
         Lines({"<ПРВ>"_cp, RightAt("УТВЕРЖДЕНО"_cp), "</>", "", kName, "", kText, ""}),
         Lines({"<ПРВ>"_cp, RightAt("УТВЕРЖДЕНО"_cp), "</>", "", "<ЗАГ>"_cp, kName, "</>", "",
                kText, ""})},
        {"nominal: a ПРВ block met after a title's closing is passed over",
         Lines({kName, kText, "<ПРВ>"_cp, Centred("ПОДПИСЬ"_cp), "</>", kText}),
         Lines({"<ЗАГ>"_cp, kName, "</>", kText, "<ПРВ>"_cp, Centred("ПОДПИСЬ"_cp), "</>", kText})},
        {"nominal: laws get blocks for centred section and chapter headings in any case",
         Lines({kLaw, "", kName, "", kText, "", section, "", kText, "", chapter, "", kText, ""}),
         Lines({"<ЗАГ>"_cp, kLaw, "",    kName, "</>",      "",      kText, "", "<ЗАГ>"_cp, section,
                "</>",      "",   kText, "",    "<ЗАГ>"_cp, chapter, "</>", "", kText,      ""}),
         true},
        {"nominal: other documents get only the main title",
         Lines({kLaw, "", kName, "", kText, "", section, "", kText}),
         Lines({"<ЗАГ>"_cp, kLaw, "", kName, "</>", "", kText, "", section, "", kText})},
        {"nominal: a section heading at the left margin is not a title",
         Lines({kName, "", kText, "РАЗДЕЛ II"_cp, ""}),
         Lines({"<ЗАГ>"_cp, kName, "</>", "", kText, "РАЗДЕЛ II"_cp, ""}), true},
        {"nominal: a run reaching the end of the text is closed after its last non-blank line",
         Lines({kText, "", kName, kLaw, "", ""}),
         Lines({kText, "", "<ЗАГ>"_cp, kName, kLaw, "</>", "", ""})},
        {"quirk: a run ended by the last line of the text takes that line into the block",
         Lines({kName, kText}), Lines({"<ЗАГ>"_cp, kName, kText, "</>"})},
        {"decision: a run that starts on the last line is not tagged", Lines({kText, kName}),
         Lines({kText, kName})},
        {"fixed: a law heading on the last line, already inside the title closed at the end, "
         "does not start a second, nested title",
         Lines({kLaw, section}), Lines({"<ЗАГ>"_cp, kLaw, section, "</>"}), true},
        {"nominal: blank lines with carriage returns are passed over when closing",
         Lines({kName, "\r", "  \r", kText, ""}),
         Lines({"<ЗАГ>"_cp, kName, "</>", "\r", "  \r", kText, ""})},
        {"nominal: a centred line with carriage returns at both ends is centred",
         Lines({"\r" + kName + "\r", "", kText, ""}),
         Lines({"<ЗАГ>"_cp, "\r" + kName + "\r", "</>", "", kText, ""})},
        {"nominal: a line with five leading spaces is not centred",
         Lines({Pad(5, "ПРИКАЗ"_cp), kText}), Lines({Pad(5, "ПРИКАЗ"_cp), kText})},
        {"nominal: a horizontal line after a title's closing keeps the stage ready for titles",
         Lines({kName, std::string(66, '-'), "", Centred("ЦЕНТР"_cp), "", kText, ""}),
         Lines({"<ЗАГ>"_cp, kName, "</>", std::string(66, '-'), "", "<ЗАГ>"_cp, Centred("ЦЕНТР"_cp),
                "</>", "", kText, ""})},
        {"robustness: an empty text", {}, {}},
    };
}

TEST(TitlesStage, Cases) {
    for (Case c : TitleCases()) {
        RunTitlesStage(c.input, 5, 66, c.law);
        EXPECT_EQ(Show(c.input), Show(c.expected)) << c.name;
    }
}

TEST(TitlesStage, EveryRunEndingPrefixEndsARunEvenOnACentredLine) {
    for (std::string_view prefix : {"(ред. "_cp, "(в ред. "_cp, "(принят. "_cp,
                                    std::string_view("1. "), std::string_view("I. ")}) {
        const std::string ender = Centred(std::string(prefix) + std::string("ТЕКСТ"_cp));
        LineList lines = Lines({kLaw, "", ender, "", kText});
        RunTitlesStage(lines, 5, 66, false);
        EXPECT_EQ(Show(lines), Show(Lines({"<ЗАГ>"_cp, kLaw, "</>", "", ender, "", kText})))
            << prefix;
    }
}

TEST(TitlesStage, LayoutSettingsDecideWhatIsCentred) {
    // Eight leading spaces: centred with PosParagraph 5, not with PosParagraph 8.
    LineList lines = Lines({Pad(8, "ПРИКАЗ"_cp), "", kText, ""});
    LineList wide = lines;
    RunTitlesStage(lines, 5, 66, false);
    EXPECT_EQ(Show(lines), Show(Lines({"<ЗАГ>"_cp, Pad(8, "ПРИКАЗ"_cp), "</>", "", kText, ""})));
    RunTitlesStage(wide, 8, 66, false);
    EXPECT_EQ(Show(wide), Show(Lines({Pad(8, "ПРИКАЗ"_cp), "", kText, ""})));
}

TEST(TitlesStage, LawDocumentsAreThoseOfKindLawOrCode) {
    EXPECT_TRUE(IsLawDocument({std::string("ПОСТАНОВЛЕНИЕ"_cp), std::string("ЗАКОН"_cp)}));
    EXPECT_TRUE(IsLawDocument({std::string("КОДЕКС"_cp)}));
    EXPECT_FALSE(IsLawDocument({std::string("ФЕДЕРАЛЬНЫЙ ЗАКОН"_cp)}));
    EXPECT_FALSE(IsLawDocument({std::string("закон"_cp)}));
    EXPECT_FALSE(IsLawDocument({}));
}

} // namespace
} // namespace norvak::test
