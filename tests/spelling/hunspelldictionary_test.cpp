#include "spelling/hunspelldictionary.h"
#include "spelling/spellingfiles.h"

#include "core/codepage.h"
#include "core/literal.h"
#include "core/textfile.h"

#include <gtest/gtest.h>

#include <iconv.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <random>
#include <set>

namespace norvak {
namespace {
namespace fs = std::filesystem;

class ScratchDir {
public:
    ScratchDir() {
        std::random_device rd;
        m_path = fs::temp_directory_path() /
                 ("norvak-spelling-" + std::to_string(rd()) + std::to_string(rd()));
        fs::create_directories(m_path);
    }
    ~ScratchDir() {
        std::error_code ec;
        fs::remove_all(m_path, ec);
    }
    std::string operator/(const std::string& name) const { return (m_path / name).string(); }
    std::string Path() const { return m_path.string(); }

private:
    fs::path m_path;
};

// Sets an environment variable for the life of the object.
class EnvVar {
public:
    EnvVar(const char* name, const std::string& value) : m_name(name) {
        if (const char* old = std::getenv(name))
            m_old = old;
        ::setenv(name, value.c_str(), 1);
    }
    ~EnvVar() {
        if (m_old)
            ::setenv(m_name, m_old->c_str(), 1);
        else
            ::unsetenv(m_name);
    }

private:
    const char* m_name;
    std::optional<std::string> m_old;
};

// UTF-8 text in another encoding, as a dictionary in that encoding holds it.
std::string Encode(const std::string& utf8, const char* encoding) {
    iconv_t cd = iconv_open(encoding, "UTF-8");
    std::string out(utf8.size() * 2 + 4, '\0');
    char* src = const_cast<char*>(utf8.data());
    std::size_t srcLeft = utf8.size();
    char* dst = out.data();
    std::size_t dstLeft = out.size();
    iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    iconv_close(cd);
    out.resize(out.size() - dstLeft);
    return out;
}

// A two-file dictionary: the affix rules make plurals in -и of words flagged A.
struct TinyDictionary {
    std::string aff;
    std::string dic;
};
TinyDictionary WriteTiny(const ScratchDir& dir, const char* setName, const char* iconvName) {
    TinyDictionary d{dir / "tiny.aff", dir / "tiny.dic"};
    const std::string aff = std::string("SET ") + setName + "\nSFX A Y 1\nSFX A 0 и к\n";
    EXPECT_TRUE(WriteFileAtomic(d.aff, Encode(aff, iconvName)));
    EXPECT_TRUE(WriteFileAtomic(d.dic, Encode("3\nзакон\nпоток/A\nстатья\n", iconvName)));
    return d;
}

struct EncodingCase {
    const char* set;
    const char* iconv;
};
const EncodingCase kEncodings[] = {{"UTF-8", "UTF-8"},
                                   {"KOI8-R", "KOI8-R"},
                                   {"microsoft-cp1251", "CP1251"},
                                   {"ISO8859-5", "ISO-8859-5"}};

TEST(HunspellDictionary, AskedInCp1251WhateverItsEncoding) {
    for (const EncodingCase& e : kEncodings) {
        ScratchDir dir;
        const TinyDictionary tiny = WriteTiny(dir, e.set, e.iconv);
        std::string error;
        auto dict = CHunspellDictionary::Open(tiny.aff, tiny.dic, &error);
        ASSERT_NE(dict, nullptr) << e.set << ": " << error;
        EXPECT_EQ(dict->Encoding(), e.set);
        EXPECT_TRUE(dict->IsKnown("закон"_cp)) << e.set;
        EXPECT_TRUE(dict->IsKnown("Статья"_cp)) << e.set << ": a capital first letter";
        EXPECT_TRUE(dict->IsKnown("потоки"_cp)) << e.set << ": a form by the affix rules";
        EXPECT_FALSE(dict->IsKnown("закно"_cp)) << e.set;
        const auto suggestions = dict->Suggest("закно"_cp, 8);
        ASSERT_FALSE(suggestions.empty()) << e.set;
        EXPECT_EQ(suggestions.front(), "закон"_cp) << e.set;
        // Taught like a word it has, the new word takes its forms.
        EXPECT_FALSE(dict->IsKnown("водотоки"_cp));
        EXPECT_TRUE(dict->AddLike("водоток"_cp, "поток"_cp)) << e.set;
        EXPECT_TRUE(dict->IsKnown("водотоки"_cp)) << e.set;
        EXPECT_FALSE(dict->AddLike("слово"_cp, "нетакого"_cp)) << "an unknown model";
    }
}

TEST(HunspellDictionary, MissingFilesAndWordsTheEncodingLacks) {
    ScratchDir dir;
    std::string error;
    EXPECT_EQ(CHunspellDictionary::Open(dir / "none.aff", dir / "none.dic", &error), nullptr);
    EXPECT_NE(error.find("not found"), std::string::npos) << error;

    const TinyDictionary tiny = WriteTiny(dir, "KOI8-R", "KOI8-R");
    auto dict = CHunspellDictionary::Open(tiny.aff, tiny.dic);
    ASSERT_NE(dict, nullptr);
    // "Ђ" has no KOI8-R form: unknown, not a crash or a match of something else.
    EXPECT_FALSE(dict->IsKnown("Ђзакон"_cp));
    EXPECT_TRUE(dict->Suggest("Ђзакон"_cp, 8).empty());
}

TEST(HunspellDictionary, UnsupportedEncodingIsRefused) {
    ScratchDir dir;
    ASSERT_TRUE(WriteFileAtomic(dir / "x.aff", "SET NO-SUCH-CODEPAGE\n"));
    ASSERT_TRUE(WriteFileAtomic(dir / "x.dic", "1\nabc\n"));
    std::string error;
    EXPECT_EQ(CHunspellDictionary::Open(dir / "x.aff", dir / "x.dic", &error), nullptr);
    EXPECT_NE(error.find("NO-SUCH-CODEPAGE"), std::string::npos) << error;
}

TEST(SpellingFiles, SearchFoldersAndTheOwnFolderOverride) {
    ScratchDir dir;
    ASSERT_TRUE(WriteFileAtomic(dir / "ru_RU.aff", "SET UTF-8\n"));
    EXPECT_EQ(FindHunspellDir({dir.Path()}), "") << "the .dic is missing";
    ASSERT_TRUE(WriteFileAtomic(dir / "ru_RU.dic", "1\nзакон\n"));
    EXPECT_EQ(FindHunspellDir({"/nonexistent", dir.Path()}), dir.Path());

    {
        EnvVar own("NORVAK_HUNSPELL_DIR", "/nonexistent");
        EXPECT_EQ(HunspellSearchDirs(), std::vector<std::string>{"/nonexistent"});
        const SpellingSetup none = OpenSpelling("");
        EXPECT_EQ(none.checker, nullptr);
        EXPECT_NE(none.error.find("hunspell-ru"), std::string::npos) << none.error;
    }
    EnvVar own("NORVAK_HUNSPELL_DIR", dir.Path());
    EnvVar data("XDG_DATA_HOME", dir / "data");
    fs::create_directories(dir / "data/norvak");
    ASSERT_TRUE(WriteFileAtomic(dir / "data/norvak/words.txt", "Министерсво\n"));
    const SpellingSetup setup = OpenSpelling("");
    ASSERT_NE(setup.checker, nullptr) << setup.error;
    EXPECT_EQ(setup.personalPath, dir / "data/norvak/words.txt");
    EXPECT_TRUE(setup.checker->Check("закон Министерсво"_cp).empty());
    EXPECT_EQ(setup.checker->Check("закно"_cp).size(), 1u);
}

TEST(SpellingFiles, TheLegalVocabularyIsFoundInstalledOrBesideTheProgram) {
    ScratchDir dir;
    const std::string bin = dir / "bin";
    fs::create_directories(bin);
    EXPECT_EQ(ShippedLegalWords(""), "") << "no program folder, no list";
    EXPECT_EQ(ShippedLegalWords(bin), "") << "neither copy is there";
    ASSERT_TRUE(WriteFileAtomic(bin + "/legal-words.txt", "закон\n"));
    EXPECT_EQ(ShippedLegalWords(bin), bin + "/legal-words.txt") << "a build tree's copy";
    fs::create_directories(dir / "share/norvak");
    ASSERT_TRUE(WriteFileAtomic(dir / "share/norvak/legal-words.txt", "закон\n"));
    EXPECT_EQ(ShippedLegalWords(bin), fs::canonical(dir / "share/norvak/legal-words.txt").string())
        << "the installed list comes first";
}

// The installed Russian dictionary, when there is one.
class RussianDictionary : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string dir = FindHunspellDir(HunspellSearchDirs());
        if (dir.empty())
            GTEST_SKIP() << "hunspell-ru is not installed";
        m_dict = CHunspellDictionary::Open(dir + "/ru_RU.aff", dir + "/ru_RU.dic");
        ASSERT_NE(m_dict, nullptr);
    }
    std::shared_ptr<CHunspellDictionary> m_dict;
};

