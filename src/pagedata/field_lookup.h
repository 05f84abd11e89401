#pragma once

#include "model/field_layout.h"

#include <span>
#include <string_view>

namespace kbs {

// The layout row of a named field; a page table naming a field the layout lacks is a
// build error of the variant and throws std::invalid_argument.
const FieldSpec& fieldNamed(std::span<const FieldSpec> layout, std::string_view name);

} // namespace kbs
