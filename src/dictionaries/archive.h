#pragma once
// The byte stream every dictionary writes itself into and reads itself back from: 32-bit
// integers and counted strings, over a file or over a memory buffer.

#include "core/operatorio.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <string_view>

namespace norvak {

// A read or write error raised by CArchive to the Serialize that was running.
class CArchiveException : public std::runtime_error {
public:
    enum class Kind { Read, Write };
    CArchiveException(Kind kind, const std::string& what)
        : std::runtime_error(what), m_kind(kind) {}
    Kind GetKind() const { return m_kind; }

private:
    Kind m_kind;
};

// A loading or storing archive. Loading works on the whole data held in memory, so that a
// length or count that the remaining data cannot satisfy is refused before anything is
// allocated. Storing goes to memory or, after OpenForStoring, through a 4096-byte buffer to
// a file.
class CArchive {
public:
    // Storing into memory; Data() gives the bytes written.
    CArchive();
    // Loading from a copy of bytes.
    explicit CArchive(std::string_view bytes);
    ~CArchive();
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    // Reads the whole file and turns this into a loading archive over it; false (and an
    // empty loading archive) when the file cannot be opened or read.
    bool OpenForLoading(const std::string& path);
    // Creates (truncates) the file and turns this into a storing archive writing to it;
    // false when the file cannot be created.
    bool OpenForStoring(const std::string& path);
    // Flushes the buffer and closes the file when storing to a file; throws a write error
    // when that fails. Does nothing for memory archives.
    void Close();

    bool IsStoring() const { return m_storing; }
    bool IsLoading() const { return !m_storing; }

    void PutInt32(std::int32_t value);
    // Narrow CP1251 text with the shortest length prefix: one byte below 255; FF and a
    // 16-bit length below 65534; FF, FFFF and a 32-bit length otherwise.
    void PutString(std::string_view text);

    // Throws a read error when fewer than four bytes remain (the archive is then at its end).
    std::int32_t GetInt32();
    // Accepts every narrow prefix form and the wide marker FF FFFE followed by a narrow
    // prefix that counts UTF-16 code units (converted to CP1251). The text is cut at its
    // first zero byte. A prefix announcing more than the remaining data throws a read error
    // at once, leaving the archive just after the prefix.
    std::string GetString();
    // Throws a read error when count is larger than the number of bytes left, so that no
    // caller loops over or allocates for records that cannot be there. The archive stays
    // where it is.
    void CheckCount(std::int32_t count, std::string_view what = "count");

    // Loading: bytes consumed and bytes left.
    std::size_t Position() const { return m_pos; }
    std::size_t Remaining() const { return m_data.size() - m_pos; }
    // Memory storing: the bytes written so far. Loading: the whole data.
    const std::string& Data() const { return m_data; }

private:
    void PutBytes(const void* p, std::size_t n);
    void FlushBuffer();
    std::size_t ReadLength();
    [[noreturn]] void ReadError(const std::string& what);

    bool m_storing;
    std::string m_data; // loading: the data; storing to memory: the bytes; to a file: buffer
    std::size_t m_pos = 0;
    std::FILE* m_file = nullptr;
    std::string m_path;
};

// Runs body (one dictionary's Serialize work) and turns any error it raises (a read or write
// error of the archive, memory exhaustion) into the dictionary's own message to op.
// True when body finished.
template <class Body>
bool RunArchiveSection(COperator& op, std::string_view message, MessageIcon icon, Body&& body) {
    try {
        body();
        return true;
    } catch (const std::exception&) {
        op.Message(message, icon);
        return false;
    }
}

} // namespace norvak
