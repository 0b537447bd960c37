// Whole documents: every sample read as the opening road reads it, classed, and analysed with
// the realistic dictionaries. The expected records were worked out by hand from the rules of
// the finders, the heading and own-title walks and the title composition.

#include "analyzerfixture.h"
#include "core/codepage.h"
#include "core/operatorio.h"
#include "core/progress.h"
#include "core/textfile.h"
#include "document/docclassing.h"
#include "document/settings.h"

#include <gtest/gtest.h>

namespace norvak::test {
namespace {

LineList ReadSample(const std::string& name) {
    std::string bytes;
    EXPECT_TRUE(ReadFileBytes(std::string(NORVAK_TEST_DATA) + "/samples/" + name, bytes)) << name;
    LineList lines = SplitTextLines(bytes);
    const bool dos = name.find("cp866") != std::string::npos;
    for (auto& line : lines) {
        if (dos)
            line = DosToWindows(line);
        const auto trimmed = [](char c) { return c == '\r' || c == '\t' || c == '\v'; };
        while (!line.empty() && trimmed(line.back()))
            line.pop_back();
        std::size_t b = 0;
        while (b < line.size() && trimmed(line[b]))
            ++b;
        line.erase(0, b);
    }
    return lines;
}

struct Expected {
    const char* file;
    int docClass;
    std::vector<std::string> kinds;
    std::vector<std::string> organs;
    std::vector<std::string> dates;
    std::vector<std::string> numbers;
    std::string title;
};

std::string QuestionTitle() {
    return std::string("  Вопрос:  Вправе  ли  организация  учитывать  в составе расходов на") +
           " оплату   труда   стоимость  питания  работников,  предоставляемого" +
           " бесплатно  в  соответствии  с  коллективным  договором,  и как это" +
           " отражается   в   отчетности,  утвержденной  Приказом  Министерства" +
           " финансов Российской Федерации от 22 июля 2003 г. N 67н? ";
}

const std::vector<Expected>& Samples() {
    static const std::vector<Expected> samples = {
        {"composed_polozhenie_utverzhdeno.cp866.txt",
         1,
         {"ПОЛОЖЕНИЕ", "ПРАВИЛА", "ИНСТРУКЦИЯ"},
         {"МИНИСТЕРСТВО ФИНАНСОВ РОССИЙСКОЙ ФЕДЕРАЦИИ"},
         {"14.03.2003"},
         {"27Н"},
         "\"ПОЛОЖЕНИЕ О ПОРЯДКЕ ВЕДЕНИЯ УЧЕТА ГОСУДАРСТВЕННЫХ ИМУЩЕСТВЕННЫХ ФОНДОВ\" утверждённое "
         " Министерством финансов Российской Федерации от 14.03.2003 N 27Н \n(вместе с "
         "\"ПРАВИЛАМИ ЗАПОЛНЕНИЯ ФОРМЫ УЧЕТА ИМУЩЕСТВЕННЫХ ФОНДОВ\", \"ИНСТРУКЦИЕЙ О ПОРЯДКЕ "
         "СВЕРКИ ДАННЫХ УЧЕТА\")"},
        {"composed_postanovlenie_tablica.cp866.txt",
         0,
         {"ПОСТАНОВЛЕНИЕ"},
         {"ПРАВИТЕЛЬСТВО РОССИЙСКОЙ ФЕДЕРАЦИИ"},
         {"12.02.2004"},
         {"75"},
         "ПОСТАНОВЛЕНИЕ Правительства Российской Федерации от 12.02.2004 N 75 \n\"ОБ УТВЕРЖДЕНИИ "
         "ПЕРЕЧНЯ ПОКАЗАТЕЛЕЙ ГОСУДАРСТВЕННОЙ СТАТИСТИЧЕСКОЙ ОТЧЕТНОСТИ\""},
        {"composed_vopros_otvet.cp866.txt",
         2,
         {"ВОПРОС-ОТВЕТ"},
         {"МИНИСТЕРСТВО ФИНАНСОВ РОССИЙСКОЙ ФЕДЕРАЦИИ"},
         {"22.07.2003"},
         {"67Н?"},
         QuestionTitle()},
        // The repeal stamp above the title is part of the heading: its kind, date and number
        // are taken as the code's own.
        {"ips102010101_rsfsr_gpk_1964_stub.cp866.txt",
         0,
         {"ФЕДЕРАЛЬНЫЙ ЗАКОН", "КОДЕКС"},
         {},
         {"14.11.2002"},
         {"137-ФЗ"},
         "ФЕДЕРАЛЬНЫЙ ЗАКОН от 14.11.2002 N 137-ФЗ \n\"ГРАЖДАНСКИЙ ПРОЦЕССУАЛЬНЫЙ КОДЕКС "
         "РСФСР\""},
        {"ips102010117_rsfsr_kobs_1969.cp866.txt",
         0,
         {"КОДЕКС"},
         {},
         {},
         {},
         "КОДЕКС \n\"КОДЕКС О БРАКЕ И СЕМЬЕ РСФСР\""},
        // The own-title walk skips the line above the blank that bounds the mixed-case title
        // ("РОССИЙСКАЯ ФЕДЕРАЦИЯ") and ends in the repeal stamp on the first line: no own title.
        {"ips102038209_rf_vodnyj_1995_167fz.cp866.txt",
         0,
         {"ФЕДЕРАЛЬНЫЙ ЗАКОН", "КОДЕКС"},
         {},
         {"03.06.2006"},
         {"73-ФЗ"},
         "ФЕДЕРАЛЬНЫЙ ЗАКОН от 03.06.2006 N 73-ФЗ \n<>"},
        // One more blank line than in the water code: the walk lands on the blank line, skips
        // it and takes "РОССИЙСКАЯ ФЕДЕРАЦИЯ" as the own title. The stamp's "с 1 января 2009
        // года" is a date of its own.
        {"ips102045461_rf_lesnoj_1997_22fz.cp866.txt",
         0,
         {"ФЕДЕРАЛЬНЫЙ ЗАКОН", "КОДЕКС"},
         {},
         {"01.01.2009", "04.12.2006"},
         {"201-ФЗ"},
         "ФЕДЕРАЛЬНЫЙ ЗАКОН от 01.01.2009 N 201-ФЗ,  от 04.12.2006 \n\"РОССИЙСКАЯ ФЕДЕРАЦИЯ\""},
        // One paragraph per line: the mixed-case title line counts as body text, so the heading
        // ends above it and the own title is the kind line.
        {"ips_102066375_fz_2000_82fz_mrot.cp1251.txt",
         0,
         {"ФЕДЕРАЛЬНЫЙ ЗАКОН"},
         {},
         {},
         {},
         "ФЕДЕРАЛЬНЫЙ ЗАКОН \n\"ФЕДЕРАЛЬНЫЙ ЗАКОН\""},
        {"ips_fz_1996_10fz_profsojuzy.cp1251.txt",
         0,
         {"ФЕДЕРАЛЬНЫЙ ЗАКОН"},
         {},
         {},
         {},
         "ФЕДЕРАЛЬНЫЙ ЗАКОН \n\"ФЕДЕРАЛЬНЫЙ ЗАКОН\""},
    };
    return samples;
}

TEST(Samples, EachSampleGivesTheHandWorkedRecord) {
    for (const auto& e : Samples()) {
        SCOPED_TRACE(e.file);
        const LineList lines = ReadSample(e.file);
        ASSERT_FALSE(lines.empty());
        CServiceData sd;
        FillRealisticDictionaries(sd);
        DocSettings settings;
        settings.extendedRecvisits = 0; // the records of the plain finders
        CRecordingProgress progress;
        CScriptedOperator op(Answer::No);

        PreparedDetection prepared = PrepareRequisitesDetection(lines, sd, settings, progress, op);
        EXPECT_EQ(prepared.docClass, e.docClass);
        const CRequisiteRecord record = prepared.analyzer->Run(lines);

        EXPECT_EQ(U(record.m_kinds), e.kinds);
        EXPECT_EQ(U(record.m_organs), e.organs);
        EXPECT_EQ(Dates(record.m_adoptionDates), e.dates);
        EXPECT_EQ(U(record.m_numbers), e.numbers);
        EXPECT_EQ(U(record.m_title), e.title);
        EXPECT_TRUE(op.Questions().empty());

        // Every requisite text announced for the class is shown by one step of the run.
        const auto requisiteTexts = ClassProgressTexts(static_cast<DocClass>(e.docClass), false);
        EXPECT_EQ(progress.Steps(), static_cast<int>(requisiteTexts.size()));
        EXPECT_EQ(progress.Shown(), requisiteTexts);
        EXPECT_EQ(progress.Texts(), ClassProgressTexts(static_cast<DocClass>(e.docClass), true));
    }
}

} // namespace
} // namespace norvak::test
