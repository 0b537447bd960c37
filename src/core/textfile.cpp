#include "core/textfile.h"

#include "core/codepage.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace norvak {

LineList SplitTextLines(std::string_view bytes, TextSplitInfo* info) {
    TextSplitInfo local;
    TextSplitInfo& inf = info ? *info : local;
    inf = TextSplitInfo{};
    std::size_t end = bytes.find('\x1A');
    if (end != std::string_view::npos) {
        bytes = bytes.substr(0, end);
        inf.endedAtCtrlZ = true;
    }
    LineList lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t lf = bytes.find('\n', start);
        std::size_t stop = lf == std::string_view::npos ? bytes.size() : lf;
        std::size_t lineEnd = stop;
        if (lf != std::string_view::npos && lineEnd > start && bytes[lineEnd - 1] == '\r')
            --lineEnd;
        std::string line(bytes.substr(start, lineEnd - start));
        for (char& c : line)
            if (c == '\0') {
                c = ' ';
                ++inf.nulBytes;
            }
        lines.push_back(std::move(line));
        if (lf == std::string_view::npos)
            break;
        start = lf + 1;
    }
    return lines;
}

LineList SplitDosTextLines(std::string_view cp866Bytes, TextSplitInfo* info) {
    LineList lines = SplitTextLines(cp866Bytes, info);
    for (std::string& line : lines)
        line = DosToWindows(line);
    return lines;
}

bool ReadFileBytes(const std::string& path, std::string& out) {
    out.clear();
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return false;
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
