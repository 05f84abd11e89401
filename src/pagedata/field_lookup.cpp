#include "pagedata/field_lookup.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace kbs {

const FieldSpec& fieldNamed(std::span<const FieldSpec> layout, std::string_view name)
{
    const auto field = std::ranges::find(layout, name, &FieldSpec::name);
    if (field == layout.end())
        throw std::invalid_argument("no field named " + std::string(name) + " in the block layout");
    return *field;
}

} // namespace kbs
