#include "document/sourceformat.h"

#include "core/codepage.h"
#include "core/literal.h"
#include "core/textfile.h"
#include "markup/tags.h"

#include <algorithm>
#include <cstdio>
#include <optional>

namespace norvak {
namespace {

// How a block is converted to CP866: block kinds whose values may hold text get the frame map
// (internal frame codes back to box-drawing bytes); the others hold digits and "ё" only.
enum class Conversion { Plain, WithFrames };

// Field a value line goes to while reading.
enum class Field {
    None,
    DbNumber,
    EntryDate,
    TextDate,
    FirstEdition,
    EditionDate,
    Status,
    Note,
    Themes,
    Sources,
    Links,
    Kinds,
    Organs,
    AdoptionDates,
    Numbers,
    JusticeDate,
    JusticeNumber,
    Title,
    Text,
};

struct HeaderInfo {
    std::string_view number;
    Field field;
};

constexpr HeaderInfo kHeaders[] = {
    {"0", Field::DbNumber},      {"100", Field::EntryDate},    {"101", Field::TextDate},
    {"3", Field::Note},          {"4", Field::Organs},         {"5", Field::Kinds},
    {"6", Field::AdoptionDates}, {"7", Field::Numbers},        {"9", Field::Title},
    {"10", Field::Sources},      {"11", Field::Links},         {"13", Field::Themes},
    {"14", Field::JusticeDate},  {"15", Field::JusticeNumber}, {"16", Field::Status},
    {"17", Field::EditionDate},  {"18", Field::Text},          {"19", Field::FirstEdition},
};

constexpr std::string_view kPrologue = "\r\n$$\r\n\r\n";
constexpr std::string_view kNotPublished = "Документ опубликован не был"_cp;
constexpr std::string_view kStatusChars[] = {"-", "ё"_cp, "+"};

// A line the reader takes for a header: "$" and then anything but "$".
bool LooksLikeHeader(std::string_view line) {
    return line.size() >= 2 && line[0] == '$' && line[1] != '$';
}

// A value line that, after its leading spaces, the reader would take for a header; the writer
// gives it one more leading space and the reader takes that space off again.
bool NeedsHeaderEscape(std::string_view line) {
    const std::size_t start = line.find_first_not_of(' ');
    return start != std::string_view::npos && LooksLikeHeader(line.substr(start));
}

// A line the reader takes as the end of a block (outside the text): empty, spaces only, "...".
bool EndsBlock(std::string_view line) {
    return line == "..." || IsBlankLine(line);
}

std::string_view StripTrailingCR(std::string_view s) {
    while (!s.empty() && s.back() == '\r')
        s.remove_suffix(1);
    return s;
}

// Appends dos to out with every LF turned into CR LF, as a text-mode write does.
void AppendWithCrLf(std::string& out, std::string_view dos) {
    std::size_t lf;
    while ((lf = dos.find('\n')) != std::string_view::npos) {
        out.append(dos.data(), lf);
        out += "\r\n";
        dos.remove_prefix(lf + 1);
    }
    out += dos;
}

// Builds one block with LF line ends; Flush converts it and turns every LF into CR LF, as a
// text-mode write does.
class CBlockWriter {
public:
    explicit CBlockWriter(std::string& out) : m_out(out) {}

    void Header(std::string_view header) {
        m_block = header;
        m_block += '\n';
    }
    // A value line that the reader would take for a header gets a leading space: read as a
    // header it would end the block and send the lines after it to another requisite. So
    // does one that only its leading spaces keep from being one, so that the reader can take
    // exactly one space off every such line.
    void Line(std::string_view value) {
        if (NeedsHeaderEscape(value))
            m_block += ' ';
        m_block += value;
        m_block += '\n';
    }
    void Empty() { m_block += '\n'; }
    void Flush(Conversion conversion) {
        const std::string dos =
            conversion == Conversion::WithFrames ? WindowsToDos(m_block) : Cp1251ToCp866(m_block);
        AppendWithCrLf(m_out, dos);
        m_block.clear();
    }

