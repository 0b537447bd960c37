#pragma once
// An advisory lock between processes, held on a lock file beside what it guards.

#include <string>

namespace norvak {

// An exclusive lock on a lock file (flock), released when the object is destroyed. Every
// CFileLock is its own holder, also within one process, so two objects on one file exclude
// each other as two programs do.
class CFileLock {
public:
    CFileLock() = default;
    CFileLock(const CFileLock&) = delete;
    CFileLock& operator=(const CFileLock&) = delete;
    ~CFileLock() { Unlock(); }

    // Creates lockPath when missing (never through a symlink) and takes the lock. With
    // waitSeconds > 0 a lock held by someone else is waited for that long; false with error
    // set when it could not be taken ("held by another program" when it is busy).
    bool Lock(const std::string& lockPath, int waitSeconds, std::string* error = nullptr);
    void Unlock();
    bool Locked() const { return m_fd >= 0; }

private:
    int m_fd = -1;
};

} // namespace norvak
