#pragma once
// Running norvak-cli in-process and a scratch directory for its files.

#include "cli/cli.h"

#include <filesystem>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace norvak::test {

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

inline CliRun RunCliCapture(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    CliRun r;
    r.status = cli::RunCli(args, out, err);
    r.out = out.str();
    r.err = err.str();
    return r;
}

// A fresh directory removed with everything in it at the end of the test.
class ScratchDir {
public:
    ScratchDir() {
        std::random_device rd;
        m_path = std::filesystem::temp_directory_path() /
                 ("norvak-test-" + std::to_string(rd()) + std::to_string(rd()));
        std::filesystem::create_directories(m_path);
    }
    ~ScratchDir() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    std::string operator/(const std::string& name) const { return (m_path / name).string(); }
    const std::filesystem::path& Path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

} // namespace norvak::test
