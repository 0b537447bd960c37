#include "core/literal.h"
#include "core/textfile.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace norvak {
namespace {

namespace fs = std::filesystem;

std::string S(std::string_view s) {
    return std::string(s);
}

TEST(SplitTextLines, TextModeReading) {
    struct Case {
        const char* name;
        std::string bytes;
        LineList lines;
        std::size_t nuls = 0;
        bool ctrlZ = false;
    };
    const Case cases[] = {
        {"edge: empty input", "", {}},
        {"nominal: CR LF and LF end lines", "a\r\nb\nc", {"a", "b", "c"}},
        {"nominal: final line end adds no empty line", "a\n", {"a"}},
        {"nominal: final CR LF adds no empty line", "a\r\n", {"a"}},
        {"edge: one line end is one empty line", "\n", {""}},
        {"edge: two line ends", "\r\n\r\n", {"", ""}},
        {"nominal: empty line in between", "a\n\nb\n", {"a", "", "b"}},
        {"nominal: lone CR stays inside its line", "a\rb\n", {"a\rb"}},
        {"nominal: lone CR at the end of the input stays", "a\r", {"a\r"}},
        {"nominal: leading CR stays", "\ra\r\n", {"\ra"}},
        {"edge: CR CR LF keeps one CR", "a\r\r\n", {"a\r"}},
        {"edge: LF CR", "a\n\rb", {"a", "\rb"}},
        {"nominal: Ctrl+Z ends the input",
         "a\r\nb\x1A"
         "c\r\nd",
         {"a", "b"},
         0,
         true},
        {"edge: Ctrl+Z right after a line end", "a\r\n\x1A", {"a"}, 0, true},
        {"edge: Ctrl+Z first",
         "\x1A"
         "abc",
         {},
         0,
         true},
        {"robustness: NUL becomes a space and is counted",
         std::string("a\0b\0\r\n\0", 7),
         {"a b ", " "},
         3},
        {"robustness: NUL after Ctrl+Z is not counted", std::string("a\x1A\0", 3), {"a"}, 0, true},
    };
    for (const Case& c : cases) {
        TextSplitInfo info;
        info.nulBytes = 99; // reset by the call
        EXPECT_EQ(SplitTextLines(c.bytes, &info), c.lines) << c.name;
        EXPECT_EQ(info.nulBytes, c.nuls) << c.name;
        EXPECT_EQ(info.endedAtCtrlZ, c.ctrlZ) << c.name;
        EXPECT_EQ(SplitTextLines(c.bytes), c.lines) << c.name;
    }
}

TEST(SplitTextLines, EveryByteValue) {
    std::string bytes;
    for (int b = 0; b < 256; ++b)
        if (b != '\n' && b != 0x1A)
            bytes += static_cast<char>(b);
    TextSplitInfo info;
    LineList lines = SplitTextLines(bytes + "\r\n" + bytes, &info);
    std::string expected = bytes;
    expected[0] = ' ';
    EXPECT_EQ(lines, (LineList{expected, expected}));
    EXPECT_EQ(info.nulBytes, 2u);
    for (const std::string& line : lines)
        EXPECT_EQ(line.find('\0'), std::string::npos);
}

TEST(SplitTextLines, TenMegabyteLine) {
    std::string big(10u << 20, 'x');
    LineList lines = SplitTextLines(big + "\r\nend\r\n" + big);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], big);
    EXPECT_EQ(lines[1], "end");
    EXPECT_EQ(lines[2], big);

    // Many short lines are cut in linear time too.
    std::string many;
    for (int i = 0; i < 200000; ++i)
        many += "line\r\n";
    EXPECT_EQ(SplitTextLines(many).size(), 200000u);
}

TEST(SplitDosTextLines, FramesAndCyrillicBecomeCp1251) {
    // "┌─┐ Приказ" / "└─┘" in CP866.
    const std::string dos = "\xDA\xC4\xBF \x8F\xE0\xA8\xAA\xA0\xA7\r\n\xC0\xC4\xD9\r\n";
    LineList lines = SplitDosTextLines(dos);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "\x1B\x16\x1A " + S("Приказ"_cp));
    EXPECT_EQ(lines[1], "\x1C\x16\xA7");
    // The raw Ctrl+Z byte still ends a DOS text; ┐ is 0xBF in the file, not 0x1A.
    EXPECT_EQ(SplitDosTextLines("\xBF\x1A\xBF"), (LineList{"\x1A"}));
}

