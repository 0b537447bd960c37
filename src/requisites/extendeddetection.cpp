#include "requisites/extendeddetection.h"

#include "core/literal.h"
#include "requisites/docanalyzer.h"
#include "requisites/docclass.h"

#include <algorithm>
#include <array>

namespace norvak {

namespace {

constexpr std::size_t npos = std::string::npos;

// The openings of editorial notes and publication lists, in capitals.
constexpr std::array<std::string_view, 12> kNoteOpenings = {
    "(В РЕД."_cp,     "(РЕД."_cp,     "(В РЕДАКЦИИ"_cp,
    "(С ИЗМ."_cp,     "(С УЧЕТОМ"_cp, "(С УЧЁТОМ"_cp,
    "(ДОПОЛНЕНИЕ"_cp, "(ДОПОЛНЕН"_cp, "(НАИМЕНОВАНИЕ В РЕДАКЦИИ"_cp,
    "(ВЕДОМОСТИ "_cp, "(УТРАТИЛ"_cp,  "(СОБРАНИЕ ЗАКОНОДАТЕЛЬСТВА"_cp};
// A note with this opening is a repeal of another act.
constexpr std::string_view kRepealNote = "(УТРАТИЛ"_cp;
// The openings of a repeal stamp at the top ("Утратил силу - Федеральный закон ...").
constexpr std::array<std::string_view, 4> kRepealStamps = {"УТРАТИЛ СИЛУ"_cp, "УТРАТИЛА СИЛУ"_cp,
                                                           "УТРАТИЛО СИЛУ"_cp, "УТРАТИЛИ СИЛУ"_cp};

// The kinds whose date and number stand in the signature block.
constexpr std::array<std::string_view, 6> kLawKinds = {"ЗАКОН"_cp,
                                                       "ФЕДЕРАЛЬНЫЙ ЗАКОН"_cp,
                                                       "ФЕДЕРАЛЬНЫЙ КОНСТИТУЦИОННЫЙ ЗАКОН"_cp,
                                                       "КОДЕКС"_cp,
                                                       "УКАЗ"_cp,
                                                       "ОСНОВЫ"_cp};
// The kinds whose own title is the act's whole name ("Водный кодекс Российской Федерации").
constexpr std::array<std::string_view, 3> kOwnNameKinds = {"КОДЕКС"_cp, "КОНСТИТУЦИЯ"_cp,
                                                           "ОСНОВЫ"_cp};
// Lines at the top that name the state, not the act.
constexpr std::array<std::string_view, 7> kStateNames = {
    "РОССИЙСКАЯ ФЕДЕРАЦИЯ"_cp,
    "РСФСР"_cp,
    "СССР"_cp,
    "СОЮЗ СОВЕТСКИХ СОЦИАЛИСТИЧЕСКИХ РЕСПУБЛИК"_cp,
    "РОССИЙСКАЯ СОВЕТСКАЯ ФЕДЕРАТИВНАЯ СОЦИАЛИСТИЧЕСКАЯ РЕСПУБЛИКА"_cp,
    "ЗАКОН РОССИЙСКОЙ ФЕДЕРАЦИИ"_cp,
    "ЗАКОН РСФСР"_cp};
// How far the own title may stand from the start: paragraphs looked at.
constexpr std::size_t kMaxTopParagraphs = 16;
constexpr std::size_t kMaxTitleLines = 8;
// The signature of a Soviet-era act names the presidium of the body that adopted it.
constexpr std::string_view kPresidiumChair = "ПРЕДСЕДАТЕЛЬ ПРЕЗИДИУМА ВЕРХОВНОГО СОВЕТА "_cp;
constexpr std::string_view kSupremeSoviet = "ВЕРХОВНЫЙ СОВЕТ "_cp;

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

// Runs of spaces reduced to one, none at the ends; the letter case kept.
std::string CollapseSpaces(std::string_view s) {
    std::string out;
    bool pending = false;
    for (char c : s) {
        if (c == ' ' || c == '\t' || c == '\r') {
            pending = !out.empty();
            continue;
        }
        if (pending)
            out += ' ';
        pending = false;
        out += c;
    }
    return out;
}

// A line of a drawn table: it holds a frame character (internal codes 0x10..0x1C, 0xA7) or
// a vertical bar.
bool IsTableLine(std::string_view s) {
    return std::any_of(s.begin(), s.end(), [](char c) {
        const auto b = static_cast<unsigned char>(c);
        return (b >= 0x10 && b <= 0x1C) || b == 0xA7 || c == '|';
    });
}

// A separator line ("____________", "-----", "* * *").
bool IsSeparatorLine(std::string_view s) {
    const std::string t = TrimSpaces(s);
    return !t.empty() && t.find_first_not_of("_-=* ") == npos;
}

// A place line of a signature or a heading: "Москва", "г. Москва", "Москва, Кремль".
bool IsPlaceLine(std::string_view normalized) {
    for (std::string_view town : {"МОСКВА"_cp, "Г. МОСКВА"_cp, "Г.МОСКВА"_cp}) {
        if (!StartsWith(normalized, town))
            continue;
        const std::string_view rest = normalized.substr(town.size());
        if (rest.empty())
            return true;
        if (rest.front() != ',')
            return false;
        // "Москва, Кремль", "Москва, Дом Советов России": a short place, no sentence.
        return CountWords(rest) <= 4 && rest.find_first_of(".;:") == npos;
    }
    // Another town: "г. Тула".
    return StartsWith(normalized, "Г. "_cp) && CountWords(normalized) <= 3;
}

// A date or number line of a heading: "от 12 февраля 2004 г. N 75", "N 75", "12.02.2004".
bool IsDateOrNumberLine(std::string_view normalized) {
    std::string_view n = normalized;
    if (StartsWith(n, "ОТ "_cp))
        n.remove_prefix(3);
    if (StartsWith(n, "N ") || StartsWith(n, "N") || StartsWith(n, kNumberSign))
        return !NumberAfterSign(n, 0).empty() && CountWords(n) <= 3;
    const std::optional<FoundDate> date = FindDateIn(n);
    if (!date || date->begin != 0)
        return false;
    const std::string_view after = AfterYearWord(n.substr(date->end));
    return after.empty() || !NumberAfterSign(after, 0).empty();
}

bool EqualsAnyForm(const std::vector<CPhraseEntry>& phrases, std::string_view n) {
    for (const CPhraseEntry& p : phrases)
        for (int k = 0; k < kCaseCount; ++k)
            if (!p.forms.Form(k).empty() && p.forms.Form(k) == n)
                return true;
    return false;
}

bool HasPhrase(const std::vector<CPhraseEntry>& phrases, std::string_view name) {
    return std::any_of(phrases.begin(), phrases.end(),
                       [&](const CPhraseEntry& p) { return p.name == name; });
}

} // namespace

std::string_view ExtendedRuleName(ExtendedRule rule) {
    switch (rule) {
    case ExtendedRuleNotes:
        return "notes";
    case ExtendedRuleRegistration:
        return "registration";
    case ExtendedRuleChambers:
        return "chambers";
    case ExtendedRuleSignature:
        return "signature";
    case ExtendedRuleRepeal:
        return "repeal";
    case ExtendedRuleOwnTitle:
        return "title";
    case ExtendedRuleTitleKind:
        return "title kind";
    case ExtendedRuleClosingDate:
        return "closing date";
    case ExtendedRulePopularVote:
        return "popular vote";
    case ExtendedRuleSovietCode:
        return "soviet code";
    case ExtendedRuleFinders:
        return "finders";
    default:
        return "?";
    }
}

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

bool CExtendedDetection::IsTopBodyLine(const std::string& line) const {
    if (!IsBodyTextLine(line))
        return false;
    if (!m_paragraphPerLine)
        return true;
    const std::string t = TrimSpaces(line);
    const char last = t.back();
    return t.size() > 160 || last == '.' || last == ':' || last == ';' || Contains(t, ". ");
}

void CExtendedDetection::SetPhrases(const std::vector<CPhraseEntry>* kinds,
                                    const std::vector<CPhraseEntry>* organs) {
    m_kindPhrases = kinds;
    m_organPhrases = organs;
}

void CExtendedDetection::Fire(ExtendedRule rule) {
    if (std::find(m_fired.begin(), m_fired.end(), rule) == m_fired.end())
        m_fired.push_back(rule);
}

void CExtendedDetection::AddEvidence(RequisiteId requisite, std::string value, std::size_t line,
                                     ExtendedRule rule) {
    const std::string text = line < m_source->size() ? (*m_source)[line] : std::string();
    m_evidence.push_back({requisite, std::move(value), static_cast<int>(line), text, rule});
}

bool CExtendedDetection::IsLeftOut(std::size_t line) const {
    return line < m_leftOut.size() && m_leftOut[line];
}

void CExtendedDetection::Hide(std::size_t first, std::size_t count, ExtendedRule rule) {
    for (std::size_t i = first; i < first + count && i < m_leftOut.size(); ++i)
        if (!m_partial.count(i))
            m_leftOut[i] = true;
    Fire(rule);
}

std::size_t CExtendedDetection::RepealAt(std::size_t i) const {
    const std::string first = NormalizeName((*m_source)[i]);
    if (std::none_of(kRepealStamps.begin(), kRepealStamps.end(),
                     [&](std::string_view o) { return StartsWith(first, o); }))
        return 0;
    // The stamp and the lines that go on with it, up to the blank line under it.
    std::size_t n = 1;
    while (n < 6 && i + n < m_source->size() && !IsBlankLine((*m_source)[i + n]) &&
           !IsStructuralTitle((*m_source)[i + n]))
        ++n;
    return n;
}

std::size_t CExtendedDetection::PopularVoteAt(std::size_t i) {
    const std::string first = NormalizeName((*m_source)[i]);
    if (!StartsWith(first, "ПРИНЯТА ВСЕНАРОДНЫМ ГОЛОСОВАНИЕМ"_cp))
        return 0;
    std::string joined = first;
    std::size_t count = 1;
    while (!FindDateIn(joined) && count < 3 && i + count < m_source->size() &&
           !IsBlankLine((*m_source)[i + count])) {
        joined += ' ';
        joined += NormalizeName((*m_source)[i + count]);
        ++count;
    }
    m_popularVote = FindDateIn(joined);
    m_popularVoteLine = i + count - 1;
    return m_popularVote ? count : 0;
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
        const std::size_t sign = date ? FindNumberSign(joined, date->end) : npos;
        if (!date || sign == npos)
            continue;
        auto lineOf = [&](std::size_t pos) {
            std::size_t k = starts.size() - 1;
            while (k > 0 && starts[k] > pos)
                --k;
            return i + k;
        };
        Registration r;
        r.date = date->date;
        r.number = NumberAfterSign(joined, sign);
        r.dateLine = lineOf(date->begin);
        r.numberLine = lineOf(sign);
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
    m_popularVote.reset();
    m_ownTitle.clear();
    m_titleIsOwnName = false;
    // A text saved one paragraph per line has no indented lines, or lines far longer than
    // any fixed width.
    m_paragraphPerLine = std::none_of(lines.begin(), lines.end(),
                                      [](const std::string& l) {
                                          return !l.empty() && l.front() == ' ' && !IsBlankLine(l);
                                      }) ||
                         std::any_of(lines.begin(), lines.end(),
                                     [](const std::string& l) { return l.size() > 200; });

    // The top of the document, up to its body text or the first title of a part of it.
    std::size_t top = 0;
    for (std::size_t& i = top; i < m_source->size();) {
        if (std::size_t n = NoteAt(i, false)) {
            const std::string lead = ToUpper(TrimSpaces((*m_source)[i]));
            Hide(i, n, StartsWith(lead, kRepealNote) ? ExtendedRuleRepeal : ExtendedRuleNotes);
            i += n;
            continue;
        }
        if (std::size_t n = RepealAt(i)) {
            Hide(i, n, ExtendedRuleRepeal);
            i += n;
            continue;
        }
        if (std::size_t n = m_popularVote ? 0 : PopularVoteAt(i)) {
            Hide(i, n, ExtendedRulePopularVote);
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
        if (IsTopBodyLine(line)) {
            const bool underlinedDateLine = Contains(line, "года"_cp) && Contains(line, "N") &&
                                            i + 1 < m_source->size() &&
                                            BeginsWithDashes((*m_source)[i + 1], 16);
            if (!underlinedDateLine)
                break;
        }
        ++i;
    }
    m_top = top;

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
                m_finderLines.push_back(partial != m_partial.end() ? partial->second
                                                                   : (*m_source)[i]);
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
        if (!town || !IsPlaceLine(p) || !(rest.empty() || rest.front() == ','))
            continue;

        const std::optional<std::size_t> dateLine = nextLine(place);
        if (!dateLine)
            continue;
        std::string d = NormalizeName((*m_source)[*dateLine]);
        if (StartsWith(d, "ОТ "_cp))
            d.erase(0, 3);
        const std::optional<FoundDate> date = FindDateIn(d);
        if (!date || date->begin != 0)
            continue;
        const std::string_view after = AfterYearWord(std::string_view(d).substr(date->end));
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

        record.m_adoptionDates.assign(1, date->date);
        record.m_numbers.assign(1, number);
        m_evidence.push_back({kReqAdoptionDates, FormatDate(date->date),
                              static_cast<int>(*dateLine), (*m_source)[*dateLine],
                              ExtendedRuleSignature});
        m_evidence.push_back({kReqNumbers, number, static_cast<int>(numberLine),
                              (*m_source)[numberLine], ExtendedRuleSignature});
        return true;
    }
    return false;
}

void CExtendedDetection::FindOwnTitle(const std::string& plainTitle) {
    if (!m_kindPhrases || !m_organPhrases)
        return;
    const std::vector<CPhraseEntry>& kinds = *m_kindPhrases;
    const std::vector<CPhraseEntry>& organs = *m_organPhrases;
    auto textOf = [&](std::size_t i) -> const std::string& {
        const auto partial = m_partial.find(i);
        return partial != m_partial.end() ? partial->second : (*m_source)[i];
    };
    enum class Sort { Title, Kind, Other };
    // What a piece of the top (normalised) is when it is not the act's own title.
    auto sortOf = [&](const std::string& n) {
        if (EqualsAnyForm(kinds, n))
            return Sort::Kind;
        // "УКАЗ ПРЕЗИДЕНТА РОССИЙСКОЙ ФЕДЕРАЦИИ": a kind and the body in the genitive.
        for (const CPhraseEntry& kind : kinds) {
            const std::string& k = kind.forms.Form(CaseNominative);
            if (!k.empty() && n.size() > k.size() + 1 && StartsWith(n, k) && n[k.size()] == ' ' &&
                EqualsAnyForm(organs, std::string_view(n).substr(k.size() + 1)))
                return Sort::Kind;
        }
        if (std::find(kStateNames.begin(), kStateNames.end(), n) != kStateNames.end() ||
            EqualsAnyForm(organs, n) || IsPlaceLine(n) || IsDateOrNumberLine(n) ||
            StartsWith(n, "(") || n == "ПРОЕКТ"_cp ||
            std::any_of(kRepealStamps.begin(), kRepealStamps.end(),
                        [&](std::string_view o) { return StartsWith(n, o); }))
            return Sort::Other;
        return Sort::Title;
    };

    struct Candidate {
        std::string text;
        std::size_t line = 0;
        std::string part;
        std::size_t order = 0;
    };
    std::vector<Candidate> candidates;
    std::size_t lastKind = npos; // the order of the last paragraph that is a kind line alone
    std::size_t order = 0;
    std::size_t i = 0;
    const std::size_t end = std::min(m_top, m_source->size());
    while (i < end && order < kMaxTopParagraphs) {
        // The next paragraph: consecutive lines that are neither blank nor left out.
        bool afterLeftOut = false; // a note or a mark stands between it and the one above
        while (i < end && (IsLeftOut(i) || IsBlankLine(textOf(i)))) {
            afterLeftOut = afterLeftOut || IsLeftOut(i);
            ++i;
        }
        std::vector<std::size_t> para;
        while (i < end && !IsLeftOut(i) && !IsBlankLine(textOf(i)))
            para.push_back(i++);
        // A title runs over a few lines; a longer block is text.
        if (para.empty() || para.size() > kMaxTitleLines)
            break;
        if (IsStructuralTitle(textOf(para.front())) || IsTopBodyLine(textOf(para.front())))
            break;
        ++order;
        // Lines in front that name a body, a kind, the state, a place, a date or a number
        // ("МИНИСТЕРСТВО СТРОИТЕЛЬСТВА И ЖИЛИЩНО-КОММУНАЛЬНОГО" / "ХОЗЯЙСТВА РОССИЙСКОЙ
        // ФЕДЕРАЦИИ" is one body) are not the title.
        std::size_t a = 0;
        for (bool dropped = true; dropped && a < para.size();) {
            dropped = false;
            std::string joined;
            std::vector<std::string> prefixes;
            for (std::size_t j = a; j < para.size(); ++j) {
                joined += ' ';
                joined += textOf(para[j]);
                prefixes.push_back(NormalizeName(joined));
            }
            for (std::size_t j = prefixes.size(); j-- > 0;) {
                const Sort sort = sortOf(prefixes[j]);
                if (sort == Sort::Title)
                    continue;
                if (sort == Sort::Kind)
                    lastKind = order;
                a += j + 1;
                dropped = true;
                break;
            }
        }
        if (a == para.size())
            continue;
        std::string text;
        for (std::size_t j = a; j < para.size(); ++j)
            text.append(" ").append(textOf(para[j]));
        text = CollapseSpaces(text);
        const std::string n = NormalizeName(text);
        // "Часть первая" right under the name of a code in parts (under the notes it is a
        // division of the code).
        if (StartsWith(n, "ЧАСТЬ "_cp) && CountWords(n) <= 3 && !afterLeftOut &&
            !candidates.empty() && candidates.back().order + 1 == order &&
            candidates.back().part.empty()) {
            candidates.back().part = text;
            continue;
        }
        candidates.push_back({text, para[a], {}, order});
    }

    // Where a kind line stands alone, the title is the paragraph after it; a capital line
    // above it is a body the dictionary does not know.
    const auto chosen = std::find_if(candidates.begin(), candidates.end(), [&](const Candidate& c) {
        return lastKind == npos || c.order > lastKind;
    });
    if (chosen == candidates.end())
        return;
    m_ownTitle = chosen->text;
    m_ownTitleLine = chosen->line;
    if (!chosen->part.empty()) {
        const bool capitals = ToUpper(m_ownTitle) == m_ownTitle;
        m_ownTitle += " (";
        m_ownTitle += capitals ? ToUpper(chosen->part) : ToLower(chosen->part);
        m_ownTitle += ')';
    }
    if (m_ownTitle != plainTitle)
        Fire(ExtendedRuleOwnTitle);
    AddEvidence(kReqTitle, m_ownTitle, m_ownTitleLine, ExtendedRuleOwnTitle);
}

void CExtendedDetection::ApplyTitleKind(CRequisiteRecord& record) {
    if (m_ownTitle.empty() || !m_kindPhrases)
        return;
    // The kind the title names nearest its start ("Водный кодекс", "КОДЕКС О БРАКЕ"), the
    // longest phrase first.
    const std::string n = " " + NormalizeName(m_ownTitle) + " ";
    std::string kind;
    std::size_t best = npos;
    for (auto it = m_kindPhrases->rbegin(); it != m_kindPhrases->rend(); ++it) {
        const std::string& form = it->forms.Form(CaseNominative);
        if (form.empty() || it->name.empty())
            continue;
        const std::size_t p = n.find(" " + form + " ");
        if (p != npos && p < best) {
            best = p;
            kind = it->name;
        }
    }
    if (kind.empty() || CountWords(std::string_view(n).substr(0, best)) > 2)
        return;
    const bool ownName =
        std::find(kOwnNameKinds.begin(), kOwnNameKinds.end(), kind) != kOwnNameKinds.end();
    if (!ownName && !record.m_kinds.empty())
        return;
    m_titleIsOwnName = ownName;
    auto& kinds = record.m_kinds;
    std::erase(kinds, kind);
    kinds.insert(kinds.begin(), kind);
    Fire(ExtendedRuleTitleKind);
    AddEvidence(kReqKinds, kind, m_ownTitleLine, ExtendedRuleTitleKind);

    // A code of the RSFSR was adopted by its Supreme Soviet.
    const std::string soviet = std::string(kSupremeSoviet).append("РСФСР"_cp);
    if (ownName && record.m_organs.empty() && m_organPhrases && n.size() > 7 &&
        n.compare(n.size() - 7, 7, " РСФСР "_cp) == 0 && HasPhrase(*m_organPhrases, soviet)) {
        record.m_organs.push_back(soviet);
        Fire(ExtendedRuleSovietCode);
        AddEvidence(kReqOrgans, soviet, m_ownTitleLine, ExtendedRuleSovietCode);
    }
}

bool CExtendedDetection::ApplyClosingDate(CRequisiteRecord& record) {
    // The last line of text, under any separators.
    std::size_t last = m_source->size();
    while (last > 0 &&
           (IsBlankLine((*m_source)[last - 1]) || IsSeparatorLine((*m_source)[last - 1])))
        --last;
    if (last == 0)
        return false;
    const std::size_t dateLine = last - 1;
    const std::string& line = (*m_source)[dateLine];
    if (IsTableLine(line))
        return false;
    std::string d = NormalizeName(line);
    if (StartsWith(d, "ОТ "_cp))
        d.erase(0, 3);
    const std::optional<FoundDate> date = FindDateIn(d);
    if (!date || date->begin != 0 || !AfterYearWord(std::string_view(d).substr(date->end)).empty())
        return false;

    // The line above: blank (a date standing alone), or the place of a signature.
    std::size_t above = dateLine;
    int blanks = 0;
    while (above > 0 && IsBlankLine((*m_source)[above - 1]) && blanks <= kMaxBlanksInBlock) {
        --above;
        ++blanks;
    }
    std::optional<std::size_t> place;
    if (above > 0 && blanks <= kMaxBlanksInBlock) {
        const std::string& p = (*m_source)[above - 1];
        if (IsTableLine(p))
            return false;
        if (IsPlaceLine(NormalizeName(p)))
            place = above - 1;
        else if (blanks == 0)
            return false; // the date ends a sentence or a paragraph of the text
    }

    record.m_adoptionDates.assign(1, date->date);
    Fire(ExtendedRuleClosingDate);
    AddEvidence(kReqAdoptionDates, FormatDate(date->date), dateLine, ExtendedRuleClosingDate);

    // "Председатель Президиума Верховного Совета РСФСР": the act of the Supreme Soviet.
    if (!place || !m_organPhrases)
        return true;
    std::size_t k = *place;
    while (k > 0 && *place - k <= kMaxBlanksInBlock && IsBlankLine((*m_source)[k - 1]))
        --k;
    std::string signature;
    std::size_t first = k;
    while (first > 0 && k - first < 3 && !IsBlankLine((*m_source)[first - 1]))
        --first;
    for (std::size_t j = first; j < k; ++j)
        signature.append(" ").append((*m_source)[j]);
    signature = NormalizeName(signature);
    if (!StartsWith(signature, kPresidiumChair))
        return true;
    const std::vector<std::string> words = SplitWords(signature.substr(kPresidiumChair.size()));
    const std::string body = std::string(kSupremeSoviet) + (words.empty() ? "" : words[0]);
    if (!HasPhrase(*m_organPhrases, body))
        return true;
    std::erase(record.m_organs, body);
    record.m_organs.insert(record.m_organs.begin(), body);
    AddEvidence(kReqOrgans, body, first, ExtendedRuleClosingDate);
    return true;
}

void CExtendedDetection::LocateFinderValues(const CRequisiteRecord& record) {
    auto has = [&](RequisiteId id, const std::string& value) {
        return std::any_of(m_evidence.begin(), m_evidence.end(), [&](const RequisiteEvidence& e) {
            return e.requisite == id && e.value == value;
        });
    };
    // The first line whose capitals hold one of the texts, at the top first; a text may run
    // on to the next line ("МИНИСТЕРСТВО ... ЖИЛИЩНО-КОММУНАЛЬНОГО" / "ХОЗЯЙСТВА ...").
    auto locate = [&](std::vector<std::string> texts) -> std::optional<std::size_t> {
        for (std::string& t : texts)
            t = ToUpper(t);
        for (std::size_t i = 0; i < m_source->size(); ++i) {
            if (IsLeftOut(i) || IsBlankLine((*m_source)[i]))
                continue;
            std::string u = " " + NormalizeName((*m_source)[i]) + " ";
            const std::size_t own = u.size();
            if (i + 1 < m_source->size() && !IsLeftOut(i + 1))
                u += NormalizeName((*m_source)[i + 1]) + " ";
            for (const std::string& t : texts) {
                const std::size_t p = t.empty() ? npos : u.find(t);
                if (p != npos && p < own)
                    return i;
            }
        }
        return std::nullopt;
    };
    auto formsOf = [](const std::vector<CPhraseEntry>* phrases, const std::string& name) {
        std::vector<std::string> texts;
        if (phrases)
            for (const CPhraseEntry& p : *phrases)
                if (p.name == name)
                    for (int k = 0; k < kCaseCount; ++k)
                        if (!p.forms.Form(k).empty())
                            texts.push_back(" " + p.forms.Form(k) + " ");
        if (texts.empty())
            texts.push_back(" " + name + " ");
        return texts;
    };
    for (const std::string& kind : record.m_kinds)
        if (!has(kReqKinds, kind))
            if (auto at = locate(formsOf(m_kindPhrases, kind)))
                AddEvidence(kReqKinds, kind, *at, ExtendedRuleFinders);
    for (const std::string& organ : record.m_organs)
        if (!has(kReqOrgans, organ))
            if (auto at = locate(formsOf(m_organPhrases, organ)))
                AddEvidence(kReqOrgans, organ, *at, ExtendedRuleFinders);
    for (const CDateValue& date : record.m_adoptionDates) {
        const std::string text = FormatDate(date);
        if (has(kReqAdoptionDates, text))
            continue;
        for (std::size_t i = 0; i < m_source->size(); ++i) {
            if (IsLeftOut(i))
                continue;
            bool found = false;
            for (std::size_t from = 0;;) {
                const std::optional<FoundDate> f = FindDateIn((*m_source)[i], from);
                if (!f)
                    break;
                if (f->date == date) {
                    found = true;
                    break;
                }
                from = f->end;
            }
            if (found || Contains((*m_source)[i], text)) {
                AddEvidence(kReqAdoptionDates, text, i, ExtendedRuleFinders);
                break;
            }
        }
    }
    for (const std::string& number : record.m_numbers)
        if (!has(kReqNumbers, number))
            if (auto at =
                    locate({"N " + number, std::string(kNumberSign) + " " + number, "N" + number}))
                AddEvidence(kReqNumbers, number, *at, ExtendedRuleFinders);
}

void CExtendedDetection::Complete(CRequisiteRecord& record, const std::string* plainTitle) {
    if (m_registration) {
        const Registration& r = *m_registration;
        record.m_justiceDate = r.date;
        record.m_justiceNumber = r.number;
        m_evidence.push_back({kReqJusticeDate, FormatDate(r.date), static_cast<int>(r.dateLine),
                              (*m_source)[r.dateLine], ExtendedRuleRegistration});
        m_evidence.push_back({kReqJusticeNumber, r.number, static_cast<int>(r.numberLine),
                              (*m_source)[r.numberLine], ExtendedRuleRegistration});
    }
    if (plainTitle) {
        FindOwnTitle(*plainTitle);
        ApplyTitleKind(record);
    }
    if (m_popularVote && record.m_adoptionDates.empty()) {
        record.m_adoptionDates.push_back(m_popularVote->date);
        AddEvidence(kReqAdoptionDates, FormatDate(m_popularVote->date), m_popularVoteLine,
                    ExtendedRulePopularVote);
    }
    const bool law =
        std::any_of(record.m_kinds.begin(), record.m_kinds.end(), [](const std::string& kind) {
            return std::find(kLawKinds.begin(), kLawKinds.end(), kind) != kLawKinds.end();
        });
    if (ApplySignatureBlock(record))
        Fire(ExtendedRuleSignature);
    else if (law)
        ApplyClosingDate(record);
    // "67н?", "75.": the sentence's punctuation is not part of the number.
    for (std::string& number : record.m_numbers)
        while (number.size() > 1 && std::string_view("?!.,;:").find(number.back()) != npos)
            number.pop_back();
    std::erase(record.m_numbers, std::string());
    LocateFinderValues(record);
}

std::vector<ExtendedRule> CExtendedDetection::FiredRules() const {
    std::vector<ExtendedRule> rules = m_fired;
    std::sort(rules.begin(), rules.end());
    return rules;
}

std::string FormatExtendedRules(const std::vector<ExtendedRule>& rules) {
    std::string s;
    for (ExtendedRule rule : rules) {
        const std::string_view name = ExtendedRuleName(rule);
        if (!s.empty())
            s += "; ";
        s += std::to_string(rule);
        s += ' ';
        s += name;
    }
    return s;
}

} // namespace norvak
