#pragma once
// The readable text form of the dictionaries: a folder with one UTF-8 file per dictionary
// (kinds.txt, organs.txt, sources.txt, unidict.txt, themes.txt, lettercase.txt) that can be
// reviewed, versioned and shared, and that turns back into exactly the dictionaries it was
// made from, so that exporting dict.dat and importing the folder gives the same bytes.

#include <string>
#include <string_view>
#include <vector>

namespace norvak {

class COrganDict;
class CServiceData;
class CUpperCaseDict;

// One file of the text form: its name inside the folder and its UTF-8 text.
struct DictTextFile {
    std::string name;
    std::string text;
};

// The six file names, in the order of the sections of dict.dat.
const std::vector<std::string>& DictTextFileNames();

// The six files of data's dictionaries, in the order of DictTextFileNames.
std::vector<DictTextFile> FormatDictionaries(const CServiceData& data);

// Reads the six files (all must be present, in any order) and, only when every one of them is
// correct, replaces data's dictionaries with what they hold. On failure data is untouched and
// error (when given) says where and why: "kinds.txt:12: unknown field 'genitve'".
bool ParseDictionaries(const std::vector<DictTextFile>& files, CServiceData& data,
                       std::string* error);

// Writes the six files into folder (created when missing). False with a reason on failure;
// files written before the failure stay.
bool ExportDictionaries(const CServiceData& data, const std::string& folder, std::string* error);

// Reads the six files of folder into data as ParseDictionaries does; nothing changes on failure.
bool ImportDictionaries(const std::string& folder, CServiceData& data, std::string* error);

// Teaches upperCase the spelling of every body's letter-case name, in dictionary order, as
// typing the names in the bodies' dialog would. Importing does not do this by itself: the
// letter-case dictionary is exactly what lettercase.txt holds.
void LearnBodyLetterCase(const COrganDict& organs, CUpperCaseDict& upperCase);

// A CP1251 value as it is written after "name = ": UTF-8, with "\\" for a backslash, "\s"
// for a space at either end and "\xHH" for control bytes, DEL, the undefined 0x98, the
// no-break space and the soft hyphen. With asName it is written before the "=" of
// lettercase.txt, where "=" and a leading "#" or "[" are escaped too.
std::string EscapeDictValue(std::string_view cp1251, bool asName = false);

// The reverse of EscapeDictValue: false with a reason for a bad escape, malformed UTF-8 or a
// character that CP1251 cannot hold.
bool UnescapeDictValue(std::string_view utf8, std::string& cp1251, std::string* error);

} // namespace norvak
