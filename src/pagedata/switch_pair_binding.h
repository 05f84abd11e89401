#pragma once

#include "model/field_codecs.h"
#include "model/switch_table.h"
#include "pagedata/field_binding.h"

#include <cstddef>
#include <vector>

namespace kbs {

// A memory switch page's byte pair. It keeps the eight switch values as last read, so that
// a switch without a control is written back as read unless its row clears it.
class SwitchPairBinding : public FieldBinding {
public:
    struct Slot {
        SwitchRange switches;
        SwitchControl control;
        std::size_t member = 0;         // unused for switches without a control
        const CodeList* list = nullptr; // the country list
    };

    SwitchPairBinding(std::size_t offset, std::vector<Slot> slots);

    void load(const SettingsBlock& block, std::span<Member> members) override;
    void store(SettingsBlock& block, std::span<const Member> members) override;
    std::vector<OwnedBits> owned(std::size_t member) const override;

private:
    std::size_t offset_;
    std::vector<Slot> slots_;
    SwitchValues values_{};
};

} // namespace kbs
