#include "requisites/ordinarydocanalyzer.h"

#include "core/literal.h"
#include "core/operatorio.h"
#include "dictionaries/docdict.h"
#include "requisites/extendeddetection.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace norvak {

namespace {

// Titles of amendment and repeal acts: the heading ends before them, so the kinds and numbers
// they name are not taken as the document's own.
constexpr std::array<std::string_view, 7> kHeadingStops = {
    "О ВНЕСЕНИИ ИЗМЕНЕНИЙ "_cp,         "О ВНЕСЕНИИ ИЗМЕНЕНИЯ "_cp,
    "О ВНЕСЕНИИ ДОПОЛНЕНИЙ "_cp,        "О ВНЕСЕНИИ ДОПОЛНЕНИЯ "_cp,
    "О ПРИЗНАНИИ УТРАТИВШИМ СИЛУ "_cp,  "О ПРИЗНАНИИ УТРАТИВШЕЙ СИЛУ "_cp,
    "О ПРИЗНАНИИ УТРАТИВШИМИ СИЛУ "_cp,
};

bool BeginsWithDashes(std::string_view s, std::size_t n) {
    return s.size() >= n && s.find_first_not_of('-') >= n;
}

std::string_view WithoutLeadingWhiteSpace(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || (s[i] >= '\t' && s[i] <= '\r')))
        ++i;
    return s.substr(i);
}

} // namespace

COrdinaryDocAnalyzer::COrdinaryDocAnalyzer(const CDocDict& kinds, const COrganDict& organs,
                                           const CUpperCaseDict& letterCase, int stringLength,
                                           int posParagraph, CProgress& progress, COperator& op)
    : CDocAnalyzer(kinds, organs, letterCase, stringLength, posParagraph, progress),
      m_kindDict(kinds), m_operator(op) {}

bool COrdinaryDocAnalyzer::IsBodyTextLine(const std::string& line) const {
    if (m_posParagraph < 0 || static_cast<int>(line.size()) <= m_posParagraph)
        return false;
    if (line[static_cast<std::size_t>(m_posParagraph)] == ' ')
        return false;
    return ToUpper(line) != line;
}

CRequisiteRecord COrdinaryDocAnalyzer::Run(const LineList& lines) {
    const LineList& texts = FinderLines(lines);
    std::string heading = CollectHeading(texts);
    FindKinds(heading, 0);
    StepAndPump();
    FindKinds(heading, 4);
    StepAndPump();
    FindOrgans(heading, 0);
    StepAndPump();
    FindOrgans(heading, 1);
    StepAndPump();
    FindAdoptionDates(heading);
    StepAndPump();
    std::string raw = m_rawHeading;
    FindNumbers(raw);
    StepAndPump();

    std::string own = FindOwnTitle(lines);
    CompleteExtended(&own);
    if (m_extension && !m_extension->OwnTitle().empty())
        own = m_extension->OwnTitle();
    m_record.RemoveDuplicates();
    ComposeTitle(own);
    // A code or a constitution is known by its own name alone.
    if (m_extension && m_extension->TitleIsOwnName())
        m_record.m_title = own;
    StepProgress();
    FindAppendices(lines, own);
    StepProgress();
    return m_record;
}

std::string COrdinaryDocAnalyzer::CollectHeading(const LineList& lines) {
    std::string s;
    const std::size_t end = m_extension ? m_extension->HeadingEnd() : lines.size();
    for (std::size_t i = 0; i < lines.size() && i < end; ++i) {
        const std::string& line = lines[i];
        if (BeginsWithDashes(line, 17))
            continue;
        if (IsBodyTextLine(line)) {
            const bool underlinedDateLine = Contains(line, "года"_cp) && Contains(line, "N") &&
                                            i + 1 < lines.size() &&
                                            BeginsWithDashes(lines[i + 1], 16);
            if (!underlinedDateLine)
                break;
        }
        const std::string upper = ToUpper(WithoutLeadingWhiteSpace(line));
        if (std::any_of(kHeadingStops.begin(), kHeadingStops.end(),
                        [&](std::string_view stop) { return StartsWith(upper, stop); }))
            break;
        s.append(" ").append(line);
    }
    m_rawHeading = s;
    std::string heading(1, ' ');
    heading += NormalizeName(s);
    heading.push_back(' ');
    return heading;
}

