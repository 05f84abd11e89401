#pragma once

#include <deque>
#include <string>
#include <vector>

namespace kbs::fakes {

// What every fake saw, in one order, so a test can check the order of events across ports.
struct Journal {
    std::vector<std::string> entries;
    std::vector<std::string> problems; // calls no test scripted
    void add(std::string entry) { entries.push_back(std::move(entry)); }
};

// Journals `call` and takes its scripted answer; a call beyond the script is a problem and gets `fallback`.
template <class T>
T nextScripted(std::deque<T>& script, Journal& journal, const std::string& call, T fallback)
{
    journal.add(call);
    if (script.empty()) {
        journal.problems.push_back("unexpected " + call);
        return fallback;
    }
    T next = std::move(script.front());
    script.pop_front();
    return next;
}

} // namespace kbs::fakes
