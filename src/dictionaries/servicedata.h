#pragma once
// CServiceData, the service data file dict.dat: owns the six dictionaries with their links
// and loads and saves them section by section.

#include "dictionaries/docdict.h"
#include "dictionaries/organdict.h"
#include "dictionaries/sourcedict.h"
#include "dictionaries/temathicsdict.h"
#include "dictionaries/unidict.h"
#include "dictionaries/uppercasedict.h"

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

    // Loads the six sections in order from path. False only when the file cannot be opened
    // (a missing file is not reported); a damaged section reports its own message and the
    // next section goes on from where it stopped. LoadedCleanly() tells whether every
    // section read without error.
    bool Load(const std::string& path, COperator& op);
    // Loads or stores the six sections through ar; true when no section reported an error.
    bool SerializeAll(CArchive& ar, COperator& op);
    bool LoadedCleanly() const { return m_loadedCleanly; }

    // Writes the six sections to path through a temporary file renamed over it, keeping the
    // previous file as path + ".bak". Before the first save over a file that did not load
    // cleanly, that file is copied to path + ".damaged" (or ".damaged.1", ... when taken).
    // 1 on success; 0 after "Ошибка сохранения файла служебных данных!", the old file intact.
    int Save(const std::string& path, COperator& op);
    // The six sections as saved bytes; false (after the sections' own messages) on error.
    bool StoreToBytes(std::string& out, COperator& op);

private:
    CUniDict m_uniDict;
    CUpperCaseDict m_upperCaseDict;
    CDocDict m_docDict;
    COrganDict m_organDict;
    CSourceDict m_sourceDict;
    CTemathicsDict m_temathicsDict;
    bool m_loadedCleanly = true;
    std::string m_damagedPath; // a file that did not load cleanly and is not yet kept aside
};

} // namespace norvak