TEST_F(RussianDictionary, EveryModelOfTheShippedListIsTaught) {
    CWordList list;
    std::vector<std::string> untaught;
    ASSERT_TRUE(LoadSupplement(NORVAK_LEGAL_WORDS, m_dict.get(), list, &untaught));
    EXPECT_GT(list.Size(), 50u);
    std::string names;
    for (const std::string& w : untaught)
        names += Cp1251ToUtf8(w) + " ";
    EXPECT_TRUE(untaught.empty()) << "models that are no initial form of the dictionary: " << names;
}

TEST_F(RussianDictionary, ShippedListWordsAreOnesTheDictionaryLacks) {
    // A word without a model that the dictionary knows does not belong in the list (it would
    // add nothing); a word with one may be known in some forms only.
    CWordList list;
    ASSERT_TRUE(list.Load(NORVAK_LEGAL_WORDS));
    std::set<std::string> modelled;
    for (const auto& [word, model] : list.Models())
        modelled.insert(word);
    for (const std::string& w : list.Words()) {
        if (modelled.count(w))
            continue;
        const bool dotted = !w.empty() && w.back() == '.';
        EXPECT_FALSE(m_dict->IsKnown(w) || (dotted && m_dict->IsKnown(w.substr(0, w.size() - 1))))
            << Cp1251ToUtf8(w);
    }
}

