#include "document/wordexchange.h"

#include "core/literal.h"
#include "core/textfile.h"
#include "markup/tags.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <thread>

namespace norvak {
namespace {

namespace fs = std::filesystem;

std::string S(std::string_view s) {
    return std::string(s);
}
std::string DataPath(const std::string& name) {
    return std::string(NORVAK_TEST_DATA) + "/document/" + name;
}
const std::string kExportError = S("Ошибка экспорта документа."_cp);
const std::string kImportError = S("Ошибка импорта документа."_cp);

// A fresh directory per test, removed afterwards.
class WordExchangeTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_dir = fs::temp_directory_path() / ("norvak-wordexchange-" + std::string(info->name()) +
                                             "-" + std::to_string(std::random_device{}()));
        fs::remove_all(m_dir);
    }
    void TearDown() override {
        fs::remove_all(m_dir);
        fs::remove_all(m_dir.string() + "-aside");
    }

    fs::path m_dir;
    CScriptedOperator m_operator;
};

// A text with everything that has to survive the trip.
std::string RichText() {
    return S("                          ПРИКАЗ"_cp) + "\n" + "\n" +
           S("     Утвердить  порядок <учёта> & \"отчётности\" 'в' ёлках.  "_cp) + "\n" +
           "\ttab\t\tinside\t" + "\n" + OpeningLine(TagCode::ZAG) + "\n" +
           S("\x04\x04СС_ВИЗ_7_15-О-П#"_cp) + std::string(44, '-') + "\n" +
           S("ссылка\x02 на \x01пункт\x02 и \x01конец"_cp) + "\n" +
           "\x1B\x16\x16\x18\x16\x1A\n\x12 a\x12 "
           "b\x12\n\x10\x16\x13\x16\x11\n\x1C\x16\x19\x16\xA7" +
           "\n" + S("§ 5, № 3, «кавычки» — тире"_cp) + "\n" + "\x98\r\x7F\x03\x1F" + "\n" + " ";
}

TEST(FlatOdt, RoundTripTable) {
    struct Case {
        const char* name;
        std::string text;
    };
    const Case cases[] = {
        {"nominal: Cyrillic text", S("Приказ Министерства финансов\nот 1 декабря 2002 г. № 5"_cp)},
        {"edge: empty text", ""},
        {"edge: one empty line after text", "abc\n"},
        {"edge: only line breaks", "\n\n\n"},
        {"nominal: runs of spaces at the start, inside and at the end", "   a  b c   \n \n  "},
        {"nominal: single spaces between words", "a b c"},
        {"nominal: tabs", "\ta\t\tb\t"},
        {"nominal: tag marker and link-span markers", "\x04\x04x\n\x01y\x02"},
        {"nominal: frame codes and the corner", "\x1B\x16\x1A\n\x1C\x16\xA7\n\x1C\x19\xA7 \xA7"},
        {"nominal: XML specials", "<a href=\"x\">&amp;</a> ]]> '"},
        {"robustness: every byte but LF",
         [] {
             std::string t;
             for (int b = 0; b < 256; ++b)
                 if (b != '\n')
                     t += static_cast<char>(b);
             return t;
         }()},
        {"nominal: the rich text", RichText()},
    };
    for (const Case& c : cases) {
        std::string back = "unchanged";
        ASSERT_TRUE(ReadFlatOdt(WriteFlatOdt(c.text), back)) << c.name;
        EXPECT_EQ(back, c.text) << c.name;
    }
}

TEST(FlatOdt, PropertyRoundTripOfRandomText) {
    std::mt19937 rng(81);
    for (int round = 0; round < 300; ++round) {
        std::string text(rng() % 200, ' ');
        for (char& c : text) {
            // Mostly spaces, letters and line breaks, with any byte now and then.
            const unsigned r = rng() % 10;
            c = r < 3 ? ' ' : r < 4 ? '\n' : r < 5 ? '\t' : static_cast<char>(rng() % 256);
        }
        std::string back;
        ASSERT_TRUE(ReadFlatOdt(WriteFlatOdt(text), back));
        ASSERT_EQ(back, text) << "round " << round;
    }
}

TEST(FlatOdt, GoldenExport) {
    std::string golden;
    ASSERT_TRUE(ReadFileBytes(DataPath("export.fodt"), golden));
    EXPECT_EQ(WriteFlatOdt(RichText()), golden);
}

