// SPDX-License-Identifier: GPL-3.0-or-later
#include "Cli.h"

#include <iostream>

int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    return eh::cli::RunCli(args, {std::cin, std::cout, std::cerr});
}
