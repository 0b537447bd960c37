#include "dictionaries/archive.h"

#include "core/codepage.h"
#include "core/textfile.h"

#include <cstring>

namespace norvak {

namespace {
constexpr std::size_t kBufferSize = 4096;
}

CArchive::CArchive() : m_storing(true) {}

CArchive::CArchive(std::string_view bytes) : m_storing(false), m_data(bytes) {}

CArchive::~CArchive() {
    if (m_file)
        std::fclose(m_file);
}

bool CArchive::OpenForLoading(const std::string& path) {
    if (m_file) {
        std::fclose(m_file);
        m_file = nullptr;
    }
    m_storing = false;
    m_pos = 0;
    m_path = path;
    if (!ReadFileBytes(path, m_data)) {
        m_data.clear();
        return false;
    }
    return true;
}

bool CArchive::OpenForStoring(const std::string& path) {
    if (m_file) {
        std::fclose(m_file);
        m_file = nullptr;
    }
    m_storing = true;
    m_data.clear();
    m_pos = 0;
    m_path = path;
    m_file = std::fopen(path.c_str(), "wb");
    return m_file != nullptr;
}

void CArchive::Close() {
    if (!m_file)
        return;
    std::FILE* f = m_file;
    bool ok = true;
    try {
        FlushBuffer();
    } catch (const CArchiveException&) {
        ok = false;
    }
    m_file = nullptr;
    if (std::fclose(f) != 0 || !ok)
        throw CArchiveException(CArchiveException::Kind::Write, "cannot write " + m_path);
}

void CArchive::FlushBuffer() {
    if (!m_file || m_data.empty())
        return;
    std::size_t n = std::fwrite(m_data.data(), 1, m_data.size(), m_file);
    bool ok = n == m_data.size() && std::fflush(m_file) == 0;
    m_data.clear();
    if (!ok)
        throw CArchiveException(CArchiveException::Kind::Write, "cannot write " + m_path);
}

void CArchive::PutBytes(const void* p, std::size_t n) {
    if (!m_storing)
        throw CArchiveException(CArchiveException::Kind::Write, "archive is loading");
    m_data.append(static_cast<const char*>(p), n);
    if (m_file && m_data.size() >= kBufferSize)
        FlushBuffer();
}

void CArchive::PutInt32(std::int32_t value) {
    std::uint32_t u = static_cast<std::uint32_t>(value);
    unsigned char b[4] = {static_cast<unsigned char>(u), static_cast<unsigned char>(u >> 8),
                          static_cast<unsigned char>(u >> 16), static_cast<unsigned char>(u >> 24)};
    PutBytes(b, 4);
}

void CArchive::PutString(std::string_view text) {
    const std::size_t len = text.size();
    if (len < 0xFF) {
        unsigned char b = static_cast<unsigned char>(len);
        PutBytes(&b, 1);
    } else if (len < 0xFFFE) {
        unsigned char b[3] = {0xFF, static_cast<unsigned char>(len),
                              static_cast<unsigned char>(len >> 8)};
        PutBytes(b, 3);
    } else {
        if (len > 0xFFFFFFFEu)
            throw CArchiveException(CArchiveException::Kind::Write, "string too long");
        unsigned char b[3] = {0xFF, 0xFF, 0xFF};
        PutBytes(b, 3);
        PutInt32(static_cast<std::int32_t>(static_cast<std::uint32_t>(len)));
    }
    PutBytes(text.data(), len);
}

void CArchive::ReadError(const std::string& what) {
    throw CArchiveException(CArchiveException::Kind::Read,
                            what + " at byte " + std::to_string(m_pos));
}

std::int32_t CArchive::GetInt32() {
    if (m_storing)
        ReadError("archive is storing");
    if (Remaining() < 4) {
        m_pos = m_data.size();
        ReadError("end of data reading an integer");
    }
    const unsigned char* p = reinterpret_cast<const unsigned char*>(m_data.data()) + m_pos;
    std::uint32_t u = std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) |
                      (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[3]) << 24);
    m_pos += 4;
    return static_cast<std::int32_t>(u);
}

// Reads one narrow length prefix; FF FFFE comes back as SIZE_MAX (the wide marker).
std::size_t CArchive::ReadLength() {
    auto byte = [this]() -> unsigned {
        if (Remaining() < 1) {
            m_pos = m_data.size();
            ReadError("end of data reading a string length");
        }
        return static_cast<unsigned char>(m_data[m_pos++]);
    };
    unsigned b = byte();
    if (b < 0xFF)
        return b;
    unsigned w = byte();
    w |= byte() << 8;
    if (w == 0xFFFE)
        return SIZE_MAX;
    if (w < 0xFFFE)
        return w;
    return static_cast<std::uint32_t>(GetInt32());
}

std::string CArchive::GetString() {
    if (m_storing)
        ReadError("archive is storing");
    std::size_t len = ReadLength();
    std::string text;
    if (len == SIZE_MAX) {
        std::size_t units = ReadLength();
        if (units == SIZE_MAX)
            ReadError("second wide marker in a string length");
        if (units > Remaining() / 2)
            ReadError("wide string longer than the data left");
        std::u16string wide(units, u'\0');
        const unsigned char* p = reinterpret_cast<const unsigned char*>(m_data.data()) + m_pos;
        for (std::size_t i = 0; i < units; ++i)
            wide[i] = static_cast<char16_t>(p[2 * i] | (p[2 * i + 1] << 8));
        m_pos += 2 * units;
        text = Utf16ToCp1251(wide);
    } else {
        if (len > Remaining())
            ReadError("string longer than the data left");
        text.assign(m_data, m_pos, len);
        m_pos += len;
    }
    std::size_t zero = text.find('\0');
    if (zero != std::string::npos)
        text.resize(zero);
    return text;
}

void CArchive::CheckCount(std::int32_t count, std::string_view what) {
    if (count > 0 && static_cast<std::size_t>(count) > Remaining())
        ReadError(std::string(what) + " " + std::to_string(count) + " larger than the data left");
}

} // namespace norvak
