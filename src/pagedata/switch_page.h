#pragma once

#include "model/field_layout.h"
#include "model/switch_table.h"
#include "pagedata/page_data.h"

#include <span>

namespace kbs {

// The data of a memory switch page: one control per shown or hidden switch row and the
// byte pair binding. A malformed table throws std::invalid_argument.
PageData switchPageData(const SwitchPageTable& table, std::span<const FieldSpec> layout);

} // namespace kbs