TEST(FlatOdt, ExportedDocumentIsCourierTenPointRussian) {
    const std::string xml = WriteFlatOdt("x");
    EXPECT_NE(xml.find("style:font-name=\"Courier New\""), std::string::npos);
    EXPECT_NE(xml.find("fo:font-size=\"10pt\""), std::string::npos);
    EXPECT_NE(xml.find("fo:language=\"ru\" fo:country=\"RU\""), std::string::npos);
    EXPECT_NE(xml.find("<text:p text:style-name=\"Standard\">x</text:p>"), std::string::npos);
    // The visible forms of markers and frames.
    const std::string frames = WriteFlatOdt("\x04\x16\xA7");
    EXPECT_NE(frames.find("\xEE\x80\x84\xE2\x94\x80\xE2\x94\x98"), std::string::npos)
        << "U+E004, U+2500, U+2518";
    EXPECT_NE(WriteFlatOdt("a \xA7").find("a \xC2\xA7"), std::string::npos) << "§ stays §";
}

TEST(FlatOdt, ReadsWhatTheWordProcessorSaves) {
    std::string xml;
    ASSERT_TRUE(ReadFileBytes(DataPath("saved_by_writer.fodt"), xml));
    std::string text;
    ASSERT_TRUE(ReadFlatOdt(xml, text));
    const std::string expected =
        std::string(26, ' ') + S("ПРИКАЗ"_cp) + "\n" + "\n" + S("Заголовок жирный"_cp) + "\n" +
        "     " + S("Приказываю: утвердить порядок."_cp) + "\n" + S("первая часть"_cp) + "\n" +
        S("вторая часть\tпосле табуляции"_cp) + "\n" + S("<тег> \"кавычки\" Ёё закладка "_cp) +
        "\n" + S("пункт списка"_cp) + "\n" + S("ячейка"_cp) + "\n" + S("текст после рамки"_cp) +
        "\n" + "\x04\x04" + S("МЕТ12#"_cp) + std::string(57, ' ') + "\x1B\x16\xA7 \xA7 \xA9";
    EXPECT_EQ(text, expected);
}

TEST(FlatOdt, WhiteSpaceAndElements) {
    const std::string head = "<office:document><office:body><office:text>";
    const std::string tail = "</office:text></office:body></office:document>";
    struct Case {
        const char* name;
        std::string body;
        std::string text;
    };
    const Case cases[] = {
        {"nominal: white space collapses, leading dropped", "<text:p>\n   a \t\n b  </text:p>",
         "a b "},
        {"nominal: text:s without a count is one space", "<text:p>a<text:s/>b</text:p>", "a b"},
        {"nominal: text:s after a literal space", "<text:p>a <text:s text:c=\"2\"/>b</text:p>",
         "a   b"},
        {"robustness: a huge space count is bounded",
         "<text:p><text:s text:c=\"999999999999\"/></text:p>", std::string(100000, ' ')},
        {"robustness: a negative space count is one space",
         "<text:p><text:s text:c=\"-5\"/></text:p>", " "},
        {"nominal: no paragraphs is an empty text", "", ""},
        {"nominal: comments, CDATA and processing instructions",
         "<!-- c --><text:p>a<!-- <text:p>x</text:p> --><![CDATA[<b>]]><?pi x?></text:p>", "a<b>"},
        {"nominal: single-quoted attributes", "<text:p><text:s text:c='3'/></text:p>", "   "},
        {"nominal: unknown entities of characters outside CP1251 become ?",
         "<text:p>&#x4E2D;&#x1F600;</text:p>", "??"},
        {"nominal: text outside paragraphs is ignored", "loose<text:p>in</text:p>loose", "in"},
        {"robustness: an overlong NUL is no character",
         "<text:p>a\xC0\x80"
         "b</text:p>",
         "a??b"},
        {"robustness: an overlong '<' in CDATA is no character",
         "<text:p><![CDATA[\xC0\xBC]]></text:p>", "??"},
    };
    for (const Case& c : cases) {
        std::string text = "unchanged";
        ASSERT_TRUE(ReadFlatOdt(head + c.body + tail, text)) << c.name;
        EXPECT_EQ(text, c.text) << c.name;
    }
    std::string outside;
    ASSERT_TRUE(ReadFlatOdt("<office:document><office:meta><text:p>no</text:p></office:meta>"
                            "<office:body><office:text/></office:body></office:document>",
                            outside));
    EXPECT_EQ(outside, "") << "paragraphs outside the body are not text";
}

