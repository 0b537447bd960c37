#include "document/recovery.h"

#include "core/textfile.h"
#include "core/userfolders.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <signal.h>
#include <sys/stat.h>

namespace norvak {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kMagic = "NORVAK RECOVERY 1";
constexpr std::string_view kEnd = "end";
constexpr std::string_view kPrefix = "recovery-";
constexpr std::string_view kSuffix = ".txt";

void AppendEscaped(std::string& out, std::string_view value) {
    for (char c : value) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            out += c;
        }
    }
}

std::string Unescaped(std::string_view value) {
    std::string out;
    out.reserve(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            out += value[i];
            continue;
        }
        const char next = value[++i];
        out += next == 'n' ? '\n' : next == 'r' ? '\r' : next;
    }
    return out;
}

void Field(std::string& out, std::string_view key, std::string_view value) {
    out += key;
    out += '=';
    AppendEscaped(out, value);
    out += '\n';
}

std::string DateText(const CDateValue& d) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.17g %d", d.Value(), static_cast<int>(d.GetStatus()));
    return buf;
}

bool ParseDateText(const std::string& text, CDateValue& out) {
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (end == text.c_str() || *end != ' ')
        return false;
    const long status = std::strtol(end + 1, nullptr, 10);
    if (status < 0 || status > 2)
        return false;
    const auto s = static_cast<CDateValue::Status>(status);
    out = s == CDateValue::Status::Null ? CDateValue::Null() : CDateValue::FromDouble(value, s);
    return true;
}

bool ParseInt(const std::string& text, int& out) {
    char* end = nullptr;
    errno = 0;
    const long v = std::strtol(text.c_str(), &end, 10);
    if (end == text.c_str() || *end != '\0' || errno != 0 || v < INT_MIN || v > INT_MAX)
        return false;
    out = static_cast<int>(v);
    return true;
}

bool ProcessRuns(long pid) {
    return pid > 0 && (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM);
}

} // namespace

std::string RecoveryFolder(const char* xdgStateHome, const char* home) {
    return UserFolder(xdgStateHome, home, ".local/state");
}

std::string EncodeRecoveryCopy(const RecoveryCopy& copy) {
    const CRequisiteRecord& r = copy.record;
    std::string out(kMagic);
    out += '\n';
    Field(out, "path", copy.sourcePath);
    Field(out, "db", std::to_string(r.m_dbNumber));
    Field(out, "entry", DateText(r.m_entryDate));
    Field(out, "textdate", DateText(r.m_textDate));
    Field(out, "first", std::to_string(r.m_firstEdition));
    Field(out, "edition", DateText(r.m_editionDate));
    Field(out, "status", std::to_string(r.m_status));
    Field(out, "note", r.m_note);
    for (int t : r.m_themes)
        Field(out, "theme", std::to_string(t));
    for (const std::string& s : r.m_sources)
        Field(out, "source", s);
    for (const std::string& s : r.m_links)
        Field(out, "link", s);
    for (const std::string& s : r.m_kinds)
        Field(out, "kind", s);
    for (const std::string& s : r.m_organs)
        Field(out, "organ", s);
    for (const CDateValue& d : r.m_adoptionDates)
        Field(out, "adoption", DateText(d));
    for (const std::string& s : r.m_numbers)
        Field(out, "number", s);
    Field(out, "justicedate", DateText(r.m_justiceDate));
    Field(out, "justicenumber", r.m_justiceNumber);
    Field(out, "title", r.m_title);
    for (const std::string& l : r.m_text)
        Field(out, "line", l);
    out += kEnd;
    out += '\n';
    return out;
}

