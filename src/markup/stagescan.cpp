#include "markup/stagescan.h"

#include <iterator>
#include <utility>

namespace norvak {

CStageScan::CStageScan(LineList& lines) : m_lines(lines), m_in(std::move(lines)) {
    lines.clear();
    m_out.reserve(m_in.size() + 64);
}

CStageScan::~CStageScan() {
    m_out.insert(m_out.end(), std::make_move_iterator(m_in.begin() + static_cast<std::ptrdiff_t>(m_next)),
                 std::make_move_iterator(m_in.end()));
    m_lines = std::move(m_out);
}

void CStageScan::Reach(std::size_t i) {
    while (m_out.size() <= i && m_next < m_in.size())
        m_out.push_back(std::move(m_in[m_next++]));
}

const std::string& CStageScan::At(std::size_t i) {
    Reach(i);
    return m_out[i];
}

void CStageScan::Insert(std::size_t pos, std::string line) {
    if (pos > 0)
        Reach(pos - 1);
    m_out.insert(m_out.begin() + static_cast<std::ptrdiff_t>(pos), std::move(line));
}

void CStageScan::Erase(std::size_t pos) {
    Reach(pos);
    m_out.erase(m_out.begin() + static_cast<std::ptrdiff_t>(pos));
}

std::string_view StripCRBoth(std::string_view s) { return StripCRTrailing(StripCRLeading(s)); }

std::string_view StripCRLeading(std::string_view s) {
    std::size_t b = 0;
    while (b < s.size() && s[b] == '\r')
        ++b;
    return s.substr(b);
}

std::string_view StripCRTrailing(std::string_view s) {
    std::size_t e = s.size();
    while (e > 0 && s[e - 1] == '\r')
        --e;
    return s.substr(0, e);
}

std::string_view SkipLeadingSpaces(std::string_view s) {
    std::size_t b = s.find_first_not_of(' ');
    return b == std::string_view::npos ? std::string_view() : s.substr(b);
}

bool Contains(std::string_view s, std::string_view part) { return s.find(part) != std::string_view::npos; }

bool ContainsChar(std::string_view s, char c) { return s.find(c) != std::string_view::npos; }

} // namespace norvak
