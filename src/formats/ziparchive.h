#pragma once
// Reads the parts of a zip container (DOCX, ODT) held in memory, within the format limits.

#include <memory>
#include <optional>
#include <string>
#include <string_view>

struct zip;

namespace norvak {

// A zip archive over bytes the caller keeps alive. Refuses archives with too many entries;
// reads a part only when it is stored unencrypted and unpacks to no more than the limits
// allow, counting what the whole archive has unpacked so far.
class CZipArchive {
public:
    // maxPart and maxTotal bound what one part and all parts together may unpack to.
    explicit CZipArchive(std::size_t maxPart = kDefaultMaxPart,
                         std::size_t maxTotal = kDefaultMaxTotal);
    ~CZipArchive();
    CZipArchive(const CZipArchive&) = delete;
    CZipArchive& operator=(const CZipArchive&) = delete;

    // False with error (CP1251, for the operator) when the bytes are no readable archive.
    bool Open(std::string_view bytes, std::string* error);
    bool Has(const std::string& name) const;
    // The unpacked part; false with error when it is missing, encrypted, damaged or too big.
    bool Read(const std::string& name, std::string& out, std::string* error);

    static const std::size_t kDefaultMaxPart;
    static const std::size_t kDefaultMaxTotal;

private:
    zip* m_zip = nullptr;
    std::size_t m_maxPart;
    std::size_t m_maxTotal;
    std::size_t m_unpacked = 0;
};

// What a word-processor package is read from: its main part and, when it holds one, its
// styles part.
struct PackageParts {
    std::string main;
    std::optional<std::string> styles;
};

// Opens the package and reads mainName and, when present, stylesName within the default
// limits; false with error (CP1251, for the operator) at the first that cannot be read.
bool ReadPackageParts(std::string_view bytes, const std::string& mainName,
                      const std::string& stylesName, PackageParts& out, std::string* error);

// True when bytes begin as a zip archive does.
bool LooksLikeZip(std::string_view bytes);

} // namespace norvak
