#include "document/settings.h"

#include "core/literal.h"
#include "core/textfile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace norvak {
namespace {

namespace fs = std::filesystem;

// Records the order of writes on top of the in-memory store.
class CLoggingStore : public CMemorySettingsStore {
public:
    void WriteInt(std::string_view name, long long value) override {
        m_writes.emplace_back(name);
        CMemorySettingsStore::WriteInt(name, value);
    }
    void WriteString(std::string_view name, std::string_view value) override {
        m_writes.emplace_back(name);
        CMemorySettingsStore::WriteString(name, value);
    }
    std::vector<std::string> m_writes;
};

TEST(Settings, ReadIntRules) {
    struct Case {
        const char* name;
        const char* stored; // nullptr: missing
        int result;
        bool writtenBack;
    };
    const Case cases[] = {
        {"nominal: stored value used", "80", 80, false},
        {"nominal: zero is a value", "0", 0, false},
        {"nominal: negative value", "-3", -3, false},
        {"missing: default written", nullptr, 66, true},
        {"-1025 counts as missing", "-1025", 66, true},
        {"-1024 is an ordinary value", "-1024", -1024, false},
        {"unreadable: text", "abc", 66, true},
        {"unreadable: empty", "", 66, true},
        {"unreadable: number with junk", "80x", 66, true},
        {"unreadable: beyond 32 bits", "4294967296", 66, true},
        {"blanks around the number are allowed", " 72 ", 72, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CLoggingStore store;
        if (c.stored)
            store.m_values["StringLength"] = c.stored;
        EXPECT_EQ(ReadIntSetting(store, "StringLength", 66), c.result);
        EXPECT_EQ(store.m_writes.size(), c.writtenBack ? 1u : 0u);
        if (c.writtenBack) {
            EXPECT_EQ(store.m_values["StringLength"], "66");
        }
    }
}

TEST(Settings, ReadStringRules) {
    CLoggingStore store;
    EXPECT_EQ(ReadStringSetting(store, "FontName", "Courier New"), "Courier New");
    EXPECT_EQ(store.m_values["FontName"], "Courier New");
    store.m_writes.clear();
    store.m_values["FontName"] = "";
    EXPECT_EQ(ReadStringSetting(store, "FontName", "Courier New"), ""); // exists: kept as is
    EXPECT_TRUE(store.m_writes.empty());
}

TEST(Settings, DocumentDefaultsAreWrittenInTheStoredOrder) {
    CLoggingStore store;
    DocSettings s;
    s.stringLength = 1; // overwritten by the read
    s.Read(store);
    EXPECT_EQ(s.posParagraph, 5);
    EXPECT_EQ(s.stringLength, 66);
    EXPECT_EQ(s.leftSpaces, 20);
    EXPECT_EQ(s.questionDoc, std::string("ВОПРОС-ОТВЕТ"_cp));
    EXPECT_EQ(s.createTags, 1);
    EXPECT_EQ(s.defineRecvisits, 1);
    EXPECT_EQ(s.extendedRecvisits, 1);
    const std::vector<std::string> order = {"PosParagraph",     "StringLength", "LeftSpaces",
                                            "QuestionDoc",      "CreateTags",   "DefineRecvisits",
                                            "ExtendedRecvisits"};
    EXPECT_EQ(store.m_writes, order);
    // After the first read every value exists, so a second read writes nothing.
    store.m_writes.clear();
    DocSettings again;
    again.Read(store);
    EXPECT_TRUE(store.m_writes.empty());
    again.Write(store);
    EXPECT_EQ(store.m_writes, order);
}

TEST(Settings, DocumentValuesRoundTrip) {
    CMemorySettingsStore store;
    DocSettings s;
    s.posParagraph = 3;
    s.stringLength = 72;
    s.leftSpaces = 10;
    s.questionDoc = "ОТВЕТ"_cp;
    s.createTags = 0;
    s.defineRecvisits = 0;
    s.extendedRecvisits = 0;
    s.Write(store);
    DocSettings back;
    back.Read(store);
    EXPECT_EQ(back.posParagraph, 3);
    EXPECT_EQ(back.stringLength, 72);
    EXPECT_EQ(back.leftSpaces, 10);
    EXPECT_EQ(back.questionDoc, std::string("ОТВЕТ"_cp));
    EXPECT_EQ(back.createTags, 0);
    EXPECT_EQ(back.defineRecvisits, 0);
    EXPECT_EQ(back.extendedRecvisits, 0);
}

TEST(Settings, LayoutValuesOutOfTheirRangesFallBackToTheDefaultWithAMessage) {
    struct Case {
        const char* name;
        const char* value;
        int posParagraph;
        bool message;
    };
    const Case cases[] = {
        {"nominal: in range", "3", 3, false},
        {"edge: lowest", "0", 0, false},
        {"edge: highest", "40", 40, false},
        {"fault: negative", "-1", 5, true},
        {"fault: beyond the line", "41", 5, true},
        {"fault: the largest int", "2147483647", 5, true},
    };
    for (const Case& c : cases) {
        CMemorySettingsStore store;
        store.m_values["PosParagraph"] = c.value;
        store.m_values["StringLength"] = "66";
        store.m_values["LeftSpaces"] = "20";
        DocSettings s;
        const std::vector<std::string> messages = s.Read(store);
        EXPECT_EQ(s.posParagraph, c.posParagraph) << c.name;
        ASSERT_EQ(messages.size(), c.message ? 1u : 0u) << c.name;
        if (c.message) {
            EXPECT_NE(messages[0].find("PosParagraph"), std::string::npos) << c.name;
            EXPECT_EQ(store.m_values["PosParagraph"], "5") << c.name << ": the default is stored";
        }
    }
    CMemorySettingsStore store;
    store.m_values["StringLength"] = "0";
    store.m_values["LeftSpaces"] = "-7";
    DocSettings s;
    EXPECT_EQ(s.Read(store).size(), 2u);
    EXPECT_EQ(s.stringLength, 66);
    EXPECT_EQ(s.leftSpaces, 20);
}

TEST(Settings, ViewValues) {
    CLoggingStore store;
    ViewSettings v;
    v.Read(store);
    EXPECT_EQ(v.fontHeight, 200);
    EXPECT_EQ(v.fontFamily, 1);
    EXPECT_EQ(v.fontName, "Courier New");
    EXPECT_EQ(store.m_writes, (std::vector<std::string>{"FontHeight", "FontFamily", "FontName"}));
}

TEST(Settings, FontNameIsCutTo31Characters) {
    CMemorySettingsStore store;
    store.m_values["FontName"] = std::string(31, 'a') + "bcd";
    ViewSettings v;
    v.Read(store);
    EXPECT_EQ(v.fontName, std::string(31, 'a'));
    v.fontName = std::string(40, 'z');
    v.Write(store);
    EXPECT_EQ(store.m_values["FontName"], std::string(31, 'z'));
    store.m_values["FontName"] = std::string(31, 'q');
    v.Read(store);
    EXPECT_EQ(v.fontName, std::string(31, 'q'));
}

// A fresh scratch directory per test, removed afterwards.
class FileSettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() /
                ("norvak_settings_" +
                 std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
        m_path = (m_dir / "norvak.ini").string();
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::string FileText() const {
        std::string bytes;
        EXPECT_TRUE(ReadFileBytes(m_path, bytes));
        return bytes;
    }

    fs::path m_dir;
    std::string m_path;
};

TEST_F(FileSettingsTest, MissingFileIsAnEmptyStoreAndDefaultsAreSaved) {
    CFileSettingsStore store(m_path);
    EXPECT_TRUE(store.Load());
    DocSettings s;
    s.Read(store);
    EXPECT_EQ(s.stringLength, 66);
    ASSERT_TRUE(store.Save());
    const std::string text = FileText();
    EXPECT_NE(text.find("StringLength=66\n"), std::string::npos);
    // The file holds UTF-8, the API CP1251.
    EXPECT_NE(text.find("QuestionDoc=ВОПРОС-ОТВЕТ\n"), std::string::npos);
    CFileSettingsStore reread(m_path);
    DocSettings back;
    back.Read(reread);
    EXPECT_EQ(back.questionDoc, std::string("ВОПРОС-ОТВЕТ"_cp));
}

TEST_F(FileSettingsTest, ParsesHandWrittenFiles) {
    ASSERT_TRUE(WriteFileAtomic(m_path, "\xEF\xBB\xBF; comment\r\n"
                                        "# another=comment\n"
                                        "[Norvak]\n"
                                        "\n"
                                        "  StringLength = 72\r\n"
                                        "no equals sign\n"
                                        "=orphan value\n"
                                        "PosParagraph=-1025\n"
                                        "LeftSpaces=oops\n"
                                        "QuestionDoc=ВОПРОС\n"
                                        "QuestionDoc=ЗАПРОС\n"
                                        "FontName=Lucida Console\n"));
    CFileSettingsStore store(m_path);
    DocSettings s;
    s.Read(store);
    EXPECT_EQ(s.stringLength, 72);
    EXPECT_EQ(s.posParagraph, 5);                       // -1025 counts as missing
    EXPECT_EQ(s.leftSpaces, 20);                        // unreadable
    EXPECT_EQ(s.questionDoc, std::string("ЗАПРОС"_cp)); // the last line wins
    EXPECT_FALSE(store.ReadString("another").has_value());
    EXPECT_FALSE(store.ReadString("; comment").has_value());
    ViewSettings v;
    v.Read(store);
    EXPECT_EQ(v.fontName, "Lucida Console");
}

TEST_F(FileSettingsTest, ValuesWithLineBreaksAndBackslashesRoundTrip) {
    const std::vector<std::string> values = {"a\nb", "a\r\nb", "C:\\dict", "\\n",
                                             "\\",   "x\\",    " padded ", ""};
    {
        CFileSettingsStore store(m_path);
        for (std::size_t i = 0; i < values.size(); ++i)
            store.WriteString("V" + std::to_string(i), values[i]);
        ASSERT_TRUE(store.Save());
    }
    CFileSettingsStore store(m_path);
    for (std::size_t i = 0; i < values.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(store.ReadString("V" + std::to_string(i)), values[i]);
    }
}

TEST_F(FileSettingsTest, HandWrittenBackslashesReadAsTheyLook) {
    ASSERT_TRUE(WriteFileAtomic(m_path, "Path=C:\\dict\\new\n"));
    CFileSettingsStore store(m_path);
    // "\n" is the escaped line break; "\d" stays as written.
    EXPECT_EQ(store.ReadString("Path"), "C:\\dict\n"
                                        "ew");
}

TEST_F(FileSettingsTest, SaveReplacesTheFileAndFailsCleanly) {
    ASSERT_TRUE(WriteFileAtomic(m_path, "StringLength=80\n"));
    CFileSettingsStore store(m_path);
    store.WriteInt("StringLength", 90);
    ASSERT_TRUE(store.Save());
    EXPECT_EQ(FileText(), "StringLength=90\n");

    CFileSettingsStore nowhere((m_dir / "missing" / "norvak.ini").string());
    nowhere.WriteInt("StringLength", 90);
    std::string error;
    EXPECT_FALSE(nowhere.Save(&error));
    EXPECT_FALSE(error.empty());
}

TEST_F(FileSettingsTest, UnreadableFileReportsAnError) {
    // A directory in place of the file cannot be read.
    fs::create_directories(m_path);
    CFileSettingsStore store(m_path);
    std::string error;
    EXPECT_FALSE(store.Load(&error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(ReadIntSetting(store, "StringLength", 66), 66);
}

} // namespace
} // namespace norvak
