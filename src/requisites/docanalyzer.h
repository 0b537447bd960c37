#pragma once
// CDocAnalyzer: the base of the requisites analyzers, holding the phrase lists built from the
// kinds and bodies dictionaries and the finders that recognise kinds, bodies, dates of
// adoption, numbers and appendix titles in the text.

#include "core/textcore.h"
#include "dictionaries/cases.h"
#include "requisites/requisiterecord.h"

#include <string>
#include <string_view>
#include <vector>

namespace norvak {

class CDocDict;
class COrganDict;
class CUpperCaseDict;
class CProgress;
class CExtendedDetection;

// One searchable phrase: the forms of a dictionary entry or of one of its aliases, reported
// under the entry's own nominative.
struct CPhraseEntry {
    std::string name; // canonical name: the nominative of the entry's own forms
    CCases forms;     // the entry's own forms or those of one alias
};

// Base of the three analyzers. An analyzer is built for one run: Run reads the lines, fills
// the record and returns a copy of it, advancing the progress once per finished stage.
// All texts are CP1251; the finders work on capitals.
class CDocAnalyzer {
public:
    CDocAnalyzer(const CDocDict& kinds, const COrganDict& organs, const CUpperCaseDict& letterCase,
                 int stringLength, int posParagraph, CProgress& progress);
    virtual ~CDocAnalyzer();
    CDocAnalyzer(const CDocAnalyzer&) = delete;
    CDocAnalyzer& operator=(const CDocAnalyzer&) = delete;

    virtual CRequisiteRecord Run(const LineList& lines) = 0;

    // Phrase searches: text is padded with a space at both ends and every phrase found is
    // masked with '*' so that a shorter phrase cannot take its words again. The phrases are
    // tried from the most words to the fewest; a phrase whose form caseIndex is empty is
    // never tried. An empty phrase list, or a case index outside 0..5, leaves text alone.
    void FindKinds(std::string& text, int caseIndex);
    void FindOrgans(std::string& text, int caseIndex);
    // Dates written "1 ДЕКАБРЯ 2002" (years 1930..2020; to 2099 with the extended detection)
    // and "01.12.2002" (years 1900..2049).
    void FindAdoptionDates(std::string& text);
    // The words after every "N " (with the extended detection "№ " too); trailing ")" and ","
    // removed; an empty number is not kept.
    void FindNumbers(std::string& text);
    // A body's name in the genitive or instrumental with its learned letter case; the name
    // itself when no phrase carries it.
    std::string OrganInGenitive(const std::string& name) const;
    std::string OrganInInstrumental(const std::string& name) const;
    // Collects the titles of appendices (right-aligned mark, blank line, centred title that
    // begins with a kind) and appends them to the title as "(вместе с ...)"; titles that
    // repeat the end of heading are left out. One pass over the lines.
    void FindAppendices(const LineList& lines, const std::string& heading);

    // Ascending by the word count of the canonical name, by an exact selection sort (equal
    // counts may change order through the swaps, as the dictionaries' own sort does).
    static void SortPhrasesByWordCount(std::vector<CPhraseEntry>& phrases);

    const std::vector<CPhraseEntry>& KindPhrases() const { return m_kindPhrases; }
    const std::vector<CPhraseEntry>& OrganPhrases() const { return m_organPhrases; }
    // The extended detection to consult (not owned; null, the default, runs the finders on
    // the lines as they are).
    void SetExtension(CExtendedDetection* extension);
    CExtendedDetection* Extension() const { return m_extension; }

    const CRequisiteRecord& Record() const { return m_record; }
    CRequisiteRecord& Record() { return m_record; }

protected:
    void StepProgress();
    void StepAndPump();
    // The lines the heading, stamp and question texts are built from: the lines themselves,
    // or, with an extension, the lines it leaves to the finders.
    const LineList& FinderLines(const LineList& lines);
    // With an extension, its post-pass over the record (reading the own title when given
    // the analyzer's own); nothing without one.
    void CompleteExtended(const std::string* plainTitle = nullptr);

    CRequisiteRecord m_record;
    std::vector<CPhraseEntry> m_kindPhrases;
    std::vector<CPhraseEntry> m_organPhrases;
    const CUpperCaseDict& m_letterCase;
    int m_stringLength;
    int m_posParagraph;
    CProgress& m_progress;
    CExtendedDetection* m_extension = nullptr;

private:
    void FindPhrases(const std::vector<CPhraseEntry>& phrases, std::string& text, int caseIndex,
                     std::vector<std::string>& found);
    std::string OrganInCase(const std::string& name, int caseIndex) const;
};

// The month names in the genitive, in capitals (CP1251), January first.
const std::vector<std::string>& MonthNamesGenitive();

// The participle after an approved document's title for a gender code 0, 1, 2 (CP1251,
// " утверждённый " and so on); empty for any other code.
std::string_view ApprovedParticiple(int gender);

} // namespace norvak
