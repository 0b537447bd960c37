#include "requisites/datevalue.h"

#include "core/textcore.h"

#include <cmath>
#include <cstdio>

namespace norvak {

namespace {

constexpr long long kSecondsPerDay = 86400;

// Days from 1 January 1970 of a date of the proleptic Gregorian calendar (any year).
long long DaysFromCivil(long long y, int m, int d) {
    y -= m <= 2 ? 1 : 0;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

struct CivilDate {
    long long year;
    int month;
    int day;
};

CivilDate CivilFromDays(long long z) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    const int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    return {yoe + era * 400 + (m <= 2 ? 1 : 0), m, d};
}

// Day number of the automation-date epoch, 30 December 1899.
const long long kEpochDays = DaysFromCivil(1899, 12, 30);

// The automation-date range the valid years cover: 1.1.100 up to the end of 31.12.9999.
const double kMinValue = static_cast<double>(DaysFromCivil(100, 1, 1) - kEpochDays);
const double kMaxValue = static_cast<double>(DaysFromCivil(9999, 12, 31) - kEpochDays + 1);

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

// The broken-down form of an automation date, rounded to the second.
struct DateParts {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

// The integer part counts days from the epoch (backwards for negative values); the fraction,
// taken as positive whatever the sign, is the time of day: -1.25 is 29.12.1899 06:00.
DateParts Decompose(double value) {
    DateParts p;
    if (!std::isfinite(value) || value < kMinValue - 1 || value > kMaxValue + 1)
        return p;
    double whole = std::trunc(value);
    long long days = static_cast<long long>(whole);
    long long secs = std::llround(std::fabs(value - whole) * kSecondsPerDay);
    if (secs >= kSecondsPerDay) {
        // Rounded up to midnight: the next calendar day, unless that leaves the range.
        if (static_cast<double>(days + 1) < kMaxValue) {
            secs -= kSecondsPerDay;
            ++days;
        } else {
            secs = kSecondsPerDay - 1;
        }
    }
    const CivilDate c = CivilFromDays(days + kEpochDays);
    p.year = static_cast<int>(c.year);
    p.month = c.month;
    p.day = c.day;
    p.hour = static_cast<int>(secs / 3600);
    p.minute = static_cast<int>(secs / 60 % 60);
    p.second = static_cast<int>(secs % 60);
    return p;
}

} // namespace

int DaysInMonth(int year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month == 2 && IsLeapYear(year))
        return 29;
    return kDays[month - 1];
}

bool IsValidParts(int year, int month, int day, int hour, int minute, int second) {
    if (year < 100 || year > 9999 || month < 1 || month > 12)
        return false;
    if (day < 1 || day > DaysInMonth(year, month))
        return false;
    return hour >= 0 && hour <= 23 && minute >= 0 && minute <= 59 && second >= 0 && second <= 59;
}

CDateValue::CDateValue(int year, int month, int day, int hour, int minute, int second) {
    if (!IsValidParts(year, month, day, hour, minute, second)) {
        m_status = Status::Invalid;
        return;
    }
    const long long days = DaysFromCivil(year, month, day) - kEpochDays;
    const double time = static_cast<double>(hour * 3600 + minute * 60 + second) /
                        static_cast<double>(kSecondsPerDay);
    // Before the epoch the time of day is added away from zero.
    m_value = days >= 0 ? static_cast<double>(days) + time : static_cast<double>(days) - time;
}

CDateValue CDateValue::FromDouble(double value, Status status) {
    CDateValue d;
    d.m_value = value;
    d.m_status = status;
    // A value outside the valid years (or not a number at all) cannot be a valid date. Below
    // the epoch the integer part names the day, so anything above kMinValue - 1 is still 1.1.100.
    if (status == Status::Valid && !(value > kMinValue - 1 && value < kMaxValue))
        d.m_status = Status::Invalid;
    return d;
}

CDateValue CDateValue::Null() {
    CDateValue d;
    d.m_status = Status::Null;
    return d;
}

int CDateValue::Year() const {
    return Decompose(m_value).year;
}
int CDateValue::Month() const {
    return Decompose(m_value).month;
}
int CDateValue::Day() const {
    return Decompose(m_value).day;
}
int CDateValue::Hour() const {
    return Decompose(m_value).hour;
}
int CDateValue::Minute() const {
    return Decompose(m_value).minute;
}
int CDateValue::Second() const {
    return Decompose(m_value).second;
}

bool CDateValue::operator==(const CDateValue& other) const {
    return IsValid() && other.IsValid() && m_value == other.m_value;
}

CDateValue NoDate() {
    return CDateValue(1000, 1, 1, 1, 1, 1);
}

bool IsNoDate(const CDateValue& d) {
    return d == NoDate();
}

bool ParseDate(std::string_view text, CDateValue& out) {
    if (text.size() != 10 || text[2] != '.' || text[5] != '.')
        return false;
    const int day = LeadingInt(text.substr(0, 2));
    const int month = LeadingInt(text.substr(3, 2));
    const int year = LeadingInt(text.substr(6, 4));
    out = CDateValue(year, month, day);
    return true;
}

std::string FormatDate(const CDateValue& d) {
    switch (d.GetStatus()) {
    case CDateValue::Status::Null:
        return {};
    case CDateValue::Status::Invalid:
        return "Invalid DateTime";
    case CDateValue::Status::Valid:
        break;
    }
    const DateParts p = Decompose(d.Value());
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d.%02d.%04d", p.day, p.month, p.year);
    return buf;
}

} // namespace norvak
