#include "cli/queue_send.h"

#include "core/messages.h"
#include "core/raw_job.h"
#include "cups/printer_list.h"

#include <algorithm>

namespace kbs::cli {

namespace {

constexpr Phrase kNoServedQueue{"no installed queue serves %1", "%1 に対応するキューがありません"};
constexpr Phrase kNoSuchQueue{"%1: no such queue", "%1: そのようなキューはありません"};
constexpr Phrase kModelNotServed{"%1: its model \"%2\" is not served by %3",
                                 "%1: 機種「%2」は %3 の対象ではありません"};
constexpr Phrase kSent{"The settings were sent to the printer.", messages::kSendSucceeded};
constexpr Phrase kUnavailable{"The printer is not connected now, or may not be used under its access rights.",
                              messages::kPrinterUnavailable};
constexpr Phrase kFilePortRefused{"The queue's connection is FILE: settings cannot be sent there.",
                                  messages::kFilePortCannotSend};
constexpr Phrase kHeld{"the queue is paused: the job waits in it until the queue is resumed",
                       "キューが一時停止中です。再開されるまでジョブはキューに残ります"};
constexpr Phrase kNotAccepting{"not accepting jobs", "ジョブを受け付けていません"};

bool sameName(std::string_view a, std::string_view b)
{
    const auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; };
    return a.size() == b.size() &&
           std::ranges::equal(a, b, [&](char x, char y) { return lower(x) == lower(y); });
}

const InstalledQueue* queueNamed(std::span<const InstalledQueue> queues, std::string_view name)
{
    const auto found =
        std::ranges::find_if(queues, [&](const InstalledQueue& q) { return sameName(q.name, name); });
    return found != queues.end() ? &*found : nullptr;
}

// The server's own words on why it refuses: the administrator's message, else its reasons.
std::string refusalReason(const InstalledQueue& queue)
{
    if (!queue.stateMessage.empty())
        return queue.stateMessage;
    std::string reasons;
    for (const std::string& reason : queue.stateReasons)
        reasons += (reasons.empty() ? "" : ", ") + reason;
    return reasons;
}

} // namespace

SendPlan planSend(const ModelVariant& variant, std::span<const InstalledQueue> installed,
                  std::span<const std::string> named, bool all, Language language)
{
    SendPlan plan;
    const std::string program(variant.deliverable);
    if (all) {
        for (const InstalledQueue& queue : installed)
            if (servesModel(variant, queue.makeAndModel))
                plan.targets.push_back(queue);
        if (plan.targets.empty())
            plan.refusals.push_back(say(language, kNoServedQueue, {program}));
        return plan;
    }
    for (const std::string& name : named) {
        const InstalledQueue* queue = queueNamed(installed, name);
        if (queue == nullptr)
            plan.refusals.push_back(say(language, kNoSuchQueue, {name}));
        else if (!servesModel(variant, queue->makeAndModel))
            plan.refusals.push_back(say(language, kModelNotServed, {name, queue->makeAndModel, program}));
        else if (!queueNamed(plan.targets, name))
            plan.targets.push_back(*queue);
    }
    return plan;
}

QueueResult expectedOutcome(const InstalledQueue& queue, Language language)
{
    if (queue.connection == kFilePort)
        return {queue.name, Outcome::Failed, say(language, kFilePortRefused)};
    if (!queue.accepting) {
        const std::string reason = refusalReason(queue);
        return {queue.name, Outcome::Rejected,
                say(language, kNotAccepting) + (reason.empty() ? "" : ": " + reason)};
    }
    if (queue.state == QueueState::Stopped)
        return {queue.name, Outcome::Held, say(language, kHeld)};
    return {queue.name, Outcome::Sent, say(language, kSent)};
}

QueueResult sendToQueue(SpoolerPort& spooler, const InstalledQueue& target,
                        std::span<const std::uint8_t> block, Language language)
{
    QueueResult result = expectedOutcome(target, language);
    if (result.outcome != Outcome::Failed && result.outcome != Outcome::Rejected &&
        !sendRawJob(spooler, target.name, block))
        result = {target.name, Outcome::Failed, say(language, kUnavailable)};
    return result;
}

std::string_view outcomeKeyword(Outcome outcome)
{
    static constexpr std::string_view kKeywords[] = {"sent", "held", "rejected", "failed", "unchanged"};
    return kKeywords[static_cast<int>(outcome)];
}

std::string outcomeText(Outcome outcome, Language language)
{
    static constexpr Phrase kTexts[] = {{"sent", "送信済み"},
                                        {"held", "保留"},
                                        {"rejected", "拒否"},
                                        {"FAILED", "失敗"},
                                        {"unchanged", "変更なし"}};
    return say(language, kTexts[static_cast<int>(outcome)]);
}

std::string_view stateKeyword(QueueState state)
{
    switch (state) {
    case QueueState::Idle:
        return "idle";
    case QueueState::Processing:
        return "processing";
    case QueueState::Stopped:
        return "paused";
    case QueueState::Unknown:
        break;
    }
    return "unknown";
}

std::string stateText(const InstalledQueue& queue, Language language)
{
    static constexpr Phrase kStates[] = {
        {"unknown", "不明"}, {"idle", "待機中"}, {"processing", "印刷中"}, {"paused", "一時停止"}};
    const std::size_t index =
        queue.state == QueueState::Unknown ? 0 : static_cast<std::size_t>(queue.state) - 2;
    return say(language, kStates[index]) + ", " +
           say(language, queue.accepting ? Phrase{"accepting", "受付中"} : Phrase{"rejecting", "受付停止"});
}

} // namespace kbs::cli
