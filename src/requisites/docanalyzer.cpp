#include "requisites/docanalyzer.h"

#include "core/literal.h"
#include "core/progress.h"
#include "dictionaries/dictentry.h"
#include "dictionaries/docdict.h"
#include "dictionaries/organdict.h"
#include "dictionaries/uppercasedict.h"
#include "requisites/extendeddetection.h"

#include <algorithm>
#include <cstddef>
#include <unordered_set>

namespace norvak {

namespace {

constexpr std::size_t npos = std::string::npos;

// Adds the entry's own forms and then one phrase per alias, all under the entry's nominative.
template <class Dict> std::vector<CPhraseEntry> BuildPhrases(const Dict& dict) {
    std::vector<CPhraseEntry> phrases;
    for (int i = 0; i < dict.GetCount(); ++i) {
        const auto& entry = dict.GetAt(i);
        const std::string& name = entry.GetCases().Form(CaseNominative);
        phrases.push_back({name, entry.GetCases()});
        for (const CCases& alias : entry.Aliases())
            phrases.push_back({name, alias});
    }
    CDocAnalyzer::SortPhrasesByWordCount(phrases);
    return phrases;
}

// The title-ending prefixes of an appendix title line, in the order they are tested.
const std::vector<std::string_view>& TitleEndingPrefixes() {
    static const std::vector<std::string_view> prefixes = {"(ред. "_cp, "(в ред. "_cp,
                                                           "(принят. "_cp, "1. ", "I. "};
    return prefixes;
}

// A run of n copies of c.
bool ContainsRun(std::string_view s, char c, std::size_t n) {
    std::size_t run = 0;
    for (char ch : s) {
        run = ch == c ? run + 1 : 0;
        if (run >= n)
            return true;
    }
    return false;
}

} // namespace

const std::vector<std::string>& MonthNamesGenitive() {
    static const std::vector<std::string> months = {
        std::string("ЯНВАРЯ"_cp),  std::string("ФЕВРАЛЯ"_cp), std::string("МАРТА"_cp),
        std::string("АПРЕЛЯ"_cp),  std::string("МАЯ"_cp),     std::string("ИЮНЯ"_cp),
        std::string("ИЮЛЯ"_cp),    std::string("АВГУСТА"_cp), std::string("СЕНТЯБРЯ"_cp),
        std::string("ОКТЯБРЯ"_cp), std::string("НОЯБРЯ"_cp),  std::string("ДЕКАБРЯ"_cp)};
    return months;
}

std::string_view ApprovedParticiple(int gender) {
    switch (gender) {
    case 0:
        return " утверждённый "_cp;
    case 1:
        return " утверждённая "_cp;
    case 2:
        return " утверждённое "_cp;
    default:
        return {};
    }
}

CDocAnalyzer::CDocAnalyzer(const CDocDict& kinds, const COrganDict& organs,
                           const CUpperCaseDict& letterCase, int stringLength, int posParagraph,
                           CProgress& progress)
    : m_kindPhrases(BuildPhrases(kinds)), m_organPhrases(BuildPhrases(organs)),
      m_letterCase(letterCase), m_stringLength(stringLength), m_posParagraph(posParagraph),
      m_progress(progress) {}

CDocAnalyzer::~CDocAnalyzer() = default;

void CDocAnalyzer::SetExtension(CExtendedDetection* extension) {
    m_extension = extension;
    if (m_extension)
        m_extension->SetPhrases(&m_kindPhrases, &m_organPhrases);
}

void CDocAnalyzer::StepProgress() {
    m_progress.Step();
}

void CDocAnalyzer::StepAndPump() {
    m_progress.StepAndPump();
}

const LineList& CDocAnalyzer::FinderLines(const LineList& lines) {
    return m_extension ? m_extension->Prepare(lines) : lines;
}

void CDocAnalyzer::CompleteExtended(const std::string* plainTitle) {
    if (m_extension)
        m_extension->Complete(m_record, plainTitle);
}

void CDocAnalyzer::SortPhrasesByWordCount(std::vector<CPhraseEntry>& phrases) {
    std::vector<int> counts(phrases.size());
    for (std::size_t i = 0; i < phrases.size(); ++i)
        counts[i] = CountWords(phrases[i].name);
    detail::SelectionSort(phrases, std::move(counts), [](int a, int b) { return a < b; });
}

namespace {
// Texts longer than this are searched through the set of their words first.
constexpr std::size_t kWordFilterThreshold = 4096;
} // namespace

void CDocAnalyzer::FindPhrases(const std::vector<CPhraseEntry>& phrases, std::string& text,
                               int caseIndex, std::vector<std::string>& found) {
    if (phrases.empty() || caseIndex < 0 || caseIndex >= kCaseCount)
        return;
    text.insert(text.begin(), ' ');
    text.push_back(' ');
    // A long text (a document whose heading never ends) is searched once per phrase; the words
    // it holds tell at once which phrases cannot occur, since masking only ever removes words.
    std::unordered_set<std::string> words;
    const bool filter = text.size() > kWordFilterThreshold;
    if (filter)
        for (std::string& w : SplitWords(text))
            words.insert(std::move(w));
    auto mayOccur = [&](const std::string& form) {
        std::size_t b = 0;
        while (b < form.size()) {
            std::size_t e = form.find(' ', b);
            if (e == npos)
                e = form.size();
            if (e > b && !words.count(form.substr(b, e - b)))
                return false;
            b = e + 1;
        }
        return true;
    };
    std::string probe;
    for (auto it = phrases.rbegin(); it != phrases.rend(); ++it) {
        const std::string& form = it->forms.Form(caseIndex);
        // An empty form would probe for two spaces and "match" without any word of the text;
        // an empty canonical name would record an empty requisite.
        if (form.empty() || it->name.empty())
            continue;
        if (filter && !mayOccur(form))
            continue;
        probe.resize(form.size() + 2);
        probe.front() = ' ';
        probe.replace(1, form.size(), form);
        probe.back() = ' ';
        const std::size_t e = text.find(probe);
        if (e == npos)
            continue;
        found.push_back(it->name);
        MaskWords(text, static_cast<int>(e), CountWords(probe));
    }
}

void CDocAnalyzer::FindKinds(std::string& text, int caseIndex) {
    FindPhrases(m_kindPhrases, text, caseIndex, m_record.m_kinds);
}

void CDocAnalyzer::FindOrgans(std::string& text, int caseIndex) {
    FindPhrases(m_organPhrases, text, caseIndex, m_record.m_organs);
}

void CDocAnalyzer::FindAdoptionDates(std::string& text) {
    std::string& t = text;
    const auto& months = MonthNamesGenitive();
    // Acts of 2021 and later are dated in words too.
    const int lastYear = m_extension ? 2099 : 2020;

    // Pass A: day, month name, year.
    for (std::size_t m = 0; m < months.size(); ++m) {
        const std::string& month = months[m];
        std::size_t start = 0;
        for (;;) {
            const std::size_t d = t.find(month, start);
            if (d == npos)
                break;
            start = d + 1;
            // A month name at the very start has no day before it.
            if (d == 0)
                continue;
            const std::size_t after = d + month.size();
            if (after < t.size() && t[after] == ',')
                continue;
            const std::size_t space = t.find(' ', d);
            if (space == npos)
                continue;
            const std::size_t wordEnd = std::min(t.find(' ', space + 1), t.size());
            int year = LeadingInt(std::string_view(t).substr(space + 1, wordEnd - space - 1));
            if (year >= 2 && year <= 99)
                year += 1900;
            if (year < 1930 || year > lastYear)
                continue;
            std::size_t i = d >= 2 ? d - 2 : 0;
            while (i > 0 && t[i] != ' ')
                --i;
            const int day = LeadingInt(std::string_view(t).substr(i));
            if (day < 1 || day > 31)
                continue;
            m_record.m_adoptionDates.emplace_back(year, static_cast<int>(m) + 1, day, 1, 1, 1);
            MaskWords(t, static_cast<int>(i), 3);
        }
    }

    // Pass B: dd.mm.yyyy.
    std::size_t start = 0;
    for (;;) {
        const std::size_t a = t.find('.', start);
        if (a == npos)
            break;
        start = a + 1;
        if (!(a + 3 < t.size() && t[a + 3] == '.'))
            continue;
        const std::size_t from = a >= 2 ? a - 2 : 0;
        const std::size_t to = std::min(t.find(' ', a), t.size());
        std::string_view token = std::string_view(t).substr(from, to - from);
        const int day = LeadingInt(token.substr(0, std::min<std::size_t>(2, token.size())));
        token.remove_prefix(std::min<std::size_t>(3, token.size()));
        const int month = LeadingInt(token.substr(0, std::min<std::size_t>(2, token.size())));
        token.remove_prefix(std::min<std::size_t>(3, token.size()));
        int year = LeadingInt(token);
        if (year >= 2 && year <= 99)
            year += 1900;
        if (day > 0 && day < 32 && month > 0 && month < 13 && year >= 1900 && year < 2050) {
            m_record.m_adoptionDates.emplace_back(year, month, day, 1, 1, 1);
            MaskWords(t, static_cast<int>(a), 1);
        }
    }
}

void CDocAnalyzer::FindNumbers(std::string& text) {
    std::string& t = text;
    if (m_extension)
        std::replace(t.begin(), t.end(), "№"_cp[0], 'N');
    std::size_t n = t.find("N ");
    while (n != npos) {
        std::size_t p = n + 1;
        while (p < t.size() && t[p] == ' ')
            ++p;
        const std::size_t end = std::min(t.find(' ', p), t.size());
        std::string number = t.substr(p, end - p);
        while (!number.empty() && (number.back() == ')' || number.back() == ','))
            number.pop_back();
        // An empty number would be stored as an empty line, which ends the numbers block of
        // the source format and loses every number after it.
        if (!number.empty())
            m_record.m_numbers.push_back(std::move(number));
        if (p >= t.size())
            break;
        MaskWords(t, static_cast<int>(p), 1);
        n = t.find("N ", p);
    }
}

std::string CDocAnalyzer::OrganInCase(const std::string& name, int caseIndex) const {
    for (const CPhraseEntry& phrase : m_organPhrases) {
        if (phrase.name != name)
            continue;
        const std::string& form = phrase.forms.Form(caseIndex);
        // A phrase without this form would wipe the name out of the title; try the next one.
        if (form.empty())
            continue;
        return m_letterCase.ApplyLetterCase(name, form);
    }
    return name;
}

std::string CDocAnalyzer::OrganInGenitive(const std::string& name) const {
    return OrganInCase(name, CaseGenitive);
}

std::string CDocAnalyzer::OrganInInstrumental(const std::string& name) const {
    return OrganInCase(name, CaseInstrumental);
}

void CDocAnalyzer::FindAppendices(const LineList& lines, const std::string& heading) {
    int state = 0;
    std::string title; // D
    std::string kind;  // K
    std::vector<std::string> titles;

    auto record = [&] {
        if (IsBlankLine(title))
            return;
        titles.push_back(NormalizeName(title));
        m_record.m_kinds.push_back(kind);
    };
    auto startTitle = [&](std::string_view line) {
        std::string n = NormalizeName(line);
        if (StartsWith(n, "ГЛАВА"_cp) || StartsWith(n, "РАЗДЕЛ"_cp))
            return false;
        for (const CPhraseEntry& phrase : m_kindPhrases) {
            const std::string& nominative = phrase.forms.Form(CaseNominative);
            // An empty nominative begins every line; it never starts a title.
            if (nominative.empty() || phrase.name.empty() || !StartsWith(n, nominative))
                continue;
            ReplaceLeadingWords(n, phrase.forms.Form(CaseInstrumental));
            title = std::move(n);
            kind = phrase.name;
            return true;
        }
        return false;
    };

    std::string line;
    for (const std::string& original : lines) {
        line = original;
        if (!line.empty() && line.front() == '\r')
            line.erase(0, 1);
        const bool blank = IsBlankLine(line);
        const bool right = IsRightAlignedLine(line, m_stringLength);
        switch (state) {
        case 0:
            if (static_cast<int>(line.size()) == m_stringLength && !ContainsRun(line, ' ', 10) &&
                !ContainsRun(line, '-', 29) && !right)
                state = 1;
            break;
        case 1:
            state = blank ? 2 : 1;
            break;
        case 2:
            state = blank ? 2 : right ? 3 : 1;
            break;
        case 3:
            state = blank ? 4 : right ? 3 : 1;
            break;
        case 4:
            if (blank)
                state = 4;
            else if (right)
                state = 3;
            else if (IsCentredLine(line, m_posParagraph, m_stringLength))
                state = startTitle(line) ? 5 : 1;
            else
                state = 1;
            break;
        case 5:
            if (blank) {
                record();
                state = 1;
            } else if (!IsCentredLine(line, m_posParagraph, m_stringLength)) {
                state = 1;
            } else {
                line.erase(0, static_cast<std::size_t>(CountLeadingSpaces(line)));
                for (std::string_view prefix : TitleEndingPrefixes()) {
                    if (StartsWith(line, prefix)) {
                        record();
                        state = 1;
                    }
                }
                title.append(" ").append(line);
            }
            break;
        default:
            break;
        }
    }

    const std::vector<std::string> headingWords = SplitWords(heading);
    std::erase_if(titles, [&](const std::string& t) {
        return MatchesHeadingTail(headingWords, SplitWords(t));
    });
    if (titles.empty())
        return;
    std::string together(" \n(вместе с "_cp);
    for (std::size_t i = 0; i < titles.size(); ++i) {
        if (i > 0)
            together += ", ";
        together += '"';
        together += titles[i];
        if (titles[i].empty() || titles[i].back() != '"')
            together += '"';
    }
    together += ')';
    m_record.m_title += together;
}

} // namespace norvak
