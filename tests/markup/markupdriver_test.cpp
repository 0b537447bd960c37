#include "markup/markupdriver.h"

#include "core/codepage.h"
#include "core/progress.h"
#include "core/textfile.h"
#include "document/openroad.h"
#include "document/settings.h"
#include "markup/alignstages.h"
#include "markup/centredstage.h"
#include "markup/titlestage.h"
#include "markup/unformattedstage.h"
#include "markuptest.h"
#include "requisites/requisiterecord.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <functional>
#include <random>

namespace norvak::test {
namespace {

DocSettings Settings(int stringLength = 66) {
    DocSettings settings;
    settings.posParagraph = 5;
    settings.stringLength = stringLength;
    settings.leftSpaces = 20;
    settings.questionDoc = std::string("ВОПРОС-ОТВЕТ"_cp);
    return settings;
}

CRequisiteRecord Kinds(std::initializer_list<std::string_view> kinds) {
    CRequisiteRecord record;
    for (std::string_view kind : kinds)
        record.m_kinds.emplace_back(kind);
    return record;
}

// A framed table of five lines, complete.
const std::string kTop = "\x1B\x16\x16\x18\x16\x16\x1A";
const std::string kRow1 = "\x12"
                          "a \x12"
                          "b \x12";
const std::string kSeparator = "\x10\x16\x16\x13\x16\x16\x11";
const std::string kRow2 = "\x12"
                          "c \x12"
                          "d \x12";
const std::string kBottom = "\x1C\x16\x16\x19\x16\x16\xA7";

// A document that every stage of the ordinary run has something to do in: a right-aligned
// stamp, a left-aligned line after it, a centred title, a centred paragraph, a framed table,
// a ruled sum, and two right-aligned signatures.
LineList FullDocument() {
    return Lines({RightAt("УТВЕРЖДЕНО"_cp),
                  RightAt("приказом от 1 мая 2000 г. N 1"_cp),
                  "г. Москва"_cp,
                  "",
                  Centred("ПОЛОЖЕНИЕ"_cp),
                  "",
                  Body(),
                  "",
                  Centred("Раздел 1"_cp),
                  Centred("Общие положения"_cp),
                  "",
                  kTop,
                  kRow1,
                  kSeparator,
                  kRow2,
                  kBottom,
                  "",
                  "Расчет:"_cp,
                  "Итого ----- = 100"_cp,
                  "",
                  RightAt("Иванов"_cp),
                  "",
                  RightAt("Петров"_cp),
                  ""});
}

TEST(MarkupDriver, OrdinaryRunShowsEachStageTextAfterTheStage) {
    CRecordingProgress progress;
    AnnounceTagProgress(progress);
    EXPECT_EQ(progress.Begins(), 1);
    EXPECT_EQ(progress.Texts(), TagProgressTexts());
    LineList lines = FullDocument();
    RunMarkup(lines, MarkupOptionsFor(Settings(), Kinds({"ПОЛОЖЕНИЕ"_cp})), progress);
    EXPECT_EQ(progress.Shown(), TagProgressTexts());
    EXPECT_EQ(progress.Steps(), 8);
    EXPECT_EQ(progress.Pumps(), 8);
}

TEST(MarkupDriver, QuestionRunTakesTwoStepsAndOnePump) {
    CRecordingProgress progress;
    progress.Begin();
    progress.AddTexts(QuestionTagProgressTexts());
    LineList lines = FullDocument();
    RunMarkup(lines, MarkupOptionsFor(Settings(), Kinds({"ПИСЬМО"_cp, "ВОПРОС-ОТВЕТ"_cp})),
              progress);
    EXPECT_EQ(progress.Shown(), QuestionTagProgressTexts());
    EXPECT_EQ(progress.Steps(), 2);
    EXPECT_EQ(progress.Pumps(), 1);
}

TEST(MarkupDriver, OrdinaryRunPlacesEveryKindOfBlock) {
    LineList lines = FullDocument();
    RunMarkup(lines, MarkupOptionsFor(Settings(), Kinds({"ПОЛОЖЕНИЕ"_cp})), NullProgress());
    const LineList expected = Lines({"<ПРВ>"_cp,
                                     RightAt("УТВЕРЖДЕНО"_cp),
                                     RightAt("приказом от 1 мая 2000 г. N 1"_cp),
                                     "</>",
                                     "<ЛЕВ>"_cp,
                                     "г. Москва"_cp,
                                     "</>",
                                     "",
                                     "<ЗАГ>"_cp,
                                     Centred("ПОЛОЖЕНИЕ"_cp),
                                     "</>",
                                     "",
                                     Body(),
                                     "",
                                     "<ЦНТ>"_cp,
                                     Centred("Раздел 1"_cp),
                                     Centred("Общие положения"_cp),
                                     "</>",
                                     "",
                                     "<ТАБ>"_cp,
                                     kTop,
                                     kRow1,
                                     kSeparator,
                                     kRow2,
                                     kBottom,
                                     "</>",
                                     "",
                                     "<НФТ>"_cp,
                                     "Расчет:"_cp,
                                     "Итого ----- = 100"_cp,
                                     "</>",
                                     "",
                                     "<ПРВ>"_cp,
                                     RightAt("Иванов"_cp),
                                     "</>",
                                     "",
                                     "<ПРВ>"_cp,
                                     RightAt("Петров"_cp),
                                     "</>",
                                     ""});
    EXPECT_EQ(Show(lines), Show(expected));
}

TEST(MarkupDriver, QuestionDocumentGetsOnlyRightAlignedBlocksMerged) {
    LineList lines = FullDocument();
    RunMarkup(lines, MarkupOptionsFor(Settings(), Kinds({"ВОПРОС-ОТВЕТ"_cp})), NullProgress());
    const LineList expected = Lines({"<ПРВ>"_cp,
                                     RightAt("УТВЕРЖДЕНО"_cp),
                                     RightAt("приказом от 1 мая 2000 г. N 1"_cp),
                                     "</>",
                                     "г. Москва"_cp,
                                     "",
                                     Centred("ПОЛОЖЕНИЕ"_cp),
                                     "",
                                     Body(),
                                     "",
                                     Centred("Раздел 1"_cp),
                                     Centred("Общие положения"_cp),
                                     "",
                                     kTop,
                                     kRow1,
                                     kSeparator,
                                     kRow2,
                                     kBottom,
                                     "",
                                     "Расчет:"_cp,
                                     "Итого ----- = 100"_cp,
                                     "",
                                     "<ПРВ>"_cp,
                                     RightAt("Иванов"_cp),
                                     "",
                                     RightAt("Петров"_cp),
                                     "</>",
                                     ""});
    EXPECT_EQ(Show(lines), Show(expected));
}

TEST(MarkupDriver, QuestionBranchIsChosenByAnExactKind) {
    struct Case {
        const char* name;
        std::string questionDoc;
        CRequisiteRecord record;
        bool question;
    };
    const std::string standard("ВОПРОС-ОТВЕТ"_cp);
    const std::vector<Case> cases = {
        {"nominal: the default setting among the kinds", standard, Kinds({"ВОПРОС-ОТВЕТ"_cp}),
         true},
        {"nominal: letter case counts", standard, Kinds({"Вопрос-ответ"_cp}), false},
        {"nominal: spaces count", standard, Kinds({"ВОПРОС-ОТВЕТ "_cp}), false},
        {"nominal: no kinds at all", standard, Kinds({}), false},
        {"settings: another kind name set as the question kind", std::string("ОТВЕТ"_cp),
         Kinds({"ЗАКОН"_cp, "ОТВЕТ"_cp}), true},
        {"settings: the default kind no longer counts once the setting changes",
         std::string("ОТВЕТ"_cp), Kinds({"ВОПРОС-ОТВЕТ"_cp}), false},
    };
    for (const Case& c : cases) {
        DocSettings settings = Settings();
        settings.questionDoc = c.questionDoc;
        EXPECT_EQ(IsQuestionDocument(settings, c.record), c.question) << c.name;
        // The branch shows in the result: only the ordinary run tags the centred title.
        LineList lines = Lines({"", Centred("ПОЛОЖЕНИЕ"_cp), "", "text"});
        RunMarkup(lines, MarkupOptionsFor(settings, c.record), NullProgress());
        EXPECT_EQ(lines.size(), c.question ? 4u : 6u) << c.name;
    }
}

TEST(MarkupDriver, EmptyTextRunsEveryStageWithoutEffect) {
    for (std::string_view kind : {"ПОЛОЖЕНИЕ"_cp, "ВОПРОС-ОТВЕТ"_cp}) {
        LineList lines;
        CRecordingProgress progress;
        AnnounceTagProgress(progress);
        RunMarkup(lines, MarkupOptionsFor(Settings(), Kinds({kind})), progress);
        EXPECT_TRUE(lines.empty());
        EXPECT_GT(progress.Steps(), 0);
    }
}

// ---------------------------------------------------------------- properties

// Random documents made of the pieces the stages look for, in any order.
class CDocumentGenerator {
public:
    explicit CDocumentGenerator(unsigned seed) : m_random(seed) {}

