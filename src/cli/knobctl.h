#pragma once

#include "cli/phrase.h"

#include <istream>
#include <ostream>
#include <span>
#include <string>

namespace kbs::cli {

// Where a run of knobctl reads and writes, in which language it speaks, and whether progress
// may be drawn on a terminal.
struct Console {
    std::istream& in;
    std::ostream& out;
    std::ostream& err;
    Language language = Language::English;
    bool progressOnTerminal = false;
};

// Runs knobctl with its arguments (without the program name); returns the exit status:
// 0 done (diff: equal), 1 diff found differences or a send did not reach every queue,
// 2 usage or any other error.
int runKnobctl(std::span<const std::string> arguments, Console& console);

} // namespace kbs::cli
