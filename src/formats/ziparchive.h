#pragma once
// Reads the parts of a zip container (DOCX, ODT) held in memory, within the format limits.

#include <memory>
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

// True when bytes begin as a zip archive does.
bool LooksLikeZip(std::string_view bytes);

} // namespace norvak
