#include "variants/kbs18r/kbs18r_switch_pages.h"

#include "variants/common_switch_pages.h"

#include <array>

namespace kbs::kbs18r {

namespace {
using enum SwitchControl;

// Rows that differ from the common pages, each replacing the row of the same switches.
// clang-format off
// clang-format on

constexpr std::array kSwitchPages = {
    SwitchPageTable{PageId::MSW1, "msw1", common_switch_pages::kMsw1},
    SwitchPageTable{PageId::MSW2, "msw2", common_switch_pages::kMsw2},
    SwitchPageTable{PageId::MSW3, "msw3", common_switch_pages::kMsw3},
    SwitchPageTable{PageId::MSW4, "msw4", common_switch_pages::kMsw4},
    SwitchPageTable{PageId::MSW5, "msw5", common_switch_pages::kMsw5},
};
} // namespace

std::span<const SwitchPageTable> switchPages()
{
    return kSwitchPages;
}

} // namespace kbs::kbs18r
