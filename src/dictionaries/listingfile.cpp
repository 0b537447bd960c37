#include "dictionaries/listingfile.h"

namespace norvak {

CListingFile::~CListingFile() {
    if (m_file)
        std::fclose(m_file);
}

bool CListingFile::Open(const std::string& path) {
    m_file = std::fopen(path.c_str(), "wb");
    m_ok = m_file != nullptr;
    return m_ok;
}

bool CListingFile::Write(std::string_view text) {
    if (!m_file || !m_ok)
        return false;
    std::string out;
    out.reserve(text.size() + 16);
    for (char c : text) {
        if (c == '\n')
            out += '\r';
        out += c;
    }
    if (std::fwrite(out.data(), 1, out.size(), m_file) != out.size())
        m_ok = false;
    return m_ok;
}

bool CListingFile::Close() {
    if (!m_file)
        return false;
    if (std::fflush(m_file) != 0)
        m_ok = false;
    if (std::fclose(m_file) != 0)
        m_ok = false;
    m_file = nullptr;
    return m_ok;
}

std::string FormatNumber3(int n) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%3d", n);
    return buf;
}

} // namespace norvak
