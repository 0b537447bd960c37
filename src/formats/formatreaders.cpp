#include "formats/formatreaders.h"

#include "core/literal.h"
#include "formats/docxreader.h"
#include "formats/htmlreader.h"
#include "formats/odtreader.h"
#include "formats/paragraphtext.h"
#include "formats/ziparchive.h"

namespace norvak {

LayoutOptions LayoutFromSettings(const DocSettings& settings) {
    LayoutOptions o;
    o.stringLength = settings.stringLength > 0 ? settings.stringLength : 66;
    o.posParagraph = std::max(0, settings.posParagraph);
    o.leftSpaces = std::max(0, settings.leftSpaces);
    return o;
}

FileType DetectFileType(std::string_view bytes) {
    if (LooksLikeZip(bytes)) {
        CZipArchive zip;
        if (zip.Open(bytes, nullptr)) {
            if (zip.Has("word/document.xml"))
                return FileType::Docx;
            std::string mimetype;
            if (zip.Has("mimetype") && zip.Read("mimetype", mimetype, nullptr) &&
                StartsWith(mimetype, "application/vnd.oasis.opendocument.text"))
                return FileType::Odt;
            if (zip.Has("content.xml"))
                return FileType::Odt;
        }
        // Any other zip, damaged ones included, is refused by the DOCX reader with a
        // message rather than shown as a text of binary bytes.
        return FileType::Docx;
    }
    if (LooksLikeSourceFormat(bytes))
        return HoldsTagLines(bytes) ? FileType::Marked : FileType::Source;
    if (LooksLikeHtml(bytes))
        return FileType::Html;
    return FileType::Text;
}

bool ReadLaidOut(std::string_view bytes, FileType type, const DocSettings& settings,
                 LaidOutText& out, std::string* error) {
    FlowDocument doc;
    std::string why;
    bool ok = false;
    switch (type) {
    case FileType::Html:
        ok = ReadHtml(bytes, doc, &why);
        break;
    case FileType::Docx:
        ok = ReadDocx(bytes, doc, &why);
        break;
    case FileType::Odt:
        ok = ReadOdt(bytes, doc, &why);
        break;
    default:
        why = "формат не поддерживается"_cp;
        break;
    }
    if (ok) {
        out = LayOutDocument(doc, LayoutFromSettings(settings));
        bool any = false;
        for (const std::string& l : out.lines)
            any = any || !IsBlankLine(l);
        if (!any) {
            ok = false;
            why = "в документе нет текста"_cp;
            out = LaidOutText();
        }
    }
    if (!ok && error)
        *error = why;
    return ok;
}

bool LayOutParagraphText(LineList& lines, const DocSettings& settings) {
    const LayoutOptions o = LayoutFromSettings(settings);
    if (!IsParagraphPerLine(lines, o.stringLength))
        return false;
    lines = LayOutDocument(ParagraphsFromLines(lines, o.stringLength, o.posParagraph), o).lines;
    return true;
}

namespace {

class CFormatReaders : public CInputReaders {
public:
    FileType Detect(std::string_view bytes) const override { return DetectFileType(bytes); }
    bool ReadLaidOut(std::string_view bytes, FileType type, const DocSettings& settings,
                     LineList& lines, std::vector<LossyLine>& replaced,
                     std::string* error) const override {
        LaidOutText text;
        if (!norvak::ReadLaidOut(bytes, type, settings, text, error))
            return false;
        lines = std::move(text.lines);
        replaced = std::move(text.replaced);
        return true;
    }
    bool LayOutParagraphText(LineList& lines, const DocSettings& settings) const override {
        return norvak::LayOutParagraphText(lines, settings);
    }
};

} // namespace

const CInputReaders& FormatReaders() {
    static const CFormatReaders readers;
    return readers;
}

} // namespace norvak
