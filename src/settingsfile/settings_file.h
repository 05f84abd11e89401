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
    AccessDenied, // the user may not write this file or create one in its folder
    Failed,       // nothing was saved; an existing file is as it was
};

// Saves identifier, NUL and block at `path`. An existing file keeps every byte it had after
// the block, its permission bits and, where allowed, its owner. The new content goes into a
// file beside the old one that then replaces it, so a failed save never leaves a
// half-written file. Only where the folder refuses a new file but the file itself may be
// written is it written over in place. While it runs, SIGXFSZ is ignored (unless the program
// handles it), so that a file-size limit is an ordinary failure.
WriteResult writeSettingsFile(const std::string& path, const ModelVariant& variant,
                              const SettingsBlock& block);

} // namespace kbs
