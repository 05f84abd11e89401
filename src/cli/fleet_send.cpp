#include "cli/fleet_send.h"

#include "cli/in_parallel.h"
#include "cli/queue_send.h"
#include "cli/text_table.h"

#include "cups/cups_spooler.h"

#include <deque>
#include <mutex>

namespace kbs::cli {

namespace {

constexpr std::string_view kServerSilent = "the print server did not answer";

bool sameBlock(const std::optional<FileImage>& record, const FileImage& file)
{
    return record && record->variant == file.variant &&
           record->block.bytes().size() == file.block.bytes().size() &&
           std::ranges::equal(record->block.bytes(), file.block.bytes());
}

} // namespace

std::vector<FleetResult> sendToFleet(std::span<const ServerQueues> servers, const FleetPlan& plan,
                                     const FileImage& file, const SendRecords& records,
                                     const FleetSendOptions& options)
{
    std::deque<CupsSpooler> spoolers;
    for (const ServerQueues& server : servers)
        spoolers.emplace_back(SendDeadlines{}, server.server);

    std::vector<FleetResult> results;
    for (const std::size_t silent : plan.silentServers)
        results.push_back({servers[silent].server.name(), "*", "FAILED", std::string(kServerSilent), false});
    const std::size_t first = results.size();
    results.resize(first + plan.targets.size());

    std::mutex reporting;
    std::size_t done = 0;
    inParallel(plan.targets.size(), options.parallel, [&](std::size_t i) {
        const FleetTarget& target = plan.targets[i];
        const std::string server = servers[target.server].server.name();
        FleetResult& row = results[first + i];
        row.server = server;
        row.queue = target.queue.name;
        if (options.ifChanged && sameBlock(records.recorded(server, target.queue.name), file)) {
            row.result = "unchanged";
            row.message = "the queue's record holds this block";
            row.done = true;
        } else if (options.dryRun) {
            row.result = "would send";
            row.message = "nothing was sent (--dry-run)";
            row.done = true;
        } else {
            const QueueResult sent = sendToQueue(spoolers[target.server], target.queue, file.block.bytes());
            row.result = sent.sent ? "sent" : "FAILED";
            row.message = sent.message;
            row.done = sent.sent;
            const std::string failure = sent.sent ? records.store(server, target.queue.name, file)
                                                  : records.forget(server, target.queue.name);
            if (!failure.empty()) {
                // An old record must not outlive a send it no longer describes.
                if (sent.sent)
                    records.forget(server, target.queue.name);
                row.result = "FAILED";
                row.message += " (record not kept: " + failure + ")";
                row.done = false;
            }
        }
        const std::lock_guard lock(reporting);
        if (options.progress)
            options.progress(++done, plan.targets.size());
    });
    return results;
}

std::string fleetTable(std::span<const FleetResult> results)
{
    std::vector<std::vector<std::string>> rows{{"SERVER", "QUEUE", "RESULT", "MESSAGE"}};
    for (const FleetResult& result : results)
        rows.push_back({result.server, result.queue, result.result, result.message});
    return textTable(rows);
}

std::string fleetJson(std::span<const FleetResult> results)
{
    std::string json = "[";
    for (const FleetResult& result : results)
        json += std::string(json.size() > 1 ? ",\n " : "\n ") + "{\"server\": " + jsonString(result.server) +
                ", \"queue\": " + jsonString(result.queue) + ", \"result\": " + jsonString(result.result) +
                ", \"sent\": " + (result.result == "sent" ? "true" : "false") +
                ", \"message\": " + jsonString(result.message) + "}";
    return json + "\n]\n";
}

} // namespace kbs::cli
