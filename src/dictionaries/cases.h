#pragma once
// CCases: the six grammatical case forms of one name and the integer carried with them; the
// value type of every dictionary entry and alias.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace norvak {

class CArchive;

// Index of a form in CCases.
enum CaseIndex : int {
    CaseNominative = 0,
    CaseGenitive = 1,
    CaseDative = 2,
    CaseAccusative = 3,
    CaseInstrumental = 4,
    CasePrepositional = 5,
};
inline constexpr int kCaseCount = 6;

// The case forms of one name (CP1251, held normalised by the dictionaries) and an integer
// that no operation interprets but every copy and every save keeps.
class CCases {
public:
    CCases() = default;

    // A copy of form i; 0 <= i < kCaseCount is the caller's business.
    std::string GetForm(int i) const { return m_forms[static_cast<std::size_t>(i)]; }
    // Form i without a copy, for searches that only read it.
    const std::string& Form(int i) const { return m_forms[static_cast<std::size_t>(i)]; }
    void SetForm(int i, std::string_view s) { m_forms[static_cast<std::size_t>(i)] = s; }

    std::int32_t GetValue() const { return m_value; }
    void SetValue(std::int32_t v) { m_value = v; }

    // Stores the six forms and the integer, or loads them (replacing the current values);
    // a read error leaves a mix of new and old values and reaches the caller as
    // CArchiveException.
    void Serialize(CArchive& ar);

    bool operator==(const CCases&) const = default;

private:
    std::array<std::string, kCaseCount> m_forms;
    std::int32_t m_value = 0;
};

} // namespace norvak
