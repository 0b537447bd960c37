#pragma once
// Where the program finds its dict.dat.

#include <string>

namespace norvak {

// The candidates, in the order they are tried.
struct DictLocation {
    std::string path;       // the dict.dat to use; empty when none can be found or made
    std::string seededFrom; // non-empty when the file must first be copied from here
};

// Finds dict.dat for a program whose executable lives in exeDir:
// 1. exeDir/dict.dat when it exists;
// 2. exeDir/dict.dat when exeDir is writable (seeded from the shipped default);
// 3. the user's data directory ($XDG_DATA_HOME/norvak, else ~/.local/share/norvak), seeded
//    from the shipped default on first use.
// shippedDefault is the read-only default dictionary installed with the program (may be empty).
DictLocation LocateDictionary(const std::string& exeDir, const std::string& shippedDefault);

// The shipped default dict.dat: exeDir/../share/norvak/dict.dat when installed; empty when it
// does not exist. (A build puts its dict.dat beside the programs, where LocateDictionary looks
// first.)
std::string ShippedDictionary(const std::string& exeDir);

// The directory of the running executable ("" when unknown).
std::string ExecutableDir();

// Copies the shipped default to location.path when location.seededFrom is set and the file does
// not exist yet. False with a reason when the copy fails.
bool SeedDictionary(const DictLocation& location, std::string* error);

} // namespace norvak
