#pragma once

#include "model/settings_block.h"
#include "pagedata/page_control.h"

#include <span>

namespace kbs {

// Moves one or more block fields of a page to and from the members of its controls.
class FieldBinding {
public:
    virtual ~FieldBinding() = default;
    virtual void load(const SettingsBlock& block, std::span<Member> members) = 0;
    // Writes its fields and no other byte.
    virtual void store(SettingsBlock& block, std::span<const Member> members) = 0;
};

} // namespace kbs
