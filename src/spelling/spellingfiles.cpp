#include "spelling/spellingfiles.h"

#include "core/userfolders.h"
#include "spelling/hunspelldictionary.h"

#include <cstdlib>
#include <filesystem>

#ifndef NORVAK_BUILD_LEGAL_WORDS
#define NORVAK_BUILD_LEGAL_WORDS ""
#endif

namespace norvak {
namespace fs = std::filesystem;

namespace {
bool Exists(const fs::path& p) {
    std::error_code ec;
    return fs::is_regular_file(p, ec);
}
} // namespace

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
        if (!d.empty() && Exists(fs::path(d) / (name + ".aff")) &&
            Exists(fs::path(d) / (name + ".dic")))
            return d;
    return {};
}

std::string ShippedLegalWords(const std::string& exeDir) {
    if (std::string installed = InstalledDataFile(exeDir, "legal-words.txt"); !installed.empty())
        return installed;
    if (Exists(NORVAK_BUILD_LEGAL_WORDS))
        return NORVAK_BUILD_LEGAL_WORDS;
    return {};
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
