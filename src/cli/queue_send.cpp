#include "cli/queue_send.h"

#include "core/messages.h"
#include "core/raw_job.h"
#include "cups/printer_list.h"

#include <algorithm>
#include <cstdio>

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

QueueResult sendToQueue(SpoolerPort& spooler, const InstalledQueue& target,
                        std::span<const std::uint8_t> block)
{
    QueueResult result{target.name, false, {}};
    if (target.connection == kFilePort) {
        result.message = messages::kFilePortCannotSend;
    } else {
        result.sent = sendRawJob(spooler, target.name, block);
        result.message = result.sent ? messages::kSendSucceeded : messages::kPrinterUnavailable;
    }
    return result;
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

} // namespace kbs::cli
