#include "dictionaries/dicttext.h"

#include "core/codepage.h"
#include "core/literal.h"
#include "core/textcore.h"
#include "core/textfile.h"
#include "dictionaries/archive.h"
#include "dictionaries/servicedata.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace norvak {
namespace {

namespace fs = std::filesystem;

// A folder under the system's temporary directory, removed with everything in it.
class TempFolder {
public:
    TempFolder() {
        std::random_device rd;
        m_path = fs::temp_directory_path() / ("norvak_dicttext_" + std::to_string(rd()));
        fs::remove_all(m_path);
    }
    ~TempFolder() {
        std::error_code ec;
        fs::remove_all(m_path, ec);
    }
    std::string Path() const { return m_path.string(); }

private:
    fs::path m_path;
};

std::string Bytes(const CServiceData& data) {
    // StoreToBytes is not const: it only reads the dictionaries.
    CScriptedOperator op;
    std::string bytes;
    EXPECT_TRUE(const_cast<CServiceData&>(data).StoreToBytes(bytes, op));
    EXPECT_TRUE(op.Entries().empty());
    return bytes;
}

CCases Cases(std::vector<std::string_view> forms, std::int32_t value = 0) {
    CCases c;
    for (std::size_t i = 0; i < forms.size(); ++i)
        c.SetForm(static_cast<int>(i), forms[i]);
    c.SetValue(value);
    return c;
}

std::string ShippedFolder() {
    return std::string(NORVAK_SOURCE_DIR) + "/data/dict";
}
std::string GoldenFolder() {
    return std::string(NORVAK_TEST_DATA) + "/dicttext/golden";
}

// Dictionaries that use every field and every value that needs care: carried integers,
// genders and flags outside their usual range, empty and non-normalised texts, bytes that
// UTF-8 text cannot show, duplicates, and entries with and without aliases.
void FillRich(CServiceData& data) {
    CDocDict& kinds = data.DocDict();
    CDocKindEntry k1 = kinds.CreateEntry();
    k1.GetCases() = Cases({"ПОСТАНОВЛЕНИЕ"_cp, "ПОСТАНОВЛЕНИЯ"_cp, "", "", "ПОСТАНОВЛЕНИЕМ"_cp});
    k1.SetGender(GenderNeuter);
    kinds.Add(k1);
    CDocKindEntry k2 = kinds.CreateEntry();
    k2.GetCases() = Cases({"ПОЛОЖЕНИЕ"_cp, "ПОЛОЖЕНИЯ"_cp, "ПОЛОЖЕНИЮ"_cp, "ПОЛОЖЕНИЕ"_cp,
                           "ПОЛОЖЕНИЕМ"_cp, "ПОЛОЖЕНИИ"_cp},
                          7);
    k2.SetGender(GenderNeuter);
    k2.SetQuoteTitle(1);
    k2.SetAliases(
        {Cases({"П О Л О Ж Е Н И Е"_cp, "", "", "", "П О Л О Ж Е Н И Е М"_cp}), Cases({}, -3)});
    kinds.Add(k2);
    CDocKindEntry k3 = kinds.CreateEntry(); // odd values a damaged or foreign file may hold
    k3.GetCases() = Cases({" ПРИКАЗ  "_cp, "", "", "", "ПРИКАЗОМ\\"_cp});
    k3.SetGender(7);
    k3.SetQuoteTitle(-1);
    kinds.Add(k3);
    kinds.Add(kinds.CreateEntry()); // all empty

    COrganDict& organs = data.OrganDict();
    COrganEntry o1 = organs.CreateEntry();
    o1.GetCases() = Cases({"МИНИСТЕРСТВО ФИНАНСОВ"_cp, "МИНИСТЕРСТВА ФИНАНСОВ"_cp, "", "",
                           "МИНИСТЕРСТВОМ ФИНАНСОВ"_cp});
    o1.SetAliases({Cases({"МИНФИН"_cp, "МИНФИНА"_cp, "", "", "МИНФИНОМ"_cp}, 2)});
    o1.SetLetterCaseName("Министерство  финансов "_cp);
    organs.Add(o1);
    COrganEntry o2 = organs.CreateEntry();
    o2.GetCases() = Cases({"БАНК"_cp});
    organs.Add(o2); // no letter-case name

    CSourceDict& sources = data.SourceDict();
    sources.Add("Российская газета"_cp);
    sources.Add("");
    sources.Add("Российская газета"_cp);
    sources.Add(std::string("\x01\t\x98\xA0\xAD\x7F"
                            "C:\\path=1 # [x]",
                            21));

    data.UniDict().Add(Cases({"А"_cp, "", "", "", "", "Е"_cp}, 3));
    data.UniDict().Add(CCases());

    CArchive themeBytes; // themes with duplicate codes and a name AddTheme would normalise
    themeBytes.PutInt32(4);
    for (const CTemathicsRec& t :
         {CTemathicsRec("НАЛОГИ"_cp, 7, 0), CTemathicsRec("НДС"_cp, 70, 7),
          CTemathicsRec("  not normalised "_cp, 70, -5), CTemathicsRec("", 0, 0)})
        CTemathicsRec(t).Serialize(themeBytes);
    CArchive in(themeBytes.Data());
    CScriptedOperator op;
    ASSERT_TRUE(data.TemathicsDict().Serialize(in, op));

    CUpperCaseDict& letters = data.UpperCaseDict();
    letters.SetWordCase("МИНИСТЕРСТВО"_cp, "Министерство"_cp);
    letters.SetWordCase("РФ"_cp, "РФ"_cp);
    letters.SetWordCase("A=B"_cp, "x = y"_cp);
    letters.SetWordCase("#НОМЕР"_cp, "#номер"_cp);
    letters.SetWordCase("[X"_cp, "[x]"_cp);
    letters.SetWordCase(" ", "  ");
}

// The minimal valid files: every file present with only its header comment.
std::vector<DictTextFile> EmptyFiles() {
    CServiceData empty;
    return FormatDictionaries(empty);
}

std::vector<DictTextFile> With(std::string_view name, std::string_view text) {
    std::vector<DictTextFile> files = EmptyFiles();
    for (DictTextFile& f : files)
        if (f.name == name)
            f.text = text;
    return files;
}

// --- Escapes --------------------------------------------------------------------------------

TEST(DictTextEscapeTest, ValuesAreWrittenReadablyAndEscapedWhereTextCannotCarryThem) {
    struct Case {
        const char* name;
        std::string cp1251;
        bool asName;
        std::string text;
    };
    const std::vector<Case> cases = {
        {"nominal: Cyrillic and Latin", std::string("ПРИКАЗ N 5 (ред.)"_cp), false,
         "ПРИКАЗ N 5 (ред.)"},
        {"nominal: CP1251 punctuation", std::string("«ОБ» — №1 ё"_cp), false, "«ОБ» — №1 ё"},
        {"nominal: inner runs of spaces stay", "a  b", false, "a  b"},
        {"escape: backslash", "a\\b", false, "a\\\\b"},
        {"escape: spaces at both ends", "  x y ", false, "\\s\\sx y\\s"},
        {"escape: only spaces", "  ", false, "\\s\\s"},
        {"escape: control bytes", std::string("\0\x01\t\r\n\x1F", 6), false,
         "\\x00\\x01\\x09\\x0D\\x0A\\x1F"},
        {"escape: DEL, undefined 0x98, no-break space, soft hyphen", "\x7F\x98\xA0\xAD", false,
         "\\x7F\\x98\\xA0\\xAD"},
        {"nominal: = # [ inside a value", "#a=b [c]", false, "#a=b [c]"},
        {"name: = is escaped", "A=B", true, "A\\x3DB"},
        {"name: leading # and [", "#X", true, "\\x23X"},
        {"name: leading [", "[X", true, "\\x5BX"},
        {"name: # and [ later stay", "X#[", true, "X#["},
        {"empty", "", false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(EscapeDictValue(c.cp1251, c.asName), c.text);
        std::string back;
        std::string error;
        ASSERT_TRUE(UnescapeDictValue(c.text, back, &error)) << error;
        EXPECT_EQ(back, c.cp1251);
    }
}

TEST(DictTextEscapeTest, EveryByteAndRandomStringsSurviveEscaping) {
    for (int b = 0; b < 256; ++b) {
        for (bool asName : {false, true}) {
            const std::string s =
                std::string("a") + static_cast<char>(b) + "b" + static_cast<char>(b);
            std::string back;
            ASSERT_TRUE(UnescapeDictValue(EscapeDictValue(s, asName), back, nullptr)) << b;
            EXPECT_EQ(back, s) << b;
        }
    }
    std::mt19937 rng(1251);
    for (int i = 0; i < 2000; ++i) {
        std::string s(rng() % 12, ' ');
        for (char& c : s)
            c = static_cast<char>(rng() % 4 == 0 ? ' ' : rng() % 256);
        const std::string text = EscapeDictValue(s, i % 2 == 0);
        // What is written never has blanks at its ends, so trimming a line cannot change it.
        if (!text.empty()) {
            EXPECT_NE(text.front(), ' ');
            EXPECT_NE(text.back(), ' ');
        }
        std::string back;
        ASSERT_TRUE(UnescapeDictValue(text, back, nullptr));
        EXPECT_EQ(back, s);
    }
}

TEST(DictTextEscapeTest, ReadingRejectsWhatIsNotAFaithfulValue) {
    struct Case {
        const char* name;
        std::string text;
        std::string error;
    };
    const std::vector<Case> cases = {
        {"unknown escape", "a\\qb", "bad escape '\\q' (use \\\\, \\s or \\xHH)"},
        {"unknown escape of a Cyrillic letter", "\\Я", "bad escape '\\Я' (use \\\\, \\s or \\xHH)"},
        {"\\x with one digit", "\\x4", "'\\x' needs two hex digits"},
        {"\\x with a non-hex digit", "\\x4G", "'\\x' needs two hex digits"},
        {"backslash at the end", "abc\\",
         "'\\' at the end of a value (write '\\\\' for a backslash)"},
        {"truncated UTF-8", "\xD0", "malformed UTF-8"},
        {"overlong UTF-8", "\xC0\xAF", "malformed UTF-8"},
        {"UTF-16 surrogate", "\xED\xA0\x80", "malformed UTF-8"},
        {"character outside CP1251", "中", "character U+4E2D has no CP1251 form"},
        {"replacement character", "\xEF\xBF\xBD", "character U+FFFD has no CP1251 form"},
        {"C1 control written raw", "\xC2\x98", "character U+0098 has no CP1251 form"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string out = "kept";
        std::string error;
        EXPECT_FALSE(UnescapeDictValue(c.text, out, &error));
        EXPECT_EQ(error, c.error);
        EXPECT_EQ(out, "kept");
    }
    std::string out;
    ASSERT_TRUE(UnescapeDictValue("\\xa0\\xFF?", out, nullptr));
    EXPECT_EQ(out, "\xA0\xFF?");
}

// --- Round trips ----------------------------------------------------------------------------

TEST(DictTextRoundTripTest, ExportThenImportGivesTheSameDictDatBytes) {
    CServiceData data;
    FillRich(data);
    const std::string before = Bytes(data);

    TempFolder folder;
    std::string error;
    ASSERT_TRUE(ExportDictionaries(data, folder.Path(), &error)) << error;
    CServiceData back;
    ASSERT_TRUE(ImportDictionaries(folder.Path(), back, &error)) << error;
    EXPECT_EQ(Bytes(back), before);

    // And a dict.dat read from its bytes goes the same way.
    CArchive in(before);
    CServiceData loaded;
    CScriptedOperator op;
    ASSERT_TRUE(loaded.SerializeAll(in, op));
    std::vector<DictTextFile> files = FormatDictionaries(loaded);
    CServiceData again;
    ASSERT_TRUE(ParseDictionaries(files, again, &error)) << error;
    EXPECT_EQ(Bytes(again), before);
}

TEST(DictTextRoundTripTest, ExportImportExportGivesTheSameFiles) {
    CServiceData data;
    FillRich(data);
    const std::vector<DictTextFile> first = FormatDictionaries(data);
    CServiceData back;
    std::string error;
    ASSERT_TRUE(ParseDictionaries(first, back, &error)) << error;
    const std::vector<DictTextFile> second = FormatDictionaries(back);
    ASSERT_EQ(second.size(), first.size());
    for (std::size_t i = 0; i < first.size(); ++i) {
        EXPECT_EQ(second[i].name, first[i].name);
        EXPECT_EQ(second[i].text, first[i].text);
    }
}

TEST(DictTextRoundTripTest, FilesMatchTheGoldenFiles) {
    CServiceData data;
    FillRich(data);
    const std::vector<DictTextFile> files = FormatDictionaries(data);
    ASSERT_EQ(files.size(), DictTextFileNames().size());
    for (std::size_t i = 0; i < files.size(); ++i) {
        EXPECT_EQ(files[i].name, DictTextFileNames()[i]);
        std::string golden;
        ASSERT_TRUE(ReadFileBytes(GoldenFolder() + "/" + files[i].name, golden)) << files[i].name;
        EXPECT_EQ(files[i].text, golden) << files[i].name;
    }
}

TEST(DictTextRoundTripTest, EmptyDictionariesRoundTrip) {
    CServiceData data;
    const std::vector<DictTextFile> files = FormatDictionaries(data);
    for (const DictTextFile& f : files) // a header comment and nothing else
        EXPECT_EQ(std::count(f.text.begin(), f.text.end(), '\n'), 1) << f.name;
    CServiceData back;
    FillRich(back);
    std::string error;
    ASSERT_TRUE(ParseDictionaries(files, back, &error)) << error;
    EXPECT_EQ(Bytes(back), Bytes(data));
}

TEST(DictTextImportTest, EntriesAreLinkedAndLetterCaseIsExactlyTheFile) {
    const std::vector<DictTextFile> files =
        With("organs.txt", "[body]\nnominative = МИНИСТЕРСТВО ФИНАНСОВ\n"
                           "letter-case = Министерство финансов\n");
    CServiceData data;
    std::string error;
    ASSERT_TRUE(ParseDictionaries(With("kinds.txt", "[kind]\nnominative = УКАЗ\n"), data, &error))
        << error;
    EXPECT_EQ(data.DocDict().GetAt(0).GetUniDict(), &data.UniDict());
    ASSERT_TRUE(ParseDictionaries(files, data, &error)) << error;
    const COrganEntry& body = data.OrganDict().GetAt(0);
    EXPECT_EQ(body.GetUniDict(), &data.UniDict());
    EXPECT_EQ(body.GetUpperCaseDict(), &data.UpperCaseDict());
    EXPECT_EQ(body.LetterCaseName(), "Министерство финансов"_cp);
    // lettercase.txt is empty, and importing teaches nothing by itself...
    EXPECT_EQ(data.UpperCaseDict().GetCount(), 0);
    EXPECT_EQ(data.DocDict().GetCount(), 0);
    // ...until the bodies' names are learned on request.
    LearnBodyLetterCase(data.OrganDict(), data.UpperCaseDict());
    EXPECT_EQ(data.UpperCaseDict().ApplyLetterCase("МИНИСТЕРСТВО ФИНАНСОВ"_cp,
                                                   "МИНИСТЕРСТВОМ ФИНАНСОВ"_cp),
              "Министерством финансов"_cp);
}

TEST(DictTextImportTest, LayoutDetailsDoNotMatter) {
    const std::string plain = "[kind]\nnominative = УКАЗ\ngender = feminine\n\n[alias]\n"
                              "nominative = У К А З\n";
    const std::string loose = "\xEF\xBB\xBF# comment\r\n\r\n  [ kind ]  \r\n"
                              "\tnominative=УКАЗ\r\n   # another comment\r\n"
                              "gender   =   feminine\t\r\n[alias]\r\nnominative =У К А З";
    CServiceData a;
    CServiceData b;
    std::string error;
    ASSERT_TRUE(ParseDictionaries(With("kinds.txt", plain), a, &error)) << error;
    ASSERT_TRUE(ParseDictionaries(With("kinds.txt", loose), b, &error)) << error;
    EXPECT_EQ(Bytes(a), Bytes(b));
    EXPECT_EQ(b.DocDict().GetAt(0).Gender(), GenderFeminine);
    EXPECT_EQ(b.DocDict().GetAt(0).Aliases().at(0).Form(CaseNominative), "У К А З"_cp);
}

TEST(DictTextImportTest, GenderAndQuoteTitleAcceptWordsAndNumbers) {
    CServiceData data;
    std::string error;
    ASSERT_TRUE(
        ParseDictionaries(With("kinds.txt", "[kind]\ngender = neuter\nquote-title = yes\n"
                                            "[kind]\ngender = 1\nquote-title = no\n"
                                            "[kind]\ngender = -4\nquote-title = 2\n[kind]\n"),
                          data, &error))
        << error;
    const CDocDict& k = data.DocDict();
    ASSERT_EQ(k.GetCount(), 4);
    EXPECT_EQ(k.GetAt(0).Gender(), GenderNeuter);
    EXPECT_EQ(k.GetAt(0).QuoteTitle(), 1);
    EXPECT_EQ(k.GetAt(1).Gender(), GenderFeminine);
    EXPECT_EQ(k.GetAt(1).QuoteTitle(), 0);
    EXPECT_EQ(k.GetAt(2).Gender(), -4);
    EXPECT_EQ(k.GetAt(2).QuoteTitle(), 2);
    EXPECT_EQ(k.GetAt(3).Gender(), GenderMasculine);
    EXPECT_EQ(k.GetAt(3).QuoteTitle(), 0);
}

// --- Errors ---------------------------------------------------------------------------------

TEST(DictTextImportTest, ErrorsNameTheFileAndLineAndChangeNothing) {
    struct Case {
        const char* name;
        const char* file;
        std::string text;
        std::string error;
    };
    const std::vector<Case> cases = {
        {"misspelt field", "kinds.txt", "# kinds\n\n[kind]\ngenitve = ЗАКОНА\n",
         "kinds.txt:4: unknown field 'genitve'"},
        {"field that belongs elsewhere", "kinds.txt", "[kind]\n[alias]\ngender = neuter\n",
         "kinds.txt:3: unknown field 'gender'"},
        {"letter case on a kind", "kinds.txt", "[kind]\nletter-case = X\n",
         "kinds.txt:2: unknown field 'letter-case'"},
        {"field given twice", "organs.txt", "[body]\nnominative = А\nnominative = Б\n",
         "organs.txt:3: field 'nominative' given twice"},
        {"field before the first section", "kinds.txt", "nominative = УКАЗ\n",
         "kinds.txt:1: field 'nominative' before the first [section]"},
        {"unknown section", "organs.txt", "[body]\n[organ]\n",
         "organs.txt:2: unknown section '[organ]'"},
        {"section of another file", "kinds.txt", "[body]\n",
         "kinds.txt:1: unknown section '[body]'"},
        {"unclosed section", "unidict.txt", "\n[record\n",
         "unidict.txt:2: section name without ']'"},
        {"line without =", "kinds.txt", "[kind]\nnominative УКАЗ\n",
         "kinds.txt:2: expected 'name = value', a [section] or a # comment"},
        {"alias before the first kind", "kinds.txt", "[alias]\nnominative = А\n",
         "kinds.txt:1: [alias] before the first [kind]"},
        {"alias before the first body", "organs.txt", "\n\n[alias]\n",
         "organs.txt:3: [alias] before the first [body]"},
        {"bad gender", "kinds.txt", "[kind]\ngender = male\n",
         "kinds.txt:2: bad gender 'male' (masculine, feminine, neuter or a number)"},
        {"bad quote-title", "kinds.txt", "[kind]\nquote-title = maybe\n",
         "kinds.txt:2: bad quote-title 'maybe' (yes, no or a number)"},
        {"bad carried integer", "unidict.txt", "[record]\nextra = 1.5\n",
         "unidict.txt:2: bad number '1.5'"},
        {"carried integer out of range", "unidict.txt", "[record]\nextra = 2147483648\n",
         "unidict.txt:2: number '2147483648' is out of range"},
        {"empty code", "themes.txt", "[theme]\ncode =\n", "themes.txt:2: bad number ''"},
        {"theme without a code", "themes.txt", "[theme]\ncode = 1\n\n[theme]\nname = X\n",
         "themes.txt:4: [theme] without a code"},
        {"unknown theme field", "themes.txt", "[theme]\ncode = 1\nparent_code = 2\n",
         "themes.txt:3: unknown field 'parent_code'"},
        {"unknown source field", "sources.txt", "source = А\nsorce = Б\n",
         "sources.txt:2: unknown field 'sorce'"},
        {"section in sources", "sources.txt", "[source]\n",
         "sources.txt:1: unknown section '[source]'"},
        {"word given twice", "lettercase.txt", "РФ = РФ\nБАНК = банк\nРФ = Рф\n",
         "lettercase.txt:3: word 'РФ' given twice"},
        {"bad escape in a word", "lettercase.txt", "\\q = x\n",
         "lettercase.txt:1: bad escape '\\q' (use \\\\, \\s or \\xHH)"},
        {"bad escape in a value", "organs.txt", "[body]\nletter-case = C:\\temp\n",
         "organs.txt:2: bad escape '\\t' (use \\\\, \\s or \\xHH)"},
        {"malformed UTF-8", "sources.txt", "source = \xCF\xF0\xE8\n",
         "sources.txt:1: malformed UTF-8"},
        {"character outside CP1251", "sources.txt", "\n\nsource = 日本\n",
         "sources.txt:3: character U+65E5 has no CP1251 form"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CServiceData data;
        FillRich(data);
        const std::string before = Bytes(data);
        std::string error;
        EXPECT_FALSE(ParseDictionaries(With(c.file, c.text), data, &error));
        EXPECT_EQ(error, c.error);
        EXPECT_EQ(Bytes(data), before);
    }
}

TEST(DictTextImportTest, EveryFileMustBeThere) {
    std::vector<DictTextFile> files = EmptyFiles();
    files.erase(files.begin() + 3);
    CServiceData data;
    std::string error;
    EXPECT_FALSE(ParseDictionaries(files, data, &error));
    EXPECT_EQ(error, "unidict.txt: missing");

    TempFolder folder;
    ASSERT_TRUE(ExportDictionaries(data, folder.Path(), &error)) << error;
    fs::remove(fs::path(folder.Path()) / "themes.txt");
    FillRich(data);
    const std::string before = Bytes(data);
    EXPECT_FALSE(ImportDictionaries(folder.Path(), data, &error));
    EXPECT_EQ(error, "cannot read " + (fs::path(folder.Path()) / "themes.txt").string() +
                         ": No such file or directory");
    EXPECT_EQ(Bytes(data), before);
}

TEST(DictTextExportTest, ExportReportsAFolderItCannotMake) {
    TempFolder folder;
    std::string error;
    ASSERT_TRUE(WriteFileAtomic(folder.Path() + "_file", "x", &error)) << error;
    CServiceData data;
    const std::string blocked = folder.Path() + "_file/sub";
    EXPECT_FALSE(ExportDictionaries(data, blocked, &error));
    EXPECT_EQ(error.rfind("cannot create the folder " + blocked, 0), 0u) << error;
    fs::remove(folder.Path() + "_file");
}

// --- The shipped dictionaries ---------------------------------------------------------------

class ShippedDictionariesTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(ImportDictionaries(ShippedFolder(), m_data, &error)) << error;
    }
    CServiceData m_data;
};

TEST_F(ShippedDictionariesTest, AreInTheFormTheExportWrites) {
    for (const DictTextFile& f : FormatDictionaries(m_data)) {
        std::string shipped;
        ASSERT_TRUE(ReadFileBytes(ShippedFolder() + "/" + f.name, shipped));
        EXPECT_EQ(f.text, shipped) << f.name;
    }
}

// Every case form of the entry and of its aliases is filled and already normalised.
void ExpectEveryFormFilledAndNormalised(const CDictEntry& e) {
    std::vector<CCases> all = e.Aliases();
    all.push_back(e.GetCases());
    for (const CCases& c : all)
        for (int i = 0; i < kCaseCount; ++i) {
            EXPECT_FALSE(c.Form(i).empty()) << i;
            EXPECT_EQ(NormalizeName(c.Form(i)), c.Form(i)) << i;
        }
}

TEST_F(ShippedDictionariesTest, KindsHaveTheFormsTheFindersUse) {
    const CDocDict& kinds = m_data.DocDict();
    EXPECT_GE(kinds.GetCount(), 40);
    for (const CDocKindEntry& e : kinds.Entries()) {
        SCOPED_TRACE(Cp1251ToUtf8(e.Name()));
        ExpectEveryFormFilledAndNormalised(e);
        EXPECT_GE(e.Gender(), GenderMasculine);
        EXPECT_LE(e.Gender(), GenderNeuter);
        EXPECT_TRUE(e.QuoteTitle() == 0 || e.QuoteTitle() == 1);
    }
}

TEST_F(ShippedDictionariesTest, BodiesHaveFormsAndLetterCaseNames) {
    const COrganDict& organs = m_data.OrganDict();
    EXPECT_GE(organs.GetCount(), 80);
    for (const COrganEntry& e : organs.Entries()) {
        SCOPED_TRACE(Cp1251ToUtf8(e.Name()));
        ExpectEveryFormFilledAndNormalised(e);
        EXPECT_EQ(NormalizeName(e.LetterCaseName()), e.Name());
    }
}

TEST_F(ShippedDictionariesTest, LetterCaseIsWhatTheBodiesTeachAndGivesTheirNamesBack) {
    CUpperCaseDict learned;
    LearnBodyLetterCase(m_data.OrganDict(), learned);
    EXPECT_EQ(learned, m_data.UpperCaseDict());
    // No word is spelled two ways, so every body's name comes back as it is spelled.
    for (const COrganEntry& e : m_data.OrganDict().Entries())
        EXPECT_EQ(m_data.UpperCaseDict().ApplyLetterCase(e.Name(), e.Name()), e.LetterCaseName())
            << Cp1251ToUtf8(e.Name());
}

TEST_F(ShippedDictionariesTest, AreSortedAsOpeningADocumentLeavesThem) {
    CDocDict kinds = m_data.DocDict();
    kinds.SortByName();
    EXPECT_EQ(kinds.Entries(), m_data.DocDict().Entries());
    COrganDict organs = m_data.OrganDict();
    organs.SortByName();
    EXPECT_EQ(organs.Entries(), m_data.OrganDict().Entries());
    CSourceDict sources = m_data.SourceDict();
    sources.Sort();
    EXPECT_EQ(sources, m_data.SourceDict());
    EXPECT_GE(sources.GetCount(), 8);
    EXPECT_EQ(m_data.UniDict().GetCount(), 0);
}

TEST_F(ShippedDictionariesTest, ThemesAreTheShippedRubricator) {
    std::string bytes;
    ASSERT_TRUE(
        ReadFileBytes(std::string(NORVAK_SOURCE_DIR) + "/data/rubricator/themes.txt", bytes));
    CTemathicsDict themes;
    CScriptedOperator op;
    EXPECT_EQ(themes.LoadRubricatorBytes(bytes, RubricatorEncoding::Windows, op), 1);
    EXPECT_TRUE(op.Entries().empty());
    EXPECT_EQ(themes, m_data.TemathicsDict());
    EXPECT_EQ(themes.TreeCount(), themes.GetCount()); // every theme is reachable
}

TEST_F(ShippedDictionariesTest, HoldTheKindsAndBodiesOperatorsMeetMost) {
    struct Kind {
        std::string_view name;
        std::string_view instrumental;
        std::int32_t gender;
        std::int32_t quoteTitle;
    };
    const std::vector<Kind> kinds = {
        {"ПОСТАНОВЛЕНИЕ"_cp, "ПОСТАНОВЛЕНИЕМ"_cp, GenderNeuter, 0},
        {"ПРИКАЗ"_cp, "ПРИКАЗОМ"_cp, GenderMasculine, 0},
        {"ПИСЬМО"_cp, "ПИСЬМОМ"_cp, GenderNeuter, 0},
        {"ЗАКОН"_cp, "ЗАКОНОМ"_cp, GenderMasculine, 0},
        {"ФЕДЕРАЛЬНЫЙ ЗАКОН"_cp, "ФЕДЕРАЛЬНЫМ ЗАКОНОМ"_cp, GenderMasculine, 0},
        {"ФЕДЕРАЛЬНЫЙ КОНСТИТУЦИОННЫЙ ЗАКОН"_cp, "ФЕДЕРАЛЬНЫМ КОНСТИТУЦИОННЫМ ЗАКОНОМ"_cp,
         GenderMasculine, 0},
        {"КОДЕКС"_cp, "КОДЕКСОМ"_cp, GenderMasculine, 0},
        {"УКАЗ"_cp, "УКАЗОМ"_cp, GenderMasculine, 0},
        {"РАСПОРЯЖЕНИЕ"_cp, "РАСПОРЯЖЕНИЕМ"_cp, GenderNeuter, 0},
        {"РЕШЕНИЕ"_cp, "РЕШЕНИЕМ"_cp, GenderNeuter, 0},
        {"ОПРЕДЕЛЕНИЕ"_cp, "ОПРЕДЕЛЕНИЕМ"_cp, GenderNeuter, 0},
        {"ПОЛОЖЕНИЕ"_cp, "ПОЛОЖЕНИЕМ"_cp, GenderNeuter, 1},
        {"ИНСТРУКЦИЯ"_cp, "ИНСТРУКЦИЕЙ"_cp, GenderFeminine, 1},
        {"ПРАВИЛА"_cp, "ПРАВИЛАМИ"_cp, GenderNeuter, 1},
        {"ПОРЯДОК"_cp, "ПОРЯДКОМ"_cp, GenderMasculine, 1},
        {"РАЗЪЯСНЕНИЕ"_cp, "РАЗЪЯСНЕНИЕМ"_cp, GenderNeuter, 0},
        {"ИНФОРМАЦИЯ"_cp, "ИНФОРМАЦИЕЙ"_cp, GenderFeminine, 0},
        {"УВЕДОМЛЕНИЕ"_cp, "УВЕДОМЛЕНИЕМ"_cp, GenderNeuter, 0},
        {"ТЕЛЕГРАММА"_cp, "ТЕЛЕГРАММОЙ"_cp, GenderFeminine, 0},
        {"ВОПРОС-ОТВЕТ"_cp, "ВОПРОСОМ-ОТВЕТОМ"_cp, GenderMasculine, 0},
    };
    for (const Kind& k : kinds) {
        SCOPED_TRACE(Cp1251ToUtf8(k.name));
        const CDocKindEntry* found = nullptr;
        for (const CDocKindEntry& e : m_data.DocDict().Entries())
            if (e.Name() == k.name)
                found = &e;
        ASSERT_NE(found, nullptr);
        EXPECT_EQ(found->GetCases().Form(CaseInstrumental), k.instrumental);
        EXPECT_EQ(found->Gender(), k.gender);
        EXPECT_EQ(found->QuoteTitle(), k.quoteTitle);
    }

    // Bodies and their aliases, found by a name as the finders meet it.
    struct Body {
        std::string_view phrase; // nominative of the body or of an alias
        int caseIndex;
        std::string_view form;
        std::string_view spelling; // the body's letter-case name
    };
    const std::vector<Body> bodies = {
        {"ПРЕЗИДЕНТ РОССИЙСКОЙ ФЕДЕРАЦИИ"_cp, CaseAccusative, "ПРЕЗИДЕНТА РОССИЙСКОЙ ФЕДЕРАЦИИ"_cp,
         "Президент Российской Федерации"_cp},
        {"ПРАВИТЕЛЬСТВО РФ"_cp, CaseGenitive, "ПРАВИТЕЛЬСТВА РФ"_cp,
         "Правительство Российской Федерации"_cp},
        {"МИНФИН РОССИИ"_cp, CaseInstrumental, "МИНФИНОМ РОССИИ"_cp,
         "Министерство финансов Российской Федерации"_cp},
        {"МИНФИН РФ"_cp, CaseGenitive, "МИНФИНА РФ"_cp,
         "Министерство финансов Российской Федерации"_cp},
        {"БАНК РОССИИ"_cp, CaseInstrumental, "БАНКОМ РОССИИ"_cp,
         "Центральный банк Российской Федерации"_cp},
        {"ЦБ РФ"_cp, CaseGenitive, "ЦБ РФ"_cp, "Центральный банк Российской Федерации"_cp},
        {"ГОСУДАРСТВЕННАЯ ДУМА"_cp, CaseInstrumental, "ГОСУДАРСТВЕННОЙ ДУМОЙ"_cp,
         "Государственная Дума Федерального Собрания Российской Федерации"_cp},
        {"СОВЕТ ФЕДЕРАЦИИ"_cp, CaseInstrumental, "СОВЕТОМ ФЕДЕРАЦИИ"_cp,
         "Совет Федерации Федерального Собрания Российской Федерации"_cp},
        {"РОССТАТ"_cp, CaseGenitive, "РОССТАТА"_cp,
         "Федеральная служба государственной статистики"_cp},
        {"ФЕДЕРАЛЬНАЯ НАЛОГОВАЯ СЛУЖБА"_cp, CaseInstrumental, "ФЕДЕРАЛЬНОЙ НАЛОГОВОЙ СЛУЖБОЙ"_cp,
         "Федеральная налоговая служба"_cp},
        {"ВЕРХОВНЫЙ СОВЕТ РСФСР"_cp, CaseGenitive, "ВЕРХОВНОГО СОВЕТА РСФСР"_cp,
         "Верховный Совет РСФСР"_cp},
        {"ПРЕЗИДИУМ ВЕРХОВНОГО СОВЕТА РСФСР"_cp, CaseInstrumental,
         "ПРЕЗИДИУМОМ ВЕРХОВНОГО СОВЕТА РСФСР"_cp, "Президиум Верховного Совета РСФСР"_cp},
        {"ГЛАВНЫЙ ГОСУДАРСТВЕННЫЙ САНИТАРНЫЙ ВРАЧ РОССИЙСКОЙ ФЕДЕРАЦИИ"_cp, CaseInstrumental,
         "ГЛАВНЫМ ГОСУДАРСТВЕННЫМ САНИТАРНЫМ ВРАЧОМ РОССИЙСКОЙ ФЕДЕРАЦИИ"_cp,
         "Главный государственный санитарный врач Российской Федерации"_cp},
    };
    for (const Body& b : bodies) {
        SCOPED_TRACE(Cp1251ToUtf8(b.phrase));
        int matches = 0;
        for (const COrganEntry& e : m_data.OrganDict().Entries()) {
            std::vector<CCases> all = e.Aliases();
            all.push_back(e.GetCases());
            for (const CCases& c : all)
                if (c.Form(CaseNominative) == b.phrase) {
                    ++matches;
                    EXPECT_EQ(c.Form(b.caseIndex), b.form);
                    EXPECT_EQ(e.LetterCaseName(), b.spelling);
                }
        }
        EXPECT_EQ(matches, 1);
    }
}

TEST_F(ShippedDictionariesTest, NoPhraseNamesTwoEntries) {
    // A phrase shared by two entries would make the finders report whichever comes first.
    for (bool bodies : {false, true}) {
        std::set<std::string> seen;
        const auto check = [&](const CCases& c) {
            EXPECT_TRUE(seen.insert(c.Form(CaseNominative)).second)
                << Cp1251ToUtf8(c.Form(CaseNominative));
        };
        if (bodies) {
            for (const COrganEntry& e : m_data.OrganDict().Entries()) {
                check(e.GetCases());
                for (const CCases& a : e.Aliases())
                    check(a);
            }
        } else {
            for (const CDocKindEntry& e : m_data.DocDict().Entries()) {
                check(e.GetCases());
                for (const CCases& a : e.Aliases())
                    check(a);
            }
        }
    }
}

} // namespace
} // namespace norvak
