#include "spelling/spellingfiles.h"

#include "core/textfile.h"
#include "core/userfolders.h"
#include "spelling/hunspelldictionary.h"

#include <cstdlib>
#include <filesystem>

namespace norvak {
namespace fs = std::filesystem;

std::vector<std::string> HunspellSearchDirs() {
    if (const char* own = std::getenv("NORVAK_HUNSPELL_DIR"); own != nullptr)
        return {own};
    std::vector<std::string> dirs;
    if (const char* dicpath = std::getenv("DICPATH"); dicpath != nullptr) {
        std::string all = dicpath;
        for (std::size_t start = 0; start <= all.size();) {
            std::size_t colon = all.find(':', start);
            if (colon == std::string::npos)
                colon = all.size();
            if (colon > start)
                dirs.push_back(all.substr(start, colon - start));
            start = colon + 1;
        }
    }
    for (const char* d : {"/usr/share/hunspell", "/usr/share/myspell/dicts", "/usr/share/myspell"})
        dirs.emplace_back(d);
    return dirs;
}

std::string FindHunspellDir(const std::vector<std::string>& dirs, const std::string& name) {
    for (const std::string& d : dirs)
        if (!d.empty() && IsRegularFile((fs::path(d) / (name + ".aff")).string()) &&
            IsRegularFile((fs::path(d) / (name + ".dic")).string()))
            return d;
    return {};
}

std::string ShippedLegalWords(const std::string& exeDir) {
    if (std::string installed = InstalledDataFile(exeDir, "legal-words.txt"); !installed.empty())
        return installed;
    if (exeDir.empty())
        return {};
    const fs::path beside = fs::path(exeDir) / "legal-words.txt";
    return IsRegularFile(beside.string()) ? beside.string() : std::string();
}

std::string PersonalWordsPath() {
    const std::string folder = UserDataFolder();
    return folder.empty() ? std::string() : (fs::path(folder) / "words.txt").string();
}

SpellingDictionary OpenSpellingDictionary(const std::string& exeDir) {
    SpellingDictionary result;
    const std::string dir = FindHunspellDir(HunspellSearchDirs());
    if (dir.empty()) {
        result.error = "the Russian Hunspell dictionary (ru_RU.aff, ru_RU.dic, package "
                       "hunspell-ru) is not installed";
        return result;
    }
    auto words = CHunspellDictionary::Open((fs::path(dir) / "ru_RU.aff").string(),
                                           (fs::path(dir) / "ru_RU.dic").string(), &result.error);
    if (words == nullptr)
        return result;
    if (const std::string legal = ShippedLegalWords(exeDir);
        !legal.empty() && !LoadSupplement(legal, words.get(), result.supplement))
        result.error = "cannot read the word list " + legal;
    result.words = std::move(words);
    return result;
}

SpellingSetup MakeSpellChecker(const SpellingDictionary& dictionary) {
    SpellingSetup setup;
    setup.error = dictionary.error;
    if (dictionary.words == nullptr)
        return setup;
    setup.checker = std::make_shared<CSpellChecker>(dictionary.words, dictionary.supplement);
    setup.personalPath = PersonalWordsPath();
    if (!setup.personalPath.empty() && !setup.checker->Personal().Load(setup.personalPath, true))
        setup.error = "cannot read the personal word list " + setup.personalPath;
    return setup;
}

SpellingSetup OpenSpelling(const std::string& exeDir) {
    return MakeSpellChecker(OpenSpellingDictionary(exeDir));
}

} // namespace norvak
