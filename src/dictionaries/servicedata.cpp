#include "dictionaries/servicedata.h"

#include "core/literal.h"
#include "core/operatorio.h"
#include "core/textfile.h"
#include "dictionaries/archive.h"

#include <filesystem>
#include <system_error>

namespace norvak {

namespace fs = std::filesystem;

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

bool CServiceData::Load(const std::string& path, COperator& op) {
    CArchive ar;
    if (!ar.OpenForLoading(path)) {
        // A file that exists but cannot be read must not be replaced unseen by the next save.
        std::error_code ec;
        m_loadedCleanly = !fs::exists(path, ec);
        if (!m_loadedCleanly)
            m_damagedPath = path;
        return false;
    }
    m_loadedCleanly = SerializeAll(ar, op);
    if (!m_loadedCleanly)
        m_damagedPath = path;
    return true;
}

bool CServiceData::StoreToBytes(std::string& out, COperator& op) {
    CArchive ar;
    bool ok = SerializeAll(ar, op);
    out = ar.Data();
    return ok;
}

namespace {

// Copies path to the first free name of path + ".damaged", ".damaged.1", ...
bool KeepDamagedCopy(const std::string& path) {
    std::error_code ec;
    for (int i = 0; i < 1000; ++i) {
        std::string target = path;
        target.append(".damaged");
        if (i > 0) {
            target.push_back('.');
            target.append(std::to_string(i));
        }
        if (fs::exists(target, ec))
            continue;
        return fs::copy_file(path, target, ec) && !ec;
    }
    return false;
}

} // namespace

int CServiceData::Save(const std::string& path, COperator& op) {
    auto fail = [&] {
        op.Message("Ошибка сохранения файла служебных данных!"_cp, MessageIcon::Exclamation);
        return 0;
    };
    std::string bytes;
    if (!StoreToBytes(bytes, op))
        return fail();
    std::error_code ec;
    const bool exists = fs::exists(path, ec);
    if (!m_damagedPath.empty() && m_damagedPath == path && exists) {
        if (!KeepDamagedCopy(path))
            return fail();
    }
    if (exists) {
        // The previous file stays beside the new one; a failed copy does not stop the save,
        // which replaces the file atomically anyway.
        fs::copy_file(path, path + ".bak", fs::copy_options::overwrite_existing, ec);
    }
    if (!WriteFileAtomic(path, bytes))
        return fail();
    if (m_damagedPath == path)
        m_damagedPath.clear();
    return 1;
}

} // namespace norvak
