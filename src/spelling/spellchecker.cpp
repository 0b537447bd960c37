#include "spelling/spellchecker.h"

#include "core/literal.h"
#include "core/textcore.h"
#include "markup/tags.h"

#include <algorithm>

namespace norvak {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsWordChar(char c) {
    return IsCyrillicLetter(c) || IsLatinLetter(c) || IsDigit(c);
}

// The Latin letters that look like Cyrillic ones, and those Cyrillic letters.
constexpr std::string_view kLatinLookAlikes = "ABCEHKMOPTXYaceopxyk";
std::string_view CyrillicLookAlikes() {
    return "АВСЕНКМОРТХУасеорхук"_cp;
}

} // namespace

bool IsCyrillicLetter(char c) {
    const auto u = static_cast<unsigned char>(c);
    if (u >= 0xC0)
        return true; // А..я
    switch (u) {
    case 0xA8:
    case 0xB8: // Ё ё
    case 0xA1:
    case 0xA2: // Ў ў
    case 0xA5:
    case 0xB4: // Ґ ґ
    case 0xAA:
    case 0xBA: // Є є
    case 0xAF:
    case 0xBF: // Ї ї
    case 0xB2:
    case 0xB3: // І і
    case 0x80:
    case 0x90:
    case 0x81:
    case 0x83:
    case 0x8A:
    case 0x9A:
    case 0x8C:
    case 0x9C:
    case 0x8D:
    case 0x9D:
    case 0x8E:
    case 0x9E:
    case 0x8F:
    case 0x9F:
    case 0xA3:
    case 0xBC:
    case 0xBD:
    case 0xBE:
        return true;
    default:
        return false;
    }
}

bool IsLatinLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsMixedScript(std::string_view word) {
    bool cyrillic = false;
    bool latin = false;
    for (char c : word) {
        cyrillic = cyrillic || IsCyrillicLetter(c);
        latin = latin || IsLatinLetter(c);
    }
    return cyrillic && latin;
}

bool IsRomanNumeral(std::string_view word) {
    if (word.empty())
        return false;
    const std::string_view cyrillic = "ХСМІ"_cp;
    const bool allLatin = std::all_of(word.begin(), word.end(), [](char c) {
        return std::string_view("IVXLCDM").find(c) != std::string_view::npos;
    });
    const bool allCyrillic = std::all_of(word.begin(), word.end(), [&](char c) {
        return cyrillic.find(c) != std::string_view::npos;
    });
    return allLatin || allCyrillic;
}

bool IsShortAbbreviation(std::string_view word) {
    if (word.size() < 2 || word.size() > 5)
        return false;
    return std::all_of(word.begin(), word.end(), [](char c) {
        return (IsCyrillicLetter(c) || IsLatinLetter(c)) && ToLowerChar(c) != c;
    });
}

std::string_view MixedScriptNote() {
    return "латиница в слове"_cp;
}

std::vector<WordToken> SplitSpellingWords(std::string_view line) {
    std::vector<WordToken> words;
    const int n = static_cast<int>(line.size());
    int i = 0;
    while (i < n) {
        if (!IsWordChar(line[static_cast<std::size_t>(i)])) {
            ++i;
            continue;
        }
        const int start = i;
        while (i < n) {
            if (IsWordChar(line[static_cast<std::size_t>(i)])) {
                ++i;
            } else if (line[static_cast<std::size_t>(i)] == '-' && i + 1 < n &&
                       IsWordChar(line[static_cast<std::size_t>(i + 1)])) {
                i += 2; // a hyphen between two word characters joins them
            } else {
                break;
            }
        }
        words.push_back({start, i - start});
    }
    return words;
}

CSpellChecker::CSpellChecker(std::shared_ptr<const CWordSource> dictionary, CWordList supplement)
    : m_dictionary(std::move(dictionary)), m_supplement(std::move(supplement)) {}

bool LoadSupplement(const std::string& path, const CWordSource* dictionary, CWordList& list,
                    std::vector<std::string>* untaught) {
    if (!list.Load(path))
        return false;
    if (dictionary != nullptr)
        for (const auto& [word, model] : list.Models())
            if (!dictionary->AddLike(word, model) && untaught != nullptr)
                untaught->push_back(word);
    return true;
}

std::vector<SpellingSpan> CSpellChecker::Check(std::string_view line) const {
    std::vector<SpellingSpan> spans;
    if (IsTagLine(line))
        return spans; // block tags, links and labels alike
    for (const WordToken& token : SplitSpellingWords(line))
        CheckToken(line, token, spans);
    return spans;
}