    void Integer(std::string_view header, int value) {
        Header(header);
        if (value != -1)
            Line(std::to_string(value));
        else
            Empty();
        Empty();
        Flush(Conversion::Plain);
    }
    void Date(std::string_view header, const CDateValue& value) {
        Header(header);
        if (value.Value() != NoDate().Value())
            Line(FormatDate(value));
        else
            Empty();
        Empty();
        Flush(Conversion::Plain);
    }
    void Status(std::string_view header, int value) {
        Header(header);
        if (value >= 0 && value <= 2)
            Line(kStatusChars[value]);
        else
            Empty();
        Empty();
        Flush(Conversion::Plain);
    }
    void Single(std::string_view header, std::string_view value) {
        Header(header);
        Line(value);
        Empty();
        Empty();
        Flush(Conversion::WithFrames);
    }
    // A list of value lines, then one empty line; an empty list as two empty lines. An element
    // the reader would take as the block's end is left out, since writing it would lose every
    // element after it.
    void List(std::string_view header, const std::vector<std::string>& values) {
        Header(header);
        bool any = false;
        for (const std::string& v : values) {
            std::string_view line = StripTrailingCR(v);
            if (EndsBlock(line))
                continue;
            Line(line);
            any = true;
        }
        if (!any)
            Empty();
        Empty();
        Flush(Conversion::WithFrames);
    }
    // The text: after its header every line is text, whatever it begins with. The lines go
    // straight into the output, converted byte by byte; the conversion keeps LF and makes no
    // other byte LF, so converting line by line gives the bytes of converting the block whole,
    // and an LF inside a line gets its CR as the line ends do.
    void Text(std::string_view header, const LineList& lines) {
        Header(header);
        Flush(Conversion::WithFrames);
        std::size_t size = 0;
        for (const std::string& l : lines) {
            const std::string_view line = StripTrailingCR(l);
            size += line.size() + 2 +
                    static_cast<std::size_t>(std::count(line.begin(), line.end(), '\n'));
        }
        const std::size_t at = m_out.size();
        m_out.reserve(at + size + 4);
        m_out.resize(at + size);
        char* p = m_out.data() + at;
        for (const std::string& l : lines) {
            std::string_view line = StripTrailingCR(l);
            for (std::size_t lf; (lf = line.find('\n')) != std::string_view::npos;) {
                WindowsToDos(line.data(), lf, p);
                p += lf;
                *p++ = '\r';
                *p++ = '\n';
                line.remove_prefix(lf + 1);
            }
            WindowsToDos(line.data(), line.size(), p);
            p += line.size();
            *p++ = '\r';
            *p++ = '\n';
        }
        if (lines.empty())
            Empty();
        Empty();
        Flush(Conversion::WithFrames);
    }

private:
    std::string& m_out;
    std::string m_block;
};

// A link tag line of the note: 66 characters, the marker twice, no space (a justified line
// that happens to begin with the marker has its gaps).
bool IsNoteTagLine(std::string_view line) {
    return line.size() == static_cast<std::size_t>(kTagLineLength) && line[0] == kTagMarker &&
           line[1] == kTagMarker && line.find(' ') == std::string_view::npos;
}

// The wrapping state: the current line and the lines given out so far.
class CWrapper {
public:
    explicit CWrapper(int width) : m_width(width) {}

