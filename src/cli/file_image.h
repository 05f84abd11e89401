#pragma once

#include "cli/phrase.h"
#include "model/model_variant.h"
#include "model/settings_block.h"

#include <cstdint>
#include <span>
#include <string>
#include <variant>
#include <vector>

namespace kbs::cli {

// The three programs whose files knobctl reads.
std::span<const ModelVariant* const> programs();
// The program named `deliverable` ("kbs18r"), or nullptr.
const ModelVariant* programNamed(std::string_view deliverable);

// A settings file as it stands: its program, its block and every byte after the block.
struct FileImage {
    const ModelVariant* variant;
    SettingsBlock block;
    std::vector<std::uint8_t> tail;

    std::vector<std::uint8_t> fileBytes() const; // identifier, NUL, block, tail
};

// The factory defaults of a program as a new file would hold them.
FileImage factoryFile(const ModelVariant& variant);

// What a path holds: the whole file, or why it cannot be read ("not found", "a folder", the
// system's reason).
std::variant<std::vector<std::uint8_t>, std::string> readWholeFile(const std::string& path,
                                                                   Language language);

// The settings file those bytes make, of whichever program their identifier names; else what
// they are instead: empty, truncated (how many bytes of how many), another program's file, or
// no settings file at all.
std::variant<FileImage, std::string> settingsFileOf(std::span<const std::uint8_t> bytes, Language language);

// Both of the above.
std::variant<FileImage, std::string> readFileImage(const std::string& path, Language language);

// Makes the file at `path` hold exactly `bytes`, through a new file renamed over the old one
// (whose permission bits it keeps). Empty on success, else why not, with the system's reason.
std::string writeWholeFile(const std::string& path, std::span<const std::uint8_t> bytes, Language language);

} // namespace kbs::cli
