#include "cli/clienv.h"
#include "core/codepage.h"
#include "spelling/spellchecker.h"

#include <algorithm>
#include <ostream>

namespace norvak::cli {
namespace {

constexpr std::size_t kReportedWords = 5;

std::string Shown(const SpellingFinding& f) {
    std::string s = Cp1251ToUtf8(f.word);
    if (f.span.fault == SpellingFault::MixedScript)
        s += " (" + Cp1251ToUtf8(MixedScriptNote()) + ")";
    return s;
}

} // namespace

void PrintSpelling(std::ostream& out, const CSpellChecker& checker, const LineList& lines) {
    std::size_t words = 0;
    const std::vector<SpellingFinding> found = CheckLines(checker, lines, &words);
    out << "Spelling: " << found.size() << " unknown of " << words << " words\n";
    for (const SpellingFinding& f : found)
        out << "  line " << f.line + 1 << ": " << Shown(f) << '\n';
}

std::string SpellingField(const CSpellChecker& checker, const LineList& lines) {
    const std::vector<SpellingFinding> found = CheckLines(checker, lines);
    std::string field = std::to_string(found.size());
    std::vector<std::string> shown;
    for (const SpellingFinding& f : found) {
        if (shown.size() == kReportedWords)
            break;
        std::string s = Shown(f);
        if (std::find(shown.begin(), shown.end(), s) == shown.end())
            shown.push_back(std::move(s));
    }
    for (std::size_t i = 0; i < shown.size(); ++i)
        field += (i ? "; " : ": ") + shown[i];
    return field;
}

} // namespace norvak::cli
