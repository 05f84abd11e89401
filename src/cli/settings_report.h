#pragma once

#include "cli/file_image.h"
#include "cli/phrase.h"
#include "cli/settings_map.h"

#include <string>

namespace kbs::cli {

// Every setting of the file by tab and group, in the pages' own labels and choice texts; a
// setting the window never shows is marked. `withBytes` adds each setting's offsets and bytes
// (for a switch, its bits), then every byte no setting decides and the tail, so that every
// byte of the file is accounted for.
std::string showText(const SettingsMap& map, const FileImage& image, bool withBytes, Language language);
// The same as one JSON object: program, settings (with their bytes), raw bytes and tail.
std::string showJson(const SettingsMap& map, const FileImage& image);

// The settings in which `b` differs from `a`, one a line ("old -> new"), then differing bits
// no setting decides and the tail; empty when the files are the same. As JSON: an array of
// objects with key, label, old and new.
std::string diffText(const SettingsMap& map, const FileImage& a, const FileImage& b);
std::string diffJson(const SettingsMap& map, const FileImage& a, const FileImage& b);

} // namespace kbs::cli
