#include "cli/options.h"

#include "core/failure.h"

#include <charconv>

namespace norvak::cli {

COptions::COptions(std::set<std::string> valueFlags, std::set<std::string> boolFlags)
    : m_valueFlags(std::move(valueFlags)), m_boolFlags(std::move(boolFlags)) {}

bool COptions::Parse(const std::vector<std::string>& args, std::string* error) {
    bool onlyPositional = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (onlyPositional || a.size() < 2 || a[0] != '-') {
            m_positional.push_back(a);
            continue;
        }
        if (a == "--") {
            onlyPositional = true;
            continue;
        }
        std::string name = a;
        std::optional<std::string> inlineValue;
        if (auto eq = a.find('='); eq != std::string::npos && a.rfind("--", 0) == 0) {
            name = a.substr(0, eq);
            inlineValue = a.substr(eq + 1);
        }
        if (m_boolFlags.count(name)) {
            if (inlineValue) {
                SetError(error, "option " + name + " takes no value");
                return false;
            }
            m_present.insert(name);
            continue;
        }
        if (!m_valueFlags.count(name)) {
            SetError(error, "unknown option " + name);
            return false;
        }
        if (!inlineValue) {
            if (i + 1 >= args.size()) {
                SetError(error, "option " + name + " needs a value");
                return false;
            }
            inlineValue = args[++i];
        }
        m_present.insert(name);
        m_values[name] = *inlineValue;
    }
    return true;
}

bool COptions::Has(const std::string& flag) const {
    return m_present.count(flag) > 0;
}

std::optional<std::string> COptions::Value(const std::string& flag) const {
    auto it = m_values.find(flag);
    if (it == m_values.end())
        return std::nullopt;
    return it->second;
}

bool COptions::IntValue(const std::string& flag, int& out, std::string* error) const {
    auto v = Value(flag);
    if (!v)
        return true;
    int value = 0;
    auto [p, ec] = std::from_chars(v->data(), v->data() + v->size(), value);
    if (ec != std::errc() || p != v->data() + v->size()) {
        SetError(error, "option " + flag + " needs a whole number, not '" + *v + "'");
        return false;
    }
    out = value;
    return true;
}

} // namespace norvak::cli
