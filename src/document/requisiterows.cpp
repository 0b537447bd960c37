#include "document/requisiterows.h"

#include "core/codepage.h"
#include "core/literal.h"

namespace norvak {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string IntRow(int v) {
    return std::to_string(v);
}

// "%d" as scanf reads it: optional spaces, a sign, digits. False when no digit follows.
bool ScanInt(const std::string& s, std::size_t& pos, int& out) {
    while (pos < s.size() && (s[pos] == ' ' || s[pos] == '\t' || s[pos] == '\n' || s[pos] == '\r'))
        ++pos;
    std::size_t p = pos;
    bool negative = false;
    if (p < s.size() && (s[p] == '-' || s[p] == '+')) {
        negative = s[p] == '-';
        ++p;
    }
    if (p >= s.size() || !IsDigit(s[p]))
        return false;
    long long v = 0;
    while (p < s.size() && IsDigit(s[p])) {
        if (v < 100000000)
            v = v * 10 + (s[p] - '0');
        ++p;
    }
    out = static_cast<int>(negative ? -v : v);
    pos = p;
    return true;
}

} // namespace

const std::vector<RequisiteCaption>& RequisiteCaptions() {
    static const std::vector<RequisiteCaption> captions = {
        {"Номер в базе", 0x145, kReqDbNumber},
        {"Дата ввода/изменения", 0x215, kReqEntryDate},
        {"Дата ввода текста", 0x415, kReqTextDate},
        {"Первая редакция", 0x845, kReqFirstEdition},
        {"Редакция от", 0x1015, kReqEditionDate},
        {"Поиск по статусу", 0x2005, kReqStatus},
        {"Примечание к документу", 0x4025, kReqNote},
        {"Тематика", 0x4008041, kReqThemes},
        {"Источник публикации", 0x10001, kReqSources},
        {"Ссылки", 0x20021, kReqLinks},
        {"Вид документа", 0x40081, kReqKinds},
        {"Принявший орган", 0x80081, kReqOrgans},
        {"Дата принятия", 0x100011, kReqAdoptionDates},
        {"Номер", 0x200021, kReqNumbers},
        {"Дата в Минюсте", 0x400015, kReqJusticeDate},
        {"Номер в Минюсте", 0x800025, kReqJusticeNumber},
        {"Название документа", 0x1000025, kReqTitle},
    };
    return captions;
}

RowEditor EditorFor(std::uint32_t d) {
    if (d & kRowDictList)
        return RowEditor::DictList;
    if (d & kRowThemes)
        return RowEditor::Themes;
    if (d & kRowSources)
        return RowEditor::Sources;
    if (d & kRowStatus)
        return RowEditor::Status;
    if (d & kRowText)
        return RowEditor::Text;
    if (d & kRowDigits)
        return RowEditor::Digits;
    if (d & kRowDate)
        return RowEditor::Date;
    return RowEditor::None;
}

CRequisiteRows::CRequisiteRows() {
    SetRecord(CRequisiteRecord());
}

void CRequisiteRows::SetRecord(const CRequisiteRecord& record) {
    m_record = record;
    m_record.m_text.clear();
    m_rows.clear();
    auto add = [this](std::string text) { m_rows.push_back({std::move(text), 0}); };
    auto addNonEmpty = [&](const std::string& text) {
        if (!text.empty())
            add(text);
    };
    auto addInt = [&](int v) {
        if (v != -1)
            add(IntRow(v));
    };
    auto addDate = [&](const CDateValue& d) {
        if (!IsNoDate(d))
            add(FormatDate(d));
    };
    for (const RequisiteCaption& c : RequisiteCaptions()) {
        m_rows.push_back({Utf8ToCp1251(c.caption), c.data});
        switch (c.id) {
        case kReqDbNumber:
            addInt(record.m_dbNumber);
            break;
        case kReqEntryDate:
            addDate(record.m_entryDate);
            break;
        case kReqTextDate:
            addDate(record.m_textDate);
            break;
        case kReqFirstEdition:
            addInt(record.m_firstEdition);
            break;
        case kReqEditionDate:
            addDate(record.m_editionDate);
            break;
        case kReqStatus:
            add(record.m_status == 1   ? std::string("ё"_cp)
                : record.m_status == 2 ? std::string("+")
                                       : std::string("-"));
            break;
        case kReqNote:
            addNonEmpty(record.m_note);
            break;
        case kReqThemes:
            for (int t : record.m_themes)
                add(IntRow(t));
            break;
        case kReqSources:
            for (const std::string& s : record.m_sources)
                add(s);
            break;
        case kReqLinks:
            for (const std::string& s : record.m_links)
                add(s);
            break;
        case kReqKinds:
            for (const std::string& s : record.m_kinds)
                add(s);
            break;
        case kReqOrgans:
            for (const std::string& s : record.m_organs)
                add(s);
            break;
        case kReqAdoptionDates:
            for (const CDateValue& d : record.m_adoptionDates)
                add(FormatDate(d));
            break;
        case kReqNumbers:
            for (const std::string& s : record.m_numbers)
                add(s);
            break;
        case kReqJusticeDate:
            addDate(record.m_justiceDate);
            break;
        case kReqJusticeNumber:
            addNonEmpty(record.m_justiceNumber);
            break;
        case kReqTitle:
            addNonEmpty(record.m_title);
            break;
        case kReqText:
            break;
        }
    }
}

