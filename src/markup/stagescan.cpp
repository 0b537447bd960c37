#include "markup/stagescan.h"

#include <algorithm>
#include <utility>

namespace norvak {

CStageScan::~CStageScan() {
    m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(m_front),
                  m_lines.begin() + static_cast<std::ptrdiff_t>(m_back));
}

void CStageScan::Reach(std::size_t i) {
    if (m_front == m_back) {
        // No gap: the lines are where they belong already.
        const std::size_t end = std::min(i + 1, m_lines.size());
        if (m_front < end)
            m_front = m_back = end;
        return;
    }
    while (m_front <= i && m_back < m_lines.size())
        m_lines[m_front++] = std::move(m_lines[m_back++]);
}

void CStageScan::Widen() {
    if (m_front < m_back)
        return;
    // A gap in proportion to the list, so that opening one (which moves the lines after it)
    // happens a bounded number of times per stage; spare capacity is used first, so that the
    // list is not moved to a new buffer while it has room.
    const std::size_t spare = m_lines.capacity() - m_lines.size();
    const std::size_t wanted = std::max<std::size_t>(256, m_lines.size() / 8);
    const std::size_t width = spare >= 256 ? std::min(spare, wanted) : wanted;
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(m_front), width, std::string());
    m_back = m_front + width;
}

void CStageScan::Insert(std::size_t pos, std::string line) {
    if (pos > 0)
        Reach(pos - 1);
    Widen();
    const auto first = m_lines.begin() + static_cast<std::ptrdiff_t>(pos);
    const auto last = m_lines.begin() + static_cast<std::ptrdiff_t>(m_front);
    std::move_backward(first, last, last + 1);
    *first = std::move(line);
    ++m_front;
}

void CStageScan::Erase(std::size_t pos) {
    Reach(pos);
    const auto first = m_lines.begin() + static_cast<std::ptrdiff_t>(pos);
    const auto last = m_lines.begin() + static_cast<std::ptrdiff_t>(m_front);
    std::move(first + 1, last, first);
    --m_front;
    m_lines[m_front] = std::string();
}

} // namespace norvak
