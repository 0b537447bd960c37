#include "cli/cli.h"

#include <iostream>
#include <unistd.h>

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    norvak::cli::SetProgressOnTerminal(::isatty(STDERR_FILENO) != 0);
    return norvak::cli::RunCli(args, std::cout, std::cerr);
}