TEST(FlatOdt, MalformedDocumentsAreRefused) {
    struct Case {
        const char* name;
        std::string xml;
    };
    const Case cases[] = {
        {"robustness: empty file", ""},
        {"robustness: not XML", "just text"},
        {"robustness: another root", "<html><body/></html>"},
        {"robustness: no body", "<office:document><office:meta/></office:document>"},
        {"robustness: unclosed root", "<office:document><office:body><office:text>"},
        {"robustness: mismatched end tag",
         "<office:document><office:body><office:text><text:p>a</text:span>"
         "</office:text></office:body></office:document>"},
        {"robustness: unknown entity",
         "<office:document><office:body><office:text><text:p>&nbsp;</text:p>"
         "</office:text></office:body></office:document>"},
        {"robustness: broken character reference",
         "<office:document><office:body><office:text><text:p>&#xZZ;</text:p>"
         "</office:text></office:body></office:document>"},
        {"robustness: unterminated attribute", "<office:document a=\"x><office:body>"},
        {"robustness: unterminated comment", "<office:document><!-- "},
        {"robustness: two roots",
         "<office:document><office:body><office:text/></office:body></office:document>"
         "<office:document/>"},
        {"robustness: space counts adding up to gigabytes",
         "<office:document><office:body><office:text><text:p>" +
             [] {
                 std::string many;
                 for (int k = 0; k < 1000; ++k)
                     many += "<text:s text:c=\"100000\"/>";
                 return many;
             }() +
             "</text:p></office:text></office:body></office:document>"},
        {"robustness: a zip archive", std::string("PK\x03\x04", 4) + "content.xml"},
    };
    for (const Case& c : cases) {
        std::string text = "unchanged";
        EXPECT_FALSE(ReadFlatOdt(c.xml, text)) << c.name;
        EXPECT_EQ(text, "unchanged") << c.name;
    }
}

TEST(FlatOdt, OpenCommand) {
    EXPECT_EQ(OpenDocumentCommand("/tmp/a b.fodt"),
              (std::vector<std::string>{"xdg-open", "/tmp/a b.fodt"}));
    EXPECT_EQ(OpenDocumentCommand("/tmp/a.fodt", true),
              (std::vector<std::string>{"soffice", "--writer", "/tmp/a.fodt"}));
}

TEST_F(WordExchangeTest, ExportThenImportRoundTrip) {
    CWordExchange exchange(m_operator, m_dir.string());
    EXPECT_TRUE(exchange.DocumentPath().empty());
    ASSERT_TRUE(exchange.Export(RichText()));
    EXPECT_TRUE(fs::exists(exchange.DocumentPath()));
    EXPECT_EQ(fs::path(exchange.DocumentPath()).extension(), ".fodt");
    std::string text;
    ASSERT_TRUE(exchange.Import(text));
    EXPECT_EQ(text, RichText());
    EXPECT_TRUE(m_operator.Messages().empty());
    EXPECT_EQ(exchange.LastFailure(), CWordExchange::Failure::None);
}

TEST_F(WordExchangeTest, EmptyTextComesBackEmpty) {
    CWordExchange exchange(m_operator, m_dir.string());
    ASSERT_TRUE(exchange.Export(""));
    std::string text = "old";
    ASSERT_TRUE(exchange.Import(text));
    EXPECT_EQ(text, "");
}

TEST_F(WordExchangeTest, ExportTwiceImportTakesTheSecond) {
    CWordExchange exchange(m_operator, m_dir.string());
    ASSERT_TRUE(exchange.Export(S("первый"_cp)));
    const std::string first = exchange.DocumentPath();
    ASSERT_TRUE(exchange.Export(S("второй"_cp)));
    EXPECT_NE(exchange.DocumentPath(), first);
    EXPECT_TRUE(fs::exists(first)) << "the earlier document is left alone";
    std::string text;
    ASSERT_TRUE(exchange.Import(text));
    EXPECT_EQ(text, S("второй"_cp));
}

TEST_F(WordExchangeTest, ImportReadsWhatTheOperatorSaved) {
    CWordExchange exchange(m_operator, m_dir.string());
    ASSERT_TRUE(exchange.Export("draft"));
    std::string saved;
    ASSERT_TRUE(ReadFileBytes(DataPath("saved_by_writer.fodt"), saved));
    ASSERT_TRUE(WriteFileAtomic(exchange.DocumentPath(), saved));
    std::string text;
    ASSERT_TRUE(exchange.Import(text));
    EXPECT_EQ(text.substr(0, 32), std::string(26, ' ') + S("ПРИКАЗ"_cp));
}

