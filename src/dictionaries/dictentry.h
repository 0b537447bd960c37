#pragma once
// CDictEntry, the entry machinery shared by the dictionaries of document kinds and adopting
// bodies: the name's case forms, the aliases and the link to the universal dictionary.

#include "core/textcore.h"
#include "requisites/cases.h"

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace norvak {

class CArchive;
class COperator;
class CUniDict;

// Base of the entry classes; entries are held by value and copied freely.
class CDictEntry {
public:
    virtual ~CDictEntry() = default;

    CCases& GetCases() { return m_cases; }
    const CCases& GetCases() const { return m_cases; }
    // The nominative, the entry's canonical name.
    const std::string& Name() const { return m_cases.Form(CaseNominative); }

    // Fills out with copies of the aliases.
    void GetAliases(std::vector<CCases>& out) const { out = m_aliases; }
    const std::vector<CCases>& Aliases() const { return m_aliases; }
    int GetAliasCount() const { return static_cast<int>(m_aliases.size()); }
    void SetAliases(std::vector<CCases> aliases) { m_aliases = std::move(aliases); }
    void AddAlias(const CCases& alias) { m_aliases.push_back(alias); }
    void RemoveAlias(int i);
    void RemoveAllAliases() { m_aliases.clear(); }
    // Asks "Удалить все псевдонимы?" (Yes/No) and removes the aliases on Yes; true then.
    bool ConfirmRemoveAllAliases(COperator& op);

    CUniDict* GetUniDict() const { return m_uniDict; }
    void SetUniDict(CUniDict* uniDict) { m_uniDict = uniDict; }

    // The common part of the record: the name, the alias count (-1 when there are none; a
    // count <= 0 read means none) and the aliases. Errors reach the caller as CArchiveException;
    // on loading the aliases are replaced only when all of them were read.
    virtual void Serialize(CArchive& ar);

protected:
    CDictEntry() = default;
    explicit CDictEntry(CUniDict* uniDict) : m_uniDict(uniDict) {}
    CDictEntry(const CDictEntry&) = default;
    CDictEntry& operator=(const CDictEntry&) = default;
    bool SameEntryData(const CDictEntry& o) const {
        return m_cases == o.m_cases && m_aliases == o.m_aliases;
    }

private:
    CCases m_cases;
    std::vector<CCases> m_aliases;
    CUniDict* m_uniDict = nullptr; // not owned, not stored
};

namespace detail {

// Selection sort ascending by key: for every position p the first smallest key of p..n-1
// (a strictly smaller key replaces the candidate) is swapped into p. Not stable; the order
// of equal keys is exactly what this procedure yields, which matching order relies on.
// The same result in O(n log n): a segment tree over the positions answers "first smallest key
// of p..n-1", and only the two swapped positions change after each step. Dictionaries of
// 10 000 bodies are sorted before and after every analysis, so the quadratic scan would show.
template <class T, class Key, class Less>
void SelectionSort(std::vector<T>& items, std::vector<Key> keys, Less less) {
    const std::size_t n = items.size();
    if (n < 2)
        return;
    std::size_t size = 1;
    while (size < n)
        size <<= 1;
    const std::size_t none = n;
    // x holds positions before those of y: the first smallest of the two.
    auto first = [&](std::size_t x, std::size_t y) {
        if (x == none)
            return y;
        if (y == none)
            return x;
        return less(keys[y], keys[x]) ? y : x;
    };
    std::vector<std::size_t> tree(2 * size, none);
    for (std::size_t i = 0; i < n; ++i)
        tree[size + i] = i;
    for (std::size_t i = size - 1; i > 0; --i)
        tree[i] = first(tree[2 * i], tree[2 * i + 1]);
    auto refresh = [&](std::size_t pos) {
        for (std::size_t i = (pos + size) / 2; i > 0; i /= 2)
            tree[i] = first(tree[2 * i], tree[2 * i + 1]);
    };
    for (std::size_t p = 0; p + 1 < n; ++p) {
        std::size_t left = none, right = none;
        for (std::size_t l = p + size, r = n + size; l < r; l /= 2, r /= 2) {
            if (l & 1)
                left = first(left, tree[l++]);
            if (r & 1)
                right = first(tree[--r], right);
        }
        std::size_t best = first(left, right);
        if (best != p) {
            std::swap(items[p], items[best]);
            std::swap(keys[p], keys[best]);
            refresh(p);
            refresh(best);
        }
    }
}

// Byte-wise comparison as unsigned CP1251 bytes, a prefix before its extensions.
bool BytesLess(const std::string& a, const std::string& b);

// The two orders of the kinds and bodies dictionaries, by their entries' nominatives.
template <class Entry> void SortEntriesByWordCount(std::vector<Entry>& entries) {
    std::vector<int> counts;
    counts.reserve(entries.size());
    for (const Entry& e : entries)
        counts.push_back(CountWords(e.Name()));
    SelectionSort(entries, std::move(counts), [](int a, int b) { return a < b; });
}

template <class Entry> void SortEntriesByName(std::vector<Entry>& entries) {
    std::vector<std::string> names;
    names.reserve(entries.size());
    for (const Entry& e : entries)
        names.push_back(e.Name());
    SelectionSort(entries, std::move(names), BytesLess);
}

} // namespace detail

} // namespace norvak
