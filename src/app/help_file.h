#pragma once

#include "model/model_variant.h"
#include "model/page_id.h"

#include <QString>
#include <optional>
#include <string_view>

namespace kbs {

// Shown when the help page cannot be shown.
inline constexpr std::string_view kHelpFileNotFound = "ヘルプファイルが見つかりません。";

// The program's help page: the variant's HTML file in the program's directory, else in
// ../share/<deliverable>/ beside it as an installed program has it. A path that names no
// readable file counts as missing. The path is used as built, whatever its length or case.
std::optional<QString> locateHelpFile(const ModelVariant& variant, const QString& programDirectory);

// The anchor of a page's section in the help page: its class name without "CPage_", in
// lower case ("msw1", "param_2").
QString helpSection(PageId page);

} // namespace kbs