TEST(SplitDosTextLines, NamesTheLinesWhoseCharactersWereReplaced) {
    // "П░░" / "ok" / "∙x▒" / NUL: ░ ▒ and ∙ have no exact CP1251 form.
    TextSplitInfo info;
    const std::string nul(1, '\0');
    const LineList lines =
        SplitDosTextLines("\x8F\xB0\xB0\r\nok\r\n\xF9x\xB1\r\na" + nul + "b", &info);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[3], "a b");
    EXPECT_EQ(info.nulBytes, 1u);
    ASSERT_EQ(info.lossyLines.size(), 2u);
    EXPECT_EQ(info.lossyLines[0].line, 0u);
    EXPECT_EQ(info.lossyLines[0].column, 1u);
    EXPECT_EQ(info.lossyLines[0].count, 2u);
    EXPECT_EQ(info.lossyLines[1].line, 2u);
    EXPECT_EQ(info.lossyLines[1].column, 0u);
    EXPECT_EQ(info.lossyLines[1].count, 2u);
    // A second split starts afresh; SplitTextLines converts nothing and names nothing.
    EXPECT_EQ(SplitDosTextLines("ok", &info), (LineList{"ok"}));
    EXPECT_TRUE(info.lossyLines.empty());
    EXPECT_EQ(SplitTextLines("\xB0", &info), (LineList{"\xB0"}));
    EXPECT_TRUE(info.lossyLines.empty());
}

TEST(InspectTextBytes, ReportsWhatTheSplitReportsAndACtrlZBeforeTheEnd) {
    struct Case {
        const char* name;
        std::string bytes;
        bool textAfter;
        std::size_t line;
    };
    const Case cases[] = {
        {"nominal: no Ctrl+Z", "a\r\nb", false, 0},
        {"nominal: a Ctrl+Z as the DOS end of file", "a\r\nb\r\n\x1A", false, 2},
        {"edge: Ctrl+Z bytes and line ends after it", "a\x1A\x1A\r\n", false, 0},
        {"fault: text after a Ctrl+Z on line 3",
         "a\r\nb\r\nc\x1A"
         "d\r\ne",
         true, 2},
        {"fault: Ctrl+Z first",
         "\x1A"
         "abc",
         true, 0},
    };
    for (const Case& c : cases) {
        TextSplitInfo split;
        SplitDosTextLines(c.bytes, &split);
        const TextSplitInfo seen = InspectTextBytes(c.bytes, true);
        EXPECT_EQ(split.textAfterCtrlZ, c.textAfter) << c.name;
        EXPECT_EQ(seen.textAfterCtrlZ, c.textAfter) << c.name;
        if (c.textAfter) {
            EXPECT_EQ(split.ctrlZLine, c.line) << c.name;
            EXPECT_EQ(seen.ctrlZLine, c.line) << c.name;
        }
    }
    // Every byte value, NULs and lossy characters on several lines: the same account.
    std::string bytes;
    for (int i = 0; i < 3 * 256; ++i)
        bytes += i % 256 == 0x1A ? '\n' : static_cast<char>(i % 256);
    TextSplitInfo split;
    SplitDosTextLines(bytes, &split);
    const TextSplitInfo seen = InspectTextBytes(bytes, true);
    EXPECT_EQ(seen.nulBytes, split.nulBytes);
    ASSERT_EQ(seen.lossyLines.size(), split.lossyLines.size());
    for (std::size_t i = 0; i < seen.lossyLines.size(); ++i) {
        EXPECT_EQ(seen.lossyLines[i].line, split.lossyLines[i].line);
        EXPECT_EQ(seen.lossyLines[i].column, split.lossyLines[i].column);
        EXPECT_EQ(seen.lossyLines[i].count, split.lossyLines[i].count);
    }
}

class FileTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() /
                ("norvak_textfile_" + std::to_string(::getpid()) + "_" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }
    std::string Path(const char* name) const { return (m_dir / name).string(); }
    std::size_t FileCount() const {
        std::size_t n = 0;
        for ([[maybe_unused]] const auto& e : fs::directory_iterator(m_dir))
            ++n;
        return n;
    }
    fs::path m_dir;
};

TEST_F(FileTest, WriteThenReadEveryByte) {
    std::string bytes;
    for (int b = 0; b < 256; ++b)
        bytes += static_cast<char>(b);
    ASSERT_TRUE(WriteFileAtomic(Path("all.bin"), bytes));
    std::string back;
    ASSERT_TRUE(ReadFileBytes(Path("all.bin"), back));
    EXPECT_EQ(back, bytes);
    EXPECT_EQ(FileCount(), 1u); // no temporary file left behind
}

