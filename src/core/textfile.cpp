#include "core/textfile.h"

#include "core/codepage.h"
#include "core/failure.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace norvak {

namespace {

// The splitting both readers share; convert(line, index, raw) runs on every line after its
// NUL bytes were replaced, raw being the line's bytes in the input.
template <class Convert>
LineList Split(std::string_view bytes, TextSplitInfo* info, Convert convert) {
    TextSplitInfo local;
    TextSplitInfo& inf = info ? *info : local;
    inf = TextSplitInfo{};
    if (const void* z = std::memchr(bytes.data(), '\x1A', bytes.size())) {
        const std::size_t at = static_cast<std::size_t>(static_cast<const char*>(z) - bytes.data());
        inf.textAfterCtrlZ =
            bytes.find_first_not_of(std::string_view("\x1A\r\n", 3), at) != std::string_view::npos;
        bytes = bytes.substr(0, at);
        inf.endedAtCtrlZ = true;
        inf.ctrlZLine = static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n'));
    }
    LineList lines;
    lines.reserve(static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n')) + 1);
    const char* p = bytes.data();
    const char* const end = p + bytes.size();
    while (p < end) {
        const char* lf =
            static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
        const char* lineEnd = lf ? lf : end;
        if (lf && lineEnd > p && lineEnd[-1] == '\r')
            --lineEnd;
        const std::string_view raw(p, static_cast<std::size_t>(lineEnd - p));
        std::string& line = lines.emplace_back(raw);
        if (std::memchr(line.data(), '\0', line.size())) {
            for (char& c : line)
                if (c == '\0') {
                    c = ' ';
                    ++inf.nulBytes;
                }
        }
        convert(line, lines.size() - 1, raw);
        if (!lf)
            break;
        p = lf + 1;
    }
    return lines;
}

} // namespace

LineList SplitTextLines(std::string_view bytes, TextSplitInfo* info) {
    return Split(bytes, info, [](std::string&, std::size_t, std::string_view) {});
}

LineList SplitDosTextLines(std::string_view cp866Bytes, TextSplitInfo* info) {
    TextSplitInfo local;
    TextSplitInfo& inf = info ? *info : local;
    return Split(cp866Bytes, &inf,
                 [&inf](std::string& line, std::size_t index, std::string_view raw) {
                     const std::size_t lossy = DosToWindows(line.data(), line.size(), line.data());
                     if (lossy == 0)
                         return;
                     std::size_t column = 0;
                     while (!IsLossyCp866(FrameToInternal(raw[column])))
                         ++column;
                     inf.lossyLines.push_back({index, column, lossy});
                 });
}

LineList SplitUtf8TextLines(std::string_view utf8Bytes, TextSplitInfo* info) {
    TextSplitInfo local;
    TextSplitInfo& inf = info ? *info : local;
    if (utf8Bytes.substr(0, 3) == "\xEF\xBB\xBF")
        utf8Bytes.remove_prefix(3); // the byte order mark is no character of the text
    return Split(utf8Bytes, &inf, [&inf](std::string& line, std::size_t index, std::string_view) {
        bool ascii = true;
        for (char c : line)
            ascii = ascii && static_cast<unsigned char>(c) < 0x80;
        if (ascii)
            return;
        std::size_t lost = 0, column = 0;
        line = Utf8TextToWindows(line, &lost, &column);
        if (lost)
            inf.lossyLines.push_back({index, column, lost});
    });
}

TextSplitInfo InspectTextBytes(std::string_view bytes, bool dos) {
    TextSplitInfo info;
    if (const void* z = std::memchr(bytes.data(), '\x1A', bytes.size())) {
        const std::size_t at = static_cast<std::size_t>(static_cast<const char*>(z) - bytes.data());
        info.textAfterCtrlZ =
            bytes.find_first_not_of(std::string_view("\x1A\r\n", 3), at) != std::string_view::npos;
        bytes = bytes.substr(0, at);
        info.endedAtCtrlZ = true;
        info.ctrlZLine = static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n'));
    }
    std::size_t line = 0, lineStart = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\n') {
            ++line;
            lineStart = i + 1;
        } else if (c == '\0') {
            ++info.nulBytes;
        } else if (dos && IsLossyCp866(FrameToInternal(c))) {
            if (info.lossyLines.empty() || info.lossyLines.back().line != line)
                info.lossyLines.push_back({line, i - lineStart, 0});
            ++info.lossyLines.back().count;
        }
    }
    return info;
}