void CSpellChecker::CheckToken(std::string_view line, WordToken token,
                               std::vector<SpellingSpan>& out) const {
    const std::string_view text =
        line.substr(static_cast<std::size_t>(token.start), static_cast<std::size_t>(token.length));
    if (std::any_of(text.begin(), text.end(), IsDigit))
        return; // numbers and words with digits ("167-ФЗ", "2-й")
    const std::size_t after = static_cast<std::size_t>(token.start + token.length);
    const bool dotted = after < line.size() && line[after] == '.';
    // A hyphen left hanging ("газо- и водоснабжение") ends the first part of a compound,
    // which is no word on its own.
    const bool hanging = after < line.size() && line[after] == '-';

    struct Part {
        std::string_view text;
        int start;
    };
    std::vector<Part> parts;
    for (std::size_t pos = 0;;) {
        const std::size_t hyphen = text.find('-', pos);
        const std::size_t end = hyphen == std::string_view::npos ? text.size() : hyphen;
        parts.push_back({text.substr(pos, end - pos), token.start + static_cast<int>(pos)});
        if (hyphen == std::string_view::npos)
            break;
        pos = hyphen + 1;
    }

    bool mixed = false;
    for (const Part& p : parts)
        if (IsMixedScript(p.text)) {
            out.push_back({p.start, static_cast<int>(p.text.size()), SpellingFault::MixedScript});
            mixed = true;
        }
    // A hyphenated word the dictionary knows as a whole ("кто-нибудь") passes.
    if (!mixed && parts.size() > 1 && IsKnown(text, dotted))
        return;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const Part& p = parts[i];
        if (IsMixedScript(p.text))
            continue;
        if (hanging && i + 1 == parts.size())
            continue;
        if (!PartPasses(p.text, dotted && i + 1 == parts.size()))
            out.push_back({p.start, static_cast<int>(p.text.size()), SpellingFault::Unknown});
    }
}

bool CSpellChecker::PartPasses(std::string_view part, bool dotted) const {
    if (part.size() < 2)
        return true; // single letters: initials, list items, letter-spaced headings
    if (std::all_of(part.begin(), part.end(), IsLatinLetter))
        return true; // not Russian; a Russian dictionary cannot judge it
    if (IsRomanNumeral(part) || IsShortAbbreviation(part))
        return true;
    return IsKnown(part, dotted);
}

bool CSpellChecker::IsKnown(std::string_view word, bool dotted) const {
    const auto listed = [&](const CWordList& list) {
        return list.Contains(word) || (dotted && list.Contains(std::string(word) + "."));
    };
    if (listed(m_ignored) || listed(m_personal) || listed(m_supplement))
        return true;
    if (m_dictionary == nullptr)
        return false;
    if (m_dictionary->IsKnown(word) || (dotted && m_dictionary->IsKnown(std::string(word) + ".")))
        return true;
    // Texts write ё as е and the other way round; either spelling of a known word is right.
    const std::string_view yo = "Ёё"_cp;
    if (word.find_first_of(yo) == std::string_view::npos)
        return false;
    std::string plain(word);
    for (char& c : plain)
        if (c == yo[0])
            c = "Е"_cp[0];
        else if (c == yo[1])
            c = "е"_cp[0];
    return m_dictionary->IsKnown(plain);
}

std::vector<std::string> CSpellChecker::Suggestions(std::string_view word, std::size_t max) const {
    std::vector<std::string> result;
    if (max == 0)
        return result;
    std::string wanted(word);
    if (IsMixedScript(word)) {
        // Latin look-alikes typed into a Cyrillic word: the word with them made Cyrillic.
        for (char& c : wanted)
            if (std::size_t k = kLatinLookAlikes.find(c); k != std::string_view::npos)
                c = CyrillicLookAlikes()[k];
        if (!IsMixedScript(wanted) && (m_dictionary == nullptr || IsKnown(wanted)))
            result.push_back(wanted);
    }
    if (m_dictionary != nullptr)
        for (std::string& s : m_dictionary->Suggest(wanted, max + 1))
            if (result.size() < max && std::find(result.begin(), result.end(), s) == result.end())
                result.push_back(std::move(s));
    if (result.size() > max)
        result.resize(max);
    return result;
}

std::vector<SpellingFinding> CheckLines(const CSpellChecker& checker,
                                        const std::vector<std::string>& lines, std::size_t* words) {
    std::vector<SpellingFinding> found;
    std::size_t count = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (IsTagLine(line))
            continue;
        if (words != nullptr)
            for (const WordToken& t : SplitSpellingWords(line)) {
                const auto begin = line.begin() + t.start;
                count += std::any_of(begin, begin + t.length, [](char c) {
                    return IsCyrillicLetter(c) || IsLatinLetter(c);
                });
            }
        for (const SpellingSpan& span : checker.Check(line))
            found.push_back({i, span,
                             line.substr(static_cast<std::size_t>(span.start),
                                         static_cast<std::size_t>(span.length))});
    }
    if (words != nullptr)
        *words = count;
    return found;
}

} // namespace norvak
