#include "core/progress.h"

namespace norvak {

CProgress& NullProgress() {
    static CProgress nothing;
    return nothing;
}

void CRecordingProgress::Begin() {
    ++m_begins;
    m_texts.clear();
    m_shown.clear();
    m_steps = 0;
}

void CRecordingProgress::AddTexts(const std::vector<std::string>& cp1251Texts) {
    m_texts.insert(m_texts.end(), cp1251Texts.begin(), cp1251Texts.end());
}

void CRecordingProgress::Step() {
    if (static_cast<std::size_t>(m_steps) < m_texts.size())
        m_shown.push_back(m_texts[static_cast<std::size_t>(m_steps)]);
    ++m_steps;
}

void CRecordingProgress::End() {
    ++m_ends;
}

} // namespace norvak
