// The labelled acts: every real, composed and portal document whose right requisites are
// written in tests/data/requisites/labels.txt, opened as an operator opens it (the text road,
// the shipped dictionaries, default settings) and scored field by field with the extended
// detection off and on. A document that is right must stay right; the table printed shows
// where each stands.

#include "analyzerfixture.h"
#include "core/codepage.h"
#include "core/operatorio.h"
#include "core/progress.h"
#include "core/textfile.h"
#include "dictionaries/servicedata.h"
#include "document/openroad.h"
#include "document/settings.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <sstream>

namespace norvak::test {
namespace {

const std::string kData = NORVAK_TEST_DATA;

struct Label {
    std::string file;
    std::vector<std::string> kinds, organs, dates, numbers; // UTF-8
    std::string title;
};

std::string Trim(const std::string& s) {
    const std::size_t b = s.find_first_not_of(' ');
    if (b == std::string::npos)
        return {};
    return s.substr(b, s.find_last_not_of(' ') - b + 1);
}

// Runs of white space, line breaks included, as one space; none at the ends.
std::string OneSpaced(const std::string& s) {
    std::string out;
    for (char c : s) {
        const bool space = c == ' ' || c == '\n' || c == '\r' || c == '\t';
        if (space && (out.empty() || out.back() == ' '))
            continue;
        out += space ? ' ' : c;
    }
    return Trim(out);
}

std::vector<std::string> SplitList(const std::string& field) {
    std::vector<std::string> items;
    if (Trim(field) == "-")
        return items;
    std::stringstream in(field);
    for (std::string item; std::getline(in, item, ';');)
        items.push_back(Trim(item));
    return items;
}

std::vector<Label> ReadLabels() {
    std::string bytes;
    EXPECT_TRUE(ReadFileBytes(kData + "/requisites/labels.txt", bytes));
    std::vector<Label> labels;
    std::stringstream in(bytes);
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        std::vector<std::string> f;
        for (std::size_t b = 0;;) {
            const std::size_t e = line.find(" | ", b);
            f.push_back(line.substr(b, e == std::string::npos ? std::string::npos : e - b));
            if (e == std::string::npos)
                break;
            b = e + 3;
        }
        EXPECT_EQ(f.size(), 6u) << line;
        if (f.size() != 6)
            continue;
        labels.push_back({Trim(f[0]), SplitList(f[1]), SplitList(f[2]), SplitList(f[3]),
                          SplitList(f[4]), OneSpaced(f[5])});
    }
    return labels;
}

enum Field { FieldKind, FieldBody, FieldDate, FieldNumber, FieldTitle, FieldCount };
using Score = std::array<bool, FieldCount>;

bool AllRight(const Score& s) {
    return s[FieldKind] && s[FieldBody] && s[FieldDate] && s[FieldNumber] && s[FieldTitle];
}

Score Judge(const Label& label, const CRequisiteRecord& record) {
    Score s{};
    std::vector<std::string> kinds = U(record.m_kinds);
    // A code adopted by a federal law may carry that kind beside its own.
    if (!label.kinds.empty() && label.kinds[0] == "КОДЕКС" && kinds.size() > 1)
        std::erase(kinds, std::string("ФЕДЕРАЛЬНЫЙ ЗАКОН"));
    s[FieldKind] = kinds == label.kinds;
    s[FieldBody] = U(record.m_organs) == label.organs;
    s[FieldDate] = Dates(record.m_adoptionDates) == label.dates;
    s[FieldNumber] = U(record.m_numbers) == label.numbers;
    s[FieldTitle] = OneSpaced(U(record.m_title)) == label.title;
    return s;
}

CRequisiteRecord Open(const std::string& file, bool extended) {
    CServiceData sd;
    CScriptedOperator op(Answer::No);
    EXPECT_TRUE(sd.Load(NORVAK_BUILT_DICT, op));
    DocSettings settings;
    settings.extendedRecvisits = extended ? 1 : 0;
    OpenOptions options;
    options.type = FileType::Text;
    options.encoding =
        file.find(".cp1251.") != std::string::npos ? Encoding::Windows : Encoding::Dos;
    const OpenedDocument doc =
        OpenDocument(kData + "/" + file, options, settings, sd, NullProgress(), op);
    EXPECT_TRUE(doc.ok) << file;
    return doc.record;
}

std::string Marks(const Score& s) {
    std::string m;
    for (bool right : s)
        m += right ? '+' : '-';
    return m;
}

// The documents that are right on every field with the extended detection: none of them may
// go wrong. The two codes of the RSFSR left out name no date of adoption in their text.
const std::vector<std::string> kRight = {
    "samples/composed_polozhenie_utverzhdeno.cp866.txt",
    "samples/composed_postanovlenie_tablica.cp866.txt",
    "samples/composed_vopros_otvet.cp866.txt",
    "samples/ips102038209_rf_vodnyj_1995_167fz.cp866.txt",
    "samples/ips102045461_rf_lesnoj_1997_22fz.cp866.txt",
    "samples/ips_102066375_fz_2000_82fz_mrot.cp1251.txt",
    "samples/ips_fz_1996_10fz_profsojuzy.cp1251.txt",
    "portal/vozdushnyj_kodeks_1997_102046246.cp1251.txt",
    "portal/ktm_1999_102059464.cp1251.txt",
    "portal/zemelnyj_kodeks_2001_102073184.cp1251.txt",
    "portal/kas_2015_102380990.cp1251.txt",
    "portal/gk1_1994_102033239.cp1251.txt",
    "portal/uk_1996_102041891.cp1251.txt",
};

TEST(LabelledActs, RightDocumentsStayRightAndNoFieldGetsWorse) {
    const std::vector<Label> labels = ReadLabels();
    ASSERT_EQ(labels.size(), 15u);
    int rightOff = 0, rightOn = 0;
    std::array<int, FieldCount> fieldsOn{};
    std::printf("kind body date number title (off / on)\n");
    for (const Label& label : labels) {
        SCOPED_TRACE(label.file);
        const Score off = Judge(label, Open(label.file, false));
        const CRequisiteRecord record = Open(label.file, true);
        const Score on = Judge(label, record);
        rightOff += AllRight(off);
        rightOn += AllRight(on);
        for (int f = 0; f < FieldCount; ++f) {
            fieldsOn[static_cast<std::size_t>(f)] += on[static_cast<std::size_t>(f)];
            EXPECT_FALSE(off[static_cast<std::size_t>(f)] && !on[static_cast<std::size_t>(f)])
                << "field " << f << " went wrong with the extended detection";
        }
        const bool expected = std::find(kRight.begin(), kRight.end(), label.file) != kRight.end();
        if (expected) {
            EXPECT_TRUE(AllRight(on))
                << "kinds " << ::testing::PrintToString(U(record.m_kinds)) << " bodies "
                << ::testing::PrintToString(U(record.m_organs)) << " dates "
                << ::testing::PrintToString(Dates(record.m_adoptionDates)) << " numbers "
                << ::testing::PrintToString(U(record.m_numbers)) << " title " << U(record.m_title);
        }
        std::printf("  %s  %s  %s\n", Marks(off).c_str(), Marks(on).c_str(), label.file.c_str());
    }
    std::printf("all right: %d of %zu off, %d of %zu on; fields right on: kind %d, body %d, "
                "date %d, number %d, title %d\n",
                rightOff, labels.size(), rightOn, labels.size(), fieldsOn[FieldKind],
                fieldsOn[FieldBody], fieldsOn[FieldDate], fieldsOn[FieldNumber],
                fieldsOn[FieldTitle]);
    EXPECT_EQ(rightOn, static_cast<int>(kRight.size()));
}

} // namespace
} // namespace norvak::test