    LineList Make(int pieces, int stringLength, bool strayTags) {
        LineList lines;
        for (int p = 0; p < pieces; ++p)
            AddPiece(lines, stringLength, strayTags);
        return lines;
    }

private:
    int Pick(int n) { return static_cast<int>(m_random() % static_cast<unsigned>(n)); }

    std::string Word() {
        static const std::vector<std::string> words = {std::string("ПОЛОЖЕНИЕ"_cp),
                                                       std::string("о порядке"_cp),
                                                       "1. ",
                                                       std::string("(в ред. "_cp),
                                                       std::string("Раздел"_cp),
                                                       std::string("ГЛАВА"_cp),
                                                       "SUM",
                                                       "----- =",
                                                       "I. ",
                                                       std::string("Статья"_cp)};
        return words[static_cast<std::size_t>(Pick(static_cast<int>(words.size())))];
    }

    std::string Decorate(std::string line) {
        switch (Pick(20)) {
        case 0:
            return "\r" + line;
        case 1:
            return line + "\r";
        case 2:
            return line + "   ";
        default:
            return line;
        }
    }

    void AddPiece(LineList& lines, int sl, bool strayTags) {
        const int n = 1 + Pick(4);
        switch (Pick(strayTags ? 12 : 11)) {
        case 0: // blank lines
            for (int i = 0; i < n; ++i)
                lines.push_back(Pick(4) == 0 ? std::string(static_cast<std::size_t>(Pick(5)), ' ')
                                             : "");
            break;
        case 1: // centred lines
            for (int i = 0; i < n; ++i)
                lines.push_back(Decorate(Pad(4 + Pick(20), Word() + " " + Word())));
            break;
        case 2: // right-aligned lines
            for (int i = 0; i < n; ++i)
                lines.push_back(Decorate(RightAt(Word(), sl - Pick(3) + 1)));
            break;
        case 3: { // a framed table, complete or not
            const std::string inner(static_cast<std::size_t>(3 + Pick(6)), '\x16');
            lines.push_back("\x1B" + inner + "\x18" + inner + "\x1A" + (Pick(3) ? "" : " note"));
            for (int i = 0; i < n; ++i)
                lines.push_back("\x12" + std::string(inner.size(), 'a') +
                                (Pick(8) ? "\x12" : "\x13") + std::string(inner.size(), 'b') +
                                "\x12");
            lines.push_back("\x1C" + inner + (Pick(8) ? "\x19" : "\x13") + inner + "\xA7");
            break;
        }
        case 4: // a ruled table
            lines.push_back("\x16\x16\x16\x18\x16\x16\x16");
            for (int i = 0; i < n + 2; ++i)
                lines.push_back(Pick(5) ? "  1 \x12 2" : "");
            break;
        case 5: // a sum
            lines.push_back(std::string("Итого:"_cp));
            lines.push_back(Word() + " ----- = " + Word());
            break;
        case 6: // justified body text
            for (int i = 0; i < n; ++i)
                lines.push_back(Decorate(Body(Pick(3) ? sl : 66)));
            lines.push_back(Pad(Pick(2) * 5, Word()));
            break;
        case 7: // a place and a date
            lines.push_back(std::string("Москва"_cp) + std::string(10, ' ') + "1.05.2000");
            break;
        case 8: // a left-margin line
            lines.push_back(Word());
            break;
        case 9: // a horizontal line
            lines.push_back(std::string(static_cast<std::size_t>(sl), '-'));
            break;
        case 10: // an indented line
            lines.push_back(Pad(1 + Pick(5), Word()));
            break;
        case 11: { // a stray tag line
            static const TagCode codes[] = {TagCode::ZAG, TagCode::CNT, TagCode::PRV, TagCode::LEV,
                                            TagCode::NFT, TagCode::TAB, TagCode::TTT, TagCode::OGL};
            if (Pick(2))
                lines.push_back(OpeningLine(codes[Pick(8)]));
            else
                lines.push_back(ClosingLine(Pick(6) ? TagCode::ZAG : TagCode::OGL));
            break;
        }
        }
    }

