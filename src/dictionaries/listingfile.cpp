#include "dictionaries/listingfile.h"

#include "core/literal.h"
#include "core/operatorio.h"

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

bool WriteListing(const std::string& path, COperator& op, std::string_view saveError,
                  const std::function<std::string()>& text) {
    CListingFile file;
    if (!file.Open(path)) {
        op.Message("Ошибка открытия файла!"_cp, MessageIcon::Error);
        return false;
    }
    if (!file.Write(text()) || !file.Close()) {
        op.Message(saveError, MessageIcon::Error);
        return false;
    }
    return true;
}

} // namespace norvak
