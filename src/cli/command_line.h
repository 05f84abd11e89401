#pragma once

#include "cli/phrase.h"

#include <cstddef>
#include <map>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kbs::cli {

// One command of knobctl: its arguments, its options and its help.
struct CommandSpec {
    std::string_view name;
    std::string_view synopsis;
    Phrase summary;
    std::size_t minArguments;
    std::size_t maxArguments;                  // SIZE_MAX: any number
    std::span<const std::string_view> flags;   // options without a value
    std::span<const std::string_view> options; // options with a value
    Phrase details;
};

struct CommandLine {
    std::vector<std::string> positional;
    std::set<std::string> flags;
    std::map<std::string, std::string> options;
    std::map<std::string, std::vector<std::string>> repeated; // options that may be given again

    std::span<const std::string> values(const std::string& option) const
    {
        const auto found = repeated.find(option);
        return found != repeated.end() ? std::span<const std::string>(found->second)
                                       : std::span<const std::string>();
    }

    bool has(const std::string& flag) const { return flags.contains(flag); }
    const std::string* value(const std::string& option) const
    {
        const auto found = options.find(option);
        return found != options.end() ? &found->second : nullptr;
    }
};

// What the arguments ask for.
struct Request {
    enum Kind { Run, Help, Version, Usage } kind = Usage;
    const CommandSpec* command = nullptr; // Run; Help and Usage of one command
    CommandLine line;
    std::string refusal; // Usage: what is wrong, without the "knobctl: " prefix; empty: none given
};

// Splits the arguments by the command they name; "--" ends the options.
Request parseCommandLine(std::span<const std::string> arguments, Language language);

// The program's usage (command nullptr) or one command's help.
std::string helpText(const CommandSpec* command, Language language);
// The line that points from a refusal to the help.
std::string pointToHelp(const CommandSpec* command, Language language);

} // namespace kbs::cli
