#include "menu/menu_layout.h"

namespace kbs {

std::vector<MenuPopup> menuLayout(const ModelVariant& variant)
{
    MenuPopup file{menu_entries::kFileTitle,
                   {menu_entries::kFilePopup.begin(), menu_entries::kFilePopup.end()}};

    MenuPopup pages{menu_entries::kPagesTitle, {}};
    for (const TabSpec& tab : variant.tabs)
        pages.entries.push_back({tab.commandId, tab.menuLabel, tab.shortcut});

    MenuPopup help{menu_entries::kHelpTitle,
                   {{variant.helpCommandId, menu_entries::kHelpContentsLabel, menu_entries::kHelpContentsKey},
                    kMenuSeparator,
                    menu_entries::kAboutEntry}};

    return {file, pages, help};
}

} // namespace kbs
