#pragma once
// norvak-cli as a library: the whole command line runs here so that tests can call it;
// main.cpp only hands over its arguments.

#include <iosfwd>
#include <string>
#include <vector>

namespace norvak::cli {

// Runs one command line (args without the program name). Normal output goes to out, errors
// and progress to err. Returns the process exit status: 0 on success, 1 on a failure of the
// work, 2 on a usage error.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// Whether err is a terminal (progress bars are drawn only there); tests switch it off.
void SetProgressOnTerminal(bool on);

} // namespace norvak::cli
