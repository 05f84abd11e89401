#pragma once

#include <functional>

class QWidget;

namespace kbs {

class AcceleratorTable;

// Ctrl+Tab / Ctrl+PageDown to the next tab and Ctrl+Shift+Tab / Ctrl+PageUp to the previous
// one, as desktop programs with tabs have them. A key that the program's own accelerators
// already use keeps its command. `move` gets +1 or -1.
void addTabKeys(AcceleratorTable& accelerators, QWidget* owner, const std::function<void(int)>& move);

} // namespace kbs
