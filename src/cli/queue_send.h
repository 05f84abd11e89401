#pragma once

#include "core/spooler_port.h"
#include "cups/cups_printer_list.h"
#include "model/model_variant.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace kbs::cli {

// Which queues a send goes to, or why it goes nowhere.
struct SendPlan {
    std::vector<InstalledQueue> targets;
    std::vector<std::string> refusals; // nothing is sent when there is one
};

// The named queues, or with `all` every installed queue whose model the program serves.
// A named queue that is not installed, or whose model the program does not serve, is refused.
SendPlan planSend(const ModelVariant& variant, std::span<const InstalledQueue> installed,
                  std::span<const std::string> named, bool all);

struct QueueResult {
    std::string queue;
    bool sent = false;
    std::string message; // the desktop program's own notice for the outcome
};

// Sends `block` to one queue as the programs' raw job.
QueueResult sendToQueue(SpoolerPort& spooler, const InstalledQueue& target,
                        std::span<const std::uint8_t> block);

// Text as a JSON string literal.
std::string jsonString(std::string_view text);

} // namespace kbs::cli
