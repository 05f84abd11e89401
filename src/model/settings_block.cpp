#include "model/settings_block.h"

#include <algorithm>
#include <stdexcept>

namespace kbs {

void SettingsBlock::assign(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() != bytes_.size())
        throw std::length_error("settings block length mismatch");
    std::copy(bytes.begin(), bytes.end(), bytes_.begin());
}

} // namespace kbs
