#include "dictionaries/dictmerge.h"

#include "core/literal.h"
#include "core/operatorio.h"
#include "dictionaries/servicedata.h"

#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace norvak {
namespace {

// Entries by key; the n-th entry of a repeated key is known as key, NUL, n.
template <class T> using Keyed = std::map<std::string, const T*>;

template <class T, class KeyFn>
std::vector<std::pair<std::string, const T*>> KeyedList(const std::vector<T>& items, KeyFn key) {
    std::vector<std::pair<std::string, const T*>> out;
    out.reserve(items.size());
    std::map<std::string, int> seen;
    for (const T& item : items) {
        std::string k = key(item);
        const int n = seen[k]++;
        k.push_back('\0');
        k += std::to_string(n);
        out.emplace_back(std::move(k), &item);
    }
    return out;
}

template <class T, class KeyFn> Keyed<T> Index(const std::vector<T>& items, KeyFn key) {
    Keyed<T> index;
    for (auto& [k, p] : KeyedList(items, key))
        index.emplace(std::move(k), p);
    return index;
}

template <class T, class KeyFn>
bool SameItems(const std::vector<T>& a, const std::vector<T>& b, KeyFn key) {
    if (a.size() != b.size())
        return false;
    const Keyed<T> ia = Index(a, key);
    const Keyed<T> ib = Index(b, key);
    for (const auto& [k, p] : ia) {
        auto it = ib.find(k);
        if (it == ib.end() || !(*it->second == *p))
            return false;
    }
    return true;
}

// Asks whether the change made here wins over the other program's.
bool KeepMine(COperator& op, std::string_view dictName, std::string_view entry, int& asked) {
    ++asked;
    std::string question = std::string(dictName);
    question += ": "_cp;
    question += FormatMessage("запись \"%s\" изменена и в этой программе, и в другой, "
                              "работающей с тем же файлом словарей. Оставить изменения, "
                              "сделанные в этой программе? (\"Нет\" - взять изменения "
                              "другой программы.)"_cp,
                              entry);
    return op.AskYesNo(question) == Answer::Yes;
}

template <class T, class KeyFn>
std::vector<T> Merge3(const std::vector<T>& base, const std::vector<T>& mine,
                      const std::vector<T>& theirs, KeyFn key, std::string_view dictName,
                      COperator& op, int& asked) {
    const Keyed<T> b = Index(base, key);
    const Keyed<T> t = Index(theirs, key);
    auto find = [](const Keyed<T>& index, const std::string& k) -> const T* {
        auto it = index.find(k);
        return it == index.end() ? nullptr : it->second;
    };
    std::vector<T> out;
    out.reserve(mine.size() + theirs.size());
    std::map<std::string, bool> inMine;
    for (const auto& [k, m] : KeyedList(mine, key)) {
        inMine[k] = true;
        const T* bt = find(b, k);
        const T* tt = find(t, k);
        if (tt != nullptr) {
            if (*tt == *m || (bt != nullptr && *bt == *tt))
                out.push_back(*m); // the same there, or changed here only
            else if (bt != nullptr && *bt == *m)
                out.push_back(*tt); // changed there only
            else
                out.push_back(KeepMine(op, dictName, key(*m), asked) ? *m : *tt);
        } else if (bt == nullptr) {
            out.push_back(*m); // added here
        } else if (!(*bt == *m)) {
            // Removed there, changed here.
            if (KeepMine(op, dictName, key(*m), asked))
                out.push_back(*m);
        }
        // Removed there and untouched here: gone.
    }
    for (const auto& [k, tt] : KeyedList(theirs, key)) {
        if (inMine.count(k))
            continue;
        const T* bt = find(b, k);
        if (bt == nullptr)
            out.push_back(*tt); // added there
        else if (!(*bt == *tt) && !KeepMine(op, dictName, key(*tt), asked))
            out.push_back(*tt); // removed here, changed there: the operator keeps theirs
    }
    return out;
}

std::string KindKey(const CDocKindEntry& e) {
    return e.Name();
}
std::string OrganKey(const COrganEntry& e) {
    return e.Name();
}
std::string SourceKey(const std::string& s) {
    return s;
}
std::string CasesKey(const CCases& c) {
    return c.Form(CaseNominative);
}
std::string ThemeKey(const CTemathicsRec& r) {
    return std::to_string(r.Code());
}
using WordPair = std::pair<std::string, std::string>;
std::string WordKey(const WordPair& w) {
    return w.first;
}

std::vector<CCases> Records(const CUniDict& d) {
    std::vector<CCases> v;
    v.reserve(static_cast<std::size_t>(d.GetCount()));
    for (int i = 0; i < d.GetCount(); ++i)
        v.push_back(d.GetAt(i));
    return v;
}

std::vector<WordPair> Words(const CUpperCaseDict& d) {
    return std::vector<WordPair>(d.Words().begin(), d.Words().end());
}

} // namespace

