#pragma once
// The line list as a markup stage walks it: index access, tag-line insertion and deletion at
// any index the stage has reached, at a cost that does not grow with the length of the text.

#include "core/textcore.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace norvak {

// Holds the lines of one stage run. The stage addresses the list by index exactly as if tag
// lines were inserted into it in place; behind that, the lines up to the furthest index read
// so far are moved into the output and the rest wait in the input. An insertion or deletion
// therefore only shifts the lines between its position and that furthest index (the block
// being tagged), which keeps every stage linear in the number of lines.
class CStageScan {
public:
    explicit CStageScan(LineList& lines);
    CStageScan(const CStageScan&) = delete;
    CStageScan& operator=(const CStageScan&) = delete;
    // Writes the result back into the list given to the constructor.
    ~CStageScan();

    // Number of lines, tag lines inserted so far included.
    std::size_t Size() const { return m_out.size() + (m_in.size() - m_next); }
    bool IsLast(std::size_t i) const { return i + 1 == Size(); }
    // The line at index i < Size(). The reference is valid until the next Insert or Erase.
    const std::string& At(std::size_t i);
    // Inserts line before index pos (pos == Size() appends).
    void Insert(std::size_t pos, std::string line);
    // Deletes the line at index pos < Size().
    void Erase(std::size_t pos);

private:
    // Moves input lines to the output until index i is in the output.
    void Reach(std::size_t i);

    LineList& m_lines;
    LineList m_in;
    LineList m_out;
    std::size_t m_next = 0;
};

// Views of a line without the carriage returns the editor may leave on it.
std::string_view StripCRBoth(std::string_view s);
std::string_view StripCRLeading(std::string_view s);
std::string_view StripCRTrailing(std::string_view s);
// The line with its leading spaces removed.
std::string_view SkipLeadingSpaces(std::string_view s);
bool Contains(std::string_view s, std::string_view part);
bool ContainsChar(std::string_view s, char c);

} // namespace norvak
