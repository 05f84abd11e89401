#pragma once

#include "cli/command_line.h"
#include "cli/file_image.h"
#include "cli/knobctl.h"

#include <optional>
#include <string>

namespace kbs::cli {

constexpr int kDone = 0;
constexpr int kDiffers = 1;
constexpr int kError = 2;

// One command being run: its arguments, where it writes, and how it reports a failure.
struct CommandRun {
    const CommandSpec& command;
    const CommandLine& line;
    Console& console;

    std::string say(const Phrase& phrase, std::initializer_list<std::string_view> arguments = {}) const
    {
        return cli::say(console.language, phrase, arguments);
    }
    // "knobctl: COMMAND: message" on standard error; returns kError.
    int fail(std::string_view message) const;
    // The same about a file: "knobctl: COMMAND: PATH: message".
    int fail(std::string_view path, std::string_view message) const;

    // The settings file at `path`, or nothing after saying why not.
    std::optional<FileImage> readImage(const std::string& path) const;
    // A settings file, or a text as export writes it (imported over the factory defaults).
    std::optional<FileImage> readImageOrText(const std::string& path) const;
    // The text at `path` ("-": standard input), or nothing after saying why not.
    std::optional<std::string> readText(const std::string& path) const;
    // Writes the bytes as the whole file at `path`, or to standard output for "-".
    int write(const std::string& path, std::span<const std::uint8_t> bytes) const;
};

// The commands, each run with its parsed line.
int showCommand(const CommandRun& run);
int diffCommand(const CommandRun& run);
int exportCommand(const CommandRun& run);
int importCommand(const CommandRun& run);
int newCommand(const CommandRun& run);
int queuesCommand(const CommandRun& run);
int sendCommand(const CommandRun& run);
int sentCommand(const CommandRun& run);
// diff --sent QUEUE FILE: the file against the queue's record.
int diffSentCommand(const CommandRun& run);

} // namespace kbs::cli