bool DecodeRecoveryCopy(std::string_view bytes, RecoveryCopy& out) {
    RecoveryCopy copy;
    CRequisiteRecord& r = copy.record;
    bool first = true, ended = false;
    std::size_t start = 0;
    while (start < bytes.size() && !ended) {
        std::size_t lf = bytes.find('\n', start);
        if (lf == std::string_view::npos)
            return false; // cut short: the last line has no end
        const std::string_view line = bytes.substr(start, lf - start);
        start = lf + 1;
        if (first) {
            if (line != kMagic)
                return false;
            first = false;
            continue;
        }
        if (line == kEnd) {
            ended = true;
            continue;
        }
        const std::size_t eq = line.find('=');
        if (eq == std::string_view::npos)
            return false;
        const std::string_view key = line.substr(0, eq);
        const std::string value = Unescaped(line.substr(eq + 1));
        bool ok = true;
        CDateValue date;
        int number = 0;
        if (key == "path")
            copy.sourcePath = value;
        else if (key == "db")
            ok = ParseInt(value, r.m_dbNumber);
        else if (key == "entry")
            ok = ParseDateText(value, r.m_entryDate);
        else if (key == "textdate")
            ok = ParseDateText(value, r.m_textDate);
        else if (key == "first")
            ok = ParseInt(value, r.m_firstEdition);
        else if (key == "edition")
            ok = ParseDateText(value, r.m_editionDate);
        else if (key == "status")
            ok = ParseInt(value, r.m_status);
        else if (key == "note")
            r.m_note = value;
        else if (key == "theme" && (ok = ParseInt(value, number)))
            r.m_themes.push_back(number);
        else if (key == "source")
            r.m_sources.push_back(value);
        else if (key == "link")
            r.m_links.push_back(value);
        else if (key == "kind")
            r.m_kinds.push_back(value);
        else if (key == "organ")
            r.m_organs.push_back(value);
        else if (key == "adoption" && (ok = ParseDateText(value, date)))
            r.m_adoptionDates.push_back(date);
        else if (key == "number")
            r.m_numbers.push_back(value);
        else if (key == "justicedate")
            ok = ParseDateText(value, r.m_justiceDate);
        else if (key == "justicenumber")
            r.m_justiceNumber = value;
        else if (key == "title")
            r.m_title = value;
        else if (key == "line")
            r.m_text.push_back(value);
        // Keys of later versions are passed over.
        if (!ok)
            return false;
    }
    if (!ended)
        return false;
    out = std::move(copy);
    return true;
}

CRecoveryStore::CRecoveryStore(std::string folder, long pid)
    : m_folder(std::move(folder)), m_pid(pid) {
    // The pid tells whether the editor still runs; the start time keeps a copy left by an
    // earlier editor with the same pid apart from this one's.
    static std::atomic<unsigned> count{0};
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    m_name = std::string(kPrefix) + std::to_string(m_pid) + "-" +
             std::to_string(std::chrono::duration_cast<std::chrono::microseconds>(now).count()) +
             std::to_string(count++) + std::string(kSuffix);
}

std::string CRecoveryStore::Path() const {
    return (fs::path(m_folder) / m_name).string();
}

bool CRecoveryStore::Write(const RecoveryCopy& copy, std::string* error) {
    if (m_folder.empty()) {
        if (error)
            *error = "no folder for recovery copies (neither XDG_STATE_HOME nor HOME is set)";
        return false;
    }
    std::error_code ec;
    if (!fs::is_directory(m_folder, ec)) {
        fs::create_directories(m_folder, ec);
        if (ec) {
            if (error)
                *error = m_folder + ": " + ec.message();
            return false;
        }
        fs::permissions(m_folder, fs::perms::owner_all, ec);
    }
    return WriteFileAtomic(Path(), EncodeRecoveryCopy(copy), error);
}

void CRecoveryStore::Remove() {
    std::error_code ec;
    fs::remove(Path(), ec);
}

std::vector<std::string> CRecoveryStore::Orphans() const {
    std::vector<std::pair<fs::file_time_type, std::string>> found;
    std::error_code ec;
    if (m_folder.empty() || !fs::is_directory(m_folder, ec))
        return {};
    for (fs::directory_iterator it(m_folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.size() <= kPrefix.size() + kSuffix.size() || name.rfind(kPrefix, 0) != 0 ||
            name.compare(name.size() - kSuffix.size(), kSuffix.size(), kSuffix) != 0)
            continue;
        // "recovery-" pid "-" start time ".txt"
        const std::string middle =
            name.substr(kPrefix.size(), name.size() - kPrefix.size() - kSuffix.size());
        const std::string digits = middle.substr(0, middle.find('-'));
        if (digits.empty() || middle.find_first_not_of("0123456789-") != std::string::npos)
            continue;
        const long pid = std::strtol(digits.c_str(), nullptr, 10);
        std::error_code typeError;
        if (name == m_name || !it->is_regular_file(typeError) || (pid != m_pid && ProcessRuns(pid)))
            continue;
        found.emplace_back(it->last_write_time(typeError), it->path().string());
    }
    std::sort(found.begin(), found.end());
    std::vector<std::string> paths;
    for (auto& f : found)
        paths.push_back(std::move(f.second));
    return paths;
}

bool CRecoveryStore::Read(const std::string& path, RecoveryCopy& out) {
    std::string bytes;
    return ReadFileBytes(path, bytes) && DecodeRecoveryCopy(bytes, out);
}

void CRecoveryStore::Discard(const std::string& path) {
    std::error_code ec;
    fs::remove(path, ec);
}

} // namespace norvak
