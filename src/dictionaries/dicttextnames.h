#pragma once
// The names the text form of the dictionaries writes and reads: its six files, the case forms'
// fields and the kinds' genders.

#include "dictionaries/cases.h"

#include <array>

namespace norvak::dicttext {

inline constexpr const char* kKindsFile = "kinds.txt";
inline constexpr const char* kOrgansFile = "organs.txt";
inline constexpr const char* kSourcesFile = "sources.txt";
inline constexpr const char* kUniFile = "unidict.txt";
inline constexpr const char* kThemesFile = "themes.txt";
inline constexpr const char* kLetterCaseFile = "lettercase.txt";

inline constexpr std::array<const char*, kCaseCount> kCaseNames = {
    "nominative", "genitive", "dative", "accusative", "instrumental", "prepositional"};
inline constexpr std::array<const char*, 3> kGenderNames = {"masculine", "feminine", "neuter"};

// The digits of the "\xHH" escapes and of the code points named in errors.
inline constexpr char kHex[] = "0123456789ABCDEF";

} // namespace norvak::dicttext
