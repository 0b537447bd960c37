#pragma once
// Where the program keeps files of its own outside the document: the user's folders under the
// XDG base directories and the data installed beside the programs.

#include <string>

namespace norvak {

// The program's folder under one XDG base directory: xdgHome/norvak when xdgHome (the value of
// the XDG variable) is an absolute path, else home/homeRelative/norvak (a relative or empty
// XDG value counts as unset); empty when neither is usable. Null pointers count as unset.
std::string UserFolder(const char* xdgHome, const char* home, const char* homeRelative);

// UserFolder of XDG_DATA_HOME (~/.local/share): the personal dictionaries and word lists.
std::string UserDataFolder();
// UserFolder of XDG_STATE_HOME (~/.local/state): the recovery copies.
std::string UserStateFolder();

// exeDir/../share/norvak/name when that is a regular file (an installed program), as a
// canonical path; empty otherwise or when exeDir is empty.
std::string InstalledDataFile(const std::string& exeDir, const std::string& name);

} // namespace norvak
