#pragma once
// Finds the words of a CP1251 line that a Russian dictionary does not know, after the rules that
// leave tag lines, numbers, Roman numerals and short abbreviations alone, and flags every word
// that mixes Cyrillic and Latin letters.

#include "spelling/wordlist.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace norvak {

// A dictionary asked about single words (CP1251, no hyphens). Implementations must allow
// concurrent calls.
class CWordSource {
public:
    virtual ~CWordSource() = default;
    virtual bool IsKnown(std::string_view word) const = 0;
    // At most max corrections of an unknown word, best first (CP1251).
    virtual std::vector<std::string> Suggest(std::string_view word, std::size_t max) const = 0;
    // Teaches the dictionary word with all the forms of model, a word it knows; false when it
    // cannot (the model is unknown, or the dictionary learns nothing).
    virtual bool AddLike(std::string_view /*word*/, std::string_view /*model*/) const {
        return false;
    }
};

enum class SpellingFault {
    Unknown,     // the dictionary and the word lists do not know the word
    MixedScript, // Cyrillic and Latin letters in one word
};

// An unknown word of a line: byte offset and length.
struct SpellingSpan {
    int start = 0;
    int length = 0;
    SpellingFault fault = SpellingFault::Unknown;
    bool operator==(const SpellingSpan&) const = default;
};

// A run of letters and digits, hyphens inside allowed, as the checker cuts a line into words.
struct WordToken {
    int start = 0;
    int length = 0;
    bool operator==(const WordToken&) const = default;
};

// The words of a line: maximal runs of letters (Cyrillic and Latin) and digits, with single
// hyphens between two such characters kept inside the word.
std::vector<WordToken> SplitSpellingWords(std::string_view line);

bool IsCyrillicLetter(char c);
bool IsLatinLetter(char c);
// Both Cyrillic and Latin letters in the word.
bool IsMixedScript(std::string_view word);
// Upper-case Roman numeral in Latin letters (I V X L C D M) or in their Cyrillic look-alikes
// (Х С М І), as retyped documents write them.
bool IsRomanNumeral(std::string_view word);
// Two to five letters, all of them capitals (РСФСР, ФЗ, ГОСТ).
bool IsShortAbbreviation(std::string_view word);
// "латиница в слове": what the editor and the command line say of a mixed-script word.
std::string_view MixedScriptNote();

// The spelling rules over a dictionary and word lists. Check may be called from several
// threads at once while nothing is added.
class CSpellChecker {
public:
    static constexpr std::size_t kMaxSuggestions = 8;

    // A null dictionary knows no word; the word lists and the mixed-script rule still apply.
    explicit CSpellChecker(std::shared_ptr<const CWordSource> dictionary,
                           CWordList supplement = {});

    // Unknown and mixed-script words of one line, in line order; nothing for tag lines (block
    // tags, links, labels).
    std::vector<SpellingSpan> Check(std::string_view line) const;
    // A single word (no hyphens) as Check judges it; dotted is true when a full stop follows
    // it in the text, so that listed abbreviations such as "ст." count.
    bool IsKnown(std::string_view word, bool dotted = false) const;
    // Corrections for a flagged word: for a mixed-script word first the word with its Latin
    // look-alikes made Cyrillic, then the dictionary's; at most max.
    std::vector<std::string> Suggestions(std::string_view word,
                                         std::size_t max = kMaxSuggestions) const;

    bool HasDictionary() const { return m_dictionary != nullptr; }
    // Words that count as known besides the dictionary's: the shipped supplement and the
    // operator's personal list.
    CWordList& Supplement() { return m_supplement; }
    CWordList& Personal() { return m_personal; }
    // Words skipped for the rest of the session ("Пропустить все").
    void Ignore(std::string_view word) { m_ignored.Add(word); }

private:
    // Appends the spans of one word token (hyphenated or not).
    void CheckToken(std::string_view line, WordToken token, std::vector<SpellingSpan>& out) const;
    // One hyphen-free part: true when it is skipped or known.
    bool PartPasses(std::string_view part, bool dotted) const;

    std::shared_ptr<const CWordSource> m_dictionary;
    CWordList m_supplement;
    CWordList m_personal;
    CWordList m_ignored;
};

// Loads a supplementary list into list; its words with a model are taught to dictionary (when
// given) with all their forms, and untaught, when given, receives the words whose model the
// dictionary could not use (they still count in the form written). False when the file cannot
// be read.
bool LoadSupplement(const std::string& path, const CWordSource* dictionary, CWordList& list,
                    std::vector<std::string>* untaught = nullptr);

// An unknown word of a document.
struct SpellingFinding {
    std::size_t line = 0; // 0-based
    SpellingSpan span;
    std::string word; // CP1251
};
// The unknown words of the lines in text order; words, when given, receives the number of
// words checked (word tokens holding a letter, outside tag lines).
std::vector<SpellingFinding> CheckLines(const CSpellChecker& checker,
                                        const std::vector<std::string>& lines,
                                        std::size_t* words = nullptr);

} // namespace norvak
