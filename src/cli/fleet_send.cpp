#include "cli/fleet_send.h"

#include "cli/in_parallel.h"

#include "cups/cups_spooler.h"

#include <algorithm>
#include <deque>
#include <mutex>

namespace kbs::cli {

namespace {

constexpr Phrase kUnchanged{"its record holds this block", "記録にこのブロックがあります"};
constexpr Phrase kRecordNotKept{"%1 (the record was not kept: %2)", "%1（記録できませんでした: %2）"};

bool sameBlock(const std::optional<FileImage>& record, const FileImage& file)
{
    return record && record->variant == file.variant &&
           std::ranges::equal(record->block.bytes(), file.block.bytes());
}

// Whether the queue was given the job at all: one that rejects jobs or leads to a file is not.
bool tried(Outcome expected)
{
    return expected == Outcome::Sent || expected == Outcome::Held;
}

} // namespace

std::vector<FleetResult> sendToFleet(std::span<const ServerQueues> servers, const FleetPlan& plan,
                                     const FileImage& file, const SendRecords& records,
                                     const FleetSendOptions& options, Language language)
{
    std::deque<CupsSpooler> spoolers; // not movable, and each connection needs its server
    for (const ServerQueues& server : servers)
        spoolers.emplace_back(SendDeadlines{}, server.server);

    std::vector<FleetResult> results;
    for (const std::size_t silent : plan.silentServers) {
        InstalledQueue none;
        none.name = kSilentServerQueue;
        results.push_back({servers[silent].server.name(),
                           none,
                           {none.name, Outcome::Failed, say(language, kServerSilent)}});
    }
    const std::size_t first = results.size();
    results.resize(first + plan.targets.size());

    std::mutex reporting;
    std::size_t done = 0;
    inParallel(plan.targets.size(), options.parallel, [&](std::size_t i) {
        const FleetTarget& target = plan.targets[i];
        const std::string server = servers[target.server].server.name();
        const QueueResult expected = expectedOutcome(target.queue, language);
        QueueResult result;
        if (options.ifChanged && sameBlock(records.recorded(server, target.queue.name), file)) {
            result = {target.queue.name, Outcome::Unchanged, say(language, kUnchanged)};
        } else if (options.dryRun) {
            result = expected;
        } else {
            result = sendToQueue(spoolers[target.server], target.queue, file.block.bytes(), language);
            std::string failure;
            if (result.outcome == Outcome::Sent)
                failure = records.store(server, target.queue.name, file);
            if (!failure.empty() || (result.outcome != Outcome::Sent && tried(expected.outcome)))
                failure += records.forget(server, target.queue.name);
            if (!failure.empty())
                result = {target.queue.name, Outcome::Failed,
                          say(language, kRecordNotKept, {result.message, failure})};
        }
        results[first + i] = {server, target.queue, std::move(result)};
        const std::lock_guard lock(reporting);
        if (options.progress)
            options.progress(++done, plan.targets.size());
    });
    return results;
}

} // namespace kbs::cli
