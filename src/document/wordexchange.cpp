#include "document/wordexchange.h"

#include "core/codepage.h"
#include "core/framecodes.h"
#include "core/literal.h"
#include "core/textcore.h"
#include "core/textfile.h"

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace norvak {

namespace {

unsigned char U(char c) {
    return static_cast<unsigned char>(c);
}

// Frame codes and the box-drawing characters they stand for.
struct FrameChar {
    char code;
    char32_t box;
};
constexpr FrameChar kFrameChars[] = {
    {kFrameTopLeft, 0x250C},   {kFrameHorizontal, 0x2500}, {kFrameTopTee, 0x252C},
    {kFrameTopRight, 0x2510},  {kFrameVertical, 0x2502},   {kFrameLeftTee, 0x251C},
    {kFrameCross, 0x253C},     {kFrameRightTee, 0x2524},   {kFrameBottomLeft, 0x2514},
    {kFrameBottomTee, 0x2534},
};
// The bottom-right corner, which is also the section sign.
constexpr unsigned char kCornerOrSection = static_cast<unsigned char>(kFrameBottomRight);
constexpr char32_t kBottomRight = 0x2518;
constexpr char32_t kPrivateBase = 0xE000;
constexpr unsigned char kUndefined1251 = 0x98;

char32_t ExportChar(std::string_view line, std::size_t i) {
    const unsigned char b = U(line[i]);
    for (const FrameChar& f : kFrameChars)
        if (U(f.code) == b)
            return f.box;
    if (b == kCornerOrSection && i > 0 &&
        (line[i - 1] == kFrameHorizontal || line[i - 1] == kFrameBottomTee))
        return kBottomRight;
    if (b < 0x20 || b == kUndefined1251)
        return kPrivateBase + b;
    return Cp1251ToUnicode(static_cast<char>(b));
}

char ImportChar(char32_t cp) {
    for (const FrameChar& f : kFrameChars)
        if (f.box == cp)
            return f.code;
    if (cp == kBottomRight)
        return static_cast<char>(kCornerOrSection);
    if ((cp >= kPrivateBase && cp < kPrivateBase + 0x20) || cp == kPrivateBase + kUndefined1251)
        return static_cast<char>(cp - kPrivateBase);
    return UnicodeToCp1251(cp);
}

void AppendEscaped(std::string& out, char32_t cp) {
    switch (cp) {
    case '&':
        out += "&amp;";
        return;
    case '<':
        out += "&lt;";
        return;
    case '>':
        out += "&gt;";
        return;
    default:
        AppendUtf8(out, cp);
    }
}

void AppendSpaces(std::string& out, std::size_t n) {
    out += "<text:s";
    if (n > 1)
        out += " text:c=\"" + std::to_string(n) + "\"";
    out += "/>";
}

void AppendParagraph(std::string& out, std::string_view line) {
    if (line.empty()) {
        out += "   <text:p text:style-name=\"Standard\"/>\n";
        return;
    }
    out += "   <text:p text:style-name=\"Standard\">";
    for (std::size_t i = 0; i < line.size();) {
        if (line[i] == ' ') {
            std::size_t b = i;
            while (i < line.size() && line[i] == ' ')
                ++i;
            // A single space between words survives as it is; runs, and spaces at either end
            // of the paragraph, would be collapsed or dropped by a reader.
            if (i - b == 1 && b > 0 && i < line.size())
                out += ' ';
            else
                AppendSpaces(out, i - b);
        } else if (line[i] == '\t') {
            out += "<text:tab/>";
            ++i;
        } else {
            AppendEscaped(out, ExportChar(line, i));
            ++i;
        }
    }
    out += "</text:p>\n";
}

constexpr std::string_view kHead = R"(<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"
 xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0"
 xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"
 xmlns:fo="urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0"
 xmlns:svg="urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0"
 office:version="1.3" office:mimetype="application/vnd.oasis.opendocument.text">
 <office:font-face-decls>
  <style:font-face style:name="Courier New" svg:font-family="&apos;Courier New&apos;"
   style:font-family-generic="modern" style:font-pitch="fixed"/>
 </office:font-face-decls>
 <office:styles>
  <style:default-style style:family="paragraph">
   <style:paragraph-properties fo:margin-top="0cm" fo:margin-bottom="0cm"/>
   <style:text-properties style:font-name="Courier New" fo:font-size="10pt"
    fo:language="ru" fo:country="RU"/>
  </style:default-style>
  <style:style style:name="Standard" style:family="paragraph" style:class="text">
   <style:text-properties style:font-name="Courier New" fo:font-size="10pt"
    fo:language="ru" fo:country="RU"/>
  </style:style>
 </office:styles>
 <office:body>
  <office:text>
)";
constexpr std::string_view kTail = "  </office:text>\n </office:body>\n</office:document>\n";

// ---- reading ----

// One UTF-8 character at s[i]; U+FFFD for a malformed sequence, of which one byte is passed.
char32_t NextChar(std::string_view s, std::size_t& i) {
    if (const std::optional<char32_t> cp = DecodeUtf8(s, i))
        return *cp;
    ++i;
    return 0xFFFD;
}

bool IsXmlSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool IsNameChar(char c) {
    return !IsXmlSpace(c) && c != '>' && c != '/' && c != '=' && c != '<' && c != '"' && c != '\'';
}

// Decodes the character and entity references of text; false on an unknown or broken one.
bool DecodeText(std::string_view raw, std::u32string& out) {
    for (std::size_t i = 0; i < raw.size();) {
        if (raw[i] != '&') {
            out += NextChar(raw, i);
            continue;
        }
        const std::size_t semi = raw.find(';', i);
        if (semi == std::string_view::npos || semi - i > 12)
            return false;
        const std::string_view ref = raw.substr(i + 1, semi - i - 1);
        if (ref == "lt")
            out += U'<';
        else if (ref == "gt")
            out += U'>';
        else if (ref == "amp")
            out += U'&';
        else if (ref == "quot")
            out += U'"';
        else if (ref == "apos")
            out += U'\'';
        else if (ref.size() > 1 && ref[0] == '#') {
            const bool hex = ref[1] == 'x';
            const std::string_view digits = ref.substr(hex ? 2 : 1);
            if (digits.empty())
                return false;
            char32_t cp = 0;
            for (char d : digits) {
                int v = d >= '0' && d <= '9'          ? d - '0'
                        : hex && d >= 'a' && d <= 'f' ? d - 'a' + 10
                        : hex && d >= 'A' && d <= 'F' ? d - 'A' + 10
                                                      : -1;
                if (v < 0)
                    return false;
                cp = cp * (hex ? 16 : 10) + static_cast<char32_t>(v);
                if (cp > 0x10FFFF)
                    return false;
            }
            out += cp;
        } else {
            return false;
        }
        i = semi + 1;
    }
    return true;
}

struct Attribute {
    std::string name;
    std::string value; // raw, entities not decoded
};

// Elements whose content is not part of the running text.
bool IsSkipped(std::string_view name) {
    return name == "text:note" || name == "office:annotation" || name == "text:tracked-changes" ||
           name == "draw:frame" || name == "text:table-of-content-source" ||
           name == "text:alphabetical-index-source" || name == "text:ruby-text";
}

// Collects the lines of the body while the XML is walked.
class CBodyText {
public:
    void Start(std::string_view name, const std::vector<Attribute>& attributes, bool empty) {
        m_stack.emplace_back(name);
        if (m_skipDepth == 0 && IsSkipped(name))
            m_skipDepth = m_stack.size();
        if (name == "office:text" && m_stack.size() >= 2 &&
            m_stack[m_stack.size() - 2] == "office:body") {
            m_bodyDepth = m_stack.size();
            m_sawBody = true;
        }
        if (Collecting()) {
            if (name == "text:p" || name == "text:h") {
                if (m_paragraphDepth == 0) {
                    m_paragraphDepth = m_stack.size();
                    m_line.clear();
                    m_afterSpace = true; // leading white space of a paragraph is dropped
                }
            } else if (m_paragraphDepth != 0) {
                if (name == "text:s") {
                    long long n = 1;
                    for (const Attribute& a : attributes)
                        if (a.name == "text:c")
                            n = LeadingInt(a.value);
                    // A sane bound keeps a hostile count from exhausting memory.
                    if (n < 1)
                        n = 1;
                    if (n > 100000)
                        n = 100000;
                    m_line.append(static_cast<std::size_t>(n), U' ');
                    m_afterSpace = false;
                    m_expanded += static_cast<std::size_t>(n);
                } else if (name == "text:tab") {
                    m_line += U'\t';
                    m_afterSpace = false;
                } else if (name == "text:line-break") {
                    m_lines.push_back(m_line);
                    m_line.clear();
                    m_afterSpace = true;
                }
            }
        }
        if (empty)
            End();
    }

    void End() {
        if (m_paragraphDepth == m_stack.size()) {
            m_lines.push_back(m_line);
            m_line.clear();
            m_paragraphDepth = 0;
        }
        if (m_skipDepth == m_stack.size())
            m_skipDepth = 0;
        if (m_bodyDepth == m_stack.size())
            m_bodyDepth = 0;
        m_stack.pop_back();
    }

    // Character data: white space collapses to one space and is dropped at a paragraph start.
    void Text(const std::u32string& text) {
        if (!Collecting() || m_paragraphDepth == 0)
            return;
        for (char32_t c : text) {
            if (c == U' ' || c == U'\t' || c == U'\n' || c == U'\r') {
                if (!m_afterSpace)
                    m_line += U' ';
                m_afterSpace = true;
            } else {
                m_line += c;
                m_afterSpace = false;
            }
        }
    }

    const std::string& Top() const { return m_stack.back(); }
    bool Open() const { return !m_stack.empty(); }
    bool SawBody() const { return m_sawBody; }
    // Space counts that add up to far more than any document holds.
    bool TooLarge() const { return m_expanded > (std::size_t{1} << 24); }
    const std::vector<std::u32string>& Lines() const { return m_lines; }

private:
    bool Collecting() const { return m_bodyDepth != 0 && m_skipDepth == 0; }

    std::vector<std::string> m_stack;
    std::size_t m_bodyDepth = 0;
    std::size_t m_skipDepth = 0;
    std::size_t m_paragraphDepth = 0;
    bool m_sawBody = false;
    std::size_t m_expanded = 0;
    bool m_afterSpace = true;
    std::u32string m_line;
    std::vector<std::u32string> m_lines;
};

bool SkipPast(std::string_view xml, std::size_t& i, std::string_view end) {
    const std::size_t p = xml.find(end, i);
    if (p == std::string_view::npos)
        return false;
    i = p + end.size();
    return true;
}

// Reads a start tag from xml[i] (just after "<"); false when it is malformed.
bool ReadStartTag(std::string_view xml, std::size_t& i, std::string& name,
                  std::vector<Attribute>& attributes, bool& empty) {
    const std::size_t b = i;
    while (i < xml.size() && IsNameChar(xml[i]))
        ++i;
    if (i == b)
        return false;
    name.assign(xml.substr(b, i - b));
    attributes.clear();
    empty = false;
    while (true) {
        while (i < xml.size() && IsXmlSpace(xml[i]))
            ++i;
        if (i >= xml.size())
            return false;
        if (xml[i] == '>') {
            ++i;
            return true;
        }
        if (xml[i] == '/') {
            if (i + 1 >= xml.size() || xml[i + 1] != '>')
                return false;
            i += 2;
            empty = true;
            return true;
        }
        const std::size_t nb = i;
        while (i < xml.size() && IsNameChar(xml[i]))
            ++i;
        if (i == nb)
            return false;
        Attribute a;
        a.name.assign(xml.substr(nb, i - nb));
        while (i < xml.size() && IsXmlSpace(xml[i]))
            ++i;
        if (i >= xml.size() || xml[i] != '=')
            return false;
        ++i;
        while (i < xml.size() && IsXmlSpace(xml[i]))
            ++i;
        if (i >= xml.size() || (xml[i] != '"' && xml[i] != '\''))
            return false;
        const char quote = xml[i++];
        const std::size_t close = xml.find(quote, i);
        if (close == std::string_view::npos)
            return false;
        a.value.assign(xml.substr(i, close - i));
        i = close + 1;
        attributes.push_back(std::move(a));
    }
}

std::string ToCp1251(const std::u32string& line) {
    std::string out;
    out.reserve(line.size());
    for (char32_t c : line)
        out += ImportChar(c);
    return out;
}

} // namespace

