#pragma once
// A small realistic dictionary of kinds and bodies for the analyzer tests, and helpers that
// let the tests speak UTF-8 while the analyzers work in CP1251.

#include "core/codepage.h"
#include "core/textcore.h"
#include "dictionaries/servicedata.h"
#include "requisites/docanalyzer.h"

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace norvak::test {

inline std::string W(const std::string& utf8) {
    return Utf8ToCp1251(utf8);
}
inline std::string U(const std::string& cp1251) {
    return Cp1251ToUtf8(cp1251);
}

inline std::vector<std::string> U(const std::vector<std::string>& cp1251) {
    std::vector<std::string> out;
    for (const auto& s : cp1251)
        out.push_back(U(s));
    return out;
}

inline std::vector<std::string> Dates(const std::vector<CDateValue>& dates) {
    std::vector<std::string> out;
    for (const auto& d : dates)
        out.push_back(FormatDate(d));
    return out;
}

inline LineList Lines(std::initializer_list<const char*> utf8) {
    LineList out;
    for (const char* s : utf8)
        out.push_back(W(s));
    return out;
}

struct KindAlias {
    const char* nominative;
    const char* instrumental;
};

inline void AddKind(CServiceData& sd, const char* nominative, const char* instrumental, int gender,
                    int quoteTitle = 0, std::vector<KindAlias> aliases = {}) {
    CDocKindEntry e = sd.DocDict().CreateEntry();
    e.GetCases().SetForm(CaseNominative, W(nominative));
    e.GetCases().SetForm(CaseInstrumental, W(instrumental));
    e.SetGender(gender);
    e.SetQuoteTitle(quoteTitle);
    for (const auto& a : aliases) {
        CCases c;
        c.SetForm(CaseNominative, W(a.nominative));
        c.SetForm(CaseInstrumental, W(a.instrumental));
        e.AddAlias(c);
    }
    sd.DocDict().Add(e);
}

struct OrganAlias {
    const char* nominative;
    const char* genitive;
    const char* instrumental;
};

inline void AddOrgan(CServiceData& sd, const char* nominative, const char* genitive,
                     const char* instrumental, const char* letterCase,
                     std::vector<OrganAlias> aliases = {}) {
    COrganEntry e = sd.OrganDict().CreateEntry();
    e.GetCases().SetForm(CaseNominative, W(nominative));
    e.GetCases().SetForm(CaseGenitive, W(genitive));
    e.GetCases().SetForm(CaseInstrumental, W(instrumental));
    e.SetLetterCaseName(W(letterCase));
    for (const auto& a : aliases) {
        CCases c;
        c.SetForm(CaseNominative, W(a.nominative));
        c.SetForm(CaseGenitive, W(a.genitive));
        c.SetForm(CaseInstrumental, W(a.instrumental));
        e.AddAlias(c);
    }
    sd.OrganDict().Add(e);
}

// The kinds and bodies an operator of federal acts would have entered, in name order as the
// editor leaves the dictionaries after opening a document.
inline void FillRealisticDictionaries(CServiceData& sd) {
    AddKind(sd, "ЗАКОН", "ЗАКОНОМ", 0);
    AddKind(sd, "ИНСТРУКЦИЯ", "ИНСТРУКЦИЕЙ", 1, 0,
            {{"МЕТОДИЧЕСКАЯ ИНСТРУКЦИЯ", "МЕТОДИЧЕСКОЙ ИНСТРУКЦИЕЙ"}});
    AddKind(sd, "КОДЕКС", "КОДЕКСОМ", 0);
    AddKind(sd, "ПИСЬМО", "ПИСЬМОМ", 2, 0, {{"ИНФОРМАЦИОННОЕ ПИСЬМО", "ИНФОРМАЦИОННЫМ ПИСЬМОМ"}});
    AddKind(sd, "ПОЛОЖЕНИЕ", "ПОЛОЖЕНИЕМ", 2, 1, {{"ВРЕМЕННОЕ ПОЛОЖЕНИЕ", "ВРЕМЕННЫМ ПОЛОЖЕНИЕМ"}});
    AddKind(sd, "ПОРЯДОК", "ПОРЯДКОМ", 0);
    AddKind(sd, "ПОСТАНОВЛЕНИЕ", "ПОСТАНОВЛЕНИЕМ", 2);
    AddKind(sd, "ПРАВИЛА", "ПРАВИЛАМИ", 2);
    AddKind(sd, "ПРИКАЗ", "ПРИКАЗОМ", 0);
    AddKind(sd, "ФЕДЕРАЛЬНЫЙ ЗАКОН", "ФЕДЕРАЛЬНЫМ ЗАКОНОМ", 0);

    AddOrgan(sd, "ВЕРХОВНЫЙ СОВЕТ РСФСР", "ВЕРХОВНОГО СОВЕТА РСФСР", "ВЕРХОВНЫМ СОВЕТОМ РСФСР",
             "Верховный Совет РСФСР");
    AddOrgan(sd, "ГОСУДАРСТВЕННАЯ ДУМА", "ГОСУДАРСТВЕННОЙ ДУМЫ", "ГОСУДАРСТВЕННОЙ ДУМОЙ",
             "Государственная Дума");
    AddOrgan(sd, "КОНСТИТУЦИОННЫЙ СУД РОССИЙСКОЙ ФЕДЕРАЦИИ",
             "КОНСТИТУЦИОННОГО СУДА РОССИЙСКОЙ ФЕДЕРАЦИИ",
             "КОНСТИТУЦИОННЫМ СУДОМ РОССИЙСКОЙ ФЕДЕРАЦИИ",
             "Конституционный Суд Российской Федерации");
    AddOrgan(sd, "МИНИСТЕРСТВО ФИНАНСОВ РОССИЙСКОЙ ФЕДЕРАЦИИ",
             "МИНИСТЕРСТВА ФИНАНСОВ РОССИЙСКОЙ ФЕДЕРАЦИИ",
             "МИНИСТЕРСТВОМ ФИНАНСОВ РОССИЙСКОЙ ФЕДЕРАЦИИ",
             "Министерство финансов Российской Федерации",
             {{"МИНФИН РОССИИ", "МИНФИНА РОССИИ", "МИНФИНОМ РОССИИ"}});
    AddOrgan(sd, "МИНИСТЕРСТВО ЭКОНОМИЧЕСКОГО РАЗВИТИЯ И ТОРГОВЛИ РОССИЙСКОЙ ФЕДЕРАЦИИ",
             "МИНИСТЕРСТВА ЭКОНОМИЧЕСКОГО РАЗВИТИЯ И ТОРГОВЛИ РОССИЙСКОЙ ФЕДЕРАЦИИ",
             "МИНИСТЕРСТВОМ ЭКОНОМИЧЕСКОГО РАЗВИТИЯ И ТОРГОВЛИ РОССИЙСКОЙ ФЕДЕРАЦИИ",
             "Министерство экономического развития и торговли Российской Федерации");
    AddOrgan(sd, "ПРАВИТЕЛЬСТВО РОССИЙСКОЙ ФЕДЕРАЦИИ", "ПРАВИТЕЛЬСТВА РОССИЙСКОЙ ФЕДЕРАЦИИ",
             "ПРАВИТЕЛЬСТВОМ РОССИЙСКОЙ ФЕДЕРАЦИИ", "Правительство Российской Федерации",
             {{"ПРАВИТЕЛЬСТВО РФ", "ПРАВИТЕЛЬСТВА РФ", "ПРАВИТЕЛЬСТВОМ РФ"}});
    AddOrgan(sd, "ПРЕЗИДЕНТ РОССИЙСКОЙ ФЕДЕРАЦИИ", "ПРЕЗИДЕНТА РОССИЙСКОЙ ФЕДЕРАЦИИ",
             "ПРЕЗИДЕНТОМ РОССИЙСКОЙ ФЕДЕРАЦИИ", "Президент Российской Федерации");
    AddOrgan(sd, "СОВЕТ ФЕДЕРАЦИИ", "СОВЕТА ФЕДЕРАЦИИ", "СОВЕТОМ ФЕДЕРАЦИИ", "Совет Федерации");
}

// An analyzer with nothing of its own, to exercise the finders one by one.
class CFinderProbe : public CDocAnalyzer {
public:
    CFinderProbe(const CServiceData& sd, CProgress& progress, int stringLength = 66,
                 int posParagraph = 5)
        : CDocAnalyzer(sd.DocDict(), sd.OrganDict(), sd.UpperCaseDict(), stringLength, posParagraph,
                       progress) {}
    CRequisiteRecord Run(const LineList&) override { return m_record; }
};

// A line of exactly width bytes: text pushed against the right margin.
inline std::string RightAligned(const std::string& utf8, int width = 66) {
    std::string s = W(utf8);
    return std::string(static_cast<std::size_t>(width) - s.size(), ' ') + s;
}
// A line with text in the middle of a width-byte line (trailing spaces not written).
inline std::string Centred(const std::string& utf8, int width = 66) {
    std::string s = W(utf8);
    return std::string((static_cast<std::size_t>(width) - s.size()) / 2, ' ') + s;
}
// A full-width body line: words of ordinary text, exactly width bytes, no long space runs.
inline std::string BodyLine(int width = 66) {
    std::string s = W("текст документа продолжается");
    while (static_cast<int>(s.size()) < width)
        s += W(" и далее");
    s.resize(static_cast<std::size_t>(width));
    if (s.back() == ' ')
        s.back() = '.';
    return s;
}

} // namespace norvak::test
