#include "variants/kbs18r/kbs18r_switch_pages.h"

#include "variants/common_switch_pages.h"

namespace kbs::kbs18r {

namespace {
// This program shows the common pages unchanged.
constexpr auto kSwitchPages =
    memorySwitchPages(common_switch_pages::kMsw1, common_switch_pages::kMsw2, common_switch_pages::kMsw3,
                      common_switch_pages::kMsw4, common_switch_pages::kMsw5);
} // namespace

std::span<const SwitchPageTable> switchPages()
{
    return kSwitchPages;
}

} // namespace kbs::kbs18r
