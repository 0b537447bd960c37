#include "core/filelock.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace norvak {

bool CFileLock::Lock(const std::string& lockPath, int waitSeconds, std::string* error) {
    Unlock();
    const int fd =
        ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK, 0644);
    if (fd < 0) {
        if (error)
            *error = "cannot create the lock file " + lockPath + ": " + std::strerror(errno);
        return false;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        if (error)
            *error = "the lock file " + lockPath + " is not a regular file";
        return false;
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(waitSeconds);
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            m_fd = fd;
            return true;
        }
        if (errno != EWOULDBLOCK && errno != EINTR) {
            if (error)
                *error = "cannot lock " + lockPath + ": " + std::strerror(errno);
            break;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            if (error)
                *error = lockPath + " is held by another program";
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    ::close(fd);
    return false;
}

void CFileLock::Unlock() {
    if (m_fd < 0)
        return;
    ::flock(m_fd, LOCK_UN);
    ::close(m_fd);
    m_fd = -1;
}

} // namespace norvak