    std::mt19937 m_random;
};

// Openings and closings alternate, starting with an opening and ending with a closing.
bool BlocksAreFlat(const LineList& lines, std::string* where) {
    bool open = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!IsTagLine(lines[i]))
            continue;
        const bool closing = lines[i] == ClosingLine();
        if (closing != open) {
            *where = "line " + std::to_string(i);
            return false;
        }
        open = !closing;
    }
    *where = "end";
    return !open;
}

TEST(MarkupDriverProperty, RemovingTagLinesGivesBackTheText) {
    const std::vector<std::vector<std::string_view>> kindSets = {
        {}, {"ЗАКОН"_cp}, {"КОДЕКС"_cp}, {"ВОПРОС-ОТВЕТ"_cp}};
    for (unsigned seed = 1; seed <= 1500; ++seed) {
        CDocumentGenerator generator(seed);
        const int sl = seed % 3 == 0 ? 67 : 66;
        const LineList input = generator.Make(1 + static_cast<int>(seed % 40), sl, false);
        const auto& kinds = kindSets[seed % kindSets.size()];
        CRequisiteRecord record;
        record.m_kinds.assign(kinds.begin(), kinds.end());
        LineList lines = input;
        RunMarkup(lines, MarkupOptionsFor(Settings(sl), record), NullProgress());
        ASSERT_EQ(WithoutTagLines(lines), input) << "seed " << seed << "\n" << Show(lines);
        std::string where;
        ASSERT_TRUE(BlocksAreFlat(lines, &where)) << "seed " << seed << " at " << where << "\n"
                                                  << Show(lines);
    }
}

