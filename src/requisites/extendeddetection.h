#pragma once
// CExtendedDetection: the extended requisites detection for consolidated editions and
// registered acts. A pre-pass decides which lines of the top of a document the finders must
// not see (editorial notes, the Ministry of Justice registration, the marks of adoption by the
// chambers); a post-pass fills the registration requisites and, for laws and codes, takes the
// dates and numbers from the signature block at the end. Every value it finds is kept with
// the line it came from.

#include "core/textcore.h"
#include "requisites/requisiterecord.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace norvak {

// The rules of the extended detection, numbered as the batch report names them.
enum ExtendedRule : int {
    ExtendedRuleNotes = 1, // "(в ред. ...)" and similar notes left out
    ExtendedRuleRegistration = 2, // "Зарегистрировано в Минюсте России ..." read and left out
    ExtendedRuleChambers = 3, // "Принят Государственной Думой ...", "Одобрен Советом ..."
    ExtendedRuleSignature = 4, // "Москва, Кремль" / date / "N ..." of a law or code
};

// One value found by the extended detection and the line it came from.
struct RequisiteEvidence {
    RequisiteId m_requisite = kReqAdoptionDates; // which requisite the value went to
    std::string m_value;                         // as the record holds it (dates dd.mm.yyyy)
    int m_line = -1;                             // 0-based index in the analysed lines
    std::string m_lineText;                      // that line (CP1251)
    int m_rule = 0;                              // ExtendedRule

    bool operator==(const RequisiteEvidence&) const = default;
};

// A date written "21 февраля 2019" or "21.02.2019" found in text, with the bytes it spans.
struct FoundDate {
    CDateValue m_date;
    std::size_t m_begin = 0;
    std::size_t m_end = 0;
};

// The first date in text (any letter case) at or after from; years 1900 to 2099, the date
// must exist. The value carries 01:01:01, as the finders' dates do.
std::optional<FoundDate> FindDateIn(std::string_view text, std::size_t from = 0);

// The layer the analyzers consult when the extended detection is on. Prepare runs first over
// the lines the analyzer got; the analyzer builds its heading, stamp and question texts from
// FinderLines() instead of the lines; Complete runs after the finders, before the title.
class CExtendedDetection {
public:
    explicit CExtendedDetection(int posParagraph);
    CExtendedDetection(const CExtendedDetection&) = delete; // it points into itself
    CExtendedDetection& operator=(const CExtendedDetection&) = delete;

    // The pre-pass: looks at the top of the document (up to the first body-text line that is
    // not left out, and through the question paragraph of a question-and-answer document) and
    // returns the lines without those left out. A note that closes in the middle of a line
    // leaves the rest of that line in place. Starts afresh on every call.
    const LineList& Prepare(const LineList& lines);
    const LineList& FinderLines() const { return *m_finderView; }
    // Where a heading collected from FinderLines() must end at the latest: the index of the
    // first line after the top of the document when a line there was left out (a heading
    // that went on past a left-out note would run into the body's chapter titles); npos when
    // nothing was left out.
    std::size_t HeadingEnd() const { return m_headingEnd; }
    bool IsLeftOut(std::size_t line) const;

    // The post-pass: the registration found by Prepare fills "Дата в Минюсте" and "Номер в
    // Минюсте"; when the record's kinds hold a law or a code and a signature block stands
    // near the end, its date and number replace the record's dates and numbers.
    void Complete(CRequisiteRecord& record);

    const std::vector<RequisiteEvidence>& Evidence() const { return m_evidence; }
    // The rules that fired, ascending, without repeats.
    std::vector<int> FiredRules() const;

private:
    struct Registration {
        CDateValue m_date;
        std::string m_number;
        std::size_t m_dateLine = 0;
        std::size_t m_numberLine = 0;
    };

    bool IsBodyTextLine(const std::string& line) const;
    // Each returns how many lines starting at i it leaves out (0: the rule does not apply).
    std::size_t NoteAt(std::size_t i, bool questionParagraph);
    std::size_t RegistrationAt(std::size_t i);
    std::size_t ChamberMarkAt(std::size_t i) const;
    void Hide(std::size_t first, std::size_t count, int rule);
    bool ApplySignatureBlock(CRequisiteRecord& record);

    int m_posParagraph;
    const LineList* m_source = nullptr;      // the analyzer's lines, which outlive its run
    LineList m_finderLines;                  // the lines without those left out, when any are
    const LineList* m_finderView = &m_finderLines; // what the finders read
    std::vector<bool> m_leftOut;
    std::map<std::size_t, std::string> m_partial; // lines kept with a note blanked out
    std::size_t m_headingEnd = std::string::npos;
    std::optional<Registration> m_registration;
    std::vector<int> m_fired;
    std::vector<RequisiteEvidence> m_evidence;
};

// "1 notes; 4 signature" for the rules given; empty for none.
std::string FormatExtendedRules(const std::vector<int>& rules);

} // namespace norvak
