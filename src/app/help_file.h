#pragma once

#include "model/model_variant.h"

#include <QString>
#include <optional>
#include <string_view>

namespace kbs {

// Shown when the help page cannot be shown.
inline constexpr std::string_view kHelpFileNotFound = "ヘルプファイルが見つかりません。";

// Shows a local file with the desktop's own viewer for its kind (the browser for a page).
class DesktopOpenerPort {
public:
    virtual ~DesktopOpenerPort() = default;
    // False when nothing could show the file.
    virtual bool openFile(const QString& path) = 0;
};

// The desktop's viewers, through QDesktopServices.
class DesktopServicesOpener : public DesktopOpenerPort {
public:
    bool openFile(const QString& path) override;
    // The one the programs use; it keeps no state.
    static DesktopServicesOpener& instance();
};

// The program's help page: the variant's HTML file in the program's directory, else in
// ../share/<deliverable>/ beside it as an installed program has it. A path that names no
// readable file counts as missing. The path is used as built, whatever its length or case.
std::optional<QString> locateHelpFile(const ModelVariant& variant, const QString& programDirectory);

// Shows the help page; false when the file has gone or nothing could show it.
bool openHelpFile(DesktopOpenerPort& desktop, const QString& path);

} // namespace kbs