bool SameDictionaries(const CServiceData& a, const CServiceData& b) {
    return SameItems(a.DocDict().Entries(), b.DocDict().Entries(), KindKey) &&
           SameItems(a.OrganDict().Entries(), b.OrganDict().Entries(), OrganKey) &&
           SameItems(a.SourceDict().Sources(), b.SourceDict().Sources(), SourceKey) &&
           SameItems(Records(a.UniDict()), Records(b.UniDict()), CasesKey) &&
           SameItems(a.TemathicsDict().Themes(), b.TemathicsDict().Themes(), ThemeKey) &&
           a.UpperCaseDict() == b.UpperCaseDict();
}

int MergeDictionaries(const CServiceData& base, CServiceData& mine, const CServiceData& theirs,
                      COperator& op) {
    int asked = 0;
    {
        auto merged =
            Merge3(base.DocDict().Entries(), mine.DocDict().Entries(), theirs.DocDict().Entries(),
                   KindKey, "Словарь видов документов"_cp, op, asked);
        CDocDict& d = mine.DocDict();
        d.RemoveAll();
        for (CDocKindEntry& e : merged) {
            e.SetUniDict(d.GetUniDict());
            d.Add(e);
        }
    }
    {
        auto merged = Merge3(base.OrganDict().Entries(), mine.OrganDict().Entries(),
                             theirs.OrganDict().Entries(), OrganKey, "Словарь принявших органов"_cp,
                             op, asked);
        COrganDict& d = mine.OrganDict();
        d.RemoveAll();
        for (COrganEntry& e : merged) {
            e.SetUniDict(d.GetUniDict());
            e.SetUpperCaseDict(d.GetUpperCaseDict());
            d.Add(e);
        }
    }
    {
        auto merged = Merge3(base.SourceDict().Sources(), mine.SourceDict().Sources(),
                             theirs.SourceDict().Sources(), SourceKey,
                             "Словарь источников публикации"_cp, op, asked);
        CSourceDict& d = mine.SourceDict();
        d.RemoveAll();
        for (const std::string& s : merged)
            d.Add(s);
    }
    {
        auto merged = Merge3(Records(base.UniDict()), Records(mine.UniDict()),
                             Records(theirs.UniDict()), CasesKey, "Словарь падежей"_cp, op, asked);
        CUniDict& d = mine.UniDict();
        d.RemoveAll();
        for (const CCases& c : merged)
            d.Add(c);
    }
    mine.TemathicsDict().SetThemes(
        Merge3(base.TemathicsDict().Themes(), mine.TemathicsDict().Themes(),
               theirs.TemathicsDict().Themes(), ThemeKey, "Словарь тематик"_cp, op, asked));
    {
        auto merged =
            Merge3(Words(base.UpperCaseDict()), Words(mine.UpperCaseDict()),
                   Words(theirs.UpperCaseDict()), WordKey, "Словарь регистров букв"_cp, op, asked);
        CUpperCaseDict& d = mine.UpperCaseDict();
        d.RemoveAll();
        for (const WordPair& w : merged)
            d.SetWordCase(w.first, w.second);
    }
    return asked;
}

} // namespace norvak
