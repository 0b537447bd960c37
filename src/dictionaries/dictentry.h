#pragma once
// CDictEntry, the entry machinery shared by the dictionaries of document kinds and adopting
// bodies: the name's case forms, the aliases and the link to the universal dictionary; and
// CEntryList, the ordered entries those dictionaries hold.

#include "core/textcore.h"
#include "dictionaries/archive.h"
#include "dictionaries/cases.h"

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace norvak {

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

// Asks question (Yes/No) of op; true on Yes.
bool Confirmed(COperator& op, std::string_view question);

// Appends one numbered entry of a kinds or bodies catalogue: its forms of cases, then extra,
// then the aliases with the same forms.
void AppendListedEntry(std::string& text, int number, const CDictEntry& entry,
                       std::initializer_list<CaseIndex> cases, std::string_view extra);

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

// The ordered entries of the kinds or the bodies dictionary and the operations both offer.
// Names need not be unique; lookups take the first in the current order.
template <class Entry> class CEntryList {
public:
    int GetCount() const { return static_cast<int>(m_entries.size()); }
    Entry& GetAt(int i) { return m_entries[static_cast<std::size_t>(i)]; }
    const Entry& GetAt(int i) const { return m_entries[static_cast<std::size_t>(i)]; }
    const std::vector<Entry>& Entries() const { return m_entries; }

    void Add(const Entry& entry) { m_entries.push_back(entry); }
    // Out-of-range indices are ignored.
    void RemoveAt(int i) {
        if (i >= 0 && i < GetCount())
            m_entries.erase(m_entries.begin() + i);
    }
    void RemoveAll() { m_entries.clear(); }

    // Ascending by the word count of the nominative, by the exact selection sort.
    void SortByWordCount() { detail::SortEntriesByWordCount(m_entries); }
    // Ascending by the nominative's unsigned bytes, by the same selection sort.
    void SortByName() { detail::SortEntriesByName(m_entries); }
    // True when the nominatives already stand in the order SortByName leaves them.
    bool IsSortedByName() const {
        for (std::size_t i = 1; i < m_entries.size(); ++i)
            if (detail::BytesLess(m_entries[i].Name(), m_entries[i - 1].Name()))
                return false;
        return true;
    }

    CUniDict* GetUniDict() const { return m_uniDict; }
    void SetUniDict(CUniDict* uniDict) { m_uniDict = uniDict; }

protected:
    // Asks question (Yes/No) and empties the list on Yes; true when emptied.
    bool ConfirmRemoveAll(COperator& op, std::string_view question) {
        if (!detail::Confirmed(op, question))
            return false;
        RemoveAll();
        return true;
    }

    // Stores the count and the entries, or empties the list and loads them, each read into
    // what make() returns. A stored count larger than the data left is an error named
    // countName; a negative one is an error when negativeError names it, and no entries
    // otherwise. Entries read completely stay after an error.
    template <class Make>
    void SerializeEntries(CArchive& ar, const char* countName, const char* negativeError,
                          Make make) {
        if (ar.IsStoring()) {
            ar.PutInt32(static_cast<std::int32_t>(m_entries.size()));
            for (Entry& e : m_entries)
                e.Serialize(ar);
            return;
        }
        m_entries.clear();
        std::int32_t n = ar.GetInt32();
        if (n < 0 && negativeError != nullptr)
            throw CArchiveException(CArchiveException::Kind::Read, negativeError);
        ar.CheckCount(n, countName);
        for (std::int32_t i = 0; i < n; ++i) {
            Entry e = make();
            e.Serialize(ar);
            m_entries.push_back(std::move(e));
        }
    }

    std::vector<Entry> m_entries;
    CUniDict* m_uniDict = nullptr; // not owned
};

} // namespace norvak