int CRequisiteRows::ReadInteger(const std::string& text) {
    // A negative number read from a file ("-5") stays itself rather than becoming absent.
    if (text.empty())
        return -1;
    if (IsDigit(text[0]) || (text[0] == '-' && text.size() > 1 && IsDigit(text[1])))
        return LeadingInt(text);
    return -1;
}

CDateValue CRequisiteRows::ReadDate(const std::string& text) {
    int day = 0, month = 0, year = 0;
    std::size_t pos = 0;
    if (ScanInt(text, pos, day) && pos < text.size() && text[pos] == '.' &&
        ScanInt(text, ++pos, month) && pos < text.size() && text[pos] == '.')
        ScanInt(text, ++pos, year);
    return CDateValue(year, month, day, 1, 1, 1);
}

CRequisiteRecord CRequisiteRows::Collect() const {
    CRequisiteRecord r;
    const int n = Count();
    int captionIndex = -1;
    for (int i = 0; i < n; ++i) {
        if (!IsCaption(i))
            continue;
        ++captionIndex;
        const auto& captions = RequisiteCaptions();
        if (captionIndex >= static_cast<int>(captions.size()))
            break;
        // The value rows that follow this caption.
        std::vector<const std::string*> values;
        for (int j = i + 1; j < n && !IsCaption(j); ++j)
            values.push_back(&At(j).text);
        const std::string* first = values.empty() ? nullptr : values.front();
        auto readInt = [&] { return first ? ReadInteger(*first) : -1; };
        auto readDate = [&] { return first && !first->empty() ? ReadDate(*first) : NoDate(); };
        auto texts = [&] {
            std::vector<std::string> out;
            for (const std::string* v : values)
                out.push_back(*v);
            return out;
        };
        switch (captions[static_cast<std::size_t>(captionIndex)].id) {
        case kReqDbNumber:
            r.m_dbNumber = readInt();
            break;
        case kReqEntryDate:
            r.m_entryDate = readDate();
            break;
        case kReqTextDate:
            r.m_textDate = readDate();
            break;
        case kReqFirstEdition:
            r.m_firstEdition = readInt();
            break;
        case kReqEditionDate:
            r.m_editionDate = readDate();
            break;
        case kReqStatus:
            if (first && !first->empty()) {
                const char c = (*first)[0];
                if (c == "ё"_cp[0])
                    r.m_status = 1;
                else if (c == '+')
                    r.m_status = 2;
                else if (c == '-')
                    r.m_status = 0;
            }
            break;
        case kReqNote:
            if (first)
                r.m_note = *first;
            break;
        case kReqThemes:
            for (const std::string* v : values)
                r.m_themes.push_back(ReadInteger(*v));
            break;
        case kReqSources:
            r.m_sources = texts();
            break;
        case kReqLinks:
            r.m_links = texts();
            break;
        case kReqKinds:
            r.m_kinds = texts();
            break;
        case kReqOrgans:
            r.m_organs = texts();
            break;
        case kReqAdoptionDates:
            for (const std::string* v : values)
                if (!v->empty())
                    r.m_adoptionDates.push_back(ReadDate(*v));
            break;
        case kReqNumbers:
            r.m_numbers = texts();
            break;
        case kReqJusticeDate:
            r.m_justiceDate = readDate();
            break;
        case kReqJusticeNumber:
            if (first)
                r.m_justiceNumber = *first;
            break;
        case kReqTitle:
            if (first)
                r.m_title = *first;
            break;
        case kReqText:
            break;
        }
    }
    return r;
}

