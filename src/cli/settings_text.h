#pragma once

#include "cli/file_image.h"
#include "cli/settings_map.h"

#include <string>
#include <vector>

namespace kbs::cli {

// The file as a text for version control: one setting a line, "key = value", sections by tab,
// the label as a comment; bytes no setting decides, and the file's tail, in a final raw
// section as hex. importText() of it gives back the file byte for byte.
std::string exportText(const SettingsMap& map, const FileImage& image);

struct ImportResult {
    std::optional<FileImage> image;  // set when there is no error
    std::vector<std::string> errors; // "line 7: ..."
};

// Reads such a text. Settings left out keep the values of `base`, or of the factory defaults
// of the text's program. A text with raw byte lines describes every byte, as an export does;
// without them, bytes no setting decides keep the base's.
ImportResult importText(std::string_view text, const FileImage* base);

// The map of a program, built once.
const SettingsMap& settingsMapOf(const ModelVariant& variant);

} // namespace kbs::cli
