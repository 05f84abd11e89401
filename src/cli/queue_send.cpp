#include "cli/queue_send.h"

#include "cli/text_table.h"

#include "core/messages.h"
#include "core/raw_job.h"
#include "cups/printer_list.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <mutex>
#include <thread>

namespace kbs::cli {

SendPlan planSend(const ModelVariant& variant, std::span<const InstalledQueue> installed,
                  std::span<const std::string> named, bool all)
{
    SendPlan plan;
    if (all) {
        for (const InstalledQueue& queue : installed)
            if (servesModel(variant, queue.makeAndModel))
                plan.targets.push_back(queue);
        if (plan.targets.empty())
            plan.refusals.push_back("no installed queue serves " + std::string(variant.deliverable));
        return plan;
    }
    for (const std::string& name : named) {
        const auto queue = std::ranges::find(installed, name, &InstalledQueue::name);
        if (queue == installed.end())
            plan.refusals.push_back(name + ": no such queue");
        else if (!servesModel(variant, queue->makeAndModel))
            plan.refusals.push_back(name + ": its model \"" + queue->makeAndModel + "\" is not served by " +
                                    std::string(variant.deliverable));
        else if (std::ranges::find(plan.targets, name, &InstalledQueue::name) == plan.targets.end())
            plan.targets.push_back(*queue);
    }
    return plan;
}

std::vector<QueueResult> sendToQueues(SpoolerPort& spooler, std::span<const InstalledQueue> targets,
                                      std::span<const std::uint8_t> block, unsigned parallel,
                                      const std::function<void(std::size_t, std::size_t)>& progress)
{
    std::vector<QueueResult> results(targets.size());
    std::atomic<std::size_t> next{0};
    std::mutex reporting;
    std::size_t done = 0;
    const auto work = [&] {
        for (std::size_t i; (i = next++) < targets.size();) {
            QueueResult& result = results[i];
            result.queue = targets[i].name;
            if (targets[i].connection == kFilePort) {
                result.message = messages::kFilePortCannotSend;
            } else {
                result.sent = sendRawJob(spooler, targets[i].name, block);
                result.message = result.sent ? messages::kSendSucceeded : messages::kPrinterUnavailable;
            }
            const std::lock_guard lock(reporting);
            if (progress)
                progress(++done, targets.size());
        }
    };
    const std::size_t threads =
        std::clamp<std::size_t>(parallel, 1, std::max<std::size_t>(targets.size(), 1));
    std::vector<std::jthread> workers;
    for (std::size_t t = 1; t < threads; ++t)
        workers.emplace_back(work);
    work();
    workers.clear(); // joins: every result is in before they are handed out
    return results;
}

std::string resultTable(std::span<const QueueResult> results)
{
    std::vector<std::vector<std::string>> rows{{"QUEUE", "RESULT", "MESSAGE"}};
    for (const QueueResult& result : results)
        rows.push_back({result.queue, result.sent ? "sent" : "FAILED", result.message});
    return textTable(rows);
}

std::string jsonString(std::string_view text)
{
    std::string json = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            json += '\\';
            json += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            json += escaped;
        } else {
            json += c;
        }
    }
    return json + "\"";
}

std::string resultJson(std::span<const QueueResult> results)
{
    std::string json = "[";
    for (const QueueResult& result : results)
        json += std::string(json.size() > 1 ? ",\n " : "\n ") + "{\"queue\": " + jsonString(result.queue) +
                ", \"sent\": " + (result.sent ? "true" : "false") +
                ", \"message\": " + jsonString(result.message) + "}";
    return json + "\n]\n";
}

} // namespace kbs::cli
