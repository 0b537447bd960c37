// The service data file under bad input and faults: a file cut at every byte, targets that
// cannot be written, a full file system, a process killed in the middle of a save. Whatever
// happens, a dictionary file is never lost: the old file or the new one survives whole, and
// a damaged file is kept aside before it is replaced.

#include "dictionaries/servicedata.h"

#include "core/literal.h"
#include "dictbytes.h"
#include "dictionaries/archive.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <functional>
#include <random>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace norvak {
namespace {

namespace fs = std::filesystem;

const std::string kSaveFailed = std::string("Ошибка сохранения файла служебных данных!"_cp);

std::string Golden() {
    return testing::ReadAll(testing::GoldenPath("small_dict.dat"));
}

// Files in dir other than the ones named.
std::vector<std::string> OtherFiles(const fs::path& dir, std::initializer_list<std::string> known) {
    std::vector<std::string> out;
    for (const auto& e : fs::directory_iterator(dir)) {
        std::string name = e.path().filename().string();
        if (std::find(known.begin(), known.end(), name) == known.end())
            out.push_back(name);
    }
    return out;
}

// Runs body in a child process and returns its exit status (or 128 + signal). Used where a
// test must change process-wide limits or be killed.
template <class Body> int InChild(Body&& body) {
    pid_t pid = ::fork();
    if (pid == 0) {
        int code = body();
        std::_Exit(code);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

TEST(ServiceDataBadInput, FileCutAtEveryByteLoadsWhatItCanAndIsKeptAside) {
    const std::string golden = Golden();
    ASSERT_FALSE(golden.empty());
    CServiceData whole;
    CScriptedOperator quiet;
    {
        testing::TempDir dir;
        testing::WriteAll(dir.File("dict.dat"), golden);
        ASSERT_TRUE(whole.Load(dir.File("dict.dat"), quiet));
    }
    for (std::size_t cut = 0; cut < golden.size(); ++cut) {
        SCOPED_TRACE("cut at " + std::to_string(cut));
        testing::TempDir dir;
        const std::string path = dir.File("dict.dat");
        const std::string damaged = golden.substr(0, cut);
        testing::WriteAll(path, damaged);

        CServiceData data;
        CScriptedOperator op;
        ASSERT_TRUE(data.Load(path, op)) << "a damaged file still opens";
        EXPECT_FALSE(data.LoadedCleanly());
        EXPECT_FALSE(op.Entries().empty()) << "the damage is reported";
        // What was read is a prefix of the whole file's dictionaries.
        EXPECT_LE(data.DocDict().GetCount(), whole.DocDict().GetCount());
        EXPECT_LE(data.OrganDict().GetCount(), whole.OrganDict().GetCount());
        EXPECT_LE(data.SourceDict().GetCount(), whole.SourceDict().GetCount());
        EXPECT_LE(data.TemathicsDict().GetCount(), whole.TemathicsDict().GetCount());

        op.Clear();
        ASSERT_EQ(data.Save(path, op), 1);
        EXPECT_TRUE(op.Entries().empty());
        EXPECT_EQ(testing::ReadAll(path + ".damaged"), damaged);
        EXPECT_EQ(testing::ReadAll(path + ".bak"), damaged);
        CServiceData back;
        ASSERT_TRUE(back.Load(path, op));
        EXPECT_TRUE(back.LoadedCleanly()) << "the saved file is whole";
        EXPECT_EQ(back.DocDict().GetCount(), data.DocDict().GetCount());
        EXPECT_EQ(back.OrganDict().GetCount(), data.OrganDict().GetCount());
        if (HasFailure())
            return;
    }
}

TEST(ServiceDataBadInput, EmptyAndBinaryFiles) {
    struct Case {
        const char* name;
        std::string bytes;
    };
    std::mt19937 rng(4242);
    std::string binary(4096, '\0');
    for (char& c : binary)
        c = static_cast<char>(rng());
    const Case cases[] = {
        {"robustness: empty file", ""},
        {"robustness: random bytes", binary},
        {"robustness: a text file picked by mistake", "1 Finance\r\n{\r\n2 Taxes\r\n}\r\n"},
        {"robustness: counts of -1 everywhere", std::string(64, '\xFF')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testing::TempDir dir;
        const std::string path = dir.File("dict.dat");
        testing::WriteAll(path, c.bytes);
        CServiceData data;
        CScriptedOperator op;
        ASSERT_TRUE(data.Load(path, op));
        EXPECT_FALSE(data.LoadedCleanly());
        EXPECT_FALSE(op.Entries().empty());
        ASSERT_EQ(data.Save(path, op), 1);
        EXPECT_EQ(testing::ReadAll(path + ".damaged"), c.bytes);
    }
}

TEST(ServiceDataBadInput, AFileThatCannotBeReadIsNotReplacedUnseen) {
    // A directory in the place of dict.dat: it exists, cannot be opened, must not be lost.
    testing::TempDir dir;
    const std::string path = dir.File("dict.dat");
    fs::create_directories(fs::path(path) / "inside");
    CServiceData data;
    CScriptedOperator op;
    EXPECT_FALSE(data.Load(path, op));
    EXPECT_FALSE(data.LoadedCleanly());
    data.SourceDict().Add("Новый источник"_cp); // with nothing to write, nothing is tried
    EXPECT_EQ(data.Save(path, op), 0);
    EXPECT_EQ(op.Messages(), std::vector<std::string>{kSaveFailed});
    EXPECT_TRUE(fs::is_directory(fs::path(path) / "inside"));
}

// Targets a save cannot write. Running as root, permissions do not stop writes, so the
// directory without write permission is checked only for an ordinary user; the other
// targets fail for everyone.
TEST(ServiceDataBadInput, UnwritableTargetsAreReportedAndKeepTheOldFile) {
    struct Case {
        const char* name;
        std::function<std::string(const testing::TempDir&)> prepare; // returns the path
        bool oldFileInPlace;
    };
    const std::string golden = Golden();
    const Case cases[] = {
        {"fault: directory without write permission",
         [&](const testing::TempDir& d) {
             fs::create_directory(d.Path() / "ro");
             testing::WriteAll(d.Path() / "ro" / "dict.dat", golden);
             ::chmod((d.Path() / "ro").c_str(), 0555);
             return (d.Path() / "ro" / "dict.dat").string();
         },
         true},
        {"fault: the directory is a file",
         [&](const testing::TempDir& d) {
             testing::WriteAll(d.Path() / "notadir", "x");
             return (d.Path() / "notadir" / "dict.dat").string();
         },
         false},
        {"fault: a directory that does not exist",
         [&](const testing::TempDir& d) { return (d.Path() / "gone" / "dict.dat").string(); },
         false},
        {"fault: a file system that takes no new files",
         [&](const testing::TempDir&) { return std::string("/proc/self/dict.dat"); }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (::geteuid() == 0 && std::string(c.name).find("permission") != std::string::npos)
            continue; // root writes anyway; the faults below cover the same path
        testing::TempDir dir;
        const std::string path = c.prepare(dir);
        CServiceData data;
        CScriptedOperator op;
        data.SourceDict().Add("Новый источник"_cp);
        EXPECT_EQ(data.Save(path, op), 0);
        EXPECT_EQ(op.Messages(), std::vector<std::string>{kSaveFailed});
        EXPECT_EQ(data.SourceDict().GetCount(), 1) << "the dictionaries are untouched";
        if (c.oldFileInPlace) {
            EXPECT_EQ(testing::ReadAll(path), golden);
            EXPECT_EQ(OtherFiles(fs::path(path).parent_path(), {"dict.dat"}),
                      std::vector<std::string>{});
        }
        ::chmod((dir.Path() / "ro").c_str(), 0755);
    }
}

TEST(ServiceDataBadInput, FullFileSystem) {
    // Direct writes to a full device fail on the flush and are raised to the section.
    CArchive full;
    ASSERT_TRUE(full.OpenForStoring("/dev/full"));
    CSourceDict sources;
    for (int i = 0; i < 200; ++i)
        sources.Add(std::string(40, 'a') + std::to_string(i)); // more than one buffer
    CScriptedOperator op;
    EXPECT_FALSE(sources.Serialize(full, op));
    EXPECT_EQ(op.Messages(),
              std::vector<std::string>{
                  std::string("Ошибка операции ввода/вывода словаря источников публикации!"_cp)});
    try {
        full.Close();
    } catch (const CArchiveException& e) {
        EXPECT_EQ(e.GetKind(), CArchiveException::Kind::Write);
    }

    CArchive small;
    ASSERT_TRUE(small.OpenForStoring("/dev/full"));
    small.PutInt32(1);
    EXPECT_THROW(small.Close(), CArchiveException) << "a short write is found on close";

    // A listing written to a full device is reported.
    CScriptedOperator listingOp;
    EXPECT_FALSE(sources.SaveListing("/dev/full", listingOp));
    EXPECT_FALSE(listingOp.Entries().empty());
}

TEST(ServiceDataBadInput, FileSizeLimitDuringASave) {
    // A file system that fills up in the middle of the save: the file size limit makes every
    // write past it fail, as a full disk does. The old file stays and no temporary is left.
    testing::TempDir dir;
    const std::string path = dir.File("dict.dat");
    const std::string golden = Golden();
    testing::WriteAll(path, golden);
    const int status = InChild([&] {
        std::signal(SIGXFSZ, SIG_IGN);
        CServiceData data;
        CScriptedOperator op;
        if (!data.Load(path, op))
            return 10;
        for (int i = 0; i < 500; ++i)
            data.SourceDict().Add(std::string(100, 'x') + std::to_string(i));
        rlimit limit{};
        limit.rlim_cur = limit.rlim_max = 4096;
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
            return 11;
        if (data.Save(path, op) != 0)
            return 12;
        return op.Messages() == std::vector<std::string>{kSaveFailed} ? 0 : 13;
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(testing::ReadAll(path), golden);
    EXPECT_EQ(OtherFiles(dir.Path(), {"dict.dat", "dict.dat.bak", "dict.dat.lock"}),
              std::vector<std::string>{});
}

// Kills a process that saves two different dictionaries in turn at random moments: each
// time, dict.dat is one of the two files, whole, and loads cleanly.
TEST(ServiceDataBadInput, KillDuringASaveLeavesTheOldOrTheNewFile) {
    testing::TempDir dir;
    const std::string path = dir.File("dict.dat");
    std::string contents[2];
    {
        CServiceData a;
        CScriptedOperator op;
        CArchive in(Golden());
        ASSERT_TRUE(a.SerializeAll(in, op));
        ASSERT_TRUE(a.StoreToBytes(contents[0], op));
        for (int i = 0; i < 2000; ++i) // big enough for several archive buffers
            a.SourceDict().Add(std::string("Источник "_cp) + std::to_string(i));
        ASSERT_TRUE(a.StoreToBytes(contents[1], op));
    }
    testing::WriteAll(path, contents[0]);

    std::mt19937 rng(99);
    for (int round = 0; round < 12; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        pid_t pid = ::fork();
        if (pid == 0) {
            ::close(ready[0]);
            CServiceData data[2];
            CScriptedOperator op;
            for (int k = 0; k < 2; ++k) {
                CArchive in(contents[k]);
                data[k].SerializeAll(in, op);
            }
            for (unsigned n = 0;; ++n) {
                data[n % 2].Save(path, op);
                char c = 1;
                if (::write(ready[1], &c, 1) != 1)
                    std::_Exit(1);
            }
        }
        ::close(ready[1]);
        // Let the child finish a random number of saves, then kill it after a random amount
        // of work, so that the kill lands anywhere inside the next save.
        const int saves = 1 + static_cast<int>(rng() % 3);
        char c;
        bool running = true;
        for (int i = 0; i < saves && running; ++i)
            running = ::read(ready[0], &c, 1) == 1;
        EXPECT_TRUE(running) << "the saving process stopped by itself";
        volatile unsigned spin = 0;
        for (unsigned i = rng() % 2000000; i > 0; --i)
            spin = spin + 1;
        ::kill(pid, SIGKILL);
        int status = 0;
        ::waitpid(pid, &status, 0);
        ::close(ready[0]);

        const std::string now = testing::ReadAll(path);
        EXPECT_TRUE(now == contents[0] || now == contents[1]) << "size " << now.size();
        CServiceData back;
        CScriptedOperator op;
        ASSERT_TRUE(back.Load(path, op));
        EXPECT_TRUE(back.LoadedCleanly());
        EXPECT_TRUE(op.Entries().empty());
        if (HasFailure())
            return;
    }
}

} // namespace
} // namespace norvak