TEST(MarkupDriverProperty, TextSurvivesStrayTagLinesInTheInput) {
    for (unsigned seed = 1; seed <= 1500; ++seed) {
        CDocumentGenerator generator(seed * 7919);
        const LineList input = generator.Make(1 + static_cast<int>(seed % 40), 66, true);
        for (std::string_view kind : {"ЗАКОН"_cp, "ВОПРОС-ОТВЕТ"_cp}) {
            LineList lines = input;
            RunMarkup(lines, MarkupOptionsFor(Settings(), Kinds({kind})), NullProgress());
            ASSERT_EQ(WithoutTagLines(lines), WithoutTagLines(input)) << "seed " << seed << "\n"
                                                                      << Show(lines);
        }
    }
}

// ---------------------------------------------------------------- samples

struct Sample {
    const char* file;
    int stringLength;
    std::vector<std::string_view> kinds;
    bool golden = true; // false for texts without layout, which come back untagged
};

const std::vector<Sample>& Samples() {
    static const std::vector<Sample> samples = {
        {"composed_polozhenie_utverzhdeno.cp866.txt", 66, {"ПОЛОЖЕНИЕ"_cp}},
        {"composed_postanovlenie_tablica.cp866.txt", 66, {"ПОСТАНОВЛЕНИЕ"_cp}},
        {"composed_vopros_otvet.cp866.txt", 66, {"ВОПРОС-ОТВЕТ"_cp}},
        {"ips102010101_rsfsr_gpk_1964_stub.cp866.txt", 67, {"КОДЕКС"_cp}},
        {"ips102010117_rsfsr_kobs_1969.cp866.txt", 67, {"КОДЕКС"_cp}},
        {"ips102038209_rf_vodnyj_1995_167fz.cp866.txt", 67, {"ЗАКОН"_cp, "КОДЕКС"_cp}},
        {"ips102045461_rf_lesnoj_1997_22fz.cp866.txt", 67, {"ЗАКОН"_cp, "КОДЕКС"_cp}},
        {"ips_102066375_fz_2000_82fz_mrot.cp1251.txt", 66, {"ЗАКОН"_cp}, false},
        {"ips_fz_1996_10fz_profsojuzy.cp1251.txt", 66, {"ЗАКОН"_cp}, false},
    };
    return samples;
}

// The sample's lines as the system holds them: DOS texts through the frame map and CP866 ->
// CP1251, Windows texts as they are.
LineList LoadSample(const std::string& file) {
    std::string bytes;
    EXPECT_TRUE(ReadFileBytes(std::string(NORVAK_TEST_DATA) + "/samples/" + file, bytes)) << file;
    LineList lines = SplitTextLines(bytes);
    if (file.find(".cp866.") != std::string::npos)
        for (std::string& line : lines)
            line = DosToWindows(line);
    return lines;
}

std::string Render(const LineList& lines) {
    std::string out;
    for (const std::string& line : lines) {
        out += Cp1251ToUtf8Display(line);
        out += '\n';
    }
    return out;
}

TEST(MarkupDriverSamples, RemovingTagLinesGivesBackEverySample) {
    for (const Sample& sample : Samples()) {
        const LineList input = LoadSample(sample.file);
        ASSERT_FALSE(input.empty()) << sample.file;
        for (bool question : {false, true}) {
            CRequisiteRecord record;
            record.m_kinds.assign(sample.kinds.begin(), sample.kinds.end());
            if (question)
                record.m_kinds.emplace_back("ВОПРОС-ОТВЕТ"_cp);
            LineList lines = input;
            RunMarkup(lines, MarkupOptionsFor(Settings(sample.stringLength), record),
                      NullProgress());
            EXPECT_EQ(WithoutTagLines(lines), input) << sample.file;
            std::string where;
            EXPECT_TRUE(BlocksAreFlat(lines, &where)) << sample.file << " at " << where;
        }
    }
}

