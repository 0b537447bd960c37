#pragma once
// The line list as a markup stage walks it: index access, tag-line insertion and deletion at
// any index the stage has reached, at a cost that does not grow with the length of the text.

#include "core/textcore.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace norvak {

// Holds the lines of one stage run. The stage addresses the list by index exactly as if tag
// lines were inserted into it in place; behind that, the list is a gap buffer in the caller's
// vector: the lines up to the furthest index read so far stand before the gap, the rest after
// it. An insertion or deletion only shifts the lines between its position and that furthest
// index (the block being tagged) and uses up or adds to the gap, so every stage stays linear in
// the number of lines; a stage that inserts nothing moves no line at all.
class CStageScan {
public:
    explicit CStageScan(LineList& lines) : m_lines(lines) {}
    CStageScan(const CStageScan&) = delete;
    CStageScan& operator=(const CStageScan&) = delete;
    // Closes the gap, leaving the result in the list given to the constructor.
    ~CStageScan();

    // Number of lines, tag lines inserted so far included.
    std::size_t Size() const { return m_front + (m_lines.size() - m_back); }
    bool IsLast(std::size_t i) const { return i + 1 == Size(); }
    // The line at index i < Size(). The reference is valid until the next Insert or Erase.
    const std::string& At(std::size_t i) {
        if (i >= m_front)
            Reach(i);
        return m_lines[i];
    }
    // Inserts line before index pos (pos == Size() appends).
    void Insert(std::size_t pos, std::string line);
    // Deletes the line at index pos < Size().
    void Erase(std::size_t pos);

private:
    // Moves lines from after the gap to before it until index i stands before it.
    void Reach(std::size_t i);
    // Makes the gap at least one line wide.
    void Widen();

    LineList& m_lines;
    std::size_t m_front = 0; // lines [0, m_front) lead the list
    std::size_t m_back = 0;  // lines [m_back, size) follow them; [m_front, m_back) is the gap
};

} // namespace norvak
