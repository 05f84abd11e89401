#pragma once

#include "core/command_core.h"

#include <functional>
#include <unordered_map>

namespace kbs {

// Runs the command behind a menu item, a tool bar button, an accelerator or a page's data
// check: the command core's handlers, the page commands, help and the version dialog.
class CommandRouter {
public:
    struct WindowCommands {
        std::function<void(std::size_t tabIndex)> showPage;
        std::function<void()> showHelp;
        std::function<void()> showAbout;
    };

    CommandRouter(const ModelVariant& variant, CommandCore& core, WindowCommands window);

    // A tool bar id runs its menu twin's command. False when the id is no command here.
    bool run(int commandId) const;

private:
    std::unordered_map<int, std::function<void()>> handlers_;
};

} // namespace kbs
