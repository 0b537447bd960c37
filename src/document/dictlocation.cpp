#include "document/dictlocation.h"

#include "core/textfile.h"
#include "core/userfolders.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace norvak {
namespace fs = std::filesystem;

namespace {
bool WritableDir(const fs::path& p) {
    return !p.empty() && ::access(p.c_str(), W_OK | X_OK) == 0;
}

} // namespace

std::string ExecutableDir() {
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec)
        return {};
    return exe.parent_path().string();
}

std::string ShippedDictionary(const std::string& exeDir) {
    return InstalledDataFile(exeDir, "dict.dat");
}

DictLocation LocateDictionary(const std::string& exeDir, const std::string& shippedDefault) {
    DictLocation loc;
    if (!exeDir.empty()) {
        fs::path beside = fs::path(exeDir) / "dict.dat";
        if (IsRegularFile(beside.string())) {
            loc.path = beside.string();
            return loc;
        }
        if (WritableDir(exeDir)) {
            loc.path = beside.string();
            loc.seededFrom = shippedDefault;
            return loc;
        }
    }
    const fs::path user = UserDataFolder();
    if (!user.empty()) {
        loc.path = (user / "dict.dat").string();
        if (!IsRegularFile(loc.path))
            loc.seededFrom = shippedDefault;
    }
    return loc;
}

bool SeedDictionary(const DictLocation& location, std::string* error) {
    if (location.seededFrom.empty() || location.path.empty() || IsRegularFile(location.path))
        return true;
    std::string bytes;
    if (!ReadFileBytes(location.seededFrom, bytes)) {
        if (error)
            *error = "cannot read " + location.seededFrom;
        return false;
    }
    std::error_code ec;
    fs::create_directories(fs::path(location.path).parent_path(), ec);
    return WriteFileAtomic(location.path, bytes, error);
}

} // namespace norvak
