#pragma once

#include "model/control_table.h"
#include "model/field_layout.h"

#include <cstdint>
#include <span>

// The kbs18t tables, each in its own file beside this one.
namespace kbs {
struct PageTables;
}

namespace kbs::kbs18t {

std::span<const std::uint8_t> factoryDefaults();
std::span<const FieldSpec> fields();
// The parameter pages.
std::span<const ControlPageTable> controlPages();
const ControlPageTable& selectPage();
const PageTables& pageTables();
// The form tab, one of the control pages.
const ControlPageTable& formPage();

} // namespace kbs::kbs18t
