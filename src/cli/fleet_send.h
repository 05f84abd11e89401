#pragma once

#include "cli/file_image.h"
#include "cli/send_records.h"
#include "cli/server_fleet.h"

#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace kbs::cli {

// One row of a send's report.
struct FleetResult {
    std::string server;
    std::string queue;
    std::string result; // "sent", "unchanged", "would send" or "FAILED"
    std::string message;
    bool done = false; // the queue holds the file's block (sent and accepted, or unchanged), or would
};

struct FleetSendOptions {
    unsigned parallel = 16;
    // A queue whose record holds the file's block is not sent to again.
    bool ifChanged = false;
    // Nothing is sent and no record changes: the rows tell what a send would do.
    bool dryRun = false;
    std::function<void(std::size_t done, std::size_t total)> progress;
};

// Sends the file's block to every target of the plan, `parallel` at a time, each on a spooler
// for its own server, and keeps the records: an accepted send is recorded, a send that was
// tried and not accepted forgets the queue's record. A server that did not answer is a failed
// row of its own. A record that could not be kept turns its row into a failure, since the
// printer's state would no longer be known. Rows in the order of the plan.
std::vector<FleetResult> sendToFleet(std::span<const ServerQueues> servers, const FleetPlan& plan,
                                     const FileImage& file, const SendRecords& records,
                                     const FleetSendOptions& options);

// The rows as a table (server, queue, result, message) and as JSON.
std::string fleetTable(std::span<const FleetResult> results);
std::string fleetJson(std::span<const FleetResult> results);

} // namespace kbs::cli
