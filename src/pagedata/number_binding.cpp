#include "pagedata/number_binding.h"

#include "model/field_codecs.h"

namespace kbs {

NumberBinding::NumberBinding(std::size_t offset, std::size_t digits, const NumberBoxSpec& box,
                             std::size_t member)
    : offset_(offset), digits_(digits), box_(box), member_(member)
{
}

void NumberBinding::load(const SettingsBlock& block, std::span<Member> members)
{
    Member& member = members[member_];
    int value = 0;
    for (std::size_t i = 0; i < digits_; ++i) {
        const std::uint8_t c = block[offset_ + i];
        if (c < '0' || c > '9') {
            value = -1;
            break;
        }
        value = value * 10 + (c - '0');
    }
    if (value >= box_.min && value <= box_.max)
        member.number = value;
    else if (box_.loadMiss == LoadMiss::Substitute)
        member.number = box_.substitute;
}

void NumberBinding::store(SettingsBlock& block, std::span<const Member> members)
{
    writeDecimal(block, offset_, digits_, members[member_].number);
}

std::vector<OwnedBits> NumberBinding::owned(std::size_t member) const
{
    return member == member_ ? wholeBytes(offset_, digits_) : std::vector<OwnedBits>{};
}

} // namespace kbs