// The tagged samples are kept in tests/data/markup (UTF-8, frames drawn). Set
// NORVAK_UPDATE_GOLDEN=1 to write them afresh after a deliberate change, then review the diff.
TEST(MarkupDriverSamples, TaggedSamplesMatchTheirGoldenFiles) {
    const bool update = std::getenv("NORVAK_UPDATE_GOLDEN") != nullptr;
    for (const Sample& sample : Samples()) {
        LineList lines = LoadSample(sample.file);
        if (!sample.golden) {
            const LineList input = lines;
            RunMarkup(lines, MarkupOptionsFor(Settings(sample.stringLength), Kinds({})),
                      NullProgress());
            EXPECT_EQ(lines, input) << sample.file;
            continue;
        }
        CRequisiteRecord record;
        record.m_kinds.assign(sample.kinds.begin(), sample.kinds.end());
        RunMarkup(lines, MarkupOptionsFor(Settings(sample.stringLength), record), NullProgress());
        const std::string rendered = Render(lines);
        std::string golden = sample.file;
        golden = std::string(NORVAK_TEST_DATA) + "/markup/" + golden.substr(0, golden.find('.')) +
                 ".tagged.txt";
        if (update) {
            ASSERT_TRUE(WriteFileAtomic(golden, rendered)) << golden;
            continue;
        }
        std::string expected;
        ASSERT_TRUE(ReadFileBytes(golden, expected)) << golden;
        EXPECT_EQ(rendered, expected) << sample.file;
    }
}

// ---------------------------------------------------------------- layout values out of range

// The stages are handed whatever the settings hold; each must end, keep the text, insert a
// bounded number of tag lines and leave flat blocks for any value, however absurd.
TEST(MarkupDriverExtremes, EveryStageEndsForAnyLayoutValue) {
    const int values[] = {INT_MIN, -1000, -1, 0, 1, 5, 66, 1000, INT_MAX};
    std::vector<LineList> inputs = {LoadSample("composed_postanovlenie_tablica.cp866.txt"),
                                    LoadSample("composed_polozhenie_utverzhdeno.cp866.txt")};
    for (unsigned seed = 1; seed <= 6; ++seed)
        inputs.push_back(CDocumentGenerator(seed).Make(30, 66, seed % 2 == 0));
    using Stage = std::function<void(LineList&, int)>;
    const std::pair<const char*, Stage> stages[] = {
        {"right aligned, string length",
         [](LineList& l, int v) { RunRightAlignedStage(l, v, 20); }},
        {"right aligned, left spaces", [](LineList& l, int v) { RunRightAlignedStage(l, 66, v); }},
        {"left aligned", [](LineList& l, int v) { RunLeftAlignedStage(l, v); }},
        {"titles, paragraph", [](LineList& l, int v) { RunTitlesStage(l, v, 66, true); }},
        {"titles, string length", [](LineList& l, int v) { RunTitlesStage(l, 5, v, false); }},
        {"unformatted", [](LineList& l, int v) { RunUnformattedStage(l, v); }},
        {"centred, paragraph", [](LineList& l, int v) { RunCentredStage(l, v, 66); }},
        {"centred, string length", [](LineList& l, int v) { RunCentredStage(l, 5, v); }},
        {"centred, both", [](LineList& l, int v) { RunCentredStage(l, v, v); }},
        {"whole run, all three",
         [](LineList& l, int v) {
             DocSettings settings = Settings(v);
             settings.posParagraph = v;
             settings.leftSpaces = v;
             RunMarkup(l, MarkupOptionsFor(settings, Kinds({"ЗАКОН"_cp})), NullProgress());
         }},
    };
    for (const auto& [name, stage] : stages)
        for (int value : values)
            for (const LineList& input : inputs) {
                LineList lines = input;
                stage(lines, value);
                ASSERT_LE(lines.size(), 3 * input.size() + 8) << name << " at " << value;
                EXPECT_EQ(WithoutTagLines(lines), WithoutTagLines(input))
                    << name << " at " << value;
                std::string where;
                if (WithoutTagLines(input) == input) {
                    EXPECT_TRUE(BlocksAreFlat(lines, &where))
                        << name << " at " << value << ", " << where << "\n"
                        << Show(lines);
                }
            }
}

} // namespace
} // namespace norvak::test
