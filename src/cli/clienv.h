#pragma once
// What the subcommands of norvak-cli share: the settings and dictionaries a conversion needs,
// the printing of requisites, and the conversion of one document.

#include "document/openroad.h"
#include "document/settings.h"

#include <initializer_list>
#include <iosfwd>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace norvak {
class CServiceData;
class CSpellChecker;
} // namespace norvak

namespace norvak::cli {

// The flags of a command: those of a null-terminated list and more.
std::set<std::string> FlagSet(const char* const* flags, std::initializer_list<const char*> more);
// True when the arguments ask for help (-h or --help).
bool WantsHelp(const std::vector<std::string>& args);

class COptions;

// Flags every converting command understands.
extern const char* const kConvertValueFlags[];
extern const char* const kConvertBoolFlags[];

// The environment of a conversion: settings and where the dictionaries are.
struct ConvertEnv {
    DocSettings settings;
    OpenOptions open;
    std::string dictPath; // empty: run with empty dictionaries
    bool quoteLetterKind = false;
    std::vector<std::string> warnings; // UTF-8: settings file values replaced by defaults
};

// A UTF-8 text made safe for a terminal: control characters (C0 but tab and line feed, DEL,
// C1) are shown as \xNN, so that a document cannot send escape sequences to the terminal.
std::string TerminalSafe(std::string_view utf8);

// Whether source-format bytes hold the header of the text block ("$18").
bool HasTextBlock(std::string_view bytes);

// Builds the environment from the flags; false with error set on a bad flag value or an
// unreadable settings file.
bool MakeConvertEnv(const COptions& opts, ConvertEnv& env, std::string* error);

// Loads dict.dat read-only; false with error set when it is missing or damaged.
bool LoadDictionaries(const std::string& path, CServiceData& data, std::string* error);

// Everything the conversion of one document found.
struct ConvertResult {
    bool ok = false;
    std::string failure;               // UTF-8, when !ok
    OpenedDocument doc;                // the opened document
    LineList savedLines;               // the text lines written (after the editor round trip)
    std::vector<std::string> warnings; // UTF-8
    std::vector<std::string> messages; // operator messages, UTF-8
};

// Opens input through the opening road and writes the source-format file to output
// (atomically; nothing is written on failure).
ConvertResult ConvertOne(const std::string& input, const std::string& output, const ConvertEnv& env,
                         CServiceData& dictionaries);

// The requisites found, for people: kinds, bodies, dates, numbers, title (UTF-8).
void PrintRequisites(std::ostream& out, const CRequisiteRecord& record);
// The rules of the extended detection that fired and the evidence of each value found, one
// per line; nothing when none fired.
void PrintExtended(std::ostream& out, const OpenedDocument& doc);
// For each requisite of the record (kinds, bodies, dates, numbers, the registration, the
// title), its value, the line it came from (1-based) and the rule that found it, one per
// line; "not located" where the extended detection has no evidence for it.
void PrintExplanation(std::ostream& out, const OpenedDocument& doc);
// Tag blocks by code, "ЗАГ 3, ТАБ 1" (UTF-8).
std::string FormatTagCounts(const LineList& lines);
// The names of types and encodings as the options spell them ("docx", "utf8").
std::string FileTypeName(FileType type);
std::string EncodingName(Encoding encoding);
// The default output name: input with its extension replaced by .rla.
std::string DefaultOutputName(const std::string& input, const std::string& outDir = {});

// The unknown words of a document, one per line with its 1-based line number, after a count
// ("Spelling: 2 unknown of 350 words").
void PrintSpelling(std::ostream& out, const CSpellChecker& checker, const LineList& lines);
// The report's spelling field: the count of unknown words and the first few distinct ones
// ("3: Министерсво; постановлят; Pоссийской"), UTF-8.
std::string SpellingField(const CSpellChecker& checker, const LineList& lines);

int ConvertCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int BatchCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int ShowCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int DictCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

bool ProgressOnTerminal();

} // namespace norvak::cli
