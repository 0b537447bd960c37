#pragma once
// CExtendedDetection: the extended requisites detection for consolidated editions, registered
// acts, codes and laws as they are published. A pre-pass decides which lines of the top of a
// document the finders must not see (editorial notes, repeal stamps, the Ministry of Justice
// registration, the marks of adoption); a post-pass reads the act's own title, the kind it
// names, the registration, the signature block or closing date at the end, and tidies the
// numbers. Every value of the record is kept with the line it came from and the rule.

#include "core/textcore.h"
#include "requisites/requisiterecord.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace norvak {

struct CPhraseEntry;

// The rules of the extended detection, numbered as the batch report names them.
enum ExtendedRule : int {
    ExtendedRuleNotes = 1, // "(в ред. ...)" and similar notes left out
    ExtendedRuleRegistration = 2, // "Зарегистрировано в Минюсте России ..." read and left out
    ExtendedRuleChambers = 3, // "Принят Государственной Думой ...", "Одобрен Советом ..."
    ExtendedRuleSignature = 4, // "Москва, Кремль" / date / "N ..." of a law or code
    ExtendedRuleRepeal = 5, // "Утратил силу - ..." stamps and notes, which describe another act
    ExtendedRuleOwnTitle = 6,    // the act's own title read from the top, in its own letter case
    ExtendedRuleTitleKind = 7,   // the kind the own title names ("Водный кодекс ...")
    ExtendedRuleClosingDate = 8, // a closing date line or a Soviet-era signature at the end
    ExtendedRulePopularVote = 9, // "Принята всенародным голосованием ..."
    ExtendedRuleSovietCode = 10, // a code of the RSFSR: adopted by its Supreme Soviet
    // Values the plain finders found, located in the text; evidence only, never "fired".
    ExtendedRuleFinders = 11,
};

// The name of a rule as the evidence and the batch report print it ("signature").
std::string_view ExtendedRuleName(ExtendedRule rule);

// One value found by the extended detection and the line it came from.
struct RequisiteEvidence {
    RequisiteId requisite = kReqAdoptionDates; // which requisite the value went to
    std::string value;                         // as the record holds it (dates dd.mm.yyyy)
    int line = -1;                             // 0-based index in the analysed lines
    std::string lineText;                      // that line (CP1251)
    ExtendedRule rule = ExtendedRule{};        // the rule that found it

    bool operator==(const RequisiteEvidence&) const = default;
};

// A date written "21 февраля 2019" or "21.02.2019" found in text, with the bytes it spans.
struct FoundDate {
    CDateValue date;
    std::size_t begin = 0;
    std::size_t end = 0;
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

    // The phrase lists of the analyzer (not owned), which the title rules read; without them
    // the own title is not looked for.
    void SetPhrases(const std::vector<CPhraseEntry>* kinds,
                    const std::vector<CPhraseEntry>* organs);

    // The post-pass: the registration found by Prepare fills "Дата в Минюсте" and "Номер в
    // Минюсте"; the own title is read and the kind it names put first; when the record's
    // kinds hold a law, a code or a decree and a signature block stands near the end, its
    // date and number replace the record's dates and numbers (a closing date line, or a
    // Soviet-era signature, gives the date alone); numbers lose trailing punctuation; every
    // value without evidence gets the line the finders took it from. The own title and the
    // kind it names are looked for only when plainTitle is given (an ordinary document: an
    // approved one is named by its heading, a question by its question): the title the
    // analyzer's own walk found, so that the rule counts as fired only where it differs.
    void Complete(CRequisiteRecord& record, const std::string* plainTitle = nullptr);

    // The act's own title found by Complete, whole and in the letter case it is written
    // (a code in parts with its part); empty when none was found.
    const std::string& OwnTitle() const { return m_ownTitle; }
    // True when the own title is the act's whole name (a code, a constitution), which is
    // then the document's title by itself.
    bool TitleIsOwnName() const { return m_titleIsOwnName; }

    const std::vector<RequisiteEvidence>& Evidence() const { return m_evidence; }
    // The rules that fired, ascending, without repeats.
    std::vector<ExtendedRule> FiredRules() const;

private:
    struct Registration {
        CDateValue date;
        std::string number;
        std::size_t dateLine = 0;
        std::size_t numberLine = 0;
    };

    bool IsBodyTextLine(const std::string& line) const;
    // A body-text line at the top: in a paragraph-per-line text only a sentence counts, since
    // a title line there starts at the margin like any paragraph.
    bool IsTopBodyLine(const std::string& line) const;
    std::size_t RepealAt(std::size_t i) const;
    std::size_t PopularVoteAt(std::size_t i);
    void FindOwnTitle(const std::string& plainTitle);
    void ApplyTitleKind(CRequisiteRecord& record);
    bool ApplyClosingDate(CRequisiteRecord& record);
    void LocateFinderValues(const CRequisiteRecord& record);
    void AddEvidence(RequisiteId requisite, std::string value, std::size_t line, ExtendedRule rule);
    void Fire(ExtendedRule rule);
    // Each returns how many lines starting at i it leaves out (0: the rule does not apply).
    std::size_t NoteAt(std::size_t i, bool questionParagraph);
    std::size_t RegistrationAt(std::size_t i);
    std::size_t ChamberMarkAt(std::size_t i) const;
    void Hide(std::size_t first, std::size_t count, ExtendedRule rule);
    bool ApplySignatureBlock(CRequisiteRecord& record);

    int m_posParagraph;
    const LineList* m_source = nullptr;            // the analyzer's lines, which outlive its run
    LineList m_finderLines;                        // the lines without those left out, when any are
    const LineList* m_finderView = &m_finderLines; // what the finders read
    std::vector<bool> m_leftOut;
    std::map<std::size_t, std::string> m_partial; // lines kept with a note blanked out
    std::size_t m_headingEnd = std::string::npos;
    std::optional<Registration> m_registration;
    std::vector<ExtendedRule> m_fired;
    std::vector<RequisiteEvidence> m_evidence;
    const std::vector<CPhraseEntry>* m_kindPhrases = nullptr;
    const std::vector<CPhraseEntry>* m_organPhrases = nullptr;
    bool m_paragraphPerLine = false;
    std::size_t m_top = 0; // the first line after the top of the document
    std::optional<FoundDate> m_popularVote;
    std::size_t m_popularVoteLine = 0;
    std::string m_ownTitle;
    std::size_t m_ownTitleLine = 0;
    bool m_titleIsOwnName = false;
};

// "1 notes; 4 signature" for the rules given; empty for none.
std::string FormatExtendedRules(const std::vector<ExtendedRule>& rules);

} // namespace norvak
