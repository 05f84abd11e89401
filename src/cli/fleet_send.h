#pragma once

#include "cli/file_image.h"
#include "cli/queue_send.h"
#include "cli/send_records.h"
#include "cli/server_fleet.h"

#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace kbs::cli {

// The queue name in the row of a server that did not answer.
inline constexpr std::string_view kSilentServerQueue = "*";

// One row of a send's report: a queue of a server, or a server that did not answer.
struct FleetResult {
    std::string server;
    InstalledQueue queue;
    QueueResult result;
};

struct FleetSendOptions {
    unsigned parallel = 16;
    // A queue whose record holds the file's block is not sent to again: unchanged.
    bool ifChanged = false;
    // Nothing is sent and no record changes: each row says what a send would do.
    bool dryRun = false;
    std::function<void(std::size_t done, std::size_t total)> progress;
};

// Sends the file's block to every target of the plan, `parallel` at a time, each on a spooler
// for its own server, and keeps the records. An accepted send is recorded. A send that was tried
// and not accepted, or is held in a paused queue, removes the queue's record: the printer may
// get the new block, the old one or a part. A record that cannot be kept turns its row into a
// failure. Silent servers first, then the rows in the order of the plan.
std::vector<FleetResult> sendToFleet(std::span<const ServerQueues> servers, const FleetPlan& plan,
                                     const FileImage& file, const SendRecords& records,
                                     const FleetSendOptions& options, Language language);

} // namespace kbs::cli