TEST_F(FileTest, WriteReplacesAndKeepsPermissions) {
    ASSERT_TRUE(WriteFileAtomic(Path("f.txt"), "old contents"));
    ASSERT_EQ(::chmod(Path("f.txt").c_str(), 0600), 0);
    ASSERT_TRUE(WriteFileAtomic(Path("f.txt"), "new"));
    std::string back;
    ASSERT_TRUE(ReadFileBytes(Path("f.txt"), back));
    EXPECT_EQ(back, "new");
    struct stat st {};
    ASSERT_EQ(::stat(Path("f.txt").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    ASSERT_TRUE(WriteFileAtomic(Path("empty.txt"), ""));
    ASSERT_TRUE(ReadFileBytes(Path("empty.txt"), back));
    EXPECT_EQ(back, "");
}

TEST_F(FileTest, FailuresAreReported) {
    std::string out = "stale";
    EXPECT_FALSE(ReadFileBytes(Path("missing.txt"), out));
    EXPECT_EQ(out, "");
    out = "stale";
    EXPECT_FALSE(ReadFileBytes(m_dir.string(), out)) << "a directory is not a file";
    EXPECT_EQ(out, "");

    std::string error;
    EXPECT_FALSE(WriteFileAtomic(Path("no/such/dir/f.txt"), "x", &error));
    EXPECT_FALSE(error.empty());
    // Replacing a directory fails and leaves no temporary file.
    fs::create_directory(Path("sub"));
    fs::create_directory(Path("sub/inner"));
    EXPECT_FALSE(WriteFileAtomic(Path("sub"), "x", &error));
    EXPECT_EQ(FileCount(), 1u);
    EXPECT_TRUE(fs::is_directory(Path("sub")));
}

TEST_F(FileTest, OnlyARegularFileCountsAsOne) {
    ASSERT_EQ(::mkfifo(Path("fifo").c_str(), 0600), 0);
    EXPECT_FALSE(IsRegularFile(Path("fifo")));
    EXPECT_FALSE(IsRegularFile(m_dir.string()));
    EXPECT_FALSE(IsRegularFile(Path("missing")));
    EXPECT_FALSE(IsRegularFile(""));
    ASSERT_TRUE(WriteFileAtomic(Path("plain"), "x"));
    EXPECT_TRUE(IsRegularFile(Path("plain")));
    ASSERT_EQ(::symlink(Path("plain").c_str(), Path("link").c_str()), 0);
    EXPECT_TRUE(IsRegularFile(Path("link"))) << "followed through a symlink";
    ASSERT_EQ(::symlink(Path("missing").c_str(), Path("dangling").c_str()), 0);
    EXPECT_FALSE(IsRegularFile(Path("dangling")));
}

TEST_F(FileTest, WhatIsNotARegularFileIsNeitherReadNorReplaced) {
    ASSERT_EQ(::mkfifo(Path("fifo").c_str(), 0600), 0);
    std::string out = "stale", error;
    // A FIFO without a writer would block the reading for ever.
    EXPECT_FALSE(ReadFileBytes(Path("fifo"), out, &error));
    EXPECT_EQ(error, "not a regular file");
    EXPECT_EQ(out, "");
    EXPECT_FALSE(ReadFileBytes("/dev/zero", out, &error)) << "a device that never ends";
    EXPECT_EQ(NotRegularFileReason(Path("fifo")), "not a regular file");
    EXPECT_EQ(NotRegularFileReason(m_dir.string()), "a directory, not a regular file");

    EXPECT_FALSE(WriteFileAtomic(Path("fifo"), "x", &error));
    EXPECT_NE(error.find("is not a regular file"), std::string::npos) << error;
    struct stat st {};
    ASSERT_EQ(::lstat(Path("fifo").c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode)) << "the FIFO is still there";
    EXPECT_EQ(FileCount(), 1u);

    // A symlink at the target is replaced by the file, never written through.
    ASSERT_TRUE(WriteFileAtomic(Path("victim"), "precious"));
    fs::create_symlink(Path("victim"), Path("link"));
    ASSERT_TRUE(WriteFileAtomic(Path("link"), "new"));
    EXPECT_FALSE(fs::is_symlink(Path("link")));
    ASSERT_TRUE(ReadFileBytes(Path("victim"), out));
    EXPECT_EQ(out, "precious");
}

TEST_F(FileTest, TemporaryFilesOfAKilledWriteAreRemovedByTheNextOne) {
    const std::string target = Path("doc.rla");
    const std::string stale = target + ".tmpAbC123";
    const std::string busy = target + ".tmpXyZ789";
    const std::string other = Path("other.rla.tmpAbC123");
    for (const std::string& p : {stale, busy, other})
        ASSERT_TRUE(WriteFileAtomic(p, std::string(1000, 'x')));
    const auto old = fs::file_time_type::clock::now() - std::chrono::hours(1);
    for (const std::string& p : {stale, busy, other})
        fs::last_write_time(p, old);
    // A writer still at work holds a lock on its temporary file.
    const int held = ::open(busy.c_str(), O_RDONLY);
    ASSERT_GE(held, 0);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    EXPECT_TRUE(IsTempFileOf(target, stale));
    EXPECT_FALSE(IsTempFileOf(target, other));

    ASSERT_TRUE(WriteFileAtomic(target, "text"));
    EXPECT_FALSE(fs::exists(stale));
    EXPECT_TRUE(fs::exists(busy)) << "a write in progress is left alone";
    EXPECT_TRUE(fs::exists(other)) << "another target's files are left alone";
    ::close(held);
}

TEST_F(FileTest, ANewFileGetsTheModeAskedFor) {
    ASSERT_TRUE(WriteFileAtomic(Path("private"), "x", nullptr, 0600));
    struct stat st {};
    ASSERT_EQ(::stat(Path("private").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST_F(FileTest, TenMegabytes) {
    std::string big(10u << 20, '\xC0');
    ASSERT_TRUE(WriteFileAtomic(Path("big.txt"), big));
    std::string back;
    ASSERT_TRUE(ReadFileBytes(Path("big.txt"), back));
    EXPECT_EQ(back, big);
}

} // namespace
} // namespace norvak
