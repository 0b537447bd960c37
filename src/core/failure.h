#pragma once
// The reason of a failure as the functions of the core hand it back: a function that can fail
// returns false and puts the reason into an optional std::string* error.

#include <string>
#include <string_view>

namespace norvak {

// Puts text into *error when the caller asked for the reason.
inline void SetError(std::string* error, std::string_view text) {
    if (error)
        *error = std::string(text);
}

// SetError, then false: `return Fail(error, "cannot read " + path);`.
inline bool Fail(std::string* error, std::string_view text) {
    SetError(error, text);
    return false;
}

} // namespace norvak
