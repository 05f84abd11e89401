#pragma once

#include "cli/file_image.h"
#include "cli/settings_map.h"

#include <string>

namespace kbs::cli {

// Every setting of the file by tab and group, in the pages' own labels and choice texts;
// `withBytes` adds each setting's offsets and bytes.
std::string showText(const SettingsMap& map, const FileImage& image, bool withBytes);

// The settings in which `b` differs from `a`, one a line ("old -> new"), then differing bytes
// no setting decides and the tail; empty when the files are the same.
std::string diffText(const SettingsMap& map, const FileImage& a, const FileImage& b);

} // namespace kbs::cli
