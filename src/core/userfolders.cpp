#include "core/userfolders.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace norvak {
namespace fs = std::filesystem;

std::string UserFolder(const char* xdgHome, const char* home, const char* homeRelative) {
    if (xdgHome != nullptr && xdgHome[0] == '/')
        return (fs::path(xdgHome) / "norvak").string();
    if (home != nullptr && home[0] != '\0')
        return (fs::path(home) / homeRelative / "norvak").string();
    return {};
}

std::string UserDataFolder() {
    return UserFolder(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"), ".local/share");
}

std::string UserStateFolder() {
    return UserFolder(std::getenv("XDG_STATE_HOME"), std::getenv("HOME"), ".local/state");
}

std::string InstalledDataFile(const std::string& exeDir, const std::string& name) {
    if (exeDir.empty())
        return {};
    const fs::path installed = fs::path(exeDir) / ".." / "share" / "norvak" / name;
    std::error_code ec;
    if (!fs::is_regular_file(installed, ec))
        return {};
    return fs::weakly_canonical(installed, ec).string();
}

} // namespace norvak
