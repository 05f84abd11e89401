#pragma once

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

// The file at `path`, of whichever program its identifier names; else the programs' own
// refusal, "このファイルは設定ファイルではありません。".
std::variant<FileImage, std::string> readFileImage(const std::string& path);

// Writes the file the way the programs save (a new file renamed over the old). Empty on
// success, else the message the programs show.
std::string writeFileImage(const std::string& path, const FileImage& image);

} // namespace kbs::cli
