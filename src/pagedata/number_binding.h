#pragma once

#include "model/control_table.h"
#include "pagedata/field_binding.h"

#include <cstddef>

namespace kbs {

// A number box on the decimal digits of its field.
class NumberBinding : public FieldBinding {
public:
    // `offset` and `digits` cover the characters the box reads and writes.
    NumberBinding(std::size_t offset, std::size_t digits, const NumberBoxSpec& box, std::size_t member);

    // Non-digits or a value outside the box's range are handled by the box's load rule.
    void load(const SettingsBlock& block, std::span<Member> members) override;
    void store(SettingsBlock& block, std::span<const Member> members) override;
    std::vector<OwnedBits> owned(std::size_t member) const override;

private:
    std::size_t offset_;
    std::size_t digits_;
    const NumberBoxSpec& box_;
    std::size_t member_;
};

} // namespace kbs
