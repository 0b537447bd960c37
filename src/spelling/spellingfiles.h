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
// otherwise exeDir/legal-words.txt (the copy a build puts beside its programs); empty when
// neither exists.
std::string ShippedLegalWords(const std::string& exeDir);
// words.txt in the user's data folder (UserDataFolder): $XDG_DATA_HOME/norvak/words.txt, else
// ~/.local/share/norvak/words.txt; empty without either variable.
std::string PersonalWordsPath();

// The shared, read-only part of spell checking: the Russian dictionary with the shipped
// supplement taught to it. Loading takes a while; one may serve every checker of a process.
struct SpellingDictionary {
    std::shared_ptr<const CWordSource> words; // null when no dictionary was found
    CWordList supplement;
    std::string error; // why words is null, or what went wrong with the supplement (UTF-8)
};
SpellingDictionary OpenSpellingDictionary(const std::string& exeDir);

// A checker and what went into it.
struct SpellingSetup {
    std::shared_ptr<CSpellChecker> checker; // null when no dictionary was found
    std::string error;                      // why not, or what else went wrong (UTF-8)
    std::string personalPath;               // where the personal list lives ("" when nowhere)
};
// A checker over dictionary with the operator's personal list from PersonalWordsPath() (an
// unreadable list is reported in error and left empty).
SpellingSetup MakeSpellChecker(const SpellingDictionary& dictionary);
// OpenSpellingDictionary and MakeSpellChecker in one.
SpellingSetup OpenSpelling(const std::string& exeDir);

} // namespace norvak
