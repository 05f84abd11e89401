#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kbs {

enum class ButtonSet { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageIcon { Exclamation, Information, Hand };
enum class Answer { Ok, Cancel, Yes, No };

// What the command core needs from its main window.
class WindowPort {
public:
    virtual ~WindowPort() = default;

    // A modal message box; the first button of the set is the default.
    virtual Answer showMessage(std::string_view text, std::string_view caption, ButtonSet buttons,
                               MessageIcon icon) = 0;
    // Selects tab n and shows its page.
    virtual void ShowPage(std::size_t tabIndex) = 0;
    virtual std::size_t selectedTab() const = 0;
    // Acts on the menu item and its tool bar twin together.
    virtual void setCommandEnabled(int commandId, bool enabled) = 0;
    // 0: the printer name pane of the status bar, 1: the connection pane
    virtual void setStatusText(int part, const std::string& text) = 0;
    // Closes the main window; the program then ends with this status.
    virtual void closeWindow(int exitStatus) = 0;
};

} // namespace kbs
