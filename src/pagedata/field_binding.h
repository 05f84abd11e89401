#pragma once

#include "model/settings_block.h"
#include "pagedata/page_control.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace kbs {

// A byte of the block and the bits of it that one control's value decides.
struct OwnedBits {
    std::size_t offset;
    std::uint8_t mask;
};

// Moves one or more block fields of a page to and from the members of its controls.
class FieldBinding {
public:
    virtual ~FieldBinding() = default;
    virtual void load(const SettingsBlock& block, std::span<Member> members) = 0;
    // Writes its fields and no other byte.
    virtual void store(SettingsBlock& block, std::span<const Member> members) = 0;
    // The bits the member's value decides, by offset; none when the binding does not serve it.
    virtual std::vector<OwnedBits> owned(std::size_t member) const = 0;
};

// Every bit of `width` bytes from `offset`: a field a control reads and writes whole.
inline std::vector<OwnedBits> wholeBytes(std::size_t offset, std::size_t width)
{
    std::vector<OwnedBits> bits;
    for (std::size_t i = 0; i < width; ++i)
        bits.push_back({offset + i, 0xFF});
    return bits;
}

} // namespace kbs
