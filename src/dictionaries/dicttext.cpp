#include "dictionaries/dicttext.h"

#include "core/textcore.h"
#include "dictionaries/dicttextnames.h"
#include "dictionaries/organdict.h"
#include "dictionaries/uppercasedict.h"

namespace norvak {

using namespace dicttext;

const std::vector<std::string>& DictTextFileNames() {
    static const std::vector<std::string> names = {kKindsFile, kOrgansFile, kSourcesFile,
                                                   kUniFile,   kThemesFile, kLetterCaseFile};
    return names;
}

void LearnBodyLetterCase(const COrganDict& organs, CUpperCaseDict& upperCase) {
    for (const COrganEntry& e : organs.Entries())
        if (!e.LetterCaseName().empty())
            upperCase.LearnLetterCase(NormalizeName(e.LetterCaseName()), e.LetterCaseName());
}

} // namespace norvak
