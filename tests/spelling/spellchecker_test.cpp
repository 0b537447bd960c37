#include "spelling/spellchecker.h"

#include "core/codepage.h"
#include "core/literal.h"

#include <gtest/gtest.h>

#include <set>

namespace norvak {
namespace {

// A dictionary of the words it is given, exact bytes only; counts what it is asked.
class CFakeDictionary : public CWordSource {
public:
    explicit CFakeDictionary(std::initializer_list<const char*> utf8Words) {
        for (const char* w : utf8Words)
            m_words.insert(Utf8ToCp1251(w));
    }
    bool IsKnown(std::string_view word) const override {
        return m_words.count(std::string(word)) > 0;
    }
    std::vector<std::string> Suggest(std::string_view, std::size_t max) const override {
        std::vector<std::string> all = {"закон"_cp.data(), "законы"_cp.data()};
        all.resize(std::min(all.size(), max));
        return all;
    }

private:
    std::set<std::string> m_words;
};

std::shared_ptr<CFakeDictionary> Dictionary() {
    return std::make_shared<CFakeDictionary>(std::initializer_list<const char*>{
        "закон", "статья", "и", "в", "раздел", "глава", "юго", "восток", "кто-нибудь", "кто", "еще",
        "Российской", "Федерации", "см", "пункт", "ст.", "водоснабжение"});
}

// A flagged word as the tests write it: the word (UTF-8) and whether it mixes scripts.
struct Flag {
    std::string word;
    bool mixed = false;
    bool operator==(const Flag&) const = default;
};
std::ostream& operator<<(std::ostream& os, const Flag& f) {
    return os << f.word << (f.mixed ? " (mixed)" : "");
}

std::vector<Flag> Flags(const CSpellChecker& checker, const std::string& cp1251) {
    std::vector<Flag> flags;
    for (const SpellingSpan& s : checker.Check(cp1251))
        flags.push_back({Cp1251ToUtf8(cp1251.substr(static_cast<std::size_t>(s.start),
                                                    static_cast<std::size_t>(s.length))),
                         s.fault == SpellingFault::MixedScript});
    return flags;
}

struct RuleCase {
    const char* name;
    const char* line; // UTF-8; \x04 and the link bytes pass through unchanged
    std::vector<Flag> flagged;
};

const RuleCase kRuleCases[] = {
    {"known words pass", "закон и статья", {}},
    {"an unknown word is flagged", "Министерсво и закон", {{"Министерсво"}}},
    {"every unknown word, in line order",
     "постановлят закон Министерсво",
     {{"постановлят"}, {"Министерсво"}}},
    {"block tag line",
     "\x04\x04ЗАГ-------------------------------------------------------------",
     {}},
    {"tag line with unknown words", "\x04\x04НФТ Министерсво постановлят", {}},
    {"link line", "\x04\x04СС_ПОТ_1234#------------------------------------------------------", {}},
    {"label line", "\x04\x04МЕТ12#-----------------------------------------------------------", {}},
    {"numbers", "статья 15 и 2001", {}},
    {"words with digits", "закон 167-ФЗ, 2-й, N5, 1абв", {}},
    {"Latin Roman numerals", "глава XIV, раздел IV", {}},
    {"Cyrillic look-alike Roman numerals", "раздел ХХ и ХХХІІІ", {}},
    {"capital abbreviations of up to five letters", "РСФСР ФЗ ГОСТ", {}},
    {"six capitals are no abbreviation", "закон ФЗФЗФЗ", {{"ФЗФЗФЗ"}}},
    {"hyphenated, each part known", "юго-восток", {}},
    {"hyphenated, known as a whole", "кто-нибудь", {}},
    {"hyphenated, only the unknown part flagged", "юго-вастак", {{"вастак"}}},
    {"hyphen at the end of a word is no join", "юго- восток", {}},
    {"first part of a compound before a hanging hyphen", "газо- и водоснабжение", {}},
    {"only the last part before a hanging hyphen passes", "вастак-юго- и восток", {{"вастак"}}},
    {"single letters", "С т а т ь я", {}},
    {"Latin words", "Microsoft Word", {}},
    {"Latin P in a Cyrillic word", "Pоссийской Федерации", {{"Pоссийской", true}}},
    {"mixed and short capitals", "PФ", {{"PФ", true}}},
    {"mixed part of a hyphenated word", "юго-вoсток", {{"вoсток", true}}},
    {"mixed Roman numeral", "раздел XХ", {{"XХ", true}}},
    {"listed abbreviation with its full stop", "ст. 5", {}},
    {"listed abbreviation without the full stop", "ст 5", {{"ст"}}},
    {"ё written where the dictionary has е", "ещё", {}},
    {"link span bytes separate words", "см.\x01закон\x02статья", {}},
    {"empty line", "", {}},
};

TEST(SpellingRules, Table) {
    CSpellChecker checker(Dictionary());
    for (const RuleCase& c : kRuleCases)
        EXPECT_EQ(Flags(checker, Utf8ToCp1251(c.line)), c.flagged) << c.name;
}

TEST(SpellingRules, SpansAreByteOffsetsOfTheLine) {
    CSpellChecker checker(Dictionary());
    const std::string line = "закон Министерсво, юго-вастак"_cp.data();
    const std::vector<SpellingSpan> expected = {{6, 11, SpellingFault::Unknown},
                                                {23, 6, SpellingFault::Unknown}};
    EXPECT_EQ(checker.Check(line), expected);
}

TEST(SpellingRules, WithoutDictionaryOnlyListsAndMixedScriptCount) {
    CSpellChecker checker(nullptr);
    checker.Personal().Add("закон"_cp);
    EXPECT_EQ(Flags(checker, Utf8ToCp1251("закон статья Pоссия")),
              (std::vector<Flag>{{"статья"}, {"Pоссия", true}}));
}

TEST(SpellingRules, PersonalSupplementAndIgnoredWordsCountAsKnownInAnyCase) {
    CWordList supplement;
    supplement.Add("Касьянов"_cp);
    CSpellChecker checker(Dictionary(), supplement);
    checker.Personal().Add("нормотворец"_cp);
    checker.Ignore("Министерсво"_cp);
    EXPECT_TRUE(Flags(checker, Utf8ToCp1251("КАСЬЯНОВ касьянов Нормотворец министерсво")).empty());
}

struct ScriptCase {
    const char* word;
    bool mixed;
};
const ScriptCase kScriptCases[] = {
    {"Российской", false}, {"Microsoft", false}, {"Pоссийской", true}, {"Российскoй", true},
    {"ФЗ", false},         {"XIV", false},       {"ХIV", true},        {"ёжик", false},
    {"iPhone", false},     {"ООO", true},        {"", false},          {"123", false},
};

TEST(SpellingRules, MixedScriptTable) {
    for (const ScriptCase& c : kScriptCases)
        EXPECT_EQ(IsMixedScript(Utf8ToCp1251(c.word)), c.mixed) << c.word;
}

TEST(SpellingRules, WordTokens) {
    const std::string line = Utf8ToCp1251("(ст.5) юго-восток -- кто-то- 167-ФЗ");
    const std::vector<WordToken> expected = {{1, 2}, {4, 1}, {7, 10}, {21, 6}, {29, 6}};
    EXPECT_EQ(SplitSpellingWords(line), expected);
}

TEST(SpellingSuggestions, MixedScriptWordOffersItsCyrillicFormFirst) {
    CSpellChecker checker(Dictionary());
    const auto s = checker.Suggestions(Utf8ToCp1251("Pоссийской"));
    ASSERT_FALSE(s.empty());
    EXPECT_EQ(s.front(), "Российской"_cp);
}

TEST(SpellingSuggestions, NeverMoreThanAsked) {
    CSpellChecker checker(Dictionary());
    EXPECT_EQ(checker.Suggestions("заокн"_cp, 1).size(), 1u);
    EXPECT_TRUE(checker.Suggestions("заокн"_cp, 0).empty());
    EXPECT_LE(checker.Suggestions("заокн"_cp).size(), CSpellChecker::kMaxSuggestions);
}

TEST(SpellingDocument, CheckLinesGivesLineNumbersAndCountsWordsOutsideTagLines) {
    CSpellChecker checker(Dictionary());
    const std::vector<std::string> lines = {"\x04\x04ЗАГ-----------"_cp.data(),
                                            "закон Министерсво"_cp.data(), ""_cp.data(),
                                            "статья 5 постановлят"_cp.data()};
    std::size_t words = 0;
    const auto found = CheckLines(checker, lines, &words);
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].line, 1u);
    EXPECT_EQ(found[0].word, "Министерсво"_cp);
    EXPECT_EQ(found[1].line, 3u);
    EXPECT_EQ(found[1].word, "постановлят"_cp);
    EXPECT_EQ(words, 4u) << "numbers and tag lines are not words";
}

} // namespace
} // namespace norvak
