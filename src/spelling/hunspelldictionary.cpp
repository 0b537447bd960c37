#include "spelling/hunspelldictionary.h"

#include "core/codepage.h"
#include "core/literal.h"

#include <hunspell.h>
#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>

namespace norvak {
namespace {

constexpr std::size_t kCacheLimit = 200000;

std::string Upper(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) {
        return static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
    });
    return s;
}

// The name iconv knows for a Hunspell encoding name.
std::string IconvName(const std::string& encoding) {
    const std::string up = Upper(encoding);
    if (up.find("1251") != std::string::npos)
        return "CP1251";
    return encoding;
}

// Converts with iconv; false when a character has no form in the target or iconv refuses.
bool Iconv(const std::string& from, const std::string& to, std::string_view in, std::string& out) {
    iconv_t cd = iconv_open(to.c_str(), from.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1))
        return false;
    out.assign(in.size() * 4 + 4, '\0');
    char* src = const_cast<char*>(in.data());
    std::size_t srcLeft = in.size();
    char* dst = out.data();
    std::size_t dstLeft = out.size();
    const std::size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    iconv_close(cd);
    if (r == static_cast<std::size_t>(-1) || srcLeft != 0)
        return false;
    out.resize(out.size() - dstLeft);
    return true;
}

} // namespace

std::shared_ptr<CHunspellDictionary> CHunspellDictionary::Open(const std::string& affPath,
                                                               const std::string& dicPath,
                                                               std::string* error) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(affPath, ec) ||
        !std::filesystem::is_regular_file(dicPath, ec)) {
        if (error)
            *error = "dictionary not found: " + dicPath;
        return nullptr;
    }
    Hunhandle* handle = Hunspell_create(affPath.c_str(), dicPath.c_str());
    if (handle == nullptr) {
        if (error)
            *error = "cannot load the dictionary " + dicPath;
        return nullptr;
    }
    const char* enc = Hunspell_get_dic_encoding(handle);
    std::string encoding = enc != nullptr && *enc != '\0' ? enc : "ISO8859-1";
    std::shared_ptr<CHunspellDictionary> dict(new CHunspellDictionary(handle, encoding));
    if (dict->m_coding == Coding::Other) {
        std::string probe;
        if (!Iconv("CP1251", IconvName(encoding), "а"_cp, probe)) {
            if (error)
                *error = "the dictionary's encoding " + encoding + " is not supported";
            return nullptr;
        }
    }
    return dict;
}

CHunspellDictionary::CHunspellDictionary(Hunhandle* handle, std::string encoding)
    : m_handle(handle), m_encoding(std::move(encoding)) {
    const std::string up = Upper(m_encoding);
    if (up == "UTF-8" || up == "UTF8")
        m_coding = Coding::Utf8;
    else if (up.find("1251") != std::string::npos)
        m_coding = Coding::Cp1251;
    else
        m_coding = Coding::Other;
}

CHunspellDictionary::~CHunspellDictionary() {
    Hunspell_destroy(m_handle);
}

bool CHunspellDictionary::ToDictionary(std::string_view cp1251, std::string& out) const {
    switch (m_coding) {
    case Coding::Utf8:
        out = Cp1251ToUtf8(cp1251);
        return true;
    case Coding::Cp1251:
        out = cp1251;
        return true;
    case Coding::Other:
        break;
    }
    return Iconv("CP1251", IconvName(m_encoding), cp1251, out);
}

bool CHunspellDictionary::FromDictionary(std::string_view text, std::string& out) const {
    switch (m_coding) {
    case Coding::Utf8:
        out = Utf8ToCp1251(text);
        return out.find('?') == std::string::npos || text.find('?') != std::string_view::npos;
    case Coding::Cp1251:
        out = text;
        return true;
    case Coding::Other:
        break;
    }
    return Iconv(IconvName(m_encoding), "CP1251", text, out);
}

bool CHunspellDictionary::IsKnown(std::string_view word) const {
    std::string key(word);
    std::lock_guard<std::mutex> lock(m_mutex);
    if (auto it = m_cache.find(key); it != m_cache.end())
        return it->second;
    std::string converted;
    const bool known = ToDictionary(word, converted) && converted.find('\0') == std::string::npos &&
                       Hunspell_spell(m_handle, converted.c_str()) != 0;
    if (m_cache.size() >= kCacheLimit)
        m_cache.clear();
    m_cache.emplace(std::move(key), known);
    return known;
}

std::vector<std::string> CHunspellDictionary::Suggest(std::string_view word,
                                                      std::size_t max) const {
    std::vector<std::string> result;
    std::string converted;
    if (!ToDictionary(word, converted) || converted.find('\0') != std::string::npos)
        return result;
    std::lock_guard<std::mutex> lock(m_mutex);
    char** list = nullptr;
    const int n = Hunspell_suggest(m_handle, &list, converted.c_str());
    for (int i = 0; i < n && result.size() < max; ++i) {
        std::string back;
        if (FromDictionary(list[i], back))
            result.push_back(std::move(back));
    }
    if (list != nullptr)
        Hunspell_free_list(m_handle, &list, n);
    return result;
}

bool CHunspellDictionary::AddLike(std::string_view word, std::string_view model) const {
    std::string w;
    std::string m;
    if (!ToDictionary(word, w) || !ToDictionary(model, m) || w.find('\0') != std::string::npos ||
        m.find('\0') != std::string::npos)
        return false;
    std::lock_guard<std::mutex> lock(m_mutex);
    if (Hunspell_spell(m_handle, m.c_str()) == 0)
        return false;
    m_cache.clear();
    return Hunspell_add_with_affix(m_handle, w.c_str(), m.c_str()) == 0;
}

} // namespace norvak
