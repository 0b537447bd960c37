#include "requisites/extendeddetection.h"

#include "core/literal.h"
#include "requisites/docanalyzer.h"
#include "requisites/docclass.h"

#include <algorithm>
#include <array>

namespace norvak {

namespace {

constexpr std::size_t npos = std::string::npos;

// The openings of editorial notes, in capitals.
constexpr std::array<std::string_view, 4> kNoteOpenings = {"(В РЕД."_cp, "(РЕД."_cp,
                                                           "(В РЕДАКЦИИ"_cp, "(С ИЗМ."_cp};

// The kinds whose date and number stand in the signature block.
constexpr std::array<std::string_view, 4> kLawKinds = {
    "ЗАКОН"_cp, "ФЕДЕРАЛЬНЫЙ ЗАКОН"_cp, "ФЕДЕРАЛЬНЫЙ КОНСТИТУЦИОННЫЙ ЗАКОН"_cp, "КОДЕКС"_cp};

// How far a note may run, how far from the end a signature block may stand, and how many
// blank lines may separate the lines of a block.
constexpr std::size_t kMaxNoteLines = 60;
constexpr std::size_t kSignatureWindow = 40;
constexpr int kMaxBlanksInBlock = 3;

const std::string_view kNumberSign = "№"_cp;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsLowerLetter(char c) {
    return ToUpperChar(c) != c;
}

bool BeginsWithDashes(std::string_view s, std::size_t n) {
    return s.size() >= n && s.find_first_not_of('-') >= n;
}

// Digits from p; count and value.
std::size_t ReadDigits(std::string_view s, std::size_t p, int& value) {
    std::size_t n = 0;
    value = 0;
    while (p + n < s.size() && IsDigit(s[p + n]) && n < 6) {
        value = value * 10 + (s[p + n] - '0');
        ++n;
    }
    return n;
}

std::size_t SkipSpaces(std::string_view s, std::size_t p) {
    while (p < s.size() && s[p] == ' ')
        ++p;
    return p;
}

// The number after "N" or "№" at p (spaces allowed between), trailing ")", ",", ";" and "."
// removed; empty unless it holds a digit.
std::string NumberAfterSign(std::string_view s, std::size_t p) {
    if (p < s.size() && s[p] == 'N')
        ++p;
    else if (s.substr(p, kNumberSign.size()) == kNumberSign)
        p += kNumberSign.size();
    else
        return {};
    p = SkipSpaces(s, p);
    const std::size_t end = std::min(s.find(' ', p), s.size());
    std::string number(s.substr(p, end - p));
    while (!number.empty() && (number.back() == ')' || number.back() == ',' ||
                               number.back() == ';' || number.back() == '.'))
        number.pop_back();
    if (std::none_of(number.begin(), number.end(), IsDigit))
        return {};
    return number;
}

// The position of the first number sign that stands as a word ("N 123", "N123", "№ 123")
// at or after from, or npos.
std::size_t FindNumberSign(std::string_view s, std::size_t from) {
    for (std::size_t p = from; p < s.size(); ++p) {
        const bool sign = s[p] == 'N' || s.substr(p, kNumberSign.size()) == kNumberSign;
        if (!sign || (p > 0 && s[p - 1] != ' '))
            continue;
        if (!NumberAfterSign(s, p).empty())
            return p;
    }
    return npos;
}

// The rest of a date line after the date: "года", "г." and spaces off its front.
std::string_view AfterYearWord(std::string_view s) {
    std::size_t p = SkipSpaces(s, 0);
    for (std::string_view word : {"ГОДА"_cp, "Г."_cp, "Г"_cp}) {
        if (s.substr(p, word.size()) == word &&
            (p + word.size() == s.size() || s[p + word.size()] == ' ' || word.back() == '.')) {
            p += word.size();
            break;
        }
    }
    return s.substr(SkipSpaces(s, p));
}

// A title of a part of the body: "Раздел I", "Глава 1", "Статья 5", "С т а т ь я 5".
bool IsStructuralTitle(std::string_view line) {
    const std::string n = NormalizeName(line);
    if (StartsWith(n, "С Т А Т Ь Я"_cp))
        return true;
    for (std::string_view word : {"РАЗДЕЛ "_cp, "ГЛАВА "_cp, "СТАТЬЯ "_cp, "ЧАСТЬ "_cp}) {
        if (!StartsWith(n, word) || n.size() == word.size())
            continue;
        const char c = n[word.size()];
        if (IsDigit(c) || c == 'I' || c == 'V' || c == 'X' || c == 'L')
            return true;
    }
    return false;
}

} // namespace

std::optional<FoundDate> FindDateIn(std::string_view text, std::size_t from) {
    const std::string upper = ToUpper(text);
    const std::string_view s = upper;
    const auto& months = MonthNamesGenitive();
    for (std::size_t p = from; p < s.size(); ++p) {
        if (!IsDigit(s[p]) || (p > 0 && IsDigit(s[p - 1])))
            continue;
        int day = 0;
        const std::size_t dayDigits = ReadDigits(s, p, day);
        if (dayDigits > 2)
            continue;
        std::size_t q = p + dayDigits;
        int month = 0;
        int year = 0;
        std::size_t end = 0;
        if (q < s.size() && s[q] == '.') {
            // dd.mm.yyyy
            int m = 0;
            if (ReadDigits(s, q + 1, m) != 2 || q + 3 >= s.size() || s[q + 3] != '.')
                continue;
            int y = 0;
            if (ReadDigits(s, q + 4, y) != 4)
                continue;
            month = m;
            year = y;
            end = q + 8;
        } else {
            if (q < s.size() && s[q] == '"') // "21" февраля
                ++q;
            const std::size_t w = SkipSpaces(s, q);
            if (w == q)
                continue;
            for (std::size_t m = 0; m < months.size() && month == 0; ++m)
                if (s.substr(w, months[m].size()) == months[m])
                    month = static_cast<int>(m) + 1;
            if (month == 0)
                continue;
            const std::size_t y = SkipSpaces(s, w + months[month - 1].size());
            if (y == w + months[month - 1].size() || ReadDigits(s, y, year) != 4)
                continue;
            end = y + 4;
        }
        if (year < 1900 || year > 2099 || month < 1 || month > 12 || day < 1 ||
            day > DaysInMonth(year, month))
            continue;
        return FoundDate{CDateValue(year, month, day, 1, 1, 1), p, end};
    }
    return std::nullopt;
}

CExtendedDetection::CExtendedDetection(int posParagraph) : m_posParagraph(posParagraph) {}

bool CExtendedDetection::IsBodyTextLine(const std::string& line) const {
    if (m_posParagraph < 0 || static_cast<int>(line.size()) <= m_posParagraph)
        return false;
    if (line[static_cast<std::size_t>(m_posParagraph)] == ' ')
        return false;
    return ToUpper(line) != line;
}

bool CExtendedDetection::IsLeftOut(std::size_t line) const {
    return line < m_leftOut.size() && m_leftOut[line];
}

void CExtendedDetection::Hide(std::size_t first, std::size_t count, int rule) {
    for (std::size_t i = first; i < first + count && i < m_leftOut.size(); ++i)
        if (!m_partial.count(i))
            m_leftOut[i] = true;
    if (std::find(m_fired.begin(), m_fired.end(), rule) == m_fired.end())
        m_fired.push_back(rule);
}

std::size_t CExtendedDetection::NoteAt(std::size_t i, bool questionParagraph) {
    const std::string& line = (*m_source)[i];
    const std::size_t lead = static_cast<std::size_t>(CountLeadingSpaces(line));
    const std::string upper = ToUpper(std::string_view(line).substr(lead));
    if (std::none_of(kNoteOpenings.begin(), kNoteOpenings.end(),
                     [&](std::string_view o) { return StartsWith(upper, o); }))
        return 0;
    // The note must open a paragraph: a line that goes on a sentence from the line above is
    // part of that sentence.
    if (i > 0 && !IsLeftOut(i - 1) && !IsBlankLine((*m_source)[i - 1])) {
        const std::string above = TrimSpaces((*m_source)[i - 1]);
        const char last = above.back();
        const bool ended = last == '.' || last == ';' || last == ':' || last == ')' ||
                           last == '"' || last == '?' || last == '!';
        const bool capitals = std::none_of(above.begin(), above.end(), IsLowerLetter);
        // Under a title in capitals a note opens its own paragraph; inside a question it
        // has to follow the end of a sentence.
        if (!ended && (questionParagraph || !capitals))
            return 0;
    }
    int depth = 0;
    for (std::size_t j = i; j < m_source->size() && j < i + kMaxNoteLines; ++j) {
        const std::string& l = (*m_source)[j];
        if (j > i && IsBlankLine(l))
            return j - i; // an unclosed note ends with its paragraph
        for (std::size_t k = j == i ? lead : 0; k < l.size(); ++k) {
            if (l[k] == '(') {
                ++depth;
            } else if (l[k] == ')' && --depth == 0) {
                if (!IsBlankLine(std::string_view(l).substr(k + 1)))
                    m_partial[j] = std::string(k + 1, ' ') + l.substr(k + 1);
                return j - i + 1;
            }
        }
    }
    return 0;
}

std::size_t CExtendedDetection::RegistrationAt(std::size_t i) {
    const std::string first = NormalizeName((*m_source)[i]);
    if (!StartsWith(first, "ЗАРЕГИСТРИРОВАН"_cp))
        return 0;
    const std::vector<std::string> words = SplitWords(first);
    if (words.size() < 3 || words[1] != "В"_cp)
        return 0;
    const bool ministry =
        StartsWith(words[2], "МИНЮСТ"_cp) ||
        (StartsWith(words[2], "МИНИСТЕРСТВ"_cp) && words.size() > 3 && words[3] == "ЮСТИЦИИ"_cp);
    if (!ministry)
        return 0;
    // The line and at most two lines that go on with it, until a number turns up.
    std::string joined;
    std::vector<std::size_t> starts; // where each line begins in joined
    std::size_t j = i;
    for (; j < m_source->size() && j < i + 3; ++j) {
        if (j > i && IsBlankLine((*m_source)[j]))
            break;
        starts.push_back(joined.size());
        joined += ' ';
        joined += ToUpper((*m_source)[j]);
        const std::optional<FoundDate> date = FindDateIn(joined);
        const std::size_t sign = date ? FindNumberSign(joined, date->m_end) : npos;
        if (!date || sign == npos)
            continue;
        auto lineOf = [&](std::size_t pos) {
            std::size_t k = starts.size() - 1;
            while (k > 0 && starts[k] > pos)
                --k;
            return i + k;
        };
        Registration r;
        r.m_date = date->m_date;
        r.m_number = NumberAfterSign(joined, sign);
        r.m_dateLine = lineOf(date->m_begin);
        r.m_numberLine = lineOf(sign);
        m_registration = r;
        return j - i + 1;
    }
    return 0;
}

std::size_t CExtendedDetection::ChamberMarkAt(std::size_t i) const {
    const std::string first = NormalizeName((*m_source)[i]);
    const bool adopted = StartsWith(first, "ПРИНЯТ"_cp) && (first.size() == 6 || first[6] == ' ');
    const bool approved = StartsWith(first, "ОДОБРЕН"_cp) && (first.size() == 7 || first[7] == ' ');
    if (!adopted && !approved)
        return 0;
    // One line ("Принят Государственной Думой 18 октября 1995 года") or a block whose last
    // line holds the date.
    std::string joined = first;
    std::size_t count = 1;
    while (!FindDateIn(joined) && count < 4 && i + count < m_source->size() &&
           !IsBlankLine((*m_source)[i + count])) {
        joined += ' ';
        joined += NormalizeName((*m_source)[i + count]);
        ++count;
    }
    const std::string_view body =
        adopted ? "ПРИНЯТ ГОСУДАРСТВЕННОЙ ДУМОЙ"_cp : "ОДОБРЕН СОВЕТОМ ФЕДЕРАЦИИ"_cp;
    return StartsWith(joined, body) ? count : 0;
}

const LineList& CExtendedDetection::Prepare(const LineList& lines) {
    m_source = &lines;
    m_leftOut.assign(lines.size(), false);
    m_partial.clear();
    m_registration.reset();
    m_fired.clear();
    m_evidence.clear();
    m_headingEnd = npos;

    // The top of the document, up to its body text or the first title of a part of it.
    std::size_t top = 0;
    for (std::size_t& i = top; i < m_source->size();) {
        if (std::size_t n = NoteAt(i, false)) {
            Hide(i, n, ExtendedRuleNotes);
            i += n;
            continue;
        }
        if (!m_registration) {
            if (std::size_t n = RegistrationAt(i)) {
                Hide(i, n, ExtendedRuleRegistration);
                i += n;
                continue;
            }
        }
        if (std::size_t n = ChamberMarkAt(i)) {
            Hide(i, n, ExtendedRuleChambers);
            i += n;
            continue;
        }
        const std::string& line = (*m_source)[i];
        if (IsStructuralTitle(line))
            break;
        if (IsBodyTextLine(line)) {
            const bool underlinedDateLine = Contains(line, "года"_cp) && Contains(line, "N") &&
                                            i + 1 < m_source->size() &&
                                            BeginsWithDashes((*m_source)[i + 1], 16);
            if (!underlinedDateLine)
                break;
        }
        ++i;
    }

    auto buildView = [&] {
        m_finderLines.clear();
        m_headingEnd = npos;
        m_finderView = m_source;
        bool anyLeftOut = !m_partial.empty();
        for (std::size_t i = 0; i < m_source->size() && !anyLeftOut; ++i)
            anyLeftOut = m_leftOut[i];
        if (!anyLeftOut)
            return; // the finders read the lines themselves: no copy of the document
        m_finderView = &m_finderLines;
        bool leftOut = false;
        for (std::size_t i = 0; i < m_source->size(); ++i) {
            const auto partial = m_partial.find(i);
            leftOut = leftOut || m_leftOut[i] || partial != m_partial.end();
            if (i == top && leftOut)
                m_headingEnd = m_finderLines.size();
            if (!m_leftOut[i])
                m_finderLines.push_back(partial != m_partial.end() ? partial->second : (*m_source)[i]);
        }
    };
    buildView();

    // The question paragraph of a question-and-answer document, which starts in the body.
    if (ClassifyDocument(*m_finderView) == DocClassQuestion) {
        std::size_t q = 0;
        while (q < m_source->size() && (*m_source)[q].find("Вопрос:"_cp) == npos)
            ++q;
        bool hid = false;
        for (std::size_t j = q; j < m_source->size() && !IsBlankLine((*m_source)[j]);) {
            if (std::size_t n = j > q ? NoteAt(j, true) : 0) {
                Hide(j, n, ExtendedRuleNotes);
                j += n;
                hid = true;
            } else {
                ++j;
            }
        }
        if (hid)
            buildView();
    }
    return *m_finderView;
}

bool CExtendedDetection::ApplySignatureBlock(CRequisiteRecord& record) {
    const bool law =
        std::any_of(record.m_kinds.begin(), record.m_kinds.end(), [](const std::string& kind) {
            return std::find(kLawKinds.begin(), kLawKinds.end(), kind) != kLawKinds.end();
        });
    if (!law)
        return false;

    std::vector<std::size_t> window; // the last non-blank lines, last first
    for (std::size_t i = m_source->size(); i-- > 0 && window.size() < kSignatureWindow;)
        if (!IsBlankLine((*m_source)[i]))
            window.push_back(i);

    // The next non-blank line after i with at most kMaxBlanksInBlock blank lines between.
    auto nextLine = [&](std::size_t i) -> std::optional<std::size_t> {
        int blanks = 0;
        for (std::size_t j = i + 1; j < m_source->size(); ++j) {
            if (!IsBlankLine((*m_source)[j]))
                return j;
            if (++blanks > kMaxBlanksInBlock)
                break;
        }
        return std::nullopt;
    };

    for (std::size_t place : window) {
        const std::string p = NormalizeName((*m_source)[place]);
        std::string_view rest = p;
        bool town = false;
        for (std::string_view prefix : {"МОСКВА"_cp, "Г. МОСКВА"_cp, "Г.МОСКВА"_cp})
            if (StartsWith(rest, prefix) && !town) {
                rest.remove_prefix(prefix.size());
                town = true;
            }
        if (!town || p.size() > 60 || !(rest.empty() || rest.front() == ','))
            continue;

        const std::optional<std::size_t> dateLine = nextLine(place);
        if (!dateLine)
            continue;
        std::string d = NormalizeName((*m_source)[*dateLine]);
        if (StartsWith(d, "ОТ "_cp))
            d.erase(0, 3);
        const std::optional<FoundDate> date = FindDateIn(d);
        if (!date || date->m_begin != 0)
            continue;
        const std::string_view after = AfterYearWord(std::string_view(d).substr(date->m_end));
        std::string number;
        std::size_t numberLine = *dateLine;
        if (!after.empty()) {
            // "23 ноября 2009 года N 261-ФЗ" on one line.
            number = NumberAfterSign(after, 0);
        } else if (const std::optional<std::size_t> n = nextLine(*dateLine)) {
            number = NumberAfterSign(NormalizeName((*m_source)[*n]), 0);
            numberLine = *n;
        }
        if (number.empty())
            continue;

        record.m_adoptionDates.assign(1, date->m_date);
        record.m_numbers.assign(1, number);
        m_evidence.push_back({kReqAdoptionDates, FormatDate(date->m_date),
                              static_cast<int>(*dateLine), (*m_source)[*dateLine],
                              ExtendedRuleSignature});
        m_evidence.push_back({kReqNumbers, number, static_cast<int>(numberLine),
                              (*m_source)[numberLine], ExtendedRuleSignature});
        return true;
    }
    return false;
}

void CExtendedDetection::Complete(CRequisiteRecord& record) {
    if (m_registration) {
        const Registration& r = *m_registration;
        record.m_justiceDate = r.m_date;
        record.m_justiceNumber = r.m_number;
        m_evidence.push_back({kReqJusticeDate, FormatDate(r.m_date), static_cast<int>(r.m_dateLine),
                              (*m_source)[r.m_dateLine], ExtendedRuleRegistration});
        m_evidence.push_back({kReqJusticeNumber, r.m_number, static_cast<int>(r.m_numberLine),
                              (*m_source)[r.m_numberLine], ExtendedRuleRegistration});
    }
    if (ApplySignatureBlock(record) &&
        std::find(m_fired.begin(), m_fired.end(), ExtendedRuleSignature) == m_fired.end())
        m_fired.push_back(ExtendedRuleSignature);
}

std::vector<int> CExtendedDetection::FiredRules() const {
    std::vector<int> rules = m_fired;
    std::sort(rules.begin(), rules.end());
    return rules;
}

std::string FormatExtendedRules(const std::vector<int>& rules) {
    std::string s;
    for (int rule : rules) {
        std::string_view name;
        switch (rule) {
        case ExtendedRuleNotes:
            name = "notes";
            break;
        case ExtendedRuleRegistration:
            name = "registration";
            break;
        case ExtendedRuleChambers:
            name = "chambers";
            break;
        case ExtendedRuleSignature:
            name = "signature";
            break;
        default:
            name = "?";
            break;
        }
        if (!s.empty())
            s += "; ";
        s += std::to_string(rule);
        s += ' ';
        s += name;
    }
    return s;
}

} // namespace norvak
