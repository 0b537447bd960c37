#pragma once
// CListingFile, a dictionary listing being written: a text file in which every line feed
// becomes CR LF, as the dictionaries' catalogues are written.

#include <cstdio>
#include <functional>
#include <string>
#include <string_view>

namespace norvak {

class COperator;

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

// Creates path and writes the text that text() builds once the file is open. Reports "Ошибка
// открытия файла!" or saveError to op; false then. What was written stays.
bool WriteListing(const std::string& path, COperator& op, std::string_view saveError,
                  const std::function<std::string()>& text);

// printf's "%3i" / "%3d": n right-aligned in at least three columns.
std::string FormatNumber3(int n);

} // namespace norvak
