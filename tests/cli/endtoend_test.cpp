// Every sample document converts end to end, and the conversion never changes its text.

#include "clitestutil.h"
#include "core/codepage.h"
#include "core/textfile.h"
#include "document/openroad.h"
#include "document/sourceformat.h"
#include "markup/tags.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace norvak {
namespace {
namespace fs = std::filesystem;

std::vector<std::string> Samples() {
    std::vector<std::string> files;
    for (const auto& e : fs::directory_iterator(std::string(NORVAK_TEST_DATA) + "/samples"))
        if (e.path().extension() == ".txt")
            files.push_back(e.path().string());
    std::sort(files.begin(), files.end());
    return files;
}

class EndToEnd : public testing::TestWithParam<std::string> {};

TEST_P(EndToEnd, ConversionKeepsEveryTextLine) {
    const std::string input = GetParam();
    const bool windows = input.find(".cp1251.") != std::string::npos;
    test::ScratchDir dir;
    const std::string out = dir / "out.rla";
    auto r = test::RunCliCapture({"convert", input, "-o", out, "--dict", NORVAK_BUILT_DICT,
                                  "--encoding", windows ? "windows" : "dos", "--type", "text"});
    ASSERT_EQ(r.status, 0) << r.err;

    std::string raw, written;
    ASSERT_TRUE(ReadFileBytes(input, raw));
    ASSERT_TRUE(ReadFileBytes(out, written));
    LineList expected = SplitTextLines(raw);
    if (!windows)
        for (std::string& l : expected)
            l = DosToWindows(l);
    expected = EditorRoundTrip(expected);

    LineList text = ReadSourceBytes(written, true).m_text;
    ASSERT_FALSE(text.empty());
    DeleteTagLines(text, 0, text.size());
    // Characters CP866 cannot hold come back as their best fit; compare in CP866 terms.
    for (std::string& l : expected)
        l = Cp866ToCp1251(Cp1251ToCp866(l));
    EXPECT_EQ(text, expected);

    auto shown = test::RunCliCapture({"show", out});
    ASSERT_EQ(shown.status, 0) << shown.err;
    EXPECT_NE(shown.out.find("Текст документа:"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Samples, EndToEnd, testing::ValuesIn(Samples()), [](const auto& p) {
    std::string n = fs::path(p.param).stem().stem().string();
    for (char& c : n)
        if (!isalnum(static_cast<unsigned char>(c)))
            c = '_';
    return n;
});

} // namespace
} // namespace norvak
