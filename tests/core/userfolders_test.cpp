// The user's folders: the XDG variable when it is absolute, the home folder otherwise, and
// nothing rather than a folder relative to wherever the program was started.

#include "core/userfolders.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace norvak {
namespace {

TEST(UserFolders, TheXdgVariableOnlyWhenAbsolute) {
    struct Case {
        const char* name;
        const char* xdg;
        const char* home;
        std::string folder;
    };
    const Case cases[] = {
        {"nominal: the XDG folder", "/data", "/home/u", "/data/norvak"},
        {"nominal: unset, under home", nullptr, "/home/u", "/home/u/.local/share/norvak"},
        {"edge: empty counts as unset", "", "/home/u", "/home/u/.local/share/norvak"},
        {"robustness: a relative XDG value counts as unset", "data", "/home/u",
         "/home/u/.local/share/norvak"},
        {"robustness: neither usable", "data", "", ""},
        {"robustness: nothing set", nullptr, nullptr, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(UserFolder(c.xdg, c.home, ".local/share"), c.folder) << c.name;
}

TEST(UserFolders, InstalledDataFileIsARegularFileBesideTheProgram) {
    const std::filesystem::path root = std::filesystem::temp_directory_path() /
                                       ("norvak_userfolders_" + std::to_string(::getpid()));
    std::filesystem::remove_all(root);
    const std::filesystem::path bin = root / "bin";
    const std::filesystem::path share = root / "share" / "norvak";
    std::filesystem::create_directories(bin);
    std::filesystem::create_directories(share / "folder.txt");
    std::ofstream(share / "words.txt") << "слово\n";
    EXPECT_EQ(InstalledDataFile(bin.string(), "words.txt"),
              std::filesystem::canonical(share / "words.txt").string());
    EXPECT_EQ(InstalledDataFile(bin.string(), "missing.txt"), "");
    EXPECT_EQ(InstalledDataFile(bin.string(), "folder.txt"), "") << "a folder is no data file";
    EXPECT_EQ(InstalledDataFile("", "words.txt"), "");
    std::filesystem::remove_all(root);
}

} // namespace
} // namespace norvak
