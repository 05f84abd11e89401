#pragma once

#include <string>
#include <vector>

namespace kbs::fakes {

// One ordered record of what every fake saw, so a test can check the order of events
// across ports (a message, then the printer selection, then a job ...).
struct Journal {
    std::vector<std::string> entries;
    void add(std::string entry) { entries.push_back(std::move(entry)); }
};

} // namespace kbs::fakes