bool CRequisiteRows::IsCaption(int row) const {
    return row >= 0 && row < Count() && (At(row).data & kRowCaption) != 0;
}

int CRequisiteRows::CaptionOf(int row) const {
    if (row < 0 || row >= Count())
        return -1;
    while (row >= 0 && !IsCaption(row))
        --row;
    return row;
}

std::uint32_t CRequisiteRows::CaptionData(int row) const {
    const int c = CaptionOf(row);
    return c < 0 ? 0 : At(c).data;
}

int CRequisiteRows::ValueCount(int captionRow) const {
    int n = 0;
    for (int j = captionRow + 1; j < Count() && !IsCaption(j); ++j)
        ++n;
    return n;
}

void CRequisiteRows::InsertEmpty(int row) {
    m_rows.insert(m_rows.begin() + row, RequisiteRow{});
}

CRequisiteRows::InsertResult CRequisiteRows::Insert(int selected) {
    InsertResult result;
    const int caption = CaptionOf(selected);
    if (caption < 0)
        return result;
    const std::uint32_t data = At(caption).data;
    if ((data & kRowSingle) == 0) {
        const int at = IsCaption(selected) ? selected + 1 : selected;
        if (at < Count() && !IsCaption(at) && At(at).text == "...") {
            result.row = at;
            return result;
        }
        InsertEmpty(at);
        result.row = at;
        result.inserted = true;
        return result;
    }
    if (IsCaption(selected)) {
        if (ValueCount(selected) == 0) {
            InsertEmpty(selected + 1);
            result.inserted = true;
        }
        result.row = selected + 1;
        return result;
    }
    result.row = selected;
    return result;
}

bool CRequisiteRows::Remove(int row) {
    if (row < 0 || row >= Count() || IsCaption(row))
        return false;
    m_rows.erase(m_rows.begin() + row);
    return true;
}

bool CRequisiteRows::CanDrag(int row) const {
    if (row < 0 || row >= Count() || IsCaption(row))
        return false;
    return (CaptionData(row) & kRowSingle) == 0;
}

bool CRequisiteRows::CanDrop(int from, int to) const {
    return CanDrag(from) && to != from && to >= 0 && to < Count() && !IsCaption(to) &&
           CaptionOf(to) == CaptionOf(from);
}

bool CRequisiteRows::Move(int from, int to) {
    if (!CanDrop(from, to))
        return false;
    RequisiteRow moved = m_rows[static_cast<std::size_t>(from)];
    m_rows.erase(m_rows.begin() + from);
    m_rows.insert(m_rows.begin() + to, std::move(moved));
    return true;
}

std::string CRequisiteRows::ApplyTitleRule(std::string text) {
    const std::string together = std::string("(вместе с"_cp);
    if (text.find(together) != std::string::npos && text.find("\n" + together) == std::string::npos)
        text.insert(text.find(together), " \n");
    while (!text.empty() && (text.back() == ' ' || text.back() == '\n'))
        text.pop_back();
    return text;
}

bool CRequisiteRows::Commit(int row, std::string result, bool newRow) {
    if (row < 0 || row >= Count() || IsCaption(row))
        return false;
    const int caption = CaptionOf(row);
    const std::uint32_t data = At(caption).data;
    const auto& captions = RequisiteCaptions();
    int index = -1;
    for (int i = 0; i <= caption; ++i)
        if (IsCaption(i))
            ++index;
    const RequisiteId id = captions[static_cast<std::size_t>(index)].id;
    if (id == kReqTitle)
        result = ApplyTitleRule(std::move(result));
    if ((data & kRowStatus) != 0 && !result.empty()) {
        if (result[0] == "ё"_cp[0])
            m_record.m_status = 1;
        else if (result[0] == '+')
            m_record.m_status = 2;
        else if (result[0] == '-')
            m_record.m_status = 0;
    }
    if (result.empty())
        return newRow && Remove(row);
    if (At(row).text == result && !newRow)
        return false;
    m_rows[static_cast<std::size_t>(row)] = {std::move(result), 0};
    return true;
}

bool CRequisiteRows::Cancel(int row, bool newRow) {
    return newRow && Remove(row);
}

} // namespace norvak
