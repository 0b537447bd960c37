#include "dictionaries/dictentry.h"

#include "core/literal.h"
#include "dictionaries/archive.h"
#include "dictionaries/listingfile.h"

#include <cstring>

namespace norvak {

void CDictEntry::RemoveAlias(int i) {
    if (i >= 0 && i < GetAliasCount())
        m_aliases.erase(m_aliases.begin() + i);
}

void CDictEntry::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        m_cases.Serialize(ar);
        ar.PutInt32(m_aliases.empty() ? -1 : static_cast<std::int32_t>(m_aliases.size()));
        for (CCases& alias : m_aliases)
            alias.Serialize(ar);
        return;
    }
    m_cases.Serialize(ar);
    std::int32_t n = ar.GetInt32();
    ar.CheckCount(n, "alias count");
    std::vector<CCases> aliases;
    for (std::int32_t i = 0; i < n; ++i) {
        CCases alias;
        alias.Serialize(ar);
        aliases.push_back(std::move(alias));
    }
    m_aliases = std::move(aliases);
}

bool CDictEntry::ConfirmRemoveAllAliases(COperator& op) {
    if (!detail::Confirmed(op, "Удалить все псевдонимы?"_cp))
        return false;
    RemoveAllAliases();
    return true;
}

namespace detail {

bool BytesLess(const std::string& a, const std::string& b) {
    // std::string compares through char_traits<char>, which orders as unsigned char.
    return a < b;
}

bool Confirmed(COperator& op, std::string_view question) {
    return op.AskYesNo(question) == Answer::Yes;
}

namespace {

// A form's label in the catalogues, padded so that the forms line up.
std::string_view ListingLabel(CaseIndex c) {
    switch (c) {
    case CaseGenitive:
        return "Родительный падеж:  "_cp;
    case CaseInstrumental:
        return "Творительный падеж: "_cp;
    default:
        return "Именительный падеж: "_cp;
    }
}

} // namespace

void AppendListedEntry(std::string& text, int number, const CDictEntry& entry,
                       std::initializer_list<CaseIndex> cases, std::string_view extra) {
    text += ' ';
    text += FormatNumber3(number);
    const char* lead = "   ";
    for (CaseIndex c : cases) {
        text += lead;
        text += ListingLabel(c);
        text += entry.GetCases().Form(c);
        lead = "\n       ";
    }
    text += extra;
    if (!entry.Aliases().empty()) {
        text += "\n           Псевдонимы"_cp;
        for (const CCases& alias : entry.Aliases()) {
            for (CaseIndex c : cases) {
                text += "\n          ";
                text += ListingLabel(c);
                text += alias.Form(c);
            }
            text += '\n';
        }
    }
    text += '\n';
}

} // namespace detail

} // namespace norvak
