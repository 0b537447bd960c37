#pragma once
// Helpers of the format tests: documents built in code, zip fixtures written with libzip,
// and the checks of the layout's invariants.

#include "core/codepage.h"
#include "core/literal.h"
#include "formats/flowdocument.h"
#include "formats/formlayout.h"
#include "markup/framestage.h"

#include <gtest/gtest.h>
#include <zip.h>

#include <string>
#include <utility>
#include <vector>

namespace norvak::test {

inline FlowParagraph Para(std::string_view utf8, FlowAlign align = FlowAlign::Left,
                          double firstPt = 0, double leftPt = 0) {
    FlowParagraph p;
    p.text = Utf8ToCp1251(utf8);
    p.align = align;
    p.firstIndentPt = firstPt;
    p.leftIndentPt = leftPt;
    return p;
}

// The laid-out lines in UTF-8, frame codes as box-drawing characters.
inline std::vector<std::string> Shown(const LineList& lines) {
    std::vector<std::string> out;
    for (const std::string& l : lines)
        out.push_back(Cp1251ToUtf8Display(l));
    return out;
}

// A zip archive in memory with the given parts, written by libzip.
inline std::string MakeZip(const std::vector<std::pair<std::string, std::string>>& parts) {
    zip_error_t ze;
    zip_error_init(&ze);
    zip_source_t* src = zip_source_buffer_create(nullptr, 0, 0, &ze);
    zip_t* z = zip_open_from_source(src, ZIP_TRUNCATE, &ze);
    zip_source_keep(src);
    for (const auto& [name, data] : parts) {
        zip_source_t* s = zip_source_buffer(z, data.data(), data.size(), 0);
        zip_file_add(z, name.c_str(), s, ZIP_FL_OVERWRITE);
    }
    zip_close(z);
    std::string bytes;
    if (zip_source_open(src) == 0) {
        char buf[65536];
        zip_int64_t n;
        while ((n = zip_source_read(src, buf, sizeof buf)) > 0)
            bytes.append(buf, static_cast<std::size_t>(n));
        zip_source_close(src);
    }
    zip_source_free(src);
    zip_error_fini(&ze);
    return bytes;
}

// Words of the lines outside frames, in order, non-breaking spaces as spaces.
inline std::vector<std::string> WordsOutsideFrames(const LineList& lines) {
    std::vector<std::string> words;
    for (const std::string& l : lines) {
        if (!l.empty() && (l[0] == kFrameTopLeft || l[0] == kFrameVertical ||
                           l[0] == kFrameLeftTee || l[0] == kFrameBottomLeft))
            continue;
        for (const std::string& w : SplitWords(l))
            if (!w.empty())
                words.push_back(w);
    }
    return words;
}

// The invariants every layout keeps: no line longer than width unless it is one word; every
// frame is tagged by the frames stage, so it is one well-formed frame.
inline void ExpectLayoutInvariants(const LineList& lines, int width, const std::string& what) {
    std::size_t tops = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& l = lines[i];
        if (static_cast<int>(l.size()) > width) {
            EXPECT_EQ(CountWords(l), 1)
                << what << ": line " << i + 1 << " is too long: " << Cp1251ToUtf8Display(l);
        }
        if (!l.empty() && l[0] == kFrameTopLeft)
            ++tops;
    }
    LineList copy = lines;
    EXPECT_EQ(RunFramedTablesStage(copy), tops) << what << ": a frame is not well formed";
}

// The words of a document's paragraphs in order, as the layout must keep them.
inline std::vector<std::string> ParagraphWords(const FlowDocument& doc) {
    std::vector<std::string> words;
    for (const FlowBlock& b : doc.blocks)
        if (!b.isTable)
            for (std::string w : SplitFlowWords(b.paragraph.text)) {
                for (char& c : w)
                    if (c == '\xA0')
                        c = ' ';
                for (const std::string& part : SplitWords(w))
                    if (!part.empty())
                        words.push_back(part);
            }
    return words;
}

} // namespace norvak::test
