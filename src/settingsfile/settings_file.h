#pragma once

#include "model/model_variant.h"
#include "model/settings_block.h"

#include <string>

namespace kbs {

// A settings file: the variant's identifier, a NUL byte, then the block.

enum class ReadResult {
    Ok,
    NotSettingsFile, // unreadable, not a regular file, another identifier, or too short
};

// Replaces `block` only when the result is Ok. Never reads more than identifier + block.
ReadResult readSettingsFile(const std::string& path, const ModelVariant& variant, SettingsBlock& block);

enum class WriteResult {
    Ok,
    AccessDenied, // the path may not be written: the user should choose another place
    Failed,
};

// Writes from the start of the file without truncating it.
WriteResult writeSettingsFile(const std::string& path, const ModelVariant& variant,
                              const SettingsBlock& block);

} // namespace kbs
