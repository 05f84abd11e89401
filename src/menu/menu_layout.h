#pragma once

#include "menu/menu_entries.h"
#include "model/model_variant.h"

#include <string_view>
#include <vector>

namespace kbs {

struct MenuPopup {
    std::string_view title;
    std::vector<MenuEntry> entries;
};

// Menu 142 of a variant, popup by popup: the file popup, the page popup built from the
// variant's tabs in tab order, and the help popup.
std::vector<MenuPopup> menuLayout(const ModelVariant& variant);

} // namespace kbs
