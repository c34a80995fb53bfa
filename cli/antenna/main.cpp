// SPDX-License-Identifier: GPL-3.0-or-later
#include "Cli.h"
#include "SaveSignals.h"

#include <iostream>

int main(int argc, char** argv)
{
    eh::HandleSignalsDuringSaves();
    std::ios::sync_with_stdio(false);
    // The arguments stay bytes: a file name need not be UTF-8.
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    return eh::cli::RunCli(args, {std::cin, std::cout, std::cerr});
}
