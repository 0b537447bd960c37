#pragma once
// The document text as a list of CP1251 lines and the string, word and line operations that
// every analysis shares. All functions are total: any bytes, any lengths.

#include <string>
#include <string_view>
#include <vector>

namespace norvak {

// The text, one CP1251 string per line, without line terminators.
using LineList = std::vector<std::string>;

// CP1251 letter case.
bool IsUpperChar(char c);
char ToUpperChar(char c);
char ToLowerChar(char c);
std::string ToUpper(std::string_view s);
std::string ToLower(std::string_view s);

// Empty or spaces only. Inline: the markup stages ask it of every line.
inline bool IsBlankLine(std::string_view s) {
    for (char c : s)
        if (c != ' ')
            return false;
    return true;
}
int CountWords(std::string_view s);
// Upper-cased, runs of spaces reduced to one, no leading or trailing spaces.
std::string NormalizeName(std::string_view s);
std::vector<std::string> SplitWords(std::string_view s);
// Removes the n words starting at pos with the spaces before them; the space after the last
// removed word stays.
void DeleteWords(std::string& s, int pos, int n);
// Deletes the first CountWords(phrase) words of s and puts phrase + " " in front.
void ReplaceLeadingWords(std::string& s, std::string_view phrase);
// Overwrites the n words starting at pos with '*'; the last byte of s is never touched.
void MaskWords(std::string& s, int pos, int n);
bool MatchesHeadingTail(const std::vector<std::string>& heading,
                        const std::vector<std::string>& phrase);

std::string FirstParagraph(const LineList& lines);
std::string UpperCaseHeading(const LineList& lines);

bool IsCentredLine(std::string_view line, int posParagraph, int stringLength);
bool IsRightAlignedLine(std::string_view line, int stringLength);

// Small helpers the stages share.
// Views of a line without the carriage returns the editor may leave on it. Every stage asks
// these of every line, so they are inline.
inline std::string_view StripCRLeading(std::string_view s) {
    std::size_t b = 0;
    while (b < s.size() && s[b] == '\r')
        ++b;
    return s.substr(b);
}
inline std::string_view StripCRTrailing(std::string_view s) {
    std::size_t e = s.size();
    while (e > 0 && s[e - 1] == '\r')
        --e;
    return s.substr(0, e);
}
inline std::string_view StripCRBoth(std::string_view s) {
    return StripCRTrailing(StripCRLeading(s));
}
// The line with its leading spaces removed.
std::string_view SkipLeadingSpaces(std::string_view s);
inline bool Contains(std::string_view s, std::string_view part) {
    return s.find(part) != std::string_view::npos;
}
inline bool ContainsChar(std::string_view s, char c) {
    return s.find(c) != std::string_view::npos;
}
std::string StripCR(std::string_view s);        // carriage returns off both ends
std::string StripLeadingCR(std::string_view s); // carriage returns off the front
std::string TrimSpaces(std::string_view s);     // spaces off both ends
// The characters of `chars` off both ends (by default spaces and tabs).
std::string_view TrimChars(std::string_view s, std::string_view chars = " \t");
int CountLeadingSpaces(std::string_view s);
int CountTrailingSpaces(std::string_view s);
bool StartsWith(std::string_view s, std::string_view prefix);
// C's atoi: leading white space, optional sign, digits; 0 when there are none. Saturates.
int LeadingInt(std::string_view s);

} // namespace norvak
