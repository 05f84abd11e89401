#pragma once

#include "settingsfile/settings_file.h"

#include <cstdint>
#include <span>
#include <string>

namespace kbs {

// Makes `content` the start of the file at `path`, keeping whatever the file had beyond
// the end of `content`, as writing over it without truncation would, but through a new
// file beside it that is renamed over it once complete. See writeSettingsFile.
WriteResult replaceFileStart(const std::string& path, std::span<const std::uint8_t> content);
// The same, but the file holds `content` and nothing else afterwards.
WriteResult replaceWholeFile(const std::string& path, std::span<const std::uint8_t> content);

} // namespace kbs