std::string NotRegularFileReason(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return std::strerror(errno);
    if (S_ISDIR(st.st_mode))
        return "a directory, not a regular file";
    if (!S_ISREG(st.st_mode))
        return "not a regular file";
    return {};
}

bool IsRegularFile(const std::string& path) {
    return NotRegularFileReason(path).empty();
}

bool ReadFileBytes(const std::string& path, std::string& out, std::string* error) {
    out.clear();
    // Opened without blocking, so that a FIFO without a writer does not hang the open; what
    // is not a regular file is refused before a byte is read.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        SetError(error, std::strerror(errno));
        return false;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        const bool dir = S_ISDIR(st.st_mode);
        SetError(error, dir ? "a directory, not a regular file" : "not a regular file");
        ::close(fd);
        errno = dir ? EISDIR : EINVAL;
        return false;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    // Read into a buffer of the file's size at once; whatever the size says, the reading goes
    // on to the end (the file may grow).
    if (st.st_size > 0)
        out.resize(static_cast<std::size_t>(st.st_size));
    std::size_t filled = 0;
    for (;;) {
        if (filled == out.size())
            out.resize(out.size() + (1 << 16));
        const ssize_t n = ::read(fd, out.data() + filled, out.size() - filled);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            SetError(error, std::strerror(errno));
            ::close(fd);
            out.clear();
            return false;
        }
        if (n == 0)
            break;
        filled += static_cast<std::size_t>(n);
    }
    out.resize(filled);
    ::close(fd);
    return true;
}

bool IsTempFileOf(const std::string& path, const std::string& candidate) {
    const std::string prefix = path + ".tmp";
    return candidate.size() == prefix.size() + 6 &&
           candidate.compare(0, prefix.size(), prefix) == 0;
}

namespace {

// Removes the temporary files of path that no writer holds any more: every writer keeps a
// lock on its temporary file until it is renamed, so one that can be locked was left behind
// by a write that was killed. Files younger than a few seconds are left alone, should a
// writer not have taken its lock yet.
void RemoveStaleTempFiles(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path target(path);
    const fs::path dir = target.has_parent_path() ? target.parent_path() : fs::path(".");
    const std::string prefix = target.filename().string() + ".tmp";
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.size() != prefix.size() + 6 || name.compare(0, prefix.size(), prefix) != 0)
            continue;
        const std::string candidate = it->path().string();
        const int fd = ::open(candidate.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            continue;
        struct stat st {};
        const bool ours = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::geteuid();
        const bool old = ::time(nullptr) - st.st_mtime > 5;
        if (ours && old && ::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlink(candidate.c_str());
        ::close(fd);
    }
}

} // namespace

bool WriteFileAtomic(const std::string& path, std::string_view bytes, std::string* error,
                     unsigned newFileMode) {
    auto fail = [&](const std::string& what, const std::string& tmp) {
        if (error)
            *error = what + ": " + std::strerror(errno);
        if (!tmp.empty())
            ::unlink(tmp.c_str());
        return false;
    };
    struct stat existing {};
    const bool exists = ::stat(path.c_str(), &existing) == 0;
    if (exists && !S_ISREG(existing.st_mode)) {
        errno = S_ISDIR(existing.st_mode) ? EISDIR : EINVAL;
        if (error)
            *error = path + " is not a regular file and is not replaced";
        return false;
    }
    RemoveStaleTempFiles(path);
    std::string tmp = path + ".tmpXXXXXX";
    int fd = ::mkostemp(tmp.data(), O_CLOEXEC);
    if (fd < 0)
        return fail("cannot create a file beside " + path, {});
    ::flock(fd, LOCK_EX | LOCK_NB); // tells RemoveStaleTempFiles that this one is in use
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        ssize_t w = ::write(fd, p, left);
        if (w < 0) {
            if (errno == EINTR)
                continue;
            int e = errno;
            ::close(fd);
            errno = e;
            return fail("cannot write " + path, tmp);
        }
        p += w;
        left -= static_cast<std::size_t>(w);
    }
    if (::fsync(fd) != 0) {
        int e = errno;
        ::close(fd);
        errno = e;
        return fail("cannot flush " + path, tmp);
    }
    // Keep the permissions of the file being replaced; a new file gets newFileMode.
    ::fchmod(fd, exists ? (existing.st_mode & 07777) : static_cast<mode_t>(newFileMode & 07777));
    if (::close(fd) != 0)
        return fail("cannot close " + path, tmp);
    if (::rename(tmp.c_str(), path.c_str()) != 0)
        return fail("cannot replace " + path, tmp);
    return true;
}

} // namespace norvak