std::string WriteFlatOdt(std::string_view text) {
    std::string out(kHead);
    std::size_t b = 0;
    while (true) {
        const std::size_t e = text.find('\n', b);
        AppendParagraph(out, text.substr(b, e == std::string_view::npos ? e : e - b));
        if (e == std::string_view::npos)
            break;
        b = e + 1;
    }
    out += kTail;
    return out;
}

bool ReadFlatOdt(std::string_view xml, std::string& text) {
    CBodyText body;
    std::string name;
    std::vector<Attribute> attributes;
    bool sawRoot = false;
    std::size_t i = 0;
    while (i < xml.size()) {
        if (xml[i] != '<') {
            const std::size_t e = std::min(xml.find('<', i), xml.size());
            std::u32string decoded;
            if (!DecodeText(xml.substr(i, e - i), decoded))
                return false;
            body.Text(decoded);
            i = e;
            continue;
        }
        const std::string_view rest = xml.substr(i);
        if (rest.starts_with("<?")) {
            if (!SkipPast(xml, i, "?>"))
                return false;
        } else if (rest.starts_with("<!--")) {
            if (!SkipPast(xml, i, "-->"))
                return false;
        } else if (rest.starts_with("<![CDATA[")) {
            const std::size_t b = i + 9;
            if (!SkipPast(xml, i, "]]>"))
                return false;
            std::u32string decoded;
            const std::string_view raw = xml.substr(b, i - 3 - b);
            for (std::size_t k = 0; k < raw.size();)
                decoded += NextChar(raw, k);
            body.Text(decoded);
        } else if (rest.starts_with("<!")) {
            if (!SkipPast(xml, i, ">"))
                return false;
        } else if (rest.starts_with("</")) {
            i += 2;
            const std::size_t b = i;
            while (i < xml.size() && IsNameChar(xml[i]))
                ++i;
            const std::string_view endName = xml.substr(b, i - b);
            while (i < xml.size() && IsXmlSpace(xml[i]))
                ++i;
            if (i >= xml.size() || xml[i] != '>' || !body.Open() || body.Top() != endName)
                return false;
            ++i;
            body.End();
        } else {
            ++i;
            bool empty = false;
            if (!ReadStartTag(xml, i, name, attributes, empty))
                return false;
            if (!body.Open()) {
                if (sawRoot || name != "office:document")
                    return false;
                sawRoot = true;
            }
            body.Start(name, attributes, empty);
            if (body.TooLarge())
                return false;
        }
    }
    if (!sawRoot || body.Open() || !body.SawBody())
        return false;
    std::string result;
    const auto& lines = body.Lines();
    for (std::size_t k = 0; k < lines.size(); ++k) {
        if (k > 0)
            result += '\n';
        result += ToCp1251(lines[k]);
    }
    text = std::move(result);
    return true;
}

