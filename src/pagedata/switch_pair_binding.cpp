#include "pagedata/switch_pair_binding.h"

#include "pagedata/code_list_rules.h"

#include <string>
#include <utility>

namespace kbs {

namespace {

std::uint8_t& switchValue(SwitchValues& values, int number)
{
    return values.at(static_cast<std::size_t>(number - 1));
}
std::uint8_t switchValue(const SwitchValues& values, int number)
{
    return values.at(static_cast<std::size_t>(number - 1));
}

// The switches of a range as a number, the first switch in bit 0.
int rangeCode(const SwitchValues& values, SwitchRange range)
{
    int code = 0;
    for (int number = range.last; number >= range.first; --number)
        code = code * 2 + switchValue(values, number);
    return code;
}

void setRangeCode(SwitchValues& values, SwitchRange range, int code)
{
    for (int number = range.first; number <= range.last; ++number)
        switchValue(values, number) = static_cast<std::uint8_t>((code >> (number - range.first)) & 1);
}

} // namespace

SwitchPairBinding::SwitchPairBinding(std::size_t offset, std::vector<Slot> slots)
    : offset_(offset), slots_(std::move(slots))
{
}

void SwitchPairBinding::load(const SettingsBlock& block, std::span<Member> members)
{
    values_ = readSwitchPair(block, offset_);
    for (const Slot& slot : slots_) {
        switch (slot.control) {
        case SwitchControl::RadioPair:
        case SwitchControl::CheckBox:
        case SwitchControl::HiddenRadioPair:
            members[slot.member].choice = switchValue(values_, slot.switches.first);
            break;
        case SwitchControl::CountryList: {
            const std::string code = std::to_string(rangeCode(values_, slot.switches));
            members[slot.member].choice = loadedEntry(*slot.list, code, members[slot.member].choice);
            break;
        }
        case SwitchControl::PassedThrough:
        case SwitchControl::Cleared:
            break;
        }
    }
}

void SwitchPairBinding::store(SettingsBlock& block, std::span<const Member> members)
{
    for (const Slot& slot : slots_) {
        switch (slot.control) {
        case SwitchControl::RadioPair:
        case SwitchControl::CheckBox:
        case SwitchControl::HiddenRadioPair: {
            // Nothing chosen happens only before the first load: the switch keeps its value.
            const int choice = members[slot.member].choice;
            if (choice != Member::kNoChoice)
                switchValue(values_, slot.switches.first) = choice != 0 ? 1 : 0;
            break;
        }
        case SwitchControl::CountryList:
            if (const auto code = storedCode(*slot.list, members[slot.member].choice))
                setRangeCode(values_, slot.switches, std::stoi(std::string(*code)));
            break;
        case SwitchControl::Cleared:
            setRangeCode(values_, slot.switches, 0);
            break;
        case SwitchControl::PassedThrough:
            break;
        }
    }
    writeSwitchPair(block, offset_, values_);
}

std::vector<OwnedBits> SwitchPairBinding::owned(std::size_t member) const
{
    // Switch n-k sits in bit (k - 1) % 4 of the pair's first byte for k up to 4, else the second.
    std::vector<OwnedBits> bits;
    for (const Slot& slot : slots_) {
        if (slot.control == SwitchControl::PassedThrough || slot.control == SwitchControl::Cleared ||
            slot.member != member)
            continue;
        for (int number = slot.switches.first; number <= slot.switches.last; ++number) {
            const std::size_t offset = offset_ + static_cast<std::size_t>(number - 1) / 4;
            const auto bit = static_cast<std::uint8_t>(1U << ((number - 1) % 4));
            if (!bits.empty() && bits.back().offset == offset)
                bits.back().mask |= bit;
            else
                bits.push_back({offset, bit});
        }
    }
    return bits;
}

} // namespace kbs
