#include "document/openroad.h"

#include "core/codepage.h"
#include "core/framecodes.h"
#include "core/literal.h"
#include "core/textfile.h"
#include "dictionaries/servicedata.h"
#include "document/docclassing.h"
#include "document/sourceformat.h"
#include "markup/markupdriver.h"
#include "markup/tags.h"
#include "markup/titlestage.h"

#include <algorithm>
#include <filesystem>
#include <optional>

namespace norvak {
namespace {

bool IsAnalysisJunk(char c) {
    return c == '\r' || c == '\t' || c == '\v';
}

// Carriage returns, tabs and vertical tabs off both ends, as the analyses expect their lines.
std::string StripForAnalysis(const std::string& line) {
    std::size_t b = 0, e = line.size();
    while (b < e && IsAnalysisJunk(line[b]))
        ++b;
    while (e > b && IsAnalysisJunk(line[e - 1]))
        --e;
    return line.substr(b, e - b);
}

bool NeedsStripForAnalysis(const LineList& lines) {
    for (const std::string& l : lines)
        if (!l.empty() && (IsAnalysisJunk(l.front()) || IsAnalysisJunk(l.back())))
            return true;
    return false;
}

void DetermineAndTag(OpenedDocument& doc, LineList lines, const DocSettings& settings,
                     CServiceData& dictionaries, CProgress& progress, COperator& op) {
    bool analysed = false;
    if (settings.defineRecvisits && !lines.empty()) {
        // The analyses read the lines only; they get a stripped copy when stripping changes any.
        LineList stripped;
        const bool strip = NeedsStripForAnalysis(lines);
        if (strip) {
            stripped.reserve(lines.size());
            for (const std::string& l : lines)
                stripped.push_back(StripForAnalysis(l));
        }
        const LineList& forAnalysis = strip ? stripped : lines;
        PreparedDetection prepared =
            PrepareRequisitesDetection(forAnalysis, dictionaries, settings, progress, op);
        doc.docClass = prepared.docClass;
        doc.record = prepared.analyzer->Run(forAnalysis);
        if (prepared.extension) {
            doc.evidence = prepared.extension->Evidence();
            doc.extendedRules = prepared.extension->FiredRules();
        }
        analysed = true;
    }
    if (settings.createTags && !lines.empty()) {
        if (!analysed)
            AnnounceTagProgress(progress);
        RunMarkup(lines, MarkupOptionsFor(settings, doc.record), progress);
        doc.tagged = true;
    }
    doc.lines = std::move(lines);
}

void Finish(OpenedDocument& doc, const DocSettings& settings, CServiceData& dictionaries,
            CProgress& progress) {
    if (!settings.defineRecvisits)
        doc.record.Clear();
    doc.record.m_text.clear(); // the text travels in doc.lines, as the editor holds it
    doc.record.RemoveDuplicates();
    progress.End();
    dictionaries.DocDict().SortByName();
    dictionaries.OrganDict().SortByName();
    dictionaries.SourceDict().Sort();
}

// What the reading of the bytes replaced or left out.
void NoteLosses(OpenedDocument& doc, const TextSplitInfo& info) {
    doc.nulBytes = info.nulBytes;
    for (const LossyLine& l : info.lossyLines)
        doc.losses.push_back({static_cast<int>(l.line) + 1, static_cast<int>(l.column) + 1,
                              static_cast<int>(l.count)});
    if (info.textAfterCtrlZ)
        doc.ctrlZLine = static_cast<int>(info.ctrlZLine) + 1;
}

} // namespace

bool IsQuestionDocument(const DocSettings& settings, const CRequisiteRecord& record) {
    for (const std::string& kind : record.m_kinds)
        if (kind == settings.questionDoc)
            return true;
    return false;
}

MarkupOptions MarkupOptionsFor(const DocSettings& settings, const CRequisiteRecord& record) {
    // Values outside their ranges reach here only from code that skipped the checks of the
    // settings; the stages get the defaults instead.
    DocSettings sane = settings;
    sane.Sanitize();
    MarkupOptions options;
    options.posParagraph = sane.posParagraph;
    options.stringLength = sane.stringLength;
    options.leftSpaces = sane.leftSpaces;
    options.question = IsQuestionDocument(settings, record);
    options.law = IsLawDocument(record.m_kinds);
    return options;
}

OpenedDocument OpenDocumentBytes(const std::string& bytes, const std::string& path,
                                 const OpenOptions& options, const DocSettings& settings,
                                 CServiceData& dictionaries, CProgress& progress, COperator& op) {
    OpenedDocument doc;
    doc.ok = true;
    const bool automatic = options.type == FileType::Auto;
    const CInputReaders* readers = options.readers;
    doc.type = !automatic           ? options.type
               : readers != nullptr ? readers->Detect(bytes)
               : LooksLikeSourceFormat(bytes)
                   ? (HoldsTagLines(bytes) ? FileType::Marked : FileType::Source)
                   : FileType::Text;
    doc.encoding = options.encoding;
    if (automatic && options.guessEncoding && doc.type == FileType::Text)
        doc.encoding = GuessTextEncoding(bytes);
    const bool dos = doc.encoding == Encoding::Dos;
    if (doc.type == FileType::Html || doc.type == FileType::Docx || doc.type == FileType::Odt) {
        LineList laidOut;
        std::vector<LossyLine> replaced;
        std::string error("чтение таких документов недоступно"_cp);
        if (readers == nullptr ||
            !readers->ReadLaidOut(bytes, doc.type, settings, laidOut, replaced, &error)) {
            op.Message(FormatMessage("Документ %s не открыт: "_cp, Utf8ToCp1251(path)) + error +
                           ".",
                       MessageIcon::Error);
            OpenedDocument failed;
            failed.type = doc.type;
            progress.End();
            return failed;
        }
        doc.encoding = Encoding::Windows;
        doc.laidOut = true;
        for (const LossyLine& l : replaced)
            doc.losses.push_back({static_cast<int>(l.line) + 1, static_cast<int>(l.column) + 1,
                                  static_cast<int>(l.count)});
        DetermineAndTag(doc, std::move(laidOut), settings, dictionaries, progress, op);
    } else if (doc.type == FileType::Text) {
        TextSplitInfo info;
        LineList lines = dos                              ? SplitDosTextLines(bytes, &info)
                         : doc.encoding == Encoding::Utf8 ? SplitUtf8TextLines(bytes, &info)
                                                          : SplitTextLines(bytes, &info);
        NoteLosses(doc, info);
        // Only a text whose type was told from its bytes is laid out: one opened as a text
        // is read as it stands.
        if (automatic && readers != nullptr) {
            LineList read = lines;
            if (readers->LayOutParagraphText(lines, settings)) {
                doc.laidOut = true;
                doc.unlaidLines = std::move(read);
                doc.losses.clear(); // their line numbers were those of the text as read
            }
        }
        DetermineAndTag(doc, std::move(lines), settings, dictionaries, progress, op);
    } else {
        NoteLosses(doc, InspectTextBytes(bytes, dos));
        // A source file re-encoded as UTF-8 is read as the Windows text it converts to.
        doc.record = doc.encoding == Encoding::Utf8
                         ? ReadSourceBytes(Utf8TextToWindows(bytes, nullptr), false)
                         : ReadSourceBytes(bytes, dos);
        LineList text = std::move(doc.record.m_text);
        doc.record.m_text.clear();
        if (doc.type == FileType::Source && settings.createTags) {
            AnnounceTagProgress(progress);
            RunMarkup(text, MarkupOptionsFor(settings, doc.record), progress);
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
        std::string text = FormatMessage("Ошибка чтения файла %s!"_cp, Utf8ToCp1251(path));
        if (!NotRegularFileReason(path).empty() && std::filesystem::exists(path))
            text += "\nЭто не обычный файл (канал, устройство или папка): он не открывается."_cp;
        op.Message(text,
                   options.type == FileType::Text ? MessageIcon::Error : MessageIcon::Exclamation);
        OpenedDocument failed;
        return failed;
    }
    return OpenDocumentBytes(bytes, path, options, settings, dictionaries, progress, op);
}

void MapEvidenceLines(std::vector<RequisiteEvidence>& evidence, const LineList& editorLines) {
    for (RequisiteEvidence& e : evidence) {
        const std::string text = TrimSpaces(StripCR(e.lineText));
        if (text.empty())
            continue;
        auto same = [&](std::size_t i) { return TrimSpaces(StripCR(editorLines[i])) == text; };
        const std::size_t from = e.line < 0 ? 0 : static_cast<std::size_t>(e.line);
        std::optional<std::size_t> at;
        for (std::size_t i = from; i < editorLines.size() && !at; ++i)
            if (same(i))
                at = i;
        for (std::size_t i = 0; i < std::min(from, editorLines.size()) && !at; ++i)
            if (same(i))
                at = i;
        if (at)
            e.line = static_cast<int>(*at);
    }
}

CRequisiteRecord DetectRequisites(LineList lines, const DocSettings& settings,
                                  CServiceData& dictionaries, CProgress& progress, COperator& op) {
    DeleteTagLines(lines, 0, lines.size());
    DocSettings detectOnly = settings;
    detectOnly.defineRecvisits = true;
    detectOnly.createTags = false;
    OpenedDocument doc;
    doc.ok = true;
    DetermineAndTag(doc, std::move(lines), detectOnly, dictionaries, progress, op);
    Finish(doc, detectOnly, dictionaries, progress);
    return std::move(doc.record);
}

void RemarkupLines(LineList& lines, const DocSettings& settings, const CRequisiteRecord& record,
                   CProgress& progress) {
    DeleteTagLines(lines, 0, lines.size());
    if (!lines.empty()) {
        AnnounceTagProgress(progress);
        RunMarkup(lines, MarkupOptionsFor(settings, record), progress);
    }
    progress.End();
}

LineList EditorRoundTrip(const LineList& lines) {
    bool anyLF = false;
    for (const std::string& l : lines)
        anyLF = anyLF || l.find('\n') != std::string::npos;
    if (!anyLF) {
        // Joined and cut again, the lines come back as they were, except that a last empty
        // line is dropped (so a single empty line gives no lines).
        LineList out(lines.begin(), lines.end() - (!lines.empty() && lines.back().empty() ? 1 : 0));
        return out;
    }
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
    static const std::vector<std::string> openings = [] {
        std::vector<std::string> v;
        for (TagCode code : kAllTagCodes)
            v.push_back(OpeningLine(code));
        return v;
    }();
    std::map<std::string, int> counts;
    for (const std::string& line : lines) {
        if (!IsTagLine(line))
            continue;
        for (std::size_t i = 0; i < openings.size(); ++i)
            if (BeginsWithTagLine(line, openings[i]))
                ++counts[std::string(TagCodeText(kAllTagCodes[i]))];
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
        if (s[0] == kFrameTopLeft)
            ++open;
        else if (s[0] == kFrameBottomLeft && open > 0)
            --open;
    }
    return open > 0;
}

} // namespace norvak
