#pragma once
// A small command-line parser: flags with or without values, positional arguments, and the
// errors a user should see ("unknown option --foo", "--string-length needs a number").

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace norvak::cli {

// Parsed arguments of one subcommand.
class COptions {
public:
    // valueFlags take a value ("--dict PATH" or "--dict=PATH"); boolFlags take none.
    // Short aliases such as "-o" are given as their own names.
    COptions(std::set<std::string> valueFlags, std::set<std::string> boolFlags);

    // False with error set when an argument is not understood.
    bool Parse(const std::vector<std::string>& args, std::string* error);

    bool Has(const std::string& flag) const;
    std::optional<std::string> Value(const std::string& flag) const;
    // The value as an integer; false with error set when it is not one.
    bool IntValue(const std::string& flag, int& out, std::string* error) const;
    const std::vector<std::string>& Positional() const { return m_positional; }

private:
    std::set<std::string> m_valueFlags;
    std::set<std::string> m_boolFlags;
    std::map<std::string, std::string> m_values;
    std::set<std::string> m_present;
    std::vector<std::string> m_positional;
};

} // namespace norvak::cli
