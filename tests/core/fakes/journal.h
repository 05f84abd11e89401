#pragma once

#include <string>
#include <vector>

namespace kbs::fakes {

// What every fake saw, in one order, so a test can check the order of events across ports.
struct Journal {
    std::vector<std::string> entries;
    std::vector<std::string> problems; // calls no test scripted
    void add(std::string entry) { entries.push_back(std::move(entry)); }
};

} // namespace kbs::fakes
