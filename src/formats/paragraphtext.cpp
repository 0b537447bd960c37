#include "formats/paragraphtext.h"

#include "core/literal.h"

namespace norvak {
namespace {

bool IsLetter(char c) {
    const unsigned char u = static_cast<unsigned char>(c);
    return (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || u >= 0xC0 || u == 0xA8 || u == 0xB8;
}

bool InCapitals(std::string_view s) {
    int letters = 0;
    for (char c : s) {
        if (!IsLetter(c))
            continue;
        if (!IsUpperChar(c))
            return false;
        ++letters;
    }
    return letters >= 2;
}

bool StartsWithWord(std::string_view line, std::string_view word) {
    return StartsWith(line, word) &&
           (line.size() == word.size() || line[word.size()] == ' ' || line[word.size()] == '\xA0');
}

} // namespace

bool IsSectionHeading(std::string_view line) {
    for (std::string_view w : {"Раздел"_cp, "РАЗДЕЛ"_cp, "Подраздел"_cp, "ПОДРАЗДЕЛ"_cp, "Глава"_cp,
                               "ГЛАВА"_cp, "Часть"_cp, "ЧАСТЬ"_cp}) {
        if (!StartsWithWord(line, w) || line.size() < w.size() + 2)
            continue;
        const char next = line[w.size() + 1];
        if ((next >= '0' && next <= '9') || IsUpperChar(next))
            return true;
    }
    return false;
}

namespace {

bool NamesActKind(std::string_view line) {
    const std::string upper = ToUpper(line);
    if (upper.find("КОДЕКС"_cp) != std::string::npos)
        return true;
    for (std::string_view w :
         {"ФЕДЕРАЛЬНЫЙ ЗАКОН"_cp, "ФЕДЕРАЛЬНЫЙ КОНСТИТУЦИОННЫЙ ЗАКОН"_cp, "ЗАКОН"_cp, "УКАЗ"_cp,
          "ПОСТАНОВЛЕНИЕ"_cp, "РАСПОРЯЖЕНИЕ"_cp, "ПРИКАЗ"_cp, "ПОЛОЖЕНИЕ"_cp})
        if (StartsWithWord(upper, w))
            return true;
    return false;
}

// "О минимальном размере оплаты труда": the subject of an act, as its title names it.
bool NamesSubject(std::string_view line) {
    for (std::string_view w : {"О"_cp, "Об"_cp, "Обо"_cp})
        if (StartsWithWord(line, w))
            return true;
    return false;
}

bool IsRightAlignedForm(std::string_view line) {
    for (std::string_view w :
         {"Принят"_cp, "Принята"_cp, "Принято"_cp, "Одобрен"_cp, "Одобрена"_cp, "Одобрено"_cp})
        if (StartsWithWord(line, w))
            return true;
    return StartsWith(ToUpper(line), "УТВЕРЖДЕН"_cp);
}

} // namespace

bool IsParagraphPerLine(const LineList& lines, int stringLength) {
    std::size_t nonBlank = 0, longer = 0;
    for (const std::string& l : lines) {
        const std::string s = TrimSpaces(StripCR(l));
        if (s.empty())
            continue;
        ++nonBlank;
        if (static_cast<int>(l.size()) > 2 * stringLength)
            return true;
        if (static_cast<int>(l.size()) > stringLength + 10)
            ++longer;
    }
    return nonBlank > 0 && longer * 10 > nonBlank;
}

FlowDocument ParagraphsFromLines(const LineList& lines, int stringLength, int posParagraph) {
    FlowDocument doc;
    const int centredWidth = stringLength - 2 * (posParagraph + 1);
    int nonBlank = 0;
    bool afterCentred = false; // the last line that was not blank is centred
    for (const std::string& raw : lines) {
        std::string line = TrimSpaces(StripCR(raw));
        for (char& c : line)
            if (c == '\t')
                c = ' ';
        FlowParagraph p;
        if (line.empty()) {
            doc.Add(p);
            continue;
        }
        ++nonBlank;
        const char last = line.back();
        const bool shortLine = static_cast<int>(line.size()) <= centredWidth;
        const bool ends = last == '.' || last == ',' || last == ';';
        // An act's own name at the head may run over a line ("Кодекс административного
        // судопроизводства Российской Федерации"); a note in brackets that names a code is
        // not one.
        // So may its subject, right below the centred head ("ФЕДЕРАЛЬНЫЙ ЗАКОН").
        const bool actName = nonBlank <= 15 && line.front() != '(' &&
                             static_cast<int>(line.size()) <= 2 * stringLength &&
                             (NamesActKind(line) || (afterCentred && NamesSubject(line)));
        if (!ends && ((shortLine && (InCapitals(line) || IsSectionHeading(line))) || actName)) {
            p.align = FlowAlign::Centre;
        } else if (static_cast<int>(line.size()) <= stringLength && IsRightAlignedForm(line)) {
            p.align = FlowAlign::Right;
        } else {
            p.align = FlowAlign::Justify;
            p.firstIndentPt = posParagraph * 7.2;
        }
        afterCentred = p.align == FlowAlign::Centre;
        p.text = std::move(line);
        doc.Add(std::move(p));
    }
    return doc;
}

} // namespace norvak
