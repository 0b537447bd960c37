// The command line never loses or damages what it is given: inputs, outputs and folders that
// are not what they seem, runs that meet each other, and texts that hide something.

#include "cli/clienv.h"
#include "clitestutil.h"
#include "core/codepage.h"
#include "core/filelock.h"
#include "core/literal.h"
#include "core/textfile.h"
#include "document/sourceformat.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace norvak {
namespace {
namespace fs = std::filesystem;
using test::CliRun;
using test::RunCliCapture;
using test::ScratchDir;

const std::string kSample =
    std::string(NORVAK_SOURCE_DIR) + "/data/samples/composed_postanovlenie_tablica.cp866.txt";
const std::string kDict = NORVAK_BUILT_DICT;

std::string Read(const std::string& path) {
    std::string bytes;
    ReadFileBytes(path, bytes);
    return bytes;
}

// Runs the command line in a child process that an alarm ends, so that a command that would
// block forever on what it was given fails the test instead of hanging it.
CliRun RunGuarded(const std::vector<std::string>& args) {
    int pipes[2];
    if (::pipe(pipes) != 0)
        return {};
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(pipes[0]);
        ::alarm(30);
        CliRun r = RunCliCapture(args);
        const std::string text = std::to_string(r.status) + '\n' + r.err;
        if (::write(pipes[1], text.data(), text.size()) < 0)
            std::_Exit(99);
        std::_Exit(0);
    }
    ::close(pipes[1]);
    std::string text;
    char buf[4096];
    for (ssize_t n; (n = ::read(pipes[0], buf, sizeof buf)) > 0;)
        text.append(buf, static_cast<std::size_t>(n));
    ::close(pipes[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    CliRun r;
    if (WIFSIGNALED(status) || text.empty()) {
        r.err = "the command did not end";
        return r;
    }
    r.status = std::stoi(text);
    r.err = text.substr(text.find('\n') + 1);
    return r;
}

void Fifo(const std::string& path) {
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0) << path;
}

TEST(CliNonRegular, FifosAndDevicesAreRefusedWithAMessage) {
    ScratchDir dir;
    Fifo(dir / "fifo");
    fs::create_directories(dir / "folder");
    fs::copy_file(kSample, dir / "folder/kinds.txt");
    ASSERT_EQ(RunCliCapture({"dict", "export", "--dict", kDict, "-o", dir / "text"}).status, 0);
    fs::remove(dir / "text/sources.txt");
    Fifo(dir / "text/sources.txt");
    struct Case {
        const char* name;
        std::vector<std::string> args;
        const char* errText;
    };
    const Case cases[] = {
        {"convert reads a FIFO",
         {"convert", dir / "fifo", "-o", dir / "a.rla", "--dict", kDict},
         "not a regular file"},
        {"convert reads a device",
         {"convert", "/dev/zero", "-o", dir / "a.rla", "--dict", kDict},
         "not a regular file"},
        {"show reads a FIFO", {"show", dir / "fifo"}, "not a regular file"},
        {"settings from a FIFO",
         {"convert", kSample, "--settings", dir / "fifo", "--dict", kDict},
         "not a regular file"},
        {"dictionary from a device",
         {"convert", kSample, "--dict", "/dev/zero"},
         "not a regular file"},
        {"dict import reads a FIFO",
         {"dict", "import", dir / "text", "-o", dir / "d.dat"},
         "cannot read"},
        {"batch meets a FIFO", {"batch", dir / "fifo", "-o", dir / "out", "--dict", kDict}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CliRun r = RunGuarded(c.args);
        EXPECT_NE(r.status, 0) << r.err;
        EXPECT_NE(r.status, -1) << r.err;
        EXPECT_NE(r.err.find(c.errText), std::string::npos) << r.err;
    }
    EXPECT_FALSE(fs::exists(dir / "a.rla"));
    EXPECT_FALSE(fs::exists(dir / "d.dat"));
}

TEST(CliNonRegular, AnOutputThatIsNotARegularFileIsNeverReplaced) {
    ScratchDir dir;
    Fifo(dir / "out.rla");
    CliRun convert = RunGuarded({"convert", kSample, "-o", dir / "out.rla", "--dict", kDict});
    EXPECT_EQ(convert.status, 1) << convert.err;
    EXPECT_NE(convert.err.find("not a regular file"), std::string::npos) << convert.err;
    Fifo(dir / "dict.dat");
    CliRun import =
        RunGuarded({"dict", "import", NORVAK_SOURCE_DIR "/data/dict", "-o", dir / "dict.dat"});
    EXPECT_EQ(import.status, 1) << import.err;
    struct stat st {};
    ASSERT_EQ(::lstat((dir / "out.rla").c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    ASSERT_EQ(::lstat((dir / "dict.dat").c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
}

// ---------------------------------------------------------------- batch

TEST(CliBatch, IntoItselfNeverWritesOverItsInputs) {
    ScratchDir dir;
    fs::create_directories(dir / "docs");
    fs::copy_file(kSample, dir / "docs/a.txt");
    fs::copy_file(kSample, dir / "docs/b.txt");
    ASSERT_EQ(RunCliCapture({"convert", kSample, "-o", dir / "docs/b.rla", "--dict", kDict}).status,
              0);
    const std::string a = Read(dir / "docs/a.txt");
    const std::string bRla = Read(dir / "docs/b.rla");

    // b.txt would become b.rla, b.rla itself too: both fail; a.txt is converted.
    auto first = RunCliCapture({"batch", dir / "docs", "-o", dir / "docs", "--dict", kDict});
    EXPECT_EQ(first.status, 1);
    EXPECT_NE(first.out.find("Converted 1 of 3"), std::string::npos) << first.out;
    EXPECT_NE(first.out.find("would overwrite the input"), std::string::npos) << first.out;
    EXPECT_EQ(Read(dir / "docs/b.rla"), bRla);
    EXPECT_EQ(Read(dir / "docs/a.txt"), a);
    EXPECT_TRUE(fs::exists(dir / "docs/a.rla"));
    const std::string csv = Read(dir / "docs/report.csv");
    EXPECT_NE(csv.find(",failure,output\r\n"), std::string::npos) << csv;
    EXPECT_NE(csv.find("," + (dir / "docs/a.rla") + "\r\n"), std::string::npos) << csv;

    // Run again: the earlier outputs are inputs now, and the earlier report is not read.
    const std::string aRla = Read(dir / "docs/a.rla");
    auto second = RunCliCapture({"batch", dir / "docs", "-o", dir / "docs", "--dict", kDict});
    EXPECT_EQ(second.status, 1);
    EXPECT_NE(second.out.find("Converted 0 of 4"), std::string::npos) << second.out;
    EXPECT_EQ(Read(dir / "docs/a.rla"), aRla);
    EXPECT_EQ(Read(dir / "docs/b.rla"), bRla);
}

TEST(CliBatch, ASecondRunIntoTheSameFolderFailsClearly) {
    ScratchDir dir;
    fs::create_directories(dir / "out");
    CFileLock running;
    ASSERT_TRUE(running.Lock(dir / "out/.norvak-batch.lock", 0));
    auto r = RunCliCapture({"batch", kSample, "-o", dir / "out", "--dict", kDict});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("another batch run is writing into"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(dir / "out/report.csv"));
    running.Unlock();
    EXPECT_EQ(RunCliCapture({"batch", kSample, "-o", dir / "out", "--dict", kDict}).status, 0);
}

TEST(CliBatch, ABadEntryFailsAloneAndTheRunGoesOn) {
    ScratchDir dir;
    fs::create_directories(dir / "in");
    fs::copy_file(kSample, dir / "in/a.txt");
    fs::create_symlink("loop", dir / "in/loop");
    fs::create_symlink(dir / "in/missing", dir / "in/dangling");
    auto r = RunCliCapture({"batch", dir / "in", "-o", dir / "out", "--dict", kDict});
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_NE(r.out.find("Converted 1 of 3"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("failed: " + (dir / "in/loop")), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("failed: " + (dir / "in/dangling")), std::string::npos) << r.out;
    EXPECT_TRUE(fs::exists(dir / "out/a.rla"));
}

TEST(CliBatch, AnUnreadableInputFolderIsAFailure) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root reads every folder";
    ScratchDir dir;
    fs::create_directories(dir / "in");
    fs::copy_file(kSample, dir / "in/a.txt");
    ::chmod((dir / "in").c_str(), 0300);
    auto r = RunCliCapture({"batch", dir / "in", "-o", dir / "out", "--dict", kDict});
    ::chmod((dir / "in").c_str(), 0755);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("cannot read the folder"), std::string::npos) << r.err;
}

// ---------------------------------------------------------------- losses and settings

std::string SourceFile(std::string_view title, const LineList& text) {
    CRequisiteRecord record;
    record.m_title = std::string(title);
    record.m_text = text;
    return WriteSourceBytes(record, 66);
}

TEST(CliLosses, EveryInputTypeReportsWhatItCouldNotRead) {
    ScratchDir dir;
    std::string withCtrlZ = Read(kSample);
    const std::size_t third = withCtrlZ.find("\r\n", withCtrlZ.find("\r\n") + 2) + 2;
    withCtrlZ.insert(third, "\x1A");
    ASSERT_TRUE(WriteFileAtomic(dir / "ctrlz.txt", withCtrlZ));
    std::string rla = SourceFile("Title", {"text", std::string("nul\0here", 8)});
    ASSERT_TRUE(WriteFileAtomic(dir / "nul.rla", rla));
    ASSERT_TRUE(WriteFileAtomic(dir / "half.rla", rla.substr(0, rla.find("$18"))));
    struct Case {
        const char* name;
        std::vector<std::string> args;
        int status;
        const char* text;
    };
    const Case cases[] = {
        {"a Ctrl+Z before the end names its line",
         {"convert", dir / "ctrlz.txt"},
         0,
         "line 3: the text ends at a Ctrl+Z"},
        {"NULs of a source file",
         {"convert", dir / "nul.rla", "--type", "marked"},
         0,
         "1 NUL byte(s) replaced"},
        {"a plain text as marked source format",
         {"convert", kSample, "--type", "marked"},
         1,
         "has no text block ($18)"},
        {"a half source file",
         {"convert", dir / "half.rla", "--type", "source"},
         1,
         "has no text block ($18)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> args = c.args;
        args.insert(args.end(), {"-o", dir / "out.rla", "--dict", kDict});
        auto r = RunCliCapture(args);
        EXPECT_EQ(r.status, c.status) << r.err;
        EXPECT_NE(r.err.find(c.text), std::string::npos) << r.err;
    }
}

TEST(CliTerminal, RequisitesAndTextArePrintedWithTheirControlCharactersEscaped) {
    ScratchDir dir;
    // An operating-system command that would retitle the terminal, in the title and the text.
    const std::string evil = "\x1B]0;owned\x07";
    ASSERT_TRUE(WriteFileAtomic(dir / "evil.rla", SourceFile(evil, {"line " + evil})));
    auto show = RunCliCapture({"show", dir / "evil.rla"});
    ASSERT_EQ(show.status, 0) << show.err;
    EXPECT_EQ(show.out.find('\x1B'), std::string::npos) << "no raw escape reaches the terminal";
    EXPECT_EQ(show.out.find('\x07'), std::string::npos);
    EXPECT_NE(show.out.find("\\x1B]0;owned\\x07"), std::string::npos) << show.out;
    EXPECT_EQ(cli::TerminalSafe("a\tb\nв\x7F\xC2\x9B"), "a\tb\nв\\x7F\\x9B");
}

TEST(CliSettings, AStoredValueOutOfRangeFallsBackToItsDefaultWithAWarning) {
    ScratchDir dir;
    ASSERT_TRUE(WriteFileAtomic(dir / "s.ini", "PosParagraph=-1\nStringLength=0\n"));
    auto r = RunCliCapture(
        {"convert", kSample, "-o", dir / "a.rla", "--settings", dir / "s.ini", "--dict", kDict});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("PosParagraph"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("StringLength"), std::string::npos) << r.err;
    auto same = RunCliCapture({"convert", kSample, "-o", dir / "b.rla", "--dict", kDict});
    EXPECT_EQ(Read(dir / "a.rla"), Read(dir / "b.rla")) << "the defaults were used";
}

TEST(CliDictionary, AFileThatCannotBeReadIsNotCalledDamaged) {
    ScratchDir dir;
    fs::create_directories(dir / "dict.dat");
    auto list = RunCliCapture({"dict", "list", "--dict", dir / "dict.dat"});
    EXPECT_EQ(list.status, 1);
    EXPECT_NE(list.err.find("cannot be read"), std::string::npos) << list.err;
    EXPECT_EQ(list.err.find("damaged"), std::string::npos) << list.err;
}

TEST(CliDictionary, ImportKeepsThePreviousFileAsBackup) {
    ScratchDir dir;
    ASSERT_TRUE(WriteFileAtomic(dir / "dict.dat", "old"));
    auto r =
        RunCliCapture({"dict", "import", NORVAK_SOURCE_DIR "/data/dict", "-o", dir / "dict.dat"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(Read(dir / "dict.dat.bak"), "old");
    EXPECT_EQ(Read(dir / "dict.dat"), Read(kDict));
}

} // namespace
} // namespace norvak
