#pragma once
// Where spell checking finds its files: the Russian Hunspell dictionary, the shipped list of
// legal vocabulary and the operator's personal list; and the checker built from them.

#include "spelling/spellchecker.h"

#include <memory>
#include <string>
#include <vector>

namespace norvak {

// The folders searched for ru_RU.aff and ru_RU.dic: NORVAK_HUNSPELL_DIR alone when it is set;
// otherwise the folders of DICPATH, then /usr/share/hunspell, /usr/share/myspell/dicts and
// /usr/share/myspell.
std::vector<std::string> HunspellSearchDirs();
// The first folder of dirs that holds both files of the dictionary; empty when none does.
std::string FindHunspellDir(const std::vector<std::string>& dirs,
                            const std::string& name = "ru_RU");

// The shipped legal vocabulary: exeDir/../share/norvak/legal-words.txt when installed,
// otherwise the copy the build made; empty when neither exists.
std::string ShippedLegalWords(const std::string& exeDir);
// $XDG_DATA_HOME/norvak/words.txt, else ~/.local/share/norvak/words.txt; empty without either
// variable.
std::string PersonalWordsPath();

// A checker and what went into it.
struct SpellingSetup {
    std::shared_ptr<CSpellChecker> checker; // null when no dictionary was found
    std::string error;                      // why not, UTF-8
    std::string personalPath;               // where the personal list lives ("" when nowhere)
};
// Opens the Russian dictionary from the search folders and loads the shipped list and the
// personal list (a damaged or unreadable list is reported in error but does not stop the
// checker).
SpellingSetup OpenSpelling(const std::string& exeDir);

} // namespace norvak
