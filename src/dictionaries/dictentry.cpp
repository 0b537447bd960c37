#include "dictionaries/dictentry.h"

#include "core/literal.h"
#include "dictionaries/archive.h"

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
    if (op.AskYesNo("Удалить все псевдонимы?"_cp) != Answer::Yes)
        return false;
    RemoveAllAliases();
    return true;
}

namespace detail {

bool BytesLess(const std::string& a, const std::string& b) {
    // std::string compares through char_traits<char>, which orders as unsigned char.
    return a < b;
}

} // namespace detail

} // namespace norvak
