#include "cli/command_run.h"
#include "cli/json_text.h"
#include "cli/queue_send.h"
#include "cli/text_table.h"
#include "cups/cups_printer_list.h"
#include "cups/cups_spooler.h"

#include <algorithm>

namespace kbs::cli {

namespace {

// How many queues a send serves at a time unless told otherwise.
constexpr unsigned kDefaultParallel = 16;
// The queue list: the same budget as the desktop programs' printer list.
constexpr auto kQueueListBudget = CupsPrinterList::kDefaultBudget;
constexpr Phrase kServerSilent{"the print server did not answer", "プリントサーバーが応答しません"};
constexpr Phrase kNothingSent{"nothing was sent", "何も送信していません"};
constexpr Phrase kQueuesOrAll{"name the queues or give --all, not both",
                              "キューを指定するか --all を指定してください（両方は不可）"};
constexpr Phrase kParallelRange{"--parallel takes 1 to 256", "--parallel には 1 から 256 を指定してください"};
constexpr Phrase kSending{"sending: %1/%2", "送信中: %1/%2"};

JsonObject queueJson(const InstalledQueue& queue)
{
    return JsonObject()
        .add("queue", queue.name)
        .add("state", stateKeyword(queue.state))
        .add("accepting", queue.accepting)
        .addJson("reasons", jsonStrings(queue.stateReasons))
        .add("stateMessage", queue.stateMessage);
}

std::string resultsJson(std::span<const QueueResult> results, std::span<const InstalledQueue> targets,
                        const std::string* file)
{
    std::vector<std::string> objects;
    for (std::size_t i = 0; i < results.size(); ++i) {
        JsonObject object = queueJson(targets[i]);
        if (file)
            object.add("file", *file);
        objects.push_back(object.add("result", outcomeKeyword(results[i].outcome))
                              .add("sent", results[i].outcome == Outcome::Sent)
                              .add("message", results[i].message)
                              .text());
    }
    return jsonArray(objects);
}

std::string resultsTable(std::span<const QueueResult> results, Language language)
{
    std::vector<std::vector<std::string>> rows{{say(language, {"QUEUE", "キュー"}),
                                                say(language, {"RESULT", "結果"}),
                                                say(language, {"MESSAGE", "メッセージ"})}};
    for (const QueueResult& result : results)
        rows.push_back({result.queue, outcomeText(result.outcome, language), result.message});
    return textTable(rows);
}

// Which queue would get which file, and what would become of it as the queue stands.
std::string dryRunTable(std::span<const InstalledQueue> targets, const std::string& file, Language language)
{
    std::vector<std::vector<std::string>> rows{
        {say(language, {"QUEUE", "キュー"}), say(language, {"FILE", "ファイル"}),
         say(language, {"STATE", "状態"}), say(language, {"WOULD BE", "予定"})}};
    for (const InstalledQueue& queue : targets) {
        const QueueResult expected = expectedOutcome(queue, language);
        rows.push_back(
            {queue.name, file, stateText(queue, language), outcomeText(expected.outcome, language)});
    }
    return textTable(rows);
}

std::optional<unsigned> parallelOf(const CommandRun& run)
{
    const std::string* count = run.line.value("--parallel");
    if (!count)
        return kDefaultParallel;
    const bool digits = !count->empty() && count->size() <= 3 &&
                        std::ranges::all_of(*count, [](char c) { return c >= '0' && c <= '9'; });
    const unsigned parallel = digits ? static_cast<unsigned>(std::stoul(*count)) : 0;
    if (parallel == 0 || parallel > 256)
        return std::nullopt;
    return parallel;
}

} // namespace

int queuesCommand(const CommandRun& run)
{
    const Language language = run.console.language;
    const auto installed = installedQueues(kQueueListBudget);
    if (!installed)
        return run.fail(run.say(kServerSilent));
    std::vector<std::string> objects;
    std::vector<std::vector<std::string>> rows{
        {say(language, {"PROGRAM", "プログラム"}), say(language, {"QUEUE", "キュー"}),
         say(language, {"MODEL", "機種"}), say(language, {"CONNECTION", "接続先"}),
         say(language, {"STATE", "状態"})}};
    for (const ModelVariant* variant : programs()) {
        for (const InstalledQueue& queue : *installed) {
            if (!servesModel(*variant, queue.makeAndModel))
                continue;
            rows.push_back({std::string(variant->deliverable), queue.name, queue.makeAndModel,
                            queue.connection, stateText(queue, language)});
            objects.push_back(queueJson(queue)
                                  .add("program", variant->deliverable)
                                  .add("model", queue.makeAndModel)
                                  .add("connection", queue.connection)
                                  .text());
        }
    }
    run.console.out << (run.line.has("--json") ? jsonArray(objects) : textTable(rows));
    return kDone;
}

int sendCommand(const CommandRun& run)
{
    const std::string& file = run.line.positional[0];
    const auto image = run.readImage(file);
    if (!image)
        return kError;
    const bool all = run.line.has("--all");
    const std::vector<std::string> named(run.line.positional.begin() + 1, run.line.positional.end());
    if (all == !named.empty())
        return run.fail(run.say(kQueuesOrAll));
    const auto parallel = parallelOf(run);
    if (!parallel)
        return run.fail(run.say(kParallelRange));
    const auto installed = installedQueues(kQueueListBudget);
    if (!installed)
        return run.fail(run.say(kServerSilent) + "; " + run.say(kNothingSent));
    const SendPlan plan = planSend(*image->variant, *installed, named, all, run.console.language);
    if (!plan.refusals.empty()) {
        for (const std::string& refusal : plan.refusals)
            run.fail(refusal);
        return run.fail(run.say(kNothingSent));
    }
    const bool json = run.line.has("--json");
    if (run.line.has("--dry-run")) {
        std::vector<QueueResult> expected;
        for (const InstalledQueue& queue : plan.targets)
            expected.push_back(expectedOutcome(queue, run.console.language));
        run.console.out << (json ? resultsJson(expected, plan.targets, &file)
                                 : dryRunTable(plan.targets, file, run.console.language));
        return kDone;
    }
    CupsSpooler spooler;
    const auto progress = [&](std::size_t done, std::size_t total) {
        if (run.console.progressOnTerminal)
            run.console.err << "\r" << run.say(kSending, {std::to_string(done), std::to_string(total)})
                            << (done == total ? "\n" : "") << std::flush;
    };
    const auto results =
        sendToQueues(spooler, plan.targets, image->block.bytes(), *parallel, progress, run.console.language);
    run.console.out << (json ? resultsJson(results, plan.targets, nullptr)
                             : resultsTable(results, run.console.language));
    const bool allowHeld = run.line.has("--allow-held");
    const bool everyQueue = std::ranges::all_of(results, [&](const QueueResult& result) {
        return result.outcome == Outcome::Sent || (allowHeld && result.outcome == Outcome::Held);
    });
    return everyQueue ? kDone : kDiffers;
}

} // namespace kbs::cli