TEST_F(WordExchangeTest, ImportFailures) {
    struct Case {
        const char* name;
        bool exportFirst;
        void (*spoil)(const fs::path& document);
        CWordExchange::Failure failure;
    };
    const Case cases[] = {
        {"robustness: import before any export", false, nullptr,
         CWordExchange::Failure::NothingExported},
        {"robustness: the document was deleted", true, [](const fs::path& p) { fs::remove(p); },
         CWordExchange::Failure::CannotRead},
        {"robustness: the document was replaced by a directory", true,
         [](const fs::path& p) {
             fs::remove(p);
             fs::create_directory(p);
         },
         CWordExchange::Failure::CannotRead},
        {"robustness: saved zipped under the same name", true,
         [](const fs::path& p) { WriteFileAtomic(p.string(), std::string("PK\x03\x04zip", 7)); },
         CWordExchange::Failure::NotFlatDocument},
        {"robustness: saved as .odt beside it", true,
         [](const fs::path& p) {
             fs::path odt = p;
             odt.replace_extension(".odt");
             WriteFileAtomic(odt.string(), std::string("PK\x03\x04zip", 7));
             // Newer than the exported document even on coarse file-system clocks.
             fs::last_write_time(odt, fs::last_write_time(p) + std::chrono::seconds(2));
         },
         CWordExchange::Failure::SavedAsOtherFile},
        {"robustness: the document was truncated", true,
         [](const fs::path& p) { WriteFileAtomic(p.string(), "<office:document><office:bo"); },
         CWordExchange::Failure::NotFlatDocument},
    };
    for (const Case& c : cases) {
        m_operator.Clear();
        CWordExchange exchange(m_operator, m_dir.string());
        if (c.exportFirst) {
            ASSERT_TRUE(exchange.Export("text")) << c.name;
            c.spoil(exchange.DocumentPath());
        }
        std::string text = "editor text";
        EXPECT_FALSE(exchange.Import(text)) << c.name;
        EXPECT_EQ(text, "editor text") << c.name;
        EXPECT_EQ(exchange.LastFailure(), c.failure) << c.name;
        ASSERT_EQ(m_operator.Entries().size(), 1u) << c.name;
        EXPECT_EQ(m_operator.Entries()[0].text, kImportError) << c.name;
        EXPECT_EQ(m_operator.Entries()[0].icon, MessageIcon::Error) << c.name;
    }
}

TEST_F(WordExchangeTest, OlderOdtBesideItDoesNotBlockImport) {
    CWordExchange exchange(m_operator, m_dir.string());
    ASSERT_TRUE(exchange.Export("text"));
    fs::path odt = exchange.DocumentPath();
    odt.replace_extension(".odt");
    ASSERT_TRUE(WriteFileAtomic(odt.string(), "PK"));
    fs::last_write_time(odt, fs::last_write_time(exchange.DocumentPath()) - std::chrono::hours(1));
    std::string text;
    EXPECT_TRUE(exchange.Import(text));
    EXPECT_EQ(text, "text");
    // A new export never takes a name whose .odt twin exists.
    ASSERT_TRUE(exchange.Export("again"));
    fs::path twin = exchange.DocumentPath();
    twin.replace_extension(".odt");
    EXPECT_FALSE(fs::exists(twin));
}

