#pragma once
// The Russian Hunspell dictionary behind the spelling rules.

#include "spelling/spellchecker.h"

#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>

struct Hunhandle;

namespace norvak {

// A Hunspell dictionary asked in CP1251, whatever the dictionary's own encoding; safe to share
// between threads (calls are serialised, answers cached).
class CHunspellDictionary : public CWordSource {
public:
    // Loads affPath and dicPath; null with error set when they cannot be loaded or their
    // encoding cannot be converted to.
    static std::shared_ptr<CHunspellDictionary>
    Open(const std::string& affPath, const std::string& dicPath, std::string* error = nullptr);
    ~CHunspellDictionary() override;
    CHunspellDictionary(const CHunspellDictionary&) = delete;
    CHunspellDictionary& operator=(const CHunspellDictionary&) = delete;

    bool IsKnown(std::string_view word) const override;
    std::vector<std::string> Suggest(std::string_view word, std::size_t max) const override;
    bool AddLike(std::string_view word, std::string_view model) const override;
    // The dictionary's encoding as it names it ("UTF-8", "KOI8-R", ...).
    const std::string& Encoding() const { return m_encoding; }

private:
    enum class Coding { Utf8, Cp1251, Other };
    CHunspellDictionary(Hunhandle* handle, std::string encoding);
    // CP1251 -> the dictionary's encoding and back; false when the text cannot be converted.
    bool ToDictionary(std::string_view cp1251, std::string& out) const;
    bool FromDictionary(std::string_view text, std::string& out) const;

    Hunhandle* m_handle;
    std::string m_encoding;
    Coding m_coding;
    mutable std::mutex m_mutex;
    mutable std::unordered_map<std::string, bool> m_cache;
};

} // namespace norvak
