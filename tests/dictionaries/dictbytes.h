#pragma once
// Helpers of the dictionary tests: the encodings spelled out byte by byte, temporary files.

#include "core/operatorio.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace norvak::testing {

inline std::string I32(std::int32_t v) {
    std::uint32_t u = static_cast<std::uint32_t>(v);
    return {static_cast<char>(u & 0xFF), static_cast<char>((u >> 8) & 0xFF),
            static_cast<char>((u >> 16) & 0xFF), static_cast<char>((u >> 24) & 0xFF)};
}

// A string with the one-byte prefix (texts below 255 bytes).
inline std::string Str(std::string_view s) {
    return std::string(1, static_cast<char>(s.size())) + std::string(s);
}

// A case record with the given forms (the rest empty) and integer.
inline std::string CasesBytes(std::vector<std::string_view> forms, std::int32_t value = 0) {
    std::string out;
    for (std::size_t i = 0; i < 6; ++i)
        out += Str(i < forms.size() ? forms[i] : std::string_view());
    return out + I32(value);
}

inline std::string Bytes(std::initializer_list<int> bytes) {
    std::string out;
    for (int b : bytes)
        out += static_cast<char>(b);
    return out;
}

inline std::string ReadAll(const std::filesystem::path& p) {
    std::string out;
    if (FILE* f = std::fopen(p.c_str(), "rb")) {
        char buf[4096];
        std::size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
            out.append(buf, n);
        std::fclose(f);
    }
    return out;
}

inline void WriteAll(const std::filesystem::path& p, std::string_view bytes) {
    FILE* f = std::fopen(p.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

// A fresh directory removed with its contents at the end of the test.
class TempDir {
public:
    TempDir() {
        static int counter = 0;
        m_path =
            std::filesystem::temp_directory_path() /
            ("norvak_dict_test_" + std::to_string(::getpid()) + "_" + std::to_string(++counter));
        std::filesystem::remove_all(m_path);
        std::filesystem::create_directories(m_path);
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    std::string File(std::string_view name) const { return (m_path / name).string(); }
    const std::filesystem::path& Path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

inline std::string GoldenPath(std::string_view name) {
    return std::string(NORVAK_TEST_DATA) + "/dictionaries/" + std::string(name);
}

} // namespace norvak::testing
