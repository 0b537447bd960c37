#include "spelling/wordlist.h"

#include "core/literal.h"
#include "core/textfile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

namespace norvak {
namespace {
namespace fs = std::filesystem;

std::string TempPath(const std::string& name) {
    std::random_device rd;
    return (fs::temp_directory_path() /
            ("norvak-words-" + std::to_string(rd()) + std::to_string(rd())) / name)
        .string();
}

TEST(WordList, TextFormat) {
    CWordList list;
    list.AddText("\xEF\xBB\xBF# comment\r\n"
                 "  закон  \r\n"
                 "\n"
                 "водоток поток\n"
                 "ЗАКОН\n"
                 "ст.\n"
                 "два слова лишние\n");
    const std::vector<std::string> words = {"закон"_cp.data(), "водоток"_cp.data(), "ст."_cp.data(),
                                            "два"_cp.data()};
    EXPECT_EQ(list.Words(), words) << "a byte order mark, comments, blanks and repeats skipped";
    ASSERT_EQ(list.Models().size(), 1u) << "a line of three words has no model";
    EXPECT_EQ(list.Models()[0].first, "водоток"_cp);
    EXPECT_EQ(list.Models()[0].second, "поток"_cp);
    EXPECT_TRUE(list.Contains("Закон"_cp));
    EXPECT_TRUE(list.Contains("СТ."_cp));
    EXPECT_FALSE(list.Contains("ст"_cp));
    EXPECT_FALSE(list.Contains(""));
}

TEST(WordList, SavesAsUtf8AndLoadsBack) {
    const std::string path = TempPath("sub/words.txt");
    CWordList list;
    EXPECT_TRUE(list.Add("Минюст"_cp));
    EXPECT_FALSE(list.Add("минюст"_cp)) << "the same word in another case";
    EXPECT_FALSE(list.Add(""));
    EXPECT_TRUE(list.Add("ёлка"_cp));
    ASSERT_TRUE(list.Save(path)) << "the folder is made when missing";
    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(path, bytes));
    EXPECT_EQ(bytes, "Минюст\nёлка\n");
    CWordList back;
    ASSERT_TRUE(back.Load(path));
    EXPECT_EQ(back.Words(), list.Words());
    fs::remove_all(fs::path(path).parent_path().parent_path());
}

TEST(WordList, MissingAndUnreadableFiles) {
    CWordList list;
    EXPECT_TRUE(list.Load(TempPath("none.txt"), true)) << "a personal list not made yet";
    EXPECT_FALSE(list.Load(TempPath("none.txt")));
    EXPECT_FALSE(list.Load(fs::temp_directory_path().string())) << "a folder";
    EXPECT_EQ(list.Size(), 0u);
    std::string error;
    EXPECT_FALSE(list.Save("/proc/norvak/words.txt", &error));
    EXPECT_FALSE(error.empty());
}

} // namespace
} // namespace norvak
