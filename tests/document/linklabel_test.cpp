#include "document/linklabel.h"

#include "core/literal.h"
#include "markup/tags.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace norvak {
namespace {

std::string S(std::string_view s) {
    return std::string(s);
}
const std::string kMarker = "\x04\x04";

std::string Padded(const std::string& head) {
    return head + std::string(66 - head.size(), '-');
}

TEST(LinkKinds, OrderAndDescriptions) {
    const std::string_view codes[] = {"ПОТ"_cp, "ЧОТ"_cp, "ДОП"_cp, "ВИЗ"_cp, "РЕД"_cp,
                                      "НУЛ"_cp, "РАЗ"_cp, "РЕГ"_cp, "ИСП"_cp, "ВСТ"_cp};
    const auto& kinds = LinkKinds();
    ASSERT_EQ(kinds.size(), 10u);
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        EXPECT_EQ(kinds[i].code, codes[i]) << i;
        EXPECT_FALSE(kinds[i].description.empty()) << i;
    }
    EXPECT_EQ(kinds[kDefaultLinkKind].code, "НУЛ"_cp);
    EXPECT_EQ(kinds[kDefaultLinkKind].description, "Нулевая ссылка"_cp);
    EXPECT_EQ(kinds[0].description, "Признает УТРАТИВШИМ СИЛУ следующий документ"_cp);
    EXPECT_EQ(kinds[1].description,
              "Признает УТРАТИВШИМ СИЛУ некоторые положения следующего документа"_cp);
    EXPECT_EQ(kinds[6].description, "РАЗЪЯСНЯЕТ применение следующего документа"_cp);
    EXPECT_EQ(kinds[9].description, "Принят В СООТВЕТСТВИИ со следующим документом"_cp);
}

TEST(LinkLine, Formats) {
    struct Case {
        const char* name;
        LinkFields fields;
        std::string head;
    };
    const Case cases[] = {
        {"nominal: no line number, no keys",
         {0, "1234", "", false, false},
         kMarker + S("СС_ПОТ_1234#"_cp)},
        {"nominal: line number and both keys",
         {3, "7", "15", true, true},
         kMarker + S("СС_ВИЗ_7_15-О-П#"_cp)},
        {"nominal: line number 0 means none",
         {5, "42", "0", false, false},
         kMarker + S("СС_НУЛ_42#"_cp)},
        {"nominal: key П alone", {9, "8", "", false, true}, kMarker + S("СС_ВСТ_8-П#"_cp)},
        {"nominal: key О alone after the line",
         {2, "8", "3", true, false},
         kMarker + S("СС_ДОП_8_3-О#"_cp)},
        {"edge: leading zeros are read as a number",
         {4, "007", "010", false, false},
         kMarker + S("СС_РЕД_7_10#"_cp)},
        {"robustness: huge numbers saturate and still fit",
         {1, "99999999999", "99999999999", true, true},
         kMarker + S("СС_ЧОТ_2147483647_2147483647-О-П#"_cp)},
        {"robustness: a kind out of range is the null link",
         {12, "1", "", false, false},
         kMarker + S("СС_НУЛ_1#"_cp)},
    };
    for (const Case& c : cases) {
        const std::string line = BuildLinkLine(c.fields);
        EXPECT_EQ(line, Padded(c.head) + "\n") << c.name;
        EXPECT_EQ(line.size(), 67u) << c.name;
        EXPECT_TRUE(IsLinkLine(line.substr(0, 66))) << c.name;
    }
}

TEST(LinkDialog, Rules) {
    LinkFields fields;
    EXPECT_EQ(fields.kind, kDefaultLinkKind);
    EXPECT_FALSE(IsLinkOkEnabled(fields)) << "OK is disabled on opening";
    fields.lineNumber = "12";
    EXPECT_FALSE(IsLinkOkEnabled(fields)) << "a line number alone does not enable OK";
    fields.documentNumber = "5";
    EXPECT_TRUE(IsLinkOkEnabled(fields));

    EXPECT_TRUE(IsDigitsOnly("0123456789"));
    EXPECT_TRUE(IsDigitsOnly(""));
    EXPECT_FALSE(IsDigitsOnly("12a"));
    EXPECT_FALSE(IsDigitsOnly("-1"));
    EXPECT_FALSE(IsDigitsOnly(" 1"));
    EXPECT_FALSE(IsDigitsOnly("１")); // a full-width digit in UTF-8
}

TEST(LabelLine, SixtySixCharactersForEveryNumber) {
    for (int n : {1, 9, 10, 12, 99, 100, 12345, 999999, INT_MAX}) {
        const std::string text = BuildLabelText(n);
        ASSERT_GE(text.size(), 2u);
        EXPECT_EQ(text.front(), '\n') << n;
        EXPECT_EQ(text.back(), '\n') << n;
        const std::string line = text.substr(1, text.size() - 2);
        EXPECT_EQ(line.size(), 66u) << n;
        EXPECT_EQ(line, Padded(kMarker + S("МЕТ"_cp) + std::to_string(n) + "#")) << n;
        EXPECT_TRUE(IsLabelLine(line)) << n;
        EXPECT_TRUE(IsTagLine(line)) << n;
    }
}

TEST(LabelDialog, Rules) {
    struct Case {
        const char* name;
        std::string text;
        LabelCheck check;
        int number;
    };
    const Case cases[] = {
        {"nominal: a number", "12", LabelCheck::Ok, 12},
        {"nominal: leading zeros", "007", LabelCheck::Ok, 7},
        {"edge: zero", "0", LabelCheck::Zero, -1},
        {"edge: zeros", "000", LabelCheck::Zero, -1},
        {"edge: negative counts as not greater than 0", "-3", LabelCheck::Zero, -1},
        {"robustness: empty", "", LabelCheck::NotInteger, -1},
        {"robustness: letters", "12a", LabelCheck::NotInteger, -1},
        {"robustness: too large for an int", "99999999999", LabelCheck::NotInteger, -1},
        {"edge: surrounding spaces", " 5 ", LabelCheck::Ok, 5},
    };
    for (const Case& c : cases) {
        int number = -1;
        EXPECT_EQ(CheckLabelNumber(c.text, number), c.check) << c.name;
        EXPECT_EQ(number, c.number) << c.name;
    }
    EXPECT_FALSE(IsLabelOkEnabled(""));
    EXPECT_TRUE(IsLabelOkEnabled("0"));
    EXPECT_EQ(LabelZeroMessage(), "Вы должны задать число большее 0!"_cp);
}

} // namespace
} // namespace norvak
