#pragma once

#include <ostream>
#include <span>
#include <string>

namespace kbs::cli {

// Where a run of knobctl writes, and whether progress may be drawn on a terminal.
struct Console {
    std::ostream& out;
    std::ostream& err;
    bool progressOnTerminal = false;
};

// Runs knobctl with its arguments (without the program name); returns the exit status:
// 0 done (diff: equal), 1 diff found differences or a send did not reach every queue,
// 2 usage or any other error.
int runKnobctl(std::span<const std::string> arguments, Console& console);

} // namespace kbs::cli
