// Opening and saving documents under bad input and faults: empty, binary and huge files,
// NUL bytes, mixed line ends, UTF-8 taken for DOS, unknown source-format headers, targets
// that cannot be written and a file system that fills up. Every case opens without a crash,
// keeps every line of the file, and a failed save leaves the previous file whole.

#include "core/codepage.h"
#include "core/literal.h"
#include "core/operatorio.h"
#include "core/progress.h"
#include "core/textfile.h"
#include "dictionaries/servicedata.h"
#include "document/openroad.h"
#include "document/sourceformat.h"
#include "markup/tags.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <random>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace norvak {
namespace {

namespace fs = std::filesystem;

std::string S(std::string_view s) {
    return std::string(s);
}

LineList WithoutTags(const LineList& lines) {
    LineList out;
    for (const std::string& l : lines)
        if (!IsTagLine(l))
            out.push_back(l);
    return out;
}

// Opens bytes as a DOS text with requisites and tags, as the editor's Open does.
OpenedDocument OpenText(const std::string& bytes, CScriptedOperator& op) {
    CServiceData dictionaries;
    OpenOptions options;
    options.type = FileType::Text;
    options.encoding = Encoding::Dos;
    return OpenDocumentBytes(bytes, "doc.txt", options, DocSettings(), dictionaries, NullProgress(),
                             op);
}

std::string RandomBinary(std::size_t size, unsigned seed) {
    std::mt19937 rng(seed);
    std::string out(size, '\0');
    for (char& c : out)
        c = static_cast<char>(rng());
    return out;
}

// The evidence of the analysed lines follows them into the tagged editor text.
TEST(MapEvidenceLines, FollowsTheLineIntoTheTaggedText) {
    struct Case {
        const char* name;
        int line;         // analysed
        std::string text; // of the analysed line
        int expected;     // editor
    };
    const LineList editor = {"TAG----", "  TITLE", "", "N 5", "TAG----", "N 5", "text"};
    const std::vector<Case> cases = {
        {"shifted down by a tag line", 0, "TITLE", 1},
        {"the first match at or after its own index", 4, "N 5", 5},
        {"an earlier match when none follows", 6, "  TITLE  ", 1},
        {"no match: the index stays", 2, "gone", 2},
        {"a blank line stays", 2, "", 2},
    };
    for (const Case& c : cases) {
        std::vector<RequisiteEvidence> evidence = {
            {kReqNumbers, "5", c.line, c.text, ExtendedRuleSignature}};
        MapEvidenceLines(evidence, editor);
        EXPECT_EQ(evidence[0].line, c.expected) << c.name;
    }
}

// Without the readers of the further formats the road still reads texts and source files,
// never guesses a page into a text, and refuses a page named as such with a message.
TEST(DocumentBadInput, WithoutTheFormatReadersPagesAreRefusedAndTextsReadAsTheyStand) {
    CServiceData dictionaries;
    CScriptedOperator op;
    OpenOptions options;
    options.type = FileType::Html;
    const OpenedDocument page =
        OpenDocumentBytes("<html><body><p>x</p></body></html>", "p.html", options, DocSettings(),
                          dictionaries, NullProgress(), op);
    EXPECT_FALSE(page.ok);
    ASSERT_EQ(op.Messages().size(), 1u);
    EXPECT_NE(op.Messages().front().find("недоступно"_cp), std::string::npos);

    options.type = FileType::Auto;
    const std::string longLine(200, 'x');
    const OpenedDocument text = OpenDocumentBytes(longLine + "\r\n", "t.txt", options,
                                                  DocSettings(), dictionaries, NullProgress(), op);
    EXPECT_TRUE(text.ok);
    EXPECT_EQ(text.type, FileType::Text);
    EXPECT_FALSE(text.laidOut) << "a paragraph-per-line text stays as read without the readers";
    const OpenedDocument source =
        OpenDocumentBytes("$$\r\n$0 Номер\r\n$1\r\n"_cp.data(), "s.rla", options, DocSettings(),
                          dictionaries, NullProgress(), op);
    EXPECT_EQ(source.type, FileType::Source);
}

TEST(EditorRoundTrip, JoinsAtLfAndCutsAgain) {
    struct Case {
        const char* name;
        LineList in;
        LineList out;
    };
    const Case cases[] = {
        {"nominal: lines without LF come back", {"a", "", "b"}, {"a", "", "b"}},
        {"nominal: a last empty line is dropped", {"a", ""}, {"a"}},
        {"nominal: only one last empty line is dropped", {"a", "", ""}, {"a", ""}},
        {"robustness: a single empty line gives no lines", {""}, {}},
        {"robustness: no lines", {}, {}},
        {"robustness: an LF inside a line cuts it", {"a\nb", "c"}, {"a", "b", "c"}},
        {"robustness: a line ending in LF leaves an empty line", {"a\n", "b"}, {"a", "", "b"}},
        {"robustness: an LF at the very end is dropped", {"a", "b\n"}, {"a", "b"}},
        {"robustness: CRs stay", {"a\r", "\r"}, {"a\r", "\r"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(EditorRoundTrip(c.in), c.out) << c.name;
}

TEST(DocumentBadInput, TextFilesOpenWhole) {
    struct Case {
        const char* name;
        std::string bytes;
        std::size_t lines;    // lines read
        std::size_t nulBytes; // NUL bytes met
    };
    std::string allBytes;
    for (int i = 0; i < 256; ++i)
        if (i != 0x1A) // Ctrl+Z would end the file
            allBytes += static_cast<char>(i);
    std::string binary = RandomBinary(1 << 16, 7);
    for (char& c : binary)
        if (c == '\x1A')
            c = 'x';
    const std::size_t binaryLines = SplitTextLines(binary).size();
    std::size_t binaryNuls = 0;
    for (char c : binary)
        binaryNuls += c == '\0';
    const Case cases[] = {
        {"boundary: empty file", "", 0, 0},
        {"boundary: only a line end", "\r\n", 1, 0},
        {"robustness: every byte value", allBytes, 2, 1},
        {"robustness: a binary file", binary, binaryLines, binaryNuls},
        {"robustness: NUL bytes inside a line", S("ПРИКАЗ\0\0N 5\r\n"_cp) + "x", 2, 2},
        {"robustness: mixed CR, LF and CR LF", "a\rb\nc\r\nd\n\r\ne\r\r\nf", 6, 0},
        {"robustness: Ctrl+Z ends the text",
         "a\r\nb\x1A"
         "c\r\nd\r\n",
         2, 0},
        {"robustness: only NUL bytes", std::string(1000, '\0'), 1, 1000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CScriptedOperator op;
        TextSplitInfo info;
        const LineList read = SplitDosTextLines(c.bytes, &info);
        const OpenedDocument doc = OpenText(c.bytes, op);
        EXPECT_TRUE(doc.ok);
        EXPECT_EQ(read.size(), c.lines);
        EXPECT_EQ(doc.nulBytes, c.nulBytes);
        EXPECT_EQ(WithoutTags(doc.lines), read) << "the markup only adds tag lines";
        for (const std::string& line : doc.lines)
            EXPECT_EQ(line.find('\0'), std::string::npos);
        if (c.bytes.empty()) {
            EXPECT_FALSE(doc.tagged);
            EXPECT_FALSE(doc.docClass);
        }
    }
}

TEST(DocumentBadInput, MixedLineEndsKeepLoneCarriageReturns) {
    const LineList lines = SplitDosTextLines("a\rb\nc\r\nd\n\r\ne\r\r\nf");
    // CR LF and LF end a line; a lone CR stays in its line.
    EXPECT_EQ(lines, (LineList{"a\rb", "c", "d", "", "e\r", "f"}));
}

TEST(DocumentBadInput, Utf8TextOpenedAsDosIsConvertedAndItsLossesNamed) {
    const std::string utf8 = "ПРИКАЗ\r\nо порядке\r\n";
    CScriptedOperator op;
    const OpenedDocument doc = OpenText(utf8, op);
    ASSERT_TRUE(doc.ok);
    const LineList text = WithoutTags(doc.lines);
    ASSERT_EQ(text.size(), 2u);
    // Byte for byte: every byte of the file is still there as one character.
    EXPECT_EQ(text[0].size(), std::string("ПРИКАЗ").size());
    EXPECT_EQ(text[1].size(), std::string("о порядке").size());
    EXPECT_NE(text[0], S("ПРИКАЗ"_cp));
    // CP866 reads the UTF-8 lead bytes as double-line box characters that CP1251 lacks.
    ASSERT_FALSE(doc.losses.empty());
    EXPECT_EQ(doc.losses[0].line, 1);
    EXPECT_EQ(doc.losses[0].column, 1);
}

TEST(DocumentBadInput, FiftyMegabyteSingleLine) {
    std::string bytes(50u << 20, '\xE0'); // CP866 "р"
    for (std::size_t i = 80; i < bytes.size(); i += 81)
        bytes[i] = ' ';
    CScriptedOperator op;
    const OpenedDocument doc = OpenText(bytes, op);
    ASSERT_TRUE(doc.ok);
    const LineList text = WithoutTags(doc.lines);
    ASSERT_EQ(text.size(), 1u);
    EXPECT_EQ(text[0].size(), bytes.size());
    EXPECT_EQ(text[0].find_first_not_of(S(" р"_cp)), std::string::npos);
}

TEST(DocumentBadInput, AMillionShortLines) {
    std::string bytes;
    bytes.reserve(8u << 20);
    for (int i = 0; i < 1000000; ++i) {
        bytes += std::to_string(i % 1000);
        bytes += (i % 3 == 0) ? "\n" : "\r\n";
    }
    CScriptedOperator op;
    const OpenedDocument doc = OpenText(bytes, op);
    ASSERT_TRUE(doc.ok);
    const LineList text = WithoutTags(doc.lines);
    ASSERT_EQ(text.size(), 1000000u);
    EXPECT_EQ(text[999999], "999");
    EXPECT_EQ(text[1], "1");
    // Saved and opened again as a marked file, every line comes back.
    CRequisiteRecord record = doc.record;
    record.m_text = doc.lines;
    const CRequisiteRecord back = ReadSourceBytes(WriteSourceBytes(record, 66), true);
    EXPECT_TRUE(back.m_text == doc.lines);
}

TEST(DocumentBadInput, SourceFormatWithUnknownAndMalformedHeaders) {
    const std::string bytes = S("\r\n$$\r\n\r\n"
                                "$5  Вид документа\r\n"
                                "ПРИКАЗ\r\n"
                                "$42  Неизвестный блок\r\n" // leaves the kinds block open
                                "ПОЛОЖЕНИЕ\r\n"
                                "\r\n"
                                "$  без номера\r\n"
                                "ничейная строка\r\n"
                                "$\r\n"
                                "$7x  Номер с хвостом\r\n"
                                "15\r\n"
                                "\r\n"
                                "$0 Номер в базе\r\n"
                                "42\r\n"
                                "\r\n"
                                "$18  Текст документа\r\n"
                                "$5  в тексте\r\n"
                                "конец\r\n"_cp);
    const CRequisiteRecord r = ReadSourceBytes(Cp1251ToCp866(bytes), true);
    EXPECT_EQ(r.m_kinds, (std::vector<std::string>{S("ПРИКАЗ"_cp), S("ПОЛОЖЕНИЕ"_cp)}));
    EXPECT_TRUE(r.m_numbers.empty());
    EXPECT_EQ(r.m_dbNumber, 42);
    EXPECT_EQ(r.m_text, (LineList{S("$5  в тексте"_cp), S("конец"_cp)}));

    // Saved again, the unknown blocks are gone and the known ones are whole.
    const std::string again = WriteSourceBytes(r, 66);
    EXPECT_EQ(again.find("$42"), std::string::npos);
    const CRequisiteRecord back = ReadSourceBytes(again, true);
    EXPECT_EQ(back.m_kinds, r.m_kinds);
    EXPECT_EQ(back.m_dbNumber, 42);
}

TEST(DocumentBadInput, WrongFileTypeOrEncodingOpensWithoutLoss) {
    const std::string text = Cp1251ToCp866(S("ПРИКАЗ\r\n$5 строка\r\nтекст\r\n"_cp));
    const std::string binary = RandomBinary(20000, 11);
    for (const std::string* bytes : {&text, &binary}) {
        for (FileType type : {FileType::Text, FileType::Source, FileType::Marked}) {
            for (Encoding enc : {Encoding::Dos, Encoding::Windows}) {
                SCOPED_TRACE(std::to_string(static_cast<int>(type)) +
                             (enc == Encoding::Dos ? " dos" : " windows"));
                CServiceData dictionaries;
                CScriptedOperator op;
                OpenOptions options;
                options.type = type;
                options.encoding = enc;
                const OpenedDocument doc = OpenDocumentBytes(*bytes, "x", options, DocSettings(),
                                                             dictionaries, NullProgress(), op);
                EXPECT_TRUE(doc.ok);
                CRequisiteRecord r = doc.record;
                r.m_text = doc.lines;
                // Whatever was opened can be saved and opened again.
                const CRequisiteRecord back = ReadSourceBytes(WriteSourceBytes(r, 66), true);
                EXPECT_GE(back.m_text.size(), doc.lines.size());
            }
        }
    }
}

TEST(DocumentBadInput, UnreadableFilesAreReported) {
    const fs::path dir = fs::temp_directory_path() / ("norvak_bad_" + std::to_string(::getpid()));
    fs::create_directories(dir / "adir");
    for (const fs::path& p : {dir / "missing.txt", dir / "adir"}) {
        SCOPED_TRACE(p.string());
        CServiceData dictionaries;
        CScriptedOperator op;
        const OpenedDocument doc = OpenDocument(p.string(), OpenOptions(), DocSettings(),
                                                dictionaries, NullProgress(), op);
        EXPECT_FALSE(doc.ok);
        EXPECT_TRUE(doc.lines.empty());
        ASSERT_EQ(op.Entries().size(), 1u);
        // A directory is told apart on a second line.
        EXPECT_EQ(op.Entries()[0].text.rfind(
                      FormatMessage("Ошибка чтения файла %s!"_cp, Utf8ToCp1251(p.string())), 0),
                  0u);
    }
    fs::remove_all(dir);
}

class DocumentSaveFault : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() /
                ("norvak_save_fault_" + std::to_string(::getpid()) + "_" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
        m_record.m_kinds = {S("ПРИКАЗ"_cp)};
        for (int i = 0; i < 2000; ++i)
            m_record.m_text.push_back(std::string(60, 'a') + std::to_string(i));
    }
    void TearDown() override {
        std::error_code ec;
        fs::permissions(m_dir, fs::perms::owner_all, ec);
        fs::remove_all(m_dir, ec);
    }
    std::vector<std::string> Files() const {
        std::vector<std::string> out;
        for (const auto& e : fs::directory_iterator(m_dir))
            out.push_back(e.path().filename().string());
        return out;
    }
    fs::path m_dir;
    CRequisiteRecord m_record;
};

TEST_F(DocumentSaveFault, TargetsThatCannotBeWritten) {
    struct Case {
        const char* name;
        std::string path;
    };
    ASSERT_TRUE(WriteFileAtomic((m_dir / "file").string(), "x"));
    const Case cases[] = {
        {"fault: the folder is a file", (m_dir / "file" / "doc.rla").string()},
        {"fault: the folder does not exist", (m_dir / "none" / "doc.rla").string()},
        {"fault: a file system that takes no new files", "/proc/self/doc.rla"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string error;
        EXPECT_FALSE(WriteSourceFile(m_record, c.path, 66, &error));
        EXPECT_FALSE(error.empty());
    }
    EXPECT_EQ(Files(), std::vector<std::string>{"file"});
}

TEST_F(DocumentSaveFault, FolderWithoutWritePermissionKeepsTheOldFile) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not stop root; the other faults cover this path";
    const std::string path = (m_dir / "doc.rla").string();
    ASSERT_TRUE(WriteSourceFile(CRequisiteRecord(), path, 66));
    const std::string old = [&] {
        std::string b;
        ReadFileBytes(path, b);
        return b;
    }();
    fs::permissions(m_dir, fs::perms::owner_read | fs::perms::owner_exec);
    std::string error;
    EXPECT_FALSE(WriteSourceFile(m_record, path, 66, &error));
    EXPECT_FALSE(error.empty());
    std::string now;
    ASSERT_TRUE(ReadFileBytes(path, now));
    EXPECT_EQ(now, old);
}

TEST_F(DocumentSaveFault, FileSystemFillingUpKeepsTheOldFile) {
    // The file size limit fails every write past it, as a full disk does; the save runs in a
    // child process so that the limit stays there.
    const std::string path = (m_dir / "doc.rla").string();
    ASSERT_TRUE(WriteSourceFile(CRequisiteRecord(), path, 66));
    std::string old;
    ASSERT_TRUE(ReadFileBytes(path, old));
    pid_t pid = ::fork();
    if (pid == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{};
        limit.rlim_cur = limit.rlim_max = 8192;
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
            std::_Exit(2);
        std::string error;
        const bool saved = WriteSourceFile(m_record, path, 66, &error);
        std::_Exit(!saved && !error.empty() ? 0 : 1);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    std::string now;
    ASSERT_TRUE(ReadFileBytes(path, now));
    EXPECT_EQ(now, old);
    EXPECT_EQ(Files(), std::vector<std::string>{"doc.rla"}) << "no temporary file is left";
}

} // namespace
} // namespace norvak
