#include "formats/ziparchive.h"

#include "core/failure.h"
#include "core/literal.h"
#include "formats/flowdocument.h"

#include <zip.h>

#include <algorithm>

namespace norvak {
const std::size_t CZipArchive::kDefaultMaxPart = FormatLimits::kMaxPartBytes;
const std::size_t CZipArchive::kDefaultMaxTotal = FormatLimits::kMaxTotalBytes;

CZipArchive::CZipArchive(std::size_t maxPart, std::size_t maxTotal)
    : m_maxPart(maxPart), m_maxTotal(maxTotal) {}

CZipArchive::~CZipArchive() {
    if (m_zip)
        zip_discard(m_zip);
}

bool LooksLikeZip(std::string_view bytes) {
    return bytes.size() >= 4 && bytes.substr(0, 4) == std::string_view("PK\x03\x04", 4);
}

bool CZipArchive::Open(std::string_view bytes, std::string* error) {
    zip_error_t ze;
    zip_error_init(&ze);
    zip_source_t* src = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &ze);
    if (!src) {
        zip_error_fini(&ze);
        SetError(error, "архив не открывается"_cp);
        return false;
    }
    m_zip = zip_open_from_source(src, ZIP_RDONLY | ZIP_CHECKCONS, &ze);
    if (!m_zip) {
        zip_source_free(src);
        zip_error_fini(&ze);
        SetError(error, "архив повреждён"_cp);
        return false;
    }
    zip_error_fini(&ze);
    const zip_int64_t n = zip_get_num_entries(m_zip, 0);
    if (n < 0 || static_cast<std::size_t>(n) > FormatLimits::kMaxZipEntries) {
        SetError(error, "в архиве слишком много частей"_cp);
        return false;
    }
    return true;
}

bool CZipArchive::Has(const std::string& name) const {
    return m_zip && zip_name_locate(m_zip, name.c_str(), 0) >= 0;
}

bool CZipArchive::Read(const std::string& name, std::string& out, std::string* error) {
    out.clear();
    if (!m_zip)
        return false;
    const zip_int64_t index = zip_name_locate(m_zip, name.c_str(), 0);
    if (index < 0) {
        SetError(error, std::string("в архиве нет части "_cp) + name);
        return false;
    }
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_stat_index(m_zip, static_cast<zip_uint64_t>(index), 0, &st) != 0) {
        SetError(error, "архив повреждён"_cp);
        return false;
    }
    if ((st.valid & ZIP_STAT_ENCRYPTION_METHOD) && st.encryption_method != ZIP_EM_NONE) {
        SetError(error, "документ зашифрован"_cp);
        return false;
    }
    const std::size_t room = m_maxTotal > m_unpacked ? m_maxTotal - m_unpacked : 0;
    const std::size_t limit = std::min(m_maxPart, room);
    if ((st.valid & ZIP_STAT_SIZE) && st.size > limit) {
        SetError(error, "часть архива распаковывается в слишком большой объём"_cp);
        return false;
    }
    zip_file_t* f = zip_fopen_index(m_zip, static_cast<zip_uint64_t>(index), 0);
    if (!f) {
        SetError(error, "часть архива не читается"_cp);
        return false;
    }
    // The size in the directory may lie: read in pieces and stop at the limit.
    char buffer[65536];
    bool ok = true;
    while (true) {
        const zip_int64_t got = zip_fread(f, buffer, sizeof buffer);
        if (got < 0) {
            SetError(error, "часть архива повреждена"_cp);
            ok = false;
            break;
        }
        if (got == 0)
            break;
        if (out.size() + static_cast<std::size_t>(got) > limit) {
            SetError(error, "часть архива распаковывается в слишком большой объём"_cp);
            ok = false;
            break;
        }
        out.append(buffer, static_cast<std::size_t>(got));
    }
    zip_fclose(f);
    if (!ok) {
        out.clear();
        return false;
    }
    m_unpacked += out.size();
    return true;
}

bool ReadPackageParts(std::string_view bytes, const std::string& mainName,
                      const std::string& stylesName, PackageParts& out, std::string* error) {
    CZipArchive zip;
    if (!zip.Open(bytes, error) || !zip.Read(mainName, out.main, error))
        return false;
    out.styles.reset();
    if (zip.Has(stylesName) && !zip.Read(stylesName, out.styles.emplace(), error))
        return false;
    return true;
}

} // namespace norvak
