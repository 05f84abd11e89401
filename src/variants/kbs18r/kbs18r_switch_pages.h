#pragma once

#include "model/switch_table.h"

#include <span>

namespace kbs::kbs18r {

// The memory switch pages MSW1 to MSW5.
std::span<const SwitchPageTable> switchPages();

} // namespace kbs::kbs18r
