#include "requisites/datevalue.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

namespace norvak {
namespace {

struct Parts {
    int year, month, day, hour, minute, second;
};

void ExpectParts(const CDateValue& d, const Parts& p) {
    EXPECT_EQ(d.Year(), p.year);
    EXPECT_EQ(d.Month(), p.month);
    EXPECT_EQ(d.Day(), p.day);
    EXPECT_EQ(d.Hour(), p.hour);
    EXPECT_EQ(d.Minute(), p.minute);
    EXPECT_EQ(d.Second(), p.second);
}

struct AnchorCase {
    const char* name;
    Parts parts;
    double value;
};

// Known automation-date values; before the epoch the time of day is counted away from zero.
const AnchorCase kAnchors[] = {
    {"nominal: epoch", {1899, 12, 30, 0, 0, 0}, 0.0},
    {"nominal: day after epoch", {1899, 12, 31, 0, 0, 0}, 1.0},
    {"nominal: 1.1.1900", {1900, 1, 1, 0, 0, 0}, 2.0},
    {"nominal: 1.3.1900, 1900 has no 29 February", {1900, 3, 1, 0, 0, 0}, 61.0},
    {"nominal: 1.1.2000", {2000, 1, 1, 0, 0, 0}, 36526.0},
    {"nominal: 29.2.2000 exists in a 400-year", {2000, 2, 29, 0, 0, 0}, 36585.0},
    {"nominal: 1.3.2000", {2000, 3, 1, 0, 0, 0}, 36586.0},
    {"nominal: noon", {2002, 12, 1, 12, 0, 0}, 37591.5},
    {"nominal: six in the morning", {1900, 1, 1, 6, 0, 0}, 2.25},
    {"boundary: first valid day", {100, 1, 1, 0, 0, 0}, -657434.0},
    {"boundary: last valid day", {9999, 12, 31, 0, 0, 0}, 2958465.0},
    {"before epoch: day before", {1899, 12, 29, 0, 0, 0}, -1.0},
    {"before epoch: fraction counts forward within the day", {1899, 12, 29, 6, 0, 0}, -1.25},
    {"before epoch: evening", {1899, 12, 29, 18, 0, 0}, -1.75},
    {"before epoch: 1.1.1800 noon", {1800, 1, 1, 12, 0, 0}, -36522.5},
    {"before epoch: 1.1.1000 01:01:01", {1000, 1, 1, 1, 1, 1}, -328716.0 - (3661.0 / 86400.0)},
};

TEST(DateValue, AnchorsFromParts) {
    for (const AnchorCase& c : kAnchors) {
        SCOPED_TRACE(c.name);
        const Parts& p = c.parts;
        CDateValue d(p.year, p.month, p.day, p.hour, p.minute, p.second);
        ASSERT_TRUE(d.IsValid());
        EXPECT_DOUBLE_EQ(d.Value(), c.value);
    }
}

TEST(DateValue, AnchorsFromDouble) {
    for (const AnchorCase& c : kAnchors) {
        SCOPED_TRACE(c.name);
        CDateValue d = CDateValue::FromDouble(c.value);
        ASSERT_TRUE(d.IsValid());
        ExpectParts(d, c.parts);
    }
}

TEST(DateValue, NegativeZeroFractionIsTheEpochDay) {
    // -0.5: integer part 0 is the epoch day, the fraction its noon.
    ExpectParts(CDateValue::FromDouble(-0.5), {1899, 12, 30, 12, 0, 0});
}

TEST(DateValue, TimeRoundsToTheSecondAndCarriesIntoTheNextDay) {
    ExpectParts(CDateValue::FromDouble(2.0 + 0.4 / 86400), {1900, 1, 1, 0, 0, 0});
    ExpectParts(CDateValue::FromDouble(2.0 + 1.6 / 86400), {1900, 1, 1, 0, 0, 2});
    ExpectParts(CDateValue::FromDouble(2.9999999999), {1900, 1, 2, 0, 0, 0});
    // Before the epoch the carry also moves to the following calendar day.
    ExpectParts(CDateValue::FromDouble(-1.9999999999), {1899, 12, 30, 0, 0, 0});
    // At the very end of the range the carry is held back rather than leave year 9999.
    ExpectParts(CDateValue::FromDouble(2958465.99999999), {9999, 12, 31, 23, 59, 59});
}

struct ValidityCase {
    const char* name;
    Parts parts;
    bool valid;
};

const ValidityCase kValidity[] = {
    {"nominal: ordinary date", {2002, 12, 1, 0, 0, 0}, true},
    {"leap: 29.2.2000 (divisible by 400)", {2000, 2, 29, 0, 0, 0}, true},
    {"leap: 29.2.2004", {2004, 2, 29, 0, 0, 0}, true},
    {"leap: 29.2.1900 (century, not 400)", {1900, 2, 29, 0, 0, 0}, false},
    {"leap: 29.2.2001", {2001, 2, 29, 0, 0, 0}, false},
    {"leap: 29.2.400 before the epoch", {400, 2, 29, 0, 0, 0}, true},
    {"leap: 29.2.100", {100, 2, 29, 0, 0, 0}, false},
    {"day: 31 April does not roll over", {2002, 4, 31, 0, 0, 0}, false},
    {"day: 31 March", {2002, 3, 31, 0, 0, 0}, true},
    {"day: 0", {2002, 3, 0, 0, 0, 0}, false},
    {"day: 32", {2002, 1, 32, 0, 0, 0}, false},
    {"month: 0", {2002, 0, 1, 0, 0, 0}, false},
    {"month: 13", {2002, 13, 1, 0, 0, 0}, false},
    {"month: negative", {2002, -1, 1, 0, 0, 0}, false},
    {"year: 100 is the first", {100, 1, 1, 0, 0, 0}, true},
    {"year: 99", {99, 12, 31, 0, 0, 0}, false},
    {"year: 0 (two-digit years are not widened)", {0, 1, 1, 0, 0, 0}, false},
    {"year: 9999 is the last", {9999, 12, 31, 23, 59, 59}, true},
    {"year: 10000", {10000, 1, 1, 0, 0, 0}, false},
    {"time: 23:59:59", {2002, 1, 1, 23, 59, 59}, true},
    {"time: hour 24", {2002, 1, 1, 24, 0, 0}, false},
    {"time: minute 60", {2002, 1, 1, 0, 60, 0}, false},
    {"time: second 60", {2002, 1, 1, 0, 0, 60}, false},
    {"time: negative hour", {2002, 1, 1, -1, 0, 0}, false},
    {"time: negative second", {2002, 1, 1, 0, 0, -1}, false},
};

TEST(DateValue, ValidityOfParts) {
    for (const ValidityCase& c : kValidity) {
        SCOPED_TRACE(c.name);
        const Parts& p = c.parts;
        EXPECT_EQ(IsValidParts(p.year, p.month, p.day, p.hour, p.minute, p.second), c.valid);
        CDateValue d(p.year, p.month, p.day, p.hour, p.minute, p.second);
        EXPECT_EQ(d.GetStatus(), c.valid ? CDateValue::Status::Valid : CDateValue::Status::Invalid);
    }
}

TEST(DateValue, FromDoubleOutsideTheValidYearsIsInvalid) {
    EXPECT_TRUE(CDateValue::FromDouble(-657434.0).IsValid());
    // Below the epoch the integer part names the day: -657434.99 is still 1.1.100.
    EXPECT_TRUE(CDateValue::FromDouble(-657434.99).IsValid());
    EXPECT_FALSE(CDateValue::FromDouble(-657435.0).IsValid());
    EXPECT_TRUE(CDateValue::FromDouble(2958465.99).IsValid());
    EXPECT_FALSE(CDateValue::FromDouble(2958466.0).IsValid());
    EXPECT_FALSE(CDateValue::FromDouble(std::nan("")).IsValid());
    EXPECT_FALSE(CDateValue::FromDouble(INFINITY).IsValid());
    // A status given explicitly is kept.
    EXPECT_EQ(CDateValue::FromDouble(5.0, CDateValue::Status::Null).GetStatus(),
              CDateValue::Status::Null);
}

TEST(DateValue, EqualityIsByValueAndOnlyBetweenValidDates) {
    EXPECT_EQ(CDateValue(2002, 12, 1), CDateValue(2002, 12, 1));
    EXPECT_NE(CDateValue(2002, 12, 1), CDateValue(2002, 12, 1, 1, 1, 1));
    EXPECT_NE(CDateValue(2002, 12, 1), CDateValue(2002, 12, 2));
    const CDateValue invalid(2002, 13, 1);
    EXPECT_FALSE(invalid == invalid);
    EXPECT_NE(CDateValue(2002, 13, 1), CDateValue(2002, 13, 1));
    EXPECT_FALSE(CDateValue::Null() == CDateValue::Null());
    // Invalid and null dates hold value 0 but do not equal the valid epoch.
    EXPECT_NE(invalid, CDateValue());
    EXPECT_NE(CDateValue::Null(), CDateValue());
}

TEST(DateValue, NoDateIsAValidDateOfTheYear1000) {
    const CDateValue d = NoDate();
    ASSERT_TRUE(d.IsValid());
    ExpectParts(d, {1000, 1, 1, 1, 1, 1});
    EXPECT_TRUE(IsNoDate(d));
    EXPECT_FALSE(IsNoDate(CDateValue(1000, 1, 1)));
    EXPECT_FALSE(IsNoDate(CDateValue::Null()));
    EXPECT_EQ(FormatDate(d), "01.01.1000");
}

TEST(DateValue, Format) {
    struct Case {
        const char* name;
        CDateValue date;
        const char* text;
    };
    const Case cases[] = {
        {"nominal: leading zeros", CDateValue(2002, 1, 5), "05.01.2002"},
        {"nominal: time of day not shown", CDateValue(2002, 12, 31, 23, 59, 59), "31.12.2002"},
        {"nominal: before the epoch", CDateValue::FromDouble(-1.25), "29.12.1899"},
        {"boundary: four-digit year for year 100", CDateValue(100, 1, 1), "01.01.0100"},
        {"boundary: last day", CDateValue(9999, 12, 31), "31.12.9999"},
        {"status: null gives empty", CDateValue::Null(), ""},
        {"status: invalid", CDateValue(2002, 2, 30), "Invalid DateTime"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(FormatDate(c.date), c.text);
    }
}

TEST(DateValue, Parse) {
    struct Case {
        const char* name;
        const char* text;
        bool accepted;
        CDateValue::Status status; // of the result when accepted
        const char* formatted;     // of the result when accepted and valid
    };
    using S = CDateValue::Status;
    const Case cases[] = {
        {"nominal", "01.12.2002", true, S::Valid, "01.12.2002"},
        {"nominal: leap day", "29.02.2000", true, S::Valid, "29.02.2000"},
        {"nine bytes rejected", "1.12.2002", false, S::Valid, ""},
        {"eleven bytes rejected", "01.12.20021", false, S::Valid, ""},
        {"dashes rejected", "01-12-2002", false, S::Valid, ""},
        {"dot misplaced rejected", "011.2.2002", false, S::Valid, ""},
        {"empty rejected", "", false, S::Valid, ""},
        {"month 13 accepted as invalid", "01.13.2002", true, S::Invalid, ""},
        {"29 February of a common year accepted as invalid", "29.02.1900", true, S::Invalid, ""},
        {"day 00 accepted as invalid", "00.12.2002", true, S::Invalid, ""},
        {"letters read as 0: invalid", "ab.cd.efgh", true, S::Invalid, ""},
        {"leading integer: trailing junk ignored", "1x.12.2002", true, S::Valid, "01.12.2002"},
        {"leading integer: leading space skipped", " 1.12.2002", true, S::Valid, "01.12.2002"},
        {"leading integer: year with junk", "01.12.20x2", true, S::Invalid, ""},
        {"leading integer: year 0100", "01.01.0100", true, S::Valid, "01.01.0100"},
        {"negative day is invalid", "-1.12.2002", true, S::Invalid, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CDateValue out = CDateValue::FromDouble(12345.0);
        EXPECT_EQ(ParseDate(c.text, out), c.accepted);
        if (!c.accepted) {
            EXPECT_EQ(out.Value(), 12345.0); // untouched
            EXPECT_TRUE(out.IsValid());
            continue;
        }
        EXPECT_EQ(out.GetStatus(), c.status);
        if (c.status == S::Valid) {
            EXPECT_EQ(FormatDate(out), c.formatted);
            EXPECT_EQ(out.Hour() + out.Minute() + out.Second(), 0);
        }
    }
}

TEST(DateValue, ParseAcceptsTheTwoDigitYearAsInvalid) {
    // "01.12.02xx" is ten bytes; the year is 2 and out of range.
    CDateValue out;
    ASSERT_TRUE(ParseDate("01.12.02xx", out));
    EXPECT_FALSE(out.IsValid());
}

// Every valid date survives parts -> value -> parts, and days next to each other are one apart.
TEST(DateValue, PropertyPartsRoundTripOverTheWholeRange) {
    std::mt19937 rng(20240611);
    std::uniform_int_distribution<int> year(100, 9999), month(1, 12), day(1, 31), hour(0, 23),
        minsec(0, 59);
    int checked = 0;
    while (checked < 200000) {
        const Parts p{year(rng), month(rng), day(rng), hour(rng), minsec(rng), minsec(rng)};
        if (!IsValidParts(p.year, p.month, p.day, p.hour, p.minute, p.second))
            continue;
        ++checked;
        const CDateValue d(p.year, p.month, p.day, p.hour, p.minute, p.second);
        ASSERT_TRUE(d.IsValid());
        const CDateValue back = CDateValue::FromDouble(d.Value());
        ASSERT_TRUE(back.IsValid()) << d.Value();
        ASSERT_EQ(back.Year(), p.year) << d.Value();
        ASSERT_EQ(back.Month(), p.month) << d.Value();
        ASSERT_EQ(back.Day(), p.day) << d.Value();
        ASSERT_EQ(back.Hour(), p.hour) << d.Value();
        ASSERT_EQ(back.Minute(), p.minute) << d.Value();
        ASSERT_EQ(back.Second(), p.second) << d.Value();
        // The day count is the integer part of the value, whatever the side of the epoch.
        const CDateValue midnight(p.year, p.month, p.day);
        ASSERT_EQ(std::trunc(d.Value()), midnight.Value());
        // Parse and format agree.
        CDateValue parsed;
        ASSERT_TRUE(ParseDate(FormatDate(d), parsed));
        ASSERT_EQ(parsed, midnight);
    }
}

// Walking day by day across the whole range visits every calendar day exactly once.
TEST(DateValue, PropertyConsecutiveDaysAreOneApart) {
    double expected = -657434.0;
    for (int y = 100; y <= 9999; ++y)
        for (int m = 1; m <= 12; ++m) {
            ASSERT_EQ(CDateValue(y, m, 1).Value(), expected) << m << "." << y;
            int length = 28;
            while (length < 31 && CDateValue(y, m, length + 1).IsValid())
                ++length;
            expected += length;
        }
    EXPECT_EQ(expected, 2958466.0);
}

} // namespace
} // namespace norvak
