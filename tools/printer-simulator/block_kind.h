#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace kbs::simulator {

// One line on a received job: its size and whose settings block it is, told by the
// block length and the lead-in of the three programs' blocks.
std::string describeJob(unsigned jobNumber, std::span<const std::uint8_t> bytes);

} // namespace kbs::simulator
