#include "dictionaries/uppercasedict.h"

#include "core/literal.h"
#include "core/textcore.h"
#include "dictionaries/archive.h"

#include <algorithm>
#include <vector>

namespace norvak {

const std::string* CUpperCaseDict::Find(std::string_view key) const {
    auto it = m_words.find(std::string(key));
    return it == m_words.end() ? nullptr : &it->second;
}

void CUpperCaseDict::SetWordCase(std::string_view key, std::string_view spelling) {
    auto it = m_words.find(std::string(key));
    if (it == m_words.end())
        m_words.emplace(std::string(key), std::string(spelling));
    else if (it->second != spelling)
        it->second = spelling;
}

void CUpperCaseDict::LearnLetterCase(std::string_view keyPhrase, std::string_view typedPhrase) {
    if (CountWords(keyPhrase) != CountWords(typedPhrase))
        return;
    std::vector<std::string> keys = SplitWords(keyPhrase);
    std::vector<std::string> typed = SplitWords(typedPhrase);
    // Equal word counts give equal word lists except for an empty last word that trailing
    // spaces add to either phrase; only the words of keyPhrase are learned.
    for (std::size_t i = 0; i < keys.size() && i < typed.size(); ++i) {
        if (keys[i].empty())
            continue;
        SetWordCase(keys[i], typed[i]);
    }
}

std::string CUpperCaseDict::ApplyLetterCase(std::string_view keyPhrase,
                                            std::string_view form) const {
    std::vector<std::string> keys = SplitWords(keyPhrase);
    std::vector<std::string> words = SplitWords(form);
    if (keys.size() != words.size())
        return std::string(form);
    std::string result;
    for (std::size_t i = 0; i < words.size(); ++i) {
        std::string w = ToLower(words[i]);
        if (const std::string* spelling = Find(keys[i])) {
            const std::size_t n = std::min(w.size(), spelling->size());
            for (std::size_t j = 0; j < n; ++j)
                if (IsUpperChar((*spelling)[j]))
                    w[j] = ToUpperChar(w[j]);
        }
        if (i > 0)
            result += ' ';
        result += w;
    }
    return result;
}

bool CUpperCaseDict::Serialize(CArchive& ar, COperator& op) {
    return RunArchiveSection(
        op, "Ошибка операции ввода/вывода словаря регистров букв!"_cp, MessageIcon::Error, [&] {
            if (ar.IsStoring()) {
                ar.PutInt32(static_cast<std::int32_t>(m_words.size()));
                for (const auto& [key, spelling] : m_words) {
                    ar.PutString(key);
                    ar.PutString(spelling);
                }
                return;
            }
            m_words.clear();
            std::int32_t n = ar.GetInt32();
            ar.CheckCount(n, "letter-case dictionary count");
            for (std::int32_t i = 0; i < n; ++i) {
                std::string key = ar.GetString();
                std::string spelling = ar.GetString();
                m_words.emplace(std::move(key), std::move(spelling)); // the first pair stays
            }
        });
}

bool CUpperCaseDict::ConfirmRemoveAll(COperator& op) {
    if (op.AskYesNo("Очистить словарь регистров букв в принявших органах?"_cp) != Answer::Yes)
        return false;
    RemoveAll();
    return true;
}

} // namespace norvak
