// The modern inputs measured on one file (an HTML page, a DOCX or ODT document or a
// paragraph-per-line text): reading and laying out alone, then the whole road (opened with
// the shipped dictionaries, marked up, saved as a source-format file), and the peak memory
// the road adds.
//
//   norvak_inputs_bench FILE [repeats]

#include "core/operatorio.h"
#include "core/progress.h"
#include "core/textfile.h"
#include "dictionaries/dicttext.h"
#include "dictionaries/servicedata.h"
#include "document/openroad.h"
#include "document/settings.h"
#include "document/sourceformat.h"
#include "formats/formatreaders.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace norvak {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

long StatusKb(const char* key) {
    std::ifstream in("/proc/self/status");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind(key, 0) == 0)
            return std::atol(line.c_str() + std::strlen(key));
    return -1;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

int Run(const std::string& path, int repeats) {
    std::string bytes;
    if (!ReadFileBytes(path, bytes)) {
        std::fprintf(stderr, "cannot read %s\n", path.c_str());
        return 1;
    }
    CServiceData dictionaries;
    std::string error;
    if (!ImportDictionaries(NORVAK_SOURCE_DIR "/data/dict", dictionaries, &error)) {
        std::fprintf(stderr, "no shipped dictionaries: %s\n", error.c_str());
        return 1;
    }
    const DocSettings settings;
    const FileType type = DetectFileType(bytes);
    const std::string out =
        (fs::temp_directory_path() / ("norvak_inputs_bench_" + std::to_string(getpid()) + ".rla"))
            .string();
    std::vector<double> layout, road;
    long added = 0;
    std::size_t lines = 0;
    for (int i = 0; i < repeats; ++i) {
        auto t0 = Clock::now();
        if (type == FileType::Html || type == FileType::Docx || type == FileType::Odt) {
            LaidOutText text;
            if (!ReadLaidOut(bytes, type, settings, text, &error)) {
                std::fprintf(stderr, "not read: %s\n", error.c_str());
                return 1;
            }
        } else {
            LineList l = SplitTextLines(bytes);
            LayOutParagraphText(l, settings);
        }
        auto t1 = Clock::now();
        layout.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());

        std::ofstream("/proc/self/clear_refs") << "5"; // resets VmHWM to the current RSS
        const long before = StatusKb("VmRSS:");
        CScriptedOperator op;
        OpenOptions options;
        options.type = FileType::Auto;
        options.readers = &FormatReaders();
        options.guessEncoding = true;
        t0 = Clock::now();
        OpenedDocument doc =
            OpenDocument(path, options, settings, dictionaries, NullProgress(), op);
        CRequisiteRecord record = doc.record;
        record.m_text = EditorRoundTrip(doc.lines);
        if (!doc.ok || !WriteSourceFile(record, out, settings.stringLength, &error)) {
            std::fprintf(stderr, "road failed\n");
            return 1;
        }
        t1 = Clock::now();
        road.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
        added = std::max(added, StatusKb("VmHWM:") - before);
        lines = doc.lines.size();
    }
    fs::remove(out);
    const double fileKb = static_cast<double>(bytes.size()) / 1024.0;
    std::printf("%s: %.0f KiB, %zu lines laid out and tagged\n", path.c_str(), fileKb, lines);
    std::printf("  read and lay out: median %.1f ms of %d\n", Median(layout), repeats);
    std::printf("  whole road (open, lay out, requisites, markup, save): median %.1f ms\n",
                Median(road));
    std::printf("  peak memory added by the road: %ld KiB (%.1f x the file)\n", added,
                static_cast<double>(added) / fileKb);
    return 0;
}

} // namespace
} // namespace norvak

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: norvak_inputs_bench FILE [repeats]\n");
        return 2;
    }
    return norvak::Run(argv[1], argc > 2 ? std::max(1, std::atoi(argv[2])) : 5);
}
