#pragma once

#include "core/window_port.h"

#include <string_view>

class QWidget;

namespace kbs {

// A modal message box with the program's button sets and icons; the first button is the
// default. Button texts come from Qt's own translation, loaded at start-up.
Answer showMessageBox(QWidget* parent, std::string_view text, std::string_view caption, ButtonSet buttons,
                      MessageIcon icon);

} // namespace kbs
