// The whole opening road over arbitrary file bytes: reading (DOS text or source format),
// classing and analysis, markup, then writing the source-format file. The options come from
// the first byte. Besides never crashing: the markup only adds tag lines to a text, and the
// written file opened again as a marked source-format file gives back the same lines (up to
// the best fit of characters CP866 lacks).

#include "core/codepage.h"
#include "core/operatorio.h"
#include "core/progress.h"
#include "dictionaries/dicttext.h"
#include "dictionaries/servicedata.h"
#include "document/openroad.h"
#include "document/sourceformat.h"
#include "fuzzcheck.h"
#include "markup/tags.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

namespace {

// The shipped dictionaries, loaded once: the road only sorts them, which every run repeats.
norvak::CServiceData& Dictionaries() {
    static norvak::CServiceData* data = [] {
        auto* d = new norvak::CServiceData;
        std::string error;
        if (!norvak::ImportDictionaries(NORVAK_SOURCE_DIR "/data/dict", *d, &error))
            std::fprintf(stderr, "fuzz_openroad: no shipped dictionaries (%s)\n", error.c_str());
        return d;
    }();
    return *data;
}

std::string StripTrailingCR(std::string s) {
    while (!s.empty() && s.back() == '\r')
        s.pop_back();
    return s;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace norvak;
    if (size == 0)
        return 0;
    const std::uint8_t flags = data[0];
    const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);

    OpenOptions options;
    options.type = static_cast<FileType>(1 + flags % 3);
    options.encoding = (flags & 4) ? Encoding::Windows : Encoding::Dos;
    DocSettings settings;
    settings.createTags = (flags & 8) ? 0 : 1;
    settings.defineRecvisits = (flags & 16) ? 0 : 1;
    settings.stringLength = (flags & 32) ? 40 : 66;

    CScriptedOperator op;
    CProgress& progress = NullProgress();
    const OpenedDocument doc =
        OpenDocumentBytes(bytes, "fuzz", options, settings, Dictionaries(), progress, op);
    NORVAK_FUZZ_CHECK(doc.ok);

    if (options.type == FileType::Text) {
        // Without tag lines the text is the text that was read.
        const OpenedDocument plain = [&] {
            DocSettings none = settings;
            none.createTags = 0;
            none.defineRecvisits = 0;
            return OpenDocumentBytes(bytes, "fuzz", options, none, Dictionaries(), progress, op);
        }();
        LineList untagged;
        for (const std::string& line : doc.lines)
            if (!IsTagLine(line))
                untagged.push_back(line);
        LineList plainUntagged;
        for (const std::string& line : plain.lines)
            if (!IsTagLine(line))
                plainUntagged.push_back(line);
        NORVAK_FUZZ_CHECK(untagged == plainUntagged);
    }

    // Save and open the saved file again, marked, in the DOS encoding it is written in.
    CRequisiteRecord record = doc.record;
    record.m_text = doc.lines;
    const std::string saved = WriteSourceBytes(record, settings.stringLength);
    OpenOptions reopen;
    reopen.type = FileType::Marked;
    reopen.encoding = Encoding::Dos;
    DocSettings keep = settings;
    keep.defineRecvisits = 1;
    const OpenedDocument again =
        OpenDocumentBytes(saved, "fuzz", reopen, keep, Dictionaries(), progress, op);
    NORVAK_FUZZ_CHECK(again.ok);
    // The text comes back line for line: the empty line that ends the text block is no line
    // of it. The one exception is a text of a single empty line, which the file holds exactly
    // as it holds no text (the block's two empty lines) and which therefore reads back as none.
    if (doc.lines.size() == 1 && StripTrailingCR(doc.lines[0]).empty()) {
        NORVAK_FUZZ_CHECK(again.lines.empty());
    } else {
        NORVAK_FUZZ_CHECK(again.lines.size() == doc.lines.size());
        // Characters CP866 lacks (a CP1251 text opened in the Windows encoding) take their
        // best fit in the file; nothing else may change.
        for (std::size_t i = 0; i < doc.lines.size(); ++i)
            NORVAK_FUZZ_CHECK(StripTrailingCR(again.lines[i]) ==
                              StripTrailingCR(DosToWindows(WindowsToDos(doc.lines[i]))));
    }
    return 0;
}
