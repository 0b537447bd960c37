#include "core/textfile.h"

#include "core/codepage.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
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
        bytes = bytes.substr(0, static_cast<std::size_t>(static_cast<const char*>(z) - bytes.data()));
        inf.endedAtCtrlZ = true;
    }
    LineList lines;
    lines.reserve(static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n')) + 1);
    const char* p = bytes.data();
    const char* const end = p + bytes.size();
    while (p < end) {
        const char* lf = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
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
    return Split(cp866Bytes, &inf, [&inf](std::string& line, std::size_t index, std::string_view raw) {
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

bool ReadFileBytes(const std::string& path, std::string& out) {
    out.clear();
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return false;
    // A regular file is read into a buffer of its size at once; whatever the size says, the
    // reading goes on to the end (the file may grow, and some files report no size).
    struct stat st {};
    if (::fstat(::fileno(f), &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0) {
        out.resize(static_cast<std::size_t>(st.st_size));
        out.resize(std::fread(out.data(), 1, out.size(), f));
    }
    char buf[1 << 16];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
        out.append(buf, n);
    bool ok = !std::ferror(f);
    std::fclose(f);
    if (!ok)
        out.clear();
    return ok;
}

bool WriteFileAtomic(const std::string& path, std::string_view bytes, std::string* error) {
    auto fail = [&](const std::string& what, const std::string& tmp) {
        if (error)
            *error = what + ": " + std::strerror(errno);
        if (!tmp.empty())
            ::unlink(tmp.c_str());
        return false;
    };
    std::string tmp = path + ".tmpXXXXXX";
    int fd = ::mkstemp(tmp.data());
    if (fd < 0)
        return fail("cannot create a file beside " + path, {});
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
    // Keep the permissions of the file being replaced; a new file gets rw-r--r--.
    struct stat st {};
    ::fchmod(fd, ::stat(path.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0644);
    if (::close(fd) != 0)
        return fail("cannot close " + path, tmp);
    if (::rename(tmp.c_str(), path.c_str()) != 0)
        return fail("cannot replace " + path, tmp);
    return true;
}

} // namespace norvak