std::string COrdinaryDocAnalyzer::FindOwnTitle(const LineList& lines) const {
    const std::size_t count = lines.size();
    std::size_t body = count;
    for (std::size_t i = 0; i < count; ++i) {
        const std::string& line = lines[i];
        if (Contains(line, "----------------------"))
            continue;
        if (Contains(line, " года "_cp) && Contains(line, "N ") && i + 1 < count &&
            BeginsWithDashes(lines[i + 1], 35))
            continue;
        if (IsBodyTextLine(line)) {
            body = i;
            break;
        }
    }
    if (body == count)
        return {};

    std::size_t p = body;
    std::vector<std::size_t> taken;
    for (;;) {
        // Up one line, then over blank lines.
        if (p > 0) {
            --p;
            while (p > 0 && IsBlankLine(lines[p]))
                --p;
        }
        // The paragraph from p upwards, with the blank line that bounds it.
        taken.clear();
        bool includesFirst = false;
        for (;;) {
            taken.push_back(p);
            if (p == 0) {
                includesFirst = true;
                break;
            }
            const bool blank = IsBlankLine(lines[p]);
            --p;
            if (blank)
                break;
        }
        std::string paragraph;
        for (auto it = taken.rbegin(); it != taken.rend(); ++it)
            paragraph.append(lines[*it]).append(" ");

        if (ToUpper(paragraph) == paragraph)
            return NormalizeName(paragraph);
        if (StartsWith(paragraph, "в ред. "_cp) || StartsWith(paragraph, " от "_cp))
            return {};
        if (includesFirst)
            return {};
    }
}

void COrdinaryDocAnalyzer::ComposeTitle(const std::string& own) {
    std::string s;
    if (!m_record.m_kinds.empty()) {
        const std::string& kind = m_record.m_kinds.front();
        if (kind != "ПИСЬМО"_cp) {
            s = kind;
        } else {
            if (!m_letterInBrackets)
                m_letterInBrackets =
                    m_operator.AskYesNo("Поместить выд документа \"ПИСЬМО\" в кавычки?"_cp) ==
                    Answer::Yes;
            s = kind;
            if (*m_letterInBrackets) {
                s.insert(s.begin(), '<');
                s.push_back('>');
            }
        }
    }

    const auto& organs = m_record.m_organs;
    const auto& dates = m_record.m_adoptionDates;
    const auto& numbers = m_record.m_numbers;

    if (!s.empty()) {
        for (int i = 0; i < m_kindDict.GetCount(); ++i) {
            const CDocKindEntry& entry = m_kindDict.GetAt(i);
            if (entry.GetCases().Form(CaseNominative) != s)
                continue;
            if (entry.QuoteTitle() == 0)
                break;
            s.insert(s.begin(), '"');
            s.push_back(' ');
            s += own;
            s.push_back('"');
            const std::size_t n = std::max(dates.size(), numbers.size());
            for (std::size_t k = 0; k < n; ++k) {
                if (k > 0)
                    s += ", ";
                if (k < dates.size())
                    s.append(" от "_cp).append(FormatDate(dates[k]));
                if (k < numbers.size())
                    s.append(" N ").append(numbers[k]);
            }
            m_record.m_title = s;
            return;
        }
    }

    const std::size_t n = std::max({organs.size(), dates.size(), numbers.size()});
    for (std::size_t k = 0; k < n; ++k) {
        if (k > 0)
            s += ", ";
        if (k < organs.size())
            s.append(" ").append(OrganInGenitive(organs[k]));
        if (k < dates.size())
            s.append(" от "_cp).append(FormatDate(dates[k]));
        if (k < numbers.size())
            s.append(" N ").append(numbers[k]);
    }
    if (!own.empty()) {
        if (!s.empty())
            s += " \n";
        if (own.front() != '"')
            s += '"';
        s += own;
        if (own.back() != '"')
            s += '"';
    } else if (!s.empty()) {
        s += " \n<>";
    }
    m_record.m_title = s;
}

} // namespace norvak
