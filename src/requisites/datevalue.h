#pragma once
// The date of a requisite: an OLE automation date (days since 30 December 1899, the fraction
// being the time of day) with a validity status.

#include <string>
#include <string_view>

namespace norvak {

// A calendar date and time of day as the requisites hold it.
class CDateValue {
public:
    enum class Status { Valid, Invalid, Null };

    CDateValue() = default; // valid, value 0 (30.12.1899 00:00:00)
    // Built from parts; Invalid when the parts are rejected (see IsValidParts).
    CDateValue(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);
    // A value outside 1.1.100 to 31.12.9999 (or not a number) asked to be valid comes out Invalid.
    static CDateValue FromDouble(double value, Status status = Status::Valid);
    static CDateValue Null();

    double Value() const { return m_value; }
    Status GetStatus() const { return m_status; }
    bool IsValid() const { return m_status == Status::Valid; }

    // Parts of a valid date (undefined content for invalid or null ones).
    int Year() const;
    int Month() const;
    int Day() const;
    int Hour() const;
    int Minute() const;
    int Second() const;

    // Equal when both are valid and their values are equal; an invalid or null date equals
    // nothing, not even another invalid one.
    bool operator==(const CDateValue& other) const;

private:
    double m_value = 0.0;
    Status m_status = Status::Valid;
};

// The days of month (1..12) in year of the Gregorian calendar.
int DaysInMonth(int year, int month);

// 1 <= month <= 12, 1 <= day <= days of that month, time in range, 100 <= year <= 9999.
bool IsValidParts(int year, int month, int day, int hour, int minute, int second);

// 1 January 1000, 01:01:01: the absent single date.
CDateValue NoDate();
bool IsNoDate(const CDateValue& d);

// Exactly "dd.mm.yyyy": false and out untouched otherwise; the date may come out invalid.
bool ParseDate(std::string_view text, CDateValue& out);
// "%d.%m.%Y"; "" for a null date; "Invalid DateTime" for an invalid one.
std::string FormatDate(const CDateValue& d);

} // namespace norvak
