#pragma once
// CListingFile, a dictionary listing being written: a text file in which every line feed
// becomes CR LF, as the dictionaries' catalogues are written.

#include <cstdio>
#include <string>
#include <string_view>

namespace norvak {

// Writes CP1251 text to a file, turning "\n" into "\r\n"; remembers the first failure.
class CListingFile {
public:
    CListingFile() = default;
    ~CListingFile();
    CListingFile(const CListingFile&) = delete;
    CListingFile& operator=(const CListingFile&) = delete;

    // Creates (truncates) the file; false when it cannot.
    bool Open(const std::string& path);
    // False once any write has failed; later writes are skipped.
    bool Write(std::string_view text);
    // Flushes and closes; false when that or any earlier write failed.
    bool Close();

private:
    std::FILE* m_file = nullptr;
    bool m_ok = true;
};

// printf's "%3i" / "%3d": n right-aligned in at least three columns.
std::string FormatNumber3(int n);

} // namespace norvak