std::vector<std::string> OpenDocumentCommand(const std::string& path, bool preferWriter) {
    if (preferWriter)
        return {"soffice", "--writer", path};
    return {"xdg-open", path};
}

CWordExchange::CWordExchange(COperator& op, std::string directory)
    : m_operator(op), m_directory(std::move(directory)) {}

CWordExchange::~CWordExchange() {
    if (m_madeTemp) {
        std::error_code ec;
        std::filesystem::remove_all(m_directory, ec);
    }
}

namespace {

// A directory (not a symlink) owned by this user that nobody else may enter.
bool IsPrivateDirectory(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::geteuid() &&
           (st.st_mode & 077) == 0;
}

} // namespace

bool CWordExchange::PrepareDirectory() {
    if (!m_directory.empty() && !m_private) {
        std::error_code ec;
        std::filesystem::create_directories(m_directory, ec);
        return !ec;
    }
    if (m_private) // checked again before each export: it may have been tampered with
        return IsPrivateDirectory(m_directory);
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR");
        runtime != nullptr && *runtime == '/' && IsPrivateDirectory(runtime)) {
        const std::string dir = std::string(runtime) + "/norvak";
        ::mkdir(dir.c_str(), 0700);
        if (IsPrivateDirectory(dir)) {
            m_directory = dir;
            m_private = true;
            return true;
        }
    }
    std::error_code ec;
    std::filesystem::path tmp = std::filesystem::temp_directory_path(ec);
    if (ec)
        tmp = "/tmp";
    std::string pattern = (tmp / "norvak-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        return false;
    m_directory = pattern;
    m_private = true;
    m_madeTemp = true;
    return IsPrivateDirectory(m_directory);
}

