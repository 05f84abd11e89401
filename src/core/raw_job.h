#pragma once

#include "core/spooler_port.h"

#include <cstdint>
#include <span>
#include <string_view>

namespace kbs {

// The name every settings job carries in the spooler.
inline constexpr std::string_view kJobDocumentName = "Knobstation Status Write";

// Settings printed to a file never reach a printer: a connection of exactly this text is
// refused before anything is sent.
inline constexpr std::string_view kFilePort = "FILE:";

// Opens the queue for use and sends `block` as one raw job. True only when the spooler took
// the whole block; the job is ended even after a failed write, and the queue is closed on
// every path.
bool sendRawJob(SpoolerPort& spooler, std::string_view queueName, std::span<const std::uint8_t> block);

} // namespace kbs
