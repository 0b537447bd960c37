#include "document/openroad.h"

#include "core/codepage.h"
#include "core/literal.h"
#include "core/textfile.h"
#include "dictionaries/servicedata.h"
#include "document/sourceformat.h"
#include "markup/markupdriver.h"
#include "markup/tags.h"
#include "requisites/docclassing.h"

namespace norvak {
namespace {

// Carriage returns, tabs and vertical tabs off both ends, as the analyses expect their lines.
std::string StripForAnalysis(const std::string& line) {
    auto junk = [](char c) { return c == '\r' || c == '\t' || c == '\v'; };
    std::size_t b = 0, e = line.size();
    while (b < e && junk(line[b]))
        ++b;
    while (e > b && junk(line[e - 1]))
        --e;
    return line.substr(b, e - b);
}

// Converts the lines of a DOS text and notes where the conversion had to replace characters.
void ConvertDosLines(LineList& lines, std::vector<LossWarning>& losses) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string& line = lines[i];
        LossWarning w;
        for (std::size_t c = 0; c < line.size(); ++c) {
            if (IsLossyCp866(FrameToInternal(line[c]))) {
                if (w.count == 0)
                    w.column = static_cast<int>(c) + 1;
                ++w.count;
            }
        }
        if (w.count > 0) {
            w.line = static_cast<int>(i) + 1;
            losses.push_back(w);
        }
        line = DosToWindows(line);
    }
}

void DetermineAndTag(OpenedDocument& doc, LineList lines, const DocSettings& settings,
                     CServiceData& dictionaries, CProgress& progress, COperator& op) {
    LineList forTags = lines;
    bool analysed = false;
    if (settings.m_defineRecvisits && !lines.empty()) {
        for (std::string& l : lines)
            l = StripForAnalysis(l);
        CPreparedDetection prepared =
            PrepareRequisitesDetection(lines, dictionaries, settings, progress, op);
        doc.docClass = prepared.m_docClass;
        doc.record = prepared.m_analyzer->Run(lines);
        if (prepared.m_extension) {
            doc.evidence = prepared.m_extension->Evidence();
            doc.extendedRules = prepared.m_extension->FiredRules();
        }
        analysed = true;
    }
    if (settings.m_createTags && !forTags.empty()) {
        if (!analysed)
            AnnounceTagProgress(progress);
        RunMarkup(forTags, settings, doc.record, progress);
        doc.tagged = true;
    }
    doc.lines = std::move(forTags);
}

void Finish(OpenedDocument& doc, const DocSettings& settings, CServiceData& dictionaries,
            CProgress& progress) {
    if (!settings.m_defineRecvisits)
        doc.record.Clear();
    doc.record.m_text.clear(); // the text travels in doc.lines, as the editor holds it
    doc.record.RemoveDuplicates();
    progress.End();
    dictionaries.DocDict().SortByName();
    dictionaries.OrganDict().SortByName();
    dictionaries.SourceDict().Sort();
}

} // namespace

OpenedDocument OpenDocumentBytes(const std::string& bytes, const std::string& path,
                                 const OpenOptions& options, const DocSettings& settings,
                                 CServiceData& dictionaries, CProgress& progress, COperator& op) {
    (void)path;
    OpenedDocument doc;
    doc.ok = true;
    const bool dos = options.encoding == Encoding::Dos;
    if (options.type == FileType::Text) {
        TextSplitInfo info;
        LineList lines = SplitTextLines(bytes, &info);
        doc.nulBytes = info.nulBytes;
        if (dos)
            ConvertDosLines(lines, doc.losses);
        DetermineAndTag(doc, std::move(lines), settings, dictionaries, progress, op);
    } else {
        doc.record = ReadSourceBytes(bytes, dos);
        LineList text = std::move(doc.record.m_text);
        doc.record.m_text.clear();
        if (options.type == FileType::Source && settings.m_createTags) {
            AnnounceTagProgress(progress);
            RunMarkup(text, settings, doc.record, progress);
            doc.tagged = true;
        }
        doc.lines = std::move(text);
    }
    Finish(doc, settings, dictionaries, progress);
    return doc;
}

OpenedDocument OpenDocument(const std::string& path, const OpenOptions& options,
                            const DocSettings& settings, CServiceData& dictionaries,
                            CProgress& progress, COperator& op) {
    std::string bytes;
    if (!ReadFileBytes(path, bytes)) {
        op.Message(FormatMessage("Ошибка чтения файла %s!"_cp, Utf8ToCp1251(path)),
                   options.type == FileType::Text ? MessageIcon::Error : MessageIcon::Exclamation);
        OpenedDocument failed;
        return failed;
    }
    return OpenDocumentBytes(bytes, path, options, settings, dictionaries, progress, op);
}

LineList EditorRoundTrip(const LineList& lines) {
    std::string joined;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i)
            joined += '\n';
        joined += lines[i];
    }
    LineList out;
    std::size_t start = 0;
    while (start <= joined.size()) {
        std::size_t lf = joined.find('\n', start);
        if (lf == std::string::npos) {
            if (start < joined.size())
                out.push_back(joined.substr(start));
            break;
        }
        out.push_back(joined.substr(start, lf - start));
        start = lf + 1;
    }
    return out;
}

std::map<std::string, int> CountTagBlocks(const LineList& lines) {
    static const TagCode kCodes[] = {TagCode::ZAG, TagCode::CNT, TagCode::PRV,
                                     TagCode::LEV, TagCode::LIP, TagCode::NFT,
                                     TagCode::TAB, TagCode::TTT, TagCode::OGL};
    std::map<std::string, int> counts;
    for (const std::string& line : lines) {
        if (!IsTagLine(line))
            continue;
        for (TagCode code : kCodes)
            if (BeginsWithTagLine(line, OpeningLine(code)))
                ++counts[std::string(TagCodeText(code))];
    }
    return counts;
}

bool HasUnclosedFrame(const LineList& lines) {
    // A top-left corner opens a frame, a bottom-left corner closes it.
    int open = 0;
    for (const std::string& line : lines) {
        std::string s = StripCR(line);
        if (s.empty())
            continue;
        if (s[0] == '\x1B')
            ++open;
        else if (s[0] == '\x1C' && open > 0)
            --open;
    }
    return open > 0;
}

} // namespace norvak