    void Word(const std::string& word) {
        // A tag line of the note stands on a line of its own at any width, as the reader
        // recognises it only there.
        if (IsNoteTagLine(word) && !m_current.empty()) {
            m_lines.push_back(JustifyLine(m_current, m_width));
            m_current = word;
            return;
        }
        long long need = (m_current.empty() ? 0 : 1) + static_cast<long long>(word.size()) +
                         static_cast<long long>(m_current.size());
        if (need > m_width) {
            // A current line that is still empty (the first word is too long) gives no line.
            if (!m_current.empty())
                m_lines.push_back(JustifyLine(m_current, m_width));
            m_current = word;
            return;
        }
        if (!m_current.empty())
            m_current += ' ';
        m_current += word;
    }
    // An LF: the current line ends as it is and `rest` begins the next one.
    void Break(std::string rest) {
        if (!m_current.empty())
            m_lines.push_back(std::move(m_current));
        m_current = std::move(rest);
    }
    LineList Finish() {
        if (!m_current.empty())
            m_lines.push_back(std::move(m_current));
        return std::move(m_lines);
    }

private:
    int m_width;
    std::string m_current;
    LineList m_lines;
};

std::optional<Field> HeaderField(std::string_view line) {
    std::string_view number = line.substr(1);
    std::size_t space = number.find(' ');
    if (space != std::string_view::npos)
        number = number.substr(0, space);
    for (const HeaderInfo& h : kHeaders)
        if (h.number == number)
            return h.field;
    return std::nullopt;
}

// A line of a wrapped block as the text it came from: the runs of spaces that justification
// widened (the wrapping cuts at runs of spaces, so a run is one gap) become single spaces.
std::string CollapsePadding(std::string_view line) {
    std::string out;
    out.reserve(line.size());
    for (std::size_t i = 0; i < line.size(); ++i)
        if (line[i] != ' ' || i == 0 || line[i - 1] != ' ')
            out += line[i];
    return out;
}

// The title line that begins the list of appendices; the title holds it after " \n".
bool BeginsAppendices(std::string_view line) {
    constexpr std::string_view together = "(вместе с"_cp;
    return line.substr(0, together.size()) == together;
}

void SetDate(std::string_view line, CDateValue& date) {
    CDateValue parsed;
    if (ParseDate(line, parsed))
        date = parsed;
}

} // namespace

std::string JustifyLine(std::string_view line, int width) {
    if (static_cast<long long>(line.size()) >= width)
        return std::string(line);
    std::vector<std::string> words = SplitWords(line);
    if (words.size() < 2)
        return std::string(line);
    const std::size_t gaps = words.size() - 1;
    long long total = 0;
    for (const std::string& w : words)
        total += static_cast<long long>(w.size());
    total += static_cast<long long>(gaps);
    const std::size_t extra = total < width ? static_cast<std::size_t>(width - total) : 0;
    std::string out;
    out.reserve(static_cast<std::size_t>(total) + extra);
    for (std::size_t i = 0; i < words.size(); ++i) {
        out += words[i];
        if (i < gaps)
            out.append(1 + extra / gaps + (i < extra % gaps ? 1 : 0), ' ');
    }
    return out;
}

LineList WrapText(std::string_view text, int width) {
    CWrapper wrapper(width);
    for (const std::string& word : SplitWords(text)) {
        std::size_t lf = word.find('\n');
        if (lf == std::string::npos) {
            wrapper.Word(StripCR(word));
            continue;
        }
        std::string first = StripCR(std::string_view(word).substr(0, lf));
        if (!first.empty())
            wrapper.Word(first);
        while (lf != std::string::npos) {
            std::size_t next = word.find('\n', lf + 1);
            std::size_t end = next == std::string::npos ? word.size() : next;
            wrapper.Break(StripCR(std::string_view(word).substr(lf + 1, end - lf - 1)));
            lf = next;
        }
    }
    return wrapper.Finish();
}

std::string WriteSourceBytes(const CRequisiteRecord& r, int stringLength) {
    std::string out(kPrologue);
    CBlockWriter w(out);
    w.Integer("$0 Номер в базе"_cp, r.m_dbNumber);
    w.Date("$100  Дата ввода/изменения"_cp, r.m_entryDate);
    w.Date("$101  Дата ввода текста"_cp, r.m_textDate);
    w.Integer("$19  Первая редакция"_cp, r.m_firstEdition);
    w.Date("$17  Редакция от"_cp, r.m_editionDate);
    w.Status("$16  Поиск по статусу"_cp, r.m_status);
    w.List("$3  Примечание к документу"_cp, WrapText(r.m_note, stringLength));

    std::vector<std::string> themes;
    for (int t : r.m_themes)
        themes.push_back(std::to_string(t));
    w.List("$13  Тематика"_cp, themes);

    constexpr std::string_view sourcesHeader = "$10  Источник публикации"_cp;
    // No source to write, or the one the reader gives for the not-published text: that text,
    // so that what was read writes the same bytes again.
    bool anySource = false;
    for (const std::string& s : r.m_sources)
        anySource = anySource || !EndsBlock(StripTrailingCR(s));
    if (anySource && !(r.m_sources.size() == 1 && StripTrailingCR(r.m_sources[0]) == kNotPublished))
        w.List(sourcesHeader, r.m_sources);
    else
        w.Single(sourcesHeader, kNotPublished);

    w.List("$11  Ссылки"_cp, r.m_links);
    w.List("$5  Вид документа"_cp, r.m_kinds);
    w.List("$4  Принявший орган"_cp, r.m_organs);

    std::vector<std::string> dates;
    for (const CDateValue& d : r.m_adoptionDates)
        dates.push_back(FormatDate(d));
    w.List("$6  Дата принятия"_cp, dates);

    w.List("$7  Номер"_cp, r.m_numbers);
    w.Date("$14  Дата в Минюсте"_cp, r.m_justiceDate);
    w.Single("$15  Номер в Минюсте"_cp, r.m_justiceNumber);
    w.List("$9  Название документа"_cp, WrapText(r.m_title, stringLength));
    w.Text("$18  Текст документа"_cp, r.m_text);
    return out;
}

bool WriteSourceFile(const CRequisiteRecord& record, const std::string& path, int stringLength,
                     std::string* error) {
    return WriteFileAtomic(path, WriteSourceBytes(record, stringLength), error);
}

CRequisiteRecord ReadSourceBytes(std::string_view bytes, bool dos) {
    CRequisiteRecord r;
    Field field = Field::None;
    bool inText = false;       // the text header was met: every later line is text
    bool noteAfterTag = false; // the previous note line was a tag line
    for (std::string& line : dos ? SplitDosTextLines(bytes) : SplitTextLines(bytes)) {
        if (!inText && LooksLikeHeader(line)) {
            if (std::optional<Field> f = HeaderField(line)) {
                field = *f;
                inText = field == Field::Text;
            }
            continue;
        }
        if (field != Field::Text && EndsBlock(line)) {
            field = Field::None;
            continue;
        }
        if (field != Field::Text && !line.empty() && line[0] == ' ' && NeedsHeaderEscape(line))
            line.erase(0, 1);
        switch (field) {
        case Field::None:
            break;
        case Field::DbNumber:
            r.m_dbNumber = LeadingInt(line);
            break;
        case Field::FirstEdition:
            r.m_firstEdition = LeadingInt(line);
            break;
        case Field::EntryDate:
            SetDate(line, r.m_entryDate);
            break;
        case Field::TextDate:
            SetDate(line, r.m_textDate);
            break;
        case Field::EditionDate:
            SetDate(line, r.m_editionDate);
            break;
        case Field::JusticeDate:
            SetDate(line, r.m_justiceDate);
            break;
        case Field::AdoptionDates: {
            CDateValue d;
            if (ParseDate(line, d))
                r.m_adoptionDates.push_back(d);
            break;
        }
        case Field::Themes:
            r.m_themes.push_back(LeadingInt(line));
            break;
        case Field::Organs:
            r.m_organs.push_back(std::move(line));
            break;
        case Field::Kinds:
            r.m_kinds.push_back(std::move(line));
            break;
        case Field::Numbers:
            r.m_numbers.push_back(std::move(line));
            break;
        case Field::Sources:
            r.m_sources.push_back(std::move(line));
            break;
        case Field::Links:
            r.m_links.push_back(std::move(line));
            break;
        case Field::Text:
            r.m_text.push_back(std::move(line));
            break;
        case Field::JusticeNumber:
            r.m_justiceNumber = std::move(line);
            break;
        case Field::Status:
            for (int code = 0; code < 3; ++code)
                if (line == kStatusChars[code])
                    r.m_status = code;
            break;
        case Field::Title: {
            const std::string value = CollapsePadding(line);
            if (!r.m_title.empty())
                r.m_title += BeginsAppendices(value) ? " \n" : " ";
            r.m_title += value;
            break;
        }
        case Field::Note: {
            if (!r.m_note.empty()) {
                r.m_note += ' ';
                if (noteAfterTag)
                    r.m_note += '\n';
            }
            noteAfterTag = IsNoteTagLine(line);
            r.m_note += CollapsePadding(line);
            break;
        }
        }
    }
    // The empty line that ends the text block is no line of the text; an empty text is
    // written as two of them.
    if (!r.m_text.empty() && r.m_text.back().empty())
        r.m_text.pop_back();
    if (r.m_text.size() == 1 && r.m_text.front().empty())
        r.m_text.clear();
    return r;
}

bool ReadSourceFile(const std::string& path, bool dos, CRequisiteRecord& record,
                    std::string* error) {
    std::string bytes;
    if (!ReadFileBytes(path, bytes, error))
        return false;
    record = ReadSourceBytes(bytes, dos);
    return true;
}

std::string ProposedSaveName(int dbNumber) {
    if (dbNumber == -1)
        return {};
    char buf[16];
    std::snprintf(buf, sizeof buf, "%05d", dbNumber);
    return buf;
}

} // namespace norvak
