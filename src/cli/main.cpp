#include "cli/knobctl.h"

#include <unistd.h>

#include <iostream>
#include <vector>

int main(int argc, char** argv)
{
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    kbs::cli::Console console{std::cin, std::cout, std::cerr, kbs::cli::languageOfEnvironment(),
                              isatty(STDERR_FILENO) == 1};
    const int status = kbs::cli::runKnobctl(arguments, console);
    std::cout.flush();
    return std::cout ? status : 2;
}
