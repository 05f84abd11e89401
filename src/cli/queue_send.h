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

// Sends `block` as the programs' raw job to every target, `parallel` at a time, and reports
// each finished queue to `progress` (from the calling thread's point of view, serialised).
// The results are in the order of the targets.
std::vector<QueueResult>
sendToQueues(SpoolerPort& spooler, std::span<const InstalledQueue> targets,
             std::span<const std::uint8_t> block, unsigned parallel,
             const std::function<void(std::size_t done, std::size_t total)>& progress);

// The results as a table (queue, result, message) and as JSON.
std::string resultTable(std::span<const QueueResult> results);
std::string resultJson(std::span<const QueueResult> results);

// Text as a JSON string literal.
std::string jsonString(std::string_view text);

} // namespace kbs::cli
