#pragma once
// The road of a document from a file to a tagged text with its requisites, and back to a
// source-format file: what the editor's Open and Save do, without a window.

#include "core/operatorio.h"
#include "core/progress.h"
#include "core/textcore.h"
#include "document/inputreaders.h"
#include "document/inputsniff.h"
#include "document/settings.h"
#include "markup/markupdriver.h"
#include "requisites/docclass.h"
#include "requisites/extendeddetection.h"
#include "requisites/requisiterecord.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace norvak {

class CServiceData;

// Characters of a DOS or UTF-8 text that CP1251 cannot hold (or, in UTF-8, invalid
// sequences) and that the conversion replaced.
struct LossWarning {
    int line = 0;   // 1-based
    int column = 0; // 1-based, of the first such character on the line
    int count = 0;  // how many on the line
};

// What the opening road hands to the editor.
struct OpenedDocument {
    bool ok = false;                  // false when the file could not be read
    LineList lines;                   // the editor's text: tagged when tags were created
    CRequisiteRecord record;          // the document's requisites
    std::optional<DocClass> docClass; // when the requisites were determined
    bool tagged = false;              // the markup ran
    std::vector<LossWarning> losses;  // replaced characters (DOS and UTF-8 texts)
    std::size_t nulBytes = 0;         // NUL bytes met in the file (each became a space)
    // A Ctrl+Z ended the reading before the end of the file: the 1-based line it stood on;
    // what followed it was not read. 0 when the whole file was read.
    int ctrlZLine = 0;
    // The extended detection (ExtendedRecvisits): each value it found with its line, and the
    // rules that fired; empty when it was off or did not run.
    std::vector<RequisiteEvidence> evidence;
    std::vector<ExtendedRule> extendedRules;
    FileType type = FileType::Text;    // the type the file was read as (Auto resolved)
    Encoding encoding = Encoding::Dos; // the encoding a text was read in
    bool laidOut = false; // the text was laid out into the fixed-width form before the markup
    LineList unlaidLines; // a paragraph-per-line text as read, before its layout
};

// Options of one opening beyond the document settings.
struct OpenOptions {
    FileType type = FileType::Text;
    Encoding encoding = Encoding::Dos;
    // With type Auto: guess the encoding of a text from its bytes instead of taking encoding.
    bool guessEncoding = false;
    // The readers of web pages, word-processor documents and paragraph-per-line texts (not
    // owned). Without them type Auto tells only source-format files from texts, a text is read
    // as it stands, and HTML, DOCX and ODT are refused with a message.
    const CInputReaders* readers = nullptr;
};

// Opens path as the editor's Open command does: reads it by its type, determines the
// requisites (DefineRecvisits) and places the tags (CreateTags). Reports an unreadable file
// to the operator ("Ошибка чтения файла %s!") and returns ok = false with empty contents.
// HTML, DOCX and ODT files, and with type Auto texts written one paragraph per line, are
// laid out into the fixed-width form first (OpenOptions::readers); one that cannot be read
// or holds no text is reported ("Документ %s не открыт: ...") with ok = false.
// The kinds and bodies dictionaries are sorted by word count for the analysis and by name
// afterwards, as the editor leaves them.
OpenedDocument OpenDocument(const std::string& path, const OpenOptions& options,
                            const DocSettings& settings, CServiceData& dictionaries,
                            CProgress& progress, COperator& op);

// The same road over bytes already in memory (path is used in messages only).
OpenedDocument OpenDocumentBytes(const std::string& bytes, const std::string& path,
                                 const OpenOptions& options, const DocSettings& settings,
                                 CServiceData& dictionaries, CProgress& progress, COperator& op);

// True when one of the record's kinds of document equals settings.questionDoc byte for byte.
bool IsQuestionDocument(const DocSettings& settings, const CRequisiteRecord& record);

// The markup options of a document: the layout settings (a value outside its range taken as its
// default), whether it is a question-and-answer document (IsQuestionDocument) and whether it is
// a law or a code (IsLawDocument of its kinds).
MarkupOptions MarkupOptionsFor(const DocSettings& settings, const CRequisiteRecord& record);

// Moves each evidence line to the line of the editor's text (tags inserted) it became: the
// first line at or after its own index with the same text, spaces at the ends aside, else the
// first such line anywhere; a line no editor line matches keeps its index.
void MapEvidenceLines(std::vector<RequisiteEvidence>& evidence, const LineList& editorLines);

// The requisites the opening road determines in lines, their tag lines removed first (the
// analyses read untagged text), for DefineRecvisits on whatever the setting says. The
// dictionaries are left sorted by name, as after an opening.
CRequisiteRecord DetectRequisites(LineList lines, const DocSettings& settings,
                                  CServiceData& dictionaries, CProgress& progress, COperator& op);

// Removes the tag lines of lines and places the tags again as the opening road does, with the
// kinds of record deciding a question-and-answer document. Progress is begun and ended.
void RemarkupLines(LineList& lines, const DocSettings& settings, const CRequisiteRecord& record,
                   CProgress& progress);

// The editor's round trip of a text: lines joined with LF, then cut at LF; a last empty piece
// is dropped and an empty text gives no lines.
LineList EditorRoundTrip(const LineList& lines);

// Number of tag blocks by code ("ЗАГ" -> 3 ...), CP1251 codes as keys.
std::map<std::string, int> CountTagBlocks(const LineList& lines);
// True when a ТАБ-less frame top line (┌ ... ┐) was left without its bottom: a hint for the
// operator that a table is damaged.
bool HasUnclosedFrame(const LineList& lines);

} // namespace norvak
