#pragma once

#include "cli/phrase.h"
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

// The named queues, or with `all` every installed queue whose model the program serves. Names
// match whatever their case, as the print server matches them. A named queue that is not
// installed, or whose model the program does not serve, is refused.
SendPlan planSend(const ModelVariant& variant, std::span<const InstalledQueue> installed,
                  std::span<const std::string> named, bool all, Language language);

// What became of the settings at one queue. Held: the server took the job, but the queue is
// paused and prints nothing until it is resumed. Unchanged: not sent, the queue's record holds
// the same block.
enum class Outcome { Sent, Held, Rejected, Failed, Unchanged };

struct QueueResult {
    std::string queue;
    Outcome outcome = Outcome::Failed;
    std::string message;
};

// What a send would do at the queue as its state stands; `message` says why.
QueueResult expectedOutcome(const InstalledQueue& queue, Language language);

// Sends `block` as the programs' raw job to the queue; one that does not accept jobs is not tried.
QueueResult sendToQueue(SpoolerPort& spooler, const InstalledQueue& target,
                        std::span<const std::uint8_t> block, Language language);

// The outcome's keyword in JSON ("sent", "held", "rejected", "failed", "unchanged") and in a table.
std::string_view outcomeKeyword(Outcome outcome);
std::string outcomeText(Outcome outcome, Language language);
// A queue's state: "idle", "processing", "paused" or "unknown", and as a table shows it.
std::string_view stateKeyword(QueueState state);
std::string stateText(const InstalledQueue& queue, Language language);

} // namespace kbs::cli