TEST_F(WordExchangeTest, ExportFailureKeepsTheEarlierDocument) {
    CWordExchange exchange(m_operator, m_dir.string());
    ASSERT_TRUE(exchange.Export("first"));
    const std::string first = exchange.DocumentPath();

    // A directory that cannot be made: its parent is a file.
    const fs::path blocker = m_dir / "file";
    ASSERT_TRUE(WriteFileAtomic(blocker.string(), "x"));
    CWordExchange broken(m_operator, (blocker / "sub").string());
    EXPECT_FALSE(broken.Export("text"));
    EXPECT_EQ(broken.LastFailure(), CWordExchange::Failure::CannotWrite);
    EXPECT_TRUE(broken.DocumentPath().empty());
    ASSERT_EQ(m_operator.Messages(), std::vector<std::string>{kExportError});
    EXPECT_EQ(m_operator.Entries()[0].icon, MessageIcon::Error);

    // The same object failing later keeps and still imports its earlier document: its
    // directory is moved away and a file put in its place for the second export.
    const fs::path aside = m_dir.string() + "-aside";
    fs::rename(m_dir, aside);
    ASSERT_TRUE(WriteFileAtomic(m_dir.string(), "not a directory"));
    m_operator.Clear();
    EXPECT_FALSE(exchange.Export("second"));
    EXPECT_EQ(m_operator.Messages(), std::vector<std::string>{kExportError});
    EXPECT_EQ(exchange.DocumentPath(), first);
    fs::remove(m_dir);
    fs::rename(aside, m_dir);
    std::string text;
    EXPECT_TRUE(exchange.Import(text));
    EXPECT_EQ(text, "first");
}

// The default folder is one nobody else can enter or fill beforehand, and nothing of the
// document stays in it after the import.
TEST_F(WordExchangeTest, DefaultDirectoryIsPrivateAndCleanedAfterImport) {
    for (bool runtimeDir : {true, false}) {
        SCOPED_TRACE(runtimeDir ? "under XDG_RUNTIME_DIR" : "made by mkdtemp");
        const fs::path runtime = m_dir / "runtime";
        fs::create_directories(runtime);
        fs::permissions(runtime, fs::perms::owner_all, fs::perm_options::replace);
        const char* old = std::getenv("XDG_RUNTIME_DIR");
        const std::string saved = old ? old : "";
        if (runtimeDir)
            ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
        else
            ::unsetenv("XDG_RUNTIME_DIR");
        fs::path folder;
        {
            CWordExchange exchange(m_operator);
            ASSERT_TRUE(exchange.Export("x"));
            const fs::path path = exchange.DocumentPath();
            folder = path.parent_path();
            if (runtimeDir)
                EXPECT_EQ(folder, runtime / "norvak");
            else
                EXPECT_EQ(folder.filename().string().rfind("norvak-", 0), 0u) << folder;
            struct stat st {};
            ASSERT_EQ(::lstat(folder.c_str(), &st), 0);
            EXPECT_EQ(st.st_mode & 0777, 0700u);
            EXPECT_EQ(st.st_uid, ::geteuid());
            ASSERT_EQ(::stat(path.c_str(), &st), 0);
            EXPECT_EQ(st.st_mode & 0777, 0600u);
            std::string text;
            ASSERT_TRUE(exchange.Import(text));
            EXPECT_FALSE(fs::exists(path)) << "the exported copy is removed after the import";

            // A folder someone else could enter is refused.
            ::chmod(folder.c_str(), 0755);
            m_operator.Clear();
            EXPECT_FALSE(exchange.Export("y"));
            EXPECT_EQ(m_operator.Messages(), std::vector<std::string>{kExportError});
            ::chmod(folder.c_str(), 0700);
        }
        if (!runtimeDir) {
            EXPECT_FALSE(fs::exists(folder)) << "the mkdtemp folder goes with the exchange";
        }
        if (old)
            ::setenv("XDG_RUNTIME_DIR", saved.c_str(), 1);
        else
            ::unsetenv("XDG_RUNTIME_DIR");
    }
}

// With the word processor installed: it converts the exported document headless and the text
// read back from its own output is the text exported.
TEST_F(WordExchangeTest, WordProcessorRoundTrip) {
    if (std::system("command -v soffice >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "soffice is not installed";
    CWordExchange exchange(m_operator, m_dir.string());
    const std::string text = S("     Приказываю  утвердить\n\tпорядок\n"_cp) +
                             OpeningLine(TagCode::ZAG) + "\n\x1B\x16\x1A";
    ASSERT_TRUE(exchange.Export(text));
    const fs::path out = m_dir / "converted";
    const std::string command = "soffice --headless -env:UserInstallation=file://" +
                                (m_dir / "profile").string() + " --convert-to fodt --outdir '" +
                                out.string() + "' '" + exchange.DocumentPath() +
                                "' >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0);
    std::string xml;
    ASSERT_TRUE(ReadFileBytes((out / fs::path(exchange.DocumentPath()).filename()).string(), xml));
    std::string back;
    ASSERT_TRUE(ReadFlatOdt(xml, back));
    EXPECT_EQ(back, text);
}

} // namespace
} // namespace norvak
