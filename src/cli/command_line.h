#pragma once

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
    std::string_view summary;
    std::size_t minArguments;
    std::size_t maxArguments;                   // SIZE_MAX: any number
    std::span<const std::string_view> flags;    // options without a value
    std::span<const std::string_view> options;  // options with a value
    std::span<const std::string_view> required; // options that must be given
    std::string_view details;
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

// Splits the arguments by the command they name. On success the command (nullptr with
// --help alone or no arguments: the program's help is wanted) and an empty text; otherwise
// what is wrong, ending in a pointer to --help.
std::string parseCommandLine(std::span<const std::string> arguments, const CommandSpec*& command,
                             CommandLine& line);

// The program's help (command nullptr) or one command's.
std::string helpText(const CommandSpec* command);

} // namespace kbs::cli