TEST_F(RussianDictionary, EverydayFaultsOfRetypedDocumentsAreFlagged) {
    CSpellChecker checker(m_dict);
    for (const char* line : {"Министерсво финансов", "суды постановлят", "Pоссийской Федерации"})
        EXPECT_EQ(checker.Check(Utf8ToCp1251(line)).size(), 1u) << line;
    EXPECT_TRUE(checker.Check("Министерство финансов Российской Федерации"_cp).empty());
    const auto s = checker.Suggestions("Министерсво"_cp);
    EXPECT_NE(std::find(s.begin(), s.end(), std::string("Министерство"_cp)), s.end());
    EXPECT_LE(s.size(), CSpellChecker::kMaxSuggestions);
}

TEST_F(RussianDictionary, RealActsRaiseFewerThanOneAlarmInTwoHundredWords) {
    CWordList list;
    ASSERT_TRUE(LoadSupplement(NORVAK_LEGAL_WORDS, m_dict.get(), list));
    const CSpellChecker checker(m_dict, list);
    const fs::path samples = fs::path(NORVAK_TEST_DATA) / "samples";
    int acts = 0;
    for (const auto& entry : fs::directory_iterator(samples)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("ips", 0) != 0)
            continue;
        std::string bytes;
        ASSERT_TRUE(ReadFileBytes(entry.path().string(), bytes));
        const LineList lines = name.find("cp1251") != std::string::npos ? SplitTextLines(bytes)
                                                                        : SplitDosTextLines(bytes);
        std::size_t words = 0;
        const auto found = CheckLines(checker, lines, &words);
        EXPECT_GT(words, 500u) << name;
        EXPECT_LT(found.size() * 200, words) << name;
        ++acts;
    }
    EXPECT_EQ(acts, 6);
}

} // namespace
} // namespace norvak