std::string CWordExchange::NewDocumentPath() const {
    namespace fs = std::filesystem;
    for (int n = 1;; ++n) {
        fs::path p = fs::path(m_directory) / ("norvak-" + std::to_string(n) + ".fodt");
        std::error_code ec;
        // A name whose .odt twin exists is taken too, so an old saved copy cannot be mistaken
        // for the operator saving this document in another format.
        fs::path twin = p;
        twin.replace_extension(".odt");
        if (!fs::exists(p, ec) && !ec && !fs::exists(twin, ec) && !ec)
            return p.string();
        if (ec || n == 1000000)
            return {};
    }
}

bool CWordExchange::Export(std::string_view text) {
    const std::string path = PrepareDirectory() ? NewDocumentPath() : std::string();
    if (path.empty() || !WriteFileAtomic(path, WriteFlatOdt(text), nullptr, 0600)) {
        m_failure = Failure::CannotWrite;
        m_operator.Message("Ошибка экспорта документа."_cp, MessageIcon::Error);
        return false;
    }
    m_document = path;
    m_failure = Failure::None;
    return true;
}

bool CWordExchange::Import(std::string& text) {
    namespace fs = std::filesystem;
    auto fail = [this](Failure why) {
        m_failure = why;
        m_operator.Message("Ошибка импорта документа."_cp, MessageIcon::Error);
        return false;
    };
    if (m_document.empty())
        return fail(Failure::NothingExported);
    std::string bytes;
    if (!ReadFileBytes(m_document, bytes))
        return fail(Failure::CannotRead);
    // Saved in the zipped format under the same name.
    if (bytes.starts_with("PK\x03\x04"))
        return fail(Failure::NotFlatDocument);
    // Saved in the zipped format beside it: this file no longer holds the operator's text.
    fs::path twin = m_document;
    twin.replace_extension(".odt");
    std::error_code ec;
    if (fs::exists(twin, ec)) {
        std::error_code ec1, ec2;
        const auto twinTime = fs::last_write_time(twin, ec1);
        const auto ownTime = fs::last_write_time(m_document, ec2);
        if (ec1 || ec2 || twinTime >= ownTime)
            return fail(Failure::SavedAsOtherFile);
    }
    std::string result;
    if (!ReadFlatOdt(bytes, result))
        return fail(Failure::NotFlatDocument);
    text = std::move(result);
    m_failure = Failure::None;
    // The text is back in the editor: the copy outside it goes.
    fs::remove(m_document, ec);
    m_document.clear();
    return true;
}

} // namespace norvak
