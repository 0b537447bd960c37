#pragma once
// What the fuzz targets of the document readers check on whatever they read: the layout of
// the result keeps to the width (but for single long words) and every frame it draws is one
// the frames stage recognises.

#include "core/textcore.h"
#include "formats/formlayout.h"
#include "fuzzcheck.h"
#include "markup/framestage.h"

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
