#pragma once

#include "model/model_variant.h"

#include <QString>
#include <optional>

namespace kbs {

// The program's help page: the variant's HTML file in the program's directory, else in
// ../share/<deliverable>/ beside it as an installed program has it.
std::optional<QString> locateHelpFile(const ModelVariant& variant, const QString& programDirectory);

// Shows the page in the desktop's browser; false when nothing could show it.
bool openHelpFile(const QString& path);

} // namespace kbs
