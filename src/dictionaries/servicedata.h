#pragma once
// CServiceData, the service data file dict.dat: owns the six dictionaries with their links
// and loads and saves them section by section.

#include "dictionaries/docdict.h"
#include "dictionaries/organdict.h"
#include "dictionaries/sourcedict.h"
#include "dictionaries/temathicsdict.h"
#include "dictionaries/unidict.h"
#include "dictionaries/uppercasedict.h"

#include <optional>
#include <string>
#include <string_view>

namespace norvak {

class CArchive;
class COperator;

// The document's six dictionaries. The kinds and bodies dictionaries are linked to the
// universal dictionary, the bodies also to the letter-case dictionary, before anything is
// loaded. Not copyable: the links point into this object.
class CServiceData {
public:
    CServiceData();
    CServiceData(const CServiceData&) = delete;
    CServiceData& operator=(const CServiceData&) = delete;

    CDocDict& DocDict() { return m_docDict; }
    COrganDict& OrganDict() { return m_organDict; }
    CSourceDict& SourceDict() { return m_sourceDict; }
    CUniDict& UniDict() { return m_uniDict; }
    CTemathicsDict& TemathicsDict() { return m_temathicsDict; }
    CUpperCaseDict& UpperCaseDict() { return m_upperCaseDict; }
    const CDocDict& DocDict() const { return m_docDict; }
    const COrganDict& OrganDict() const { return m_organDict; }
    const CSourceDict& SourceDict() const { return m_sourceDict; }
    const CUniDict& UniDict() const { return m_uniDict; }
    const CTemathicsDict& TemathicsDict() const { return m_temathicsDict; }
    const CUpperCaseDict& UpperCaseDict() const { return m_upperCaseDict; }

    // "dict.dat" beside the executable: exePath cut after its last backslash or slash.
    static std::string DictPath(std::string_view exePath);

    // Loads the six sections in order from path. False when the file cannot be read: a
    // missing file is not reported (Missing()), one that exists but cannot be read keeps its
    // reason in ReadError(). A damaged section reports its own message and the next section
    // goes on from where it stopped; LoadedCleanly() tells whether every section read without
    // error. The bytes read are kept, so that a later Save can tell what another program
    // changed in the file meanwhile.
    bool Load(const std::string& path, COperator& op);
    // Loads or stores the six sections through ar; true when no section reported an error.
    bool SerializeAll(CArchive& ar, COperator& op);
    bool LoadedCleanly() const { return m_loadedCleanly; }
    // After a failed Load: the file exists but could not be read, and why.
    bool Unreadable() const { return m_unreadable; }
    const std::string& ReadError() const { return m_readError; }

    // After loading a damaged file: copies it to path + ".damaged" (or ".damaged.1", ...; a
    // copy with the same bytes is reused) and returns the copy's name; empty when the copy
    // could not be made. The next Save then writes the file whole.
    std::string KeepDamagedCopy();
    // Whether Save(path) would write: the dictionaries differ from what was loaded from or
    // last saved to path (their order aside), the file is missing, damaged, or not the one
    // they came from.
    bool NeedsSave(const std::string& path) const;

    // Writes the six sections to path when NeedsSave(path), holding the lock path + ".lock"
    // against other programs. When the file changed since it was loaded, the other program's
    // changes are merged in first, entry by entry (MergeDictionaries; op is asked only where
    // both changed one entry), and the dictionaries keep the merged result. The new file
    // replaces the old one by a temporary file and a rename; the previous file stays as
    // path + ".bak", written the same way. Before the first save over a file that did not
    // load cleanly, that file is kept as path + ".damaged" unless KeepDamagedCopy did so.
    // 1 on success (also when nothing needed writing); 0 after "Ошибка сохранения файла
    // служебных данных!", the old file intact. A file that exists but cannot be read is
    // never replaced.
    int Save(const std::string& path, COperator& op);
    // The six sections as saved bytes; false (after the sections' own messages) on error.
    bool StoreToBytes(std::string& out, COperator& op);

    // Writes bytes to path as Save does (lock, backup, temporary file and rename) without
    // merging: the command line's dict import. False with error set on failure.
    static bool ReplaceFile(const std::string& path, const std::string& bytes, std::string* error);

private:
    CUniDict m_uniDict;
    CUpperCaseDict m_upperCaseDict;
    CDocDict m_docDict;
    COrganDict m_organDict;
    CSourceDict m_sourceDict;
    CTemathicsDict m_temathicsDict;
    // Loads bytes as the contents of path; what Load does after reading the file.
    void LoadBytes(const std::string& path, std::string bytes, COperator& op);

    bool m_loadedCleanly = true;
    bool m_unreadable = false;
    std::string m_readError;
    std::string m_basePath;                 // the file loaded from or last saved to
    std::optional<std::string> m_baseBytes; // its bytes then; none when it was missing
    bool m_repairPending = false;           // loaded from a damaged file, not yet rewritten
    bool m_damagedKept = false;             // the damaged file is kept aside
};

} // namespace norvak
