#pragma once

#include "model/control_table.h"

#include <string_view>
#include <vector>

class QWidget;

namespace kbs {

class ControlWidget;

struct PlacedControl {
    ControlWidget* control;
    std::string_view group; // consecutive controls of one group share a group box
    Placement placement;
};

// Lays a page out in dialog units of its font: group boxes and single controls in the left
// and right columns in order, a full-width one across both. Labels line up within a group.
void arrangeControls(QWidget& page, const std::vector<PlacedControl>& controls);

} // namespace kbs
