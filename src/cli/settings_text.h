#pragma once

#include "cli/file_image.h"
#include "cli/phrase.h"
#include "cli/settings_map.h"

#include <optional>
#include <string>
#include <vector>

namespace kbs::cli {

// The file as a text for version control: one setting a line, "key = value", sections by tab,
// the label as a comment; bytes no setting decides, and the file's tail, in a final raw
// section as hex. importText() of it gives back the file byte for byte. With `changedFrom`,
// only the settings, raw bytes and tail that differ from that file: imported over it, the text
// gives back the file all the same.
std::string exportText(const SettingsMap& map, const FileImage& image,
                       const FileImage* changedFrom = nullptr);

struct ImportResult {
    std::optional<FileImage> image;  // set when there is no error
    std::vector<std::string> errors; // "line 7: ..."
    std::vector<std::string> notes;  // "line 9: ...": read, but worth saying
};

// Reads such a text (UTF-8, a byte order mark allowed) over `base`, or over the factory
// defaults of the text's program: only the keys it names change bytes, each exactly the bits
// its setting decides; every other byte, and the tail unless the text gives one, is the
// base's.
ImportResult importText(std::string_view text, const FileImage* base, Language language);

} // namespace kbs::cli
