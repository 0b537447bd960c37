#pragma once
// What the fuzz targets of the document readers check on whatever they read: the layout of
// the result keeps to the width (but for single long words) and every frame it draws is one
// the frames stage recognises.

#include "core/textcore.h"
#include "formats/formlayout.h"
#include "fuzzcheck.h"
#include "markup/framestage.h"

#include <cstddef>
#include <cstdint>
#include <string>

inline void CheckLayout(const norvak::FlowDocument& doc, int width) {
    using namespace norvak;
    LayoutOptions options;
    options.stringLength = width;
    LineList lines = LayOutDocument(doc, options).lines;
    std::size_t tops = 0;
    for (const std::string& l : lines) {
        NORVAK_FUZZ_CHECK(static_cast<int>(l.size()) <= width || CountWords(l) == 1);
        if (!l.empty() && l[0] == kFrameTopLeft)
            ++tops;
    }
    NORVAK_FUZZ_CHECK(RunFramedTablesStage(lines) == tops);
}

// The body of a reader's fuzz target: read (bytes, document, error) over the input; a failure
// comes with its message and leaves no blocks, a success keeps the layout's invariants at the
// usual width and at a narrow one.
template <class Reader> int FuzzReader(Reader read, const std::uint8_t* data, std::size_t size) {
    using namespace norvak;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    FlowDocument doc;
    std::string error;
    if (!read(bytes, doc, &error)) {
        NORVAK_FUZZ_CHECK(!error.empty());
        NORVAK_FUZZ_CHECK(doc.blocks.empty());
        return 0;
    }
    CheckLayout(doc, 66);
    CheckLayout(doc, 24);
    return 0;
}
