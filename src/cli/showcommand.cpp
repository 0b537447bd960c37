#include "cli/clienv.h"
#include "cli/options.h"
#include "core/codepage.h"
#include "core/textfile.h"
#include "dictionaries/servicedata.h"
#include "document/dictlocation.h"
#include "document/sourceformat.h"
#include "spelling/spellchecker.h"
#include "spelling/spellingfiles.h"

#include <filesystem>
#include <ostream>

namespace norvak::cli {
namespace fs = std::filesystem;

int ShowCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (WantsHelp(args)) {
        out << "Usage: norvak-cli show FILE.rla [--encoding dos|windows]\n";
        return 0;
    }
    COptions opts({"--encoding"}, {});
    std::string error;
    if (!opts.Parse(args, &error) || opts.Positional().size() != 1) {
        err << "norvak-cli show: " << (error.empty() ? "give exactly one file" : error) << '\n';
        return 2;
    }
    bool dos = opts.Value("--encoding").value_or("dos") != "windows";
    std::string bytes;
    const std::string& path = opts.Positional()[0];
    std::string readError;
    if (!ReadFileBytes(path, bytes, &readError)) {
        err << "norvak-cli show: cannot read " << path << ": " << readError << '\n';
        return 1;
    }
    CRequisiteRecord r = ReadSourceBytes(bytes, dos);
    for (const RequisiteInfo& info : RequisiteTable()) {
        if (info.id == kReqText)
            continue;
        std::string value;
        auto join = [&](const std::vector<std::string>& v) {
            for (std::size_t i = 0; i < v.size(); ++i)
                value += (i ? "; " : "") + Cp1251ToUtf8(v[i]);
        };
        auto date = [](const CDateValue& d) { return IsNoDate(d) ? std::string() : FormatDate(d); };
        switch (info.id) {
        case kReqDbNumber:
            value = r.m_dbNumber == -1 ? "" : std::to_string(r.m_dbNumber);
            break;
        case kReqEntryDate:
            value = date(r.m_entryDate);
            break;
        case kReqTextDate:
            value = date(r.m_textDate);
            break;
        case kReqFirstEdition:
            value = r.m_firstEdition == -1 ? "" : std::to_string(r.m_firstEdition);
            break;
        case kReqEditionDate:
            value = date(r.m_editionDate);
            break;
        case kReqStatus:
            value = std::to_string(r.m_status);
            break;
        case kReqNote:
            value = Cp1251ToUtf8Display(r.m_note);
            break;
        case kReqThemes:
            for (std::size_t i = 0; i < r.m_themes.size(); ++i)
                value += (i ? "; " : "") + std::to_string(r.m_themes[i]);
            break;
        case kReqSources:
            join(r.m_sources);
            break;
        case kReqLinks:
            join(r.m_links);
            break;
        case kReqKinds:
            join(r.m_kinds);
            break;
        case kReqOrgans:
            join(r.m_organs);
            break;
        case kReqAdoptionDates:
            for (std::size_t i = 0; i < r.m_adoptionDates.size(); ++i)
                value += (i ? "; " : "") + FormatDate(r.m_adoptionDates[i]);
            break;
        case kReqNumbers:
            join(r.m_numbers);
            break;
        case kReqJusticeDate:
            value = date(r.m_justiceDate);
            break;
        case kReqJusticeNumber:
            value = Cp1251ToUtf8(r.m_justiceNumber);
            break;
        case kReqTitle:
            value = Cp1251ToUtf8(r.m_title);
            break;
        default:
            break;
        }
        out << Cp1251ToUtf8(info.label) << ": " << TerminalSafe(value) << '\n';
    }
    out << Cp1251ToUtf8(RequisiteLabel(kReqText)) << ":\n";
    for (const std::string& line : r.m_text)
        out << TerminalSafe(Cp1251ToUtf8Display(line)) << '\n';
    return 0;
}

} // namespace norvak::cli
