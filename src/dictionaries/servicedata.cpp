#include "dictionaries/servicedata.h"

#include "core/filelock.h"
#include "core/literal.h"
#include "core/operatorio.h"
#include "core/textfile.h"
#include "dictionaries/archive.h"
#include "dictionaries/dictmerge.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

namespace norvak {

namespace fs = std::filesystem;

namespace {

// How long a save waits for another program that is writing the same file.
constexpr int kLockWaitSeconds = 10;

std::string LockPath(const std::string& path) {
    return path + ".lock";
}

// Something, even a dangling symlink, stands at path.
bool Present(const std::string& path) {
    std::error_code ec;
    return fs::exists(fs::symlink_status(path, ec));
}

// Something that is not a regular file (a device, a FIFO, a directory) stands at path.
bool IsNonRegular(const std::string& path) {
    std::error_code ec;
    const fs::file_status st = fs::status(path, ec);
    return !ec && fs::exists(st) && !fs::is_regular_file(st);
}

// Reads what is at path now: true with *bytes empty when nothing is there; false with *error
// set when something is there that cannot be read.
bool ReadCurrent(const std::string& path, std::optional<std::string>& bytes, std::string* error) {
    std::string read;
    if (ReadFileBytes(path, read, error)) {
        bytes = std::move(read);
        return true;
    }
    const int why = errno;
    bytes.reset();
    // Nothing there, or a symlink to nothing: missing.
    return why == ENOENT || !Present(path);
}

// Writes the backup of path (its bytes before a save) through a temporary file, so that a
// symlink at the backup's name is replaced rather than written through, and a failing write
// leaves the previous backup whole.
void WriteBackup(const std::string& path, const std::string& bytes) {
    WriteFileAtomic(path + ".bak", bytes);
}

// Writes bytes to the first free name of path + ".damaged", ".damaged.1", ... (or finds a copy
// with these bytes already there); the name, or empty when no copy could be made.
std::string WriteDamagedCopy(const std::string& path, const std::string& bytes) {
    for (int i = 0; i < 1000; ++i) {
        std::string target = path + ".damaged";
        if (i > 0)
            target += "." + std::to_string(i);
        if (Present(target)) {
            std::string old;
            if (ReadFileBytes(target, old) && old == bytes)
                return target;
            continue;
        }
        return WriteFileAtomic(target, bytes) ? target : std::string();
    }
    return {};
}

} // namespace

CServiceData::CServiceData() {
    m_docDict.SetUniDict(&m_uniDict);
    m_organDict.SetUniDict(&m_uniDict);
    m_organDict.SetUpperCaseDict(&m_upperCaseDict);
}

std::string CServiceData::DictPath(std::string_view exePath) {
    std::size_t cut = exePath.find_last_of("\\/");
    std::string dir =
        cut == std::string_view::npos ? std::string() : std::string(exePath.substr(0, cut + 1));
    return dir + "dict.dat";
}

bool CServiceData::SerializeAll(CArchive& ar, COperator& op) {
    // Every section runs even when an earlier one failed: each reports its own error and the
    // archive goes on from where the failing section stopped.
    bool ok = m_docDict.Serialize(ar, op);
    ok = m_organDict.Serialize(ar, op) && ok;
    ok = m_sourceDict.Serialize(ar, op) && ok;
    ok = m_uniDict.Serialize(ar, op) && ok;
    ok = m_temathicsDict.Serialize(ar, op) && ok;
    ok = m_upperCaseDict.Serialize(ar, op) && ok;
    return ok;
}

void CServiceData::LoadBytes(const std::string& path, std::string bytes, COperator& op) {
    CArchive ar(bytes);
    m_loadedCleanly = SerializeAll(ar, op);
    m_basePath = path;
    m_baseBytes = std::move(bytes);
    m_repairPending = !m_loadedCleanly;
    m_damagedKept = false;
}

bool CServiceData::Load(const std::string& path, COperator& op) {
    m_unreadable = false;
    m_readError.clear();
    std::optional<std::string> bytes;
    std::string error;
    if (!ReadCurrent(path, bytes, &error)) {
        // A file that exists but cannot be read must not be replaced unseen by a save.
        m_loadedCleanly = false;
        m_unreadable = true;
        m_readError = error;
        m_basePath = path;
        m_baseBytes.reset();
        return false;
    }
    if (!bytes) {
        m_loadedCleanly = true;
        m_basePath = path;
        m_baseBytes.reset();
        m_repairPending = false;
        return false;
    }
    LoadBytes(path, std::move(*bytes), op);
    return true;
}

bool CServiceData::StoreToBytes(std::string& out, COperator& op) {
    CArchive ar;
    bool ok = SerializeAll(ar, op);
    out = ar.Data();
    return ok;
}

std::string CServiceData::KeepDamagedCopy() {
    if (!m_baseBytes || m_loadedCleanly)
        return {};
    std::string copy = WriteDamagedCopy(m_basePath, *m_baseBytes);
    m_damagedKept = !copy.empty();
    return copy;
}

namespace {

// The dictionaries as bytes held them; empty ones for no bytes.
void LoadQuietly(CServiceData& data, const std::optional<std::string>& bytes) {
    if (!bytes)
        return;
    CScriptedOperator quiet;
    CArchive ar(*bytes);
    data.SerializeAll(ar, quiet);
}

} // namespace

bool CServiceData::NeedsSave(const std::string& path) const {
    if (path != m_basePath || m_repairPending)
        return true;
    if (!m_baseBytes && !m_unreadable)
        return true; // missing: made afresh
    // A file that could not be read gave nothing: only what was added since is a change.
    CServiceData base;
    LoadQuietly(base, m_baseBytes);
    return !SameDictionaries(*this, base);
}

bool CServiceData::ReplaceFile(const std::string& path, const std::string& bytes,
                               std::string* error) {
    if (IsNonRegular(path)) {
        if (error)
            *error = path + " is not a regular file and is not replaced";
        return false;
    }
    CFileLock lock;
    if (!lock.Lock(LockPath(path), kLockWaitSeconds, error))
        return false;
    std::optional<std::string> old;
    std::string readError;
    if (!ReadCurrent(path, old, &readError)) {
        if (error)
            *error = path + " cannot be read (" + readError + ") and is not replaced";
        return false;
    }
    if (old)
        WriteBackup(path, *old);
    return WriteFileAtomic(path, bytes, error);
}

int CServiceData::Save(const std::string& path, COperator& op) {
    auto fail = [&] {
        op.Message("Ошибка сохранения файла служебных данных!"_cp, MessageIcon::Exclamation);
        return 0;
    };
    if (!NeedsSave(path))
        return 1;
    if (IsNonRegular(path))
        return fail(); // a device or a FIFO in its place is never replaced
    CFileLock lock;
    if (!lock.Lock(LockPath(path), kLockWaitSeconds))
        return fail();
    std::optional<std::string> current;
    std::string readError;
    if (!ReadCurrent(path, current, &readError))
        return fail(); // something stands there that cannot be read: never replaced unseen
    const bool ours = path == m_basePath;
    if (ours && current && current != m_baseBytes) {
        // Another program wrote the file since it was read here (or it can be read now): its
        // changes come in first. A file that went away is simply written again.
        CServiceData theirs;
        CScriptedOperator quiet;
        theirs.LoadBytes(path, *current, quiet);
        if (theirs.LoadedCleanly()) {
            CServiceData base;
            LoadQuietly(base, m_baseBytes);
            MergeDictionaries(base, *this, theirs, op);
        } else if (!WriteDamagedCopy(path, *current).empty()) {
            // Damaged there: kept aside, and replaced by these dictionaries.
        } else {
            return fail();
        }
    } else if (current && m_repairPending && !m_damagedKept && ours) {
        if (WriteDamagedCopy(path, *current).empty())
            return fail();
        m_damagedKept = true;
    }
    std::string bytes;
    if (!StoreToBytes(bytes, op))
        return fail();
    if (current)
        WriteBackup(path, *current); // a failed backup does not stop the save
    if (!WriteFileAtomic(path, bytes))
        return fail();
    m_basePath = path;
    m_baseBytes = std::move(bytes);
    m_repairPending = false;
    m_loadedCleanly = true;
    m_unreadable = false;
    return 1;
}

} // namespace norvak
