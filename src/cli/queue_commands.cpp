#include "cli/command_run.h"
#include "cli/fleet_send.h"
#include "cli/json_text.h"
#include "cli/queue_send.h"
#include "cli/text_table.h"
#include "cups/cups_printer_list.h"

#include <algorithm>

namespace kbs::cli {

namespace {

// How many queues a send serves at a time unless told otherwise.
constexpr unsigned kDefaultParallel = 16;
// The queue list: the same budget as the desktop programs' printer list.
constexpr auto kQueueListBudget = CupsPrinterList::kDefaultBudget;
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

std::string resultsJson(std::span<const FleetResult> results, const std::string* file)
{
    std::vector<std::string> objects;
    for (const FleetResult& row : results) {
        JsonObject object = queueJson(row.queue).add("server", row.server);
        if (file)
            object.add("file", *file);
        objects.push_back(object.add("result", outcomeKeyword(row.result.outcome))
                              .add("sent", row.result.outcome == Outcome::Sent)
                              .add("message", row.result.message)
                              .text());
    }
    return jsonArray(objects);
}

std::string resultsTable(std::span<const FleetResult> results, Language language)
{
    std::vector<std::vector<std::string>> rows{
        {say(language, {"SERVER", "サーバー"}), say(language, {"QUEUE", "キュー"}),
         say(language, {"RESULT", "結果"}), say(language, {"MESSAGE", "メッセージ"})}};
    for (const FleetResult& row : results)
        rows.push_back(
            {row.server, row.result.queue, outcomeText(row.result.outcome, language), row.result.message});
    return textTable(rows);
}

// Which queue would get which file, and what would become of it as the queue stands.
std::string dryRunTable(std::span<const FleetResult> results, const std::string& file, Language language)
{
    std::vector<std::vector<std::string>> rows{
        {say(language, {"SERVER", "サーバー"}), say(language, {"QUEUE", "キュー"}),
         say(language, {"FILE", "ファイル"}), say(language, {"STATE", "状態"}),
         say(language, {"WOULD BE", "予定"})}};
    for (const FleetResult& row : results)
        rows.push_back({row.server, row.result.queue, file, stateText(row.queue, language),
                        outcomeText(row.result.outcome, language)});
    return textTable(rows);
}

// The queue names of the command line, or nothing after saying which one is wrong.
std::optional<std::vector<QueueName>> queueNames(const CommandRun& run, std::span<const std::string> texts)
{
    std::vector<QueueName> names;
    for (const std::string& text : texts) {
        auto name = parseQueueName(text);
        if (!name) {
            run.fail(run.say({"%1: not QUEUE or QUEUE@SERVER", "%1: QUEUE でも QUEUE@SERVER でもありません"},
                             {text}));
            return std::nullopt;
        }
        names.push_back(std::move(*name));
    }
    return names;
}

// Every server the run names, asked at once; nothing after saying why not.
std::optional<std::vector<ServerQueues>> askedServers(const CommandRun& run, std::span<const QueueName> names)
{
    ServerChoice choice =
        chooseServers(run.line.values("--server"), run.line.values("--servers"), names, run.console.language);
    if (!choice.error.empty()) {
        run.fail(choice.error);
        return std::nullopt;
    }
    return askServers(choice.servers, kQueueListBudget);
}

bool everySilent(std::span<const ServerQueues> answers)
{
    return std::ranges::none_of(answers,
                                [](const ServerQueues& answer) { return answer.queues.has_value(); });
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
    const auto answers = askedServers(run, {});
    if (!answers)
        return kError;
    std::vector<std::string> objects;
    std::vector<std::vector<std::string>> rows{
        {say(language, {"SERVER", "サーバー"}), say(language, {"PROGRAM", "プログラム"}),
         say(language, {"QUEUE", "キュー"}), say(language, {"MODEL", "機種"}),
         say(language, {"CONNECTION", "接続先"}), say(language, {"STATE", "状態"})}};
    bool silent = false;
    for (const ServerQueues& answer : *answers) {
        const std::string server = answer.server.name();
        if (!answer.queues) {
            silent = true;
            run.fail(answers->size() > 1 ? server + ": " + run.say(kServerSilent) : run.say(kServerSilent));
            continue;
        }
        for (const ModelVariant* variant : programs()) {
            for (const InstalledQueue& queue : *answer.queues) {
                if (!servesModel(*variant, queue.makeAndModel))
                    continue;
                rows.push_back({server, std::string(variant->deliverable), queue.name, queue.makeAndModel,
                                queue.connection, stateText(queue, language)});
                objects.push_back(queueJson(queue)
                                      .add("server", server)
                                      .add("program", variant->deliverable)
                                      .add("model", queue.makeAndModel)
                                      .add("connection", queue.connection)
                                      .text());
            }
        }
    }
    if (everySilent(*answers))
        return kError;
    run.console.out << (run.line.has("--json") ? jsonArray(objects) : textTable(rows));
    return silent ? kDiffers : kDone;
}

int sendCommand(const CommandRun& run)
{
    const std::string& file = run.line.positional[0];
    const auto image = run.readImage(file);
    if (!image)
        return kError;
    const bool all = run.line.has("--all");
    const auto names = queueNames(run, std::span(run.line.positional).subspan(1));
    if (!names)
        return kError;
    if (all == !names->empty())
        return run.fail(run.say(kQueuesOrAll));
    FleetSendOptions options;
    if (const auto parallel = parallelOf(run))
        options.parallel = *parallel;
    else
        return run.fail(run.say(kParallelRange));
    const auto answers = askedServers(run, *names);
    if (!answers)
        return kError;
    if (everySilent(*answers))
        return run.fail(run.say(kServerSilent) + "; " + run.say(kNothingSent));
    const FleetPlan plan = planFleetSend(*image->variant, *answers, *names, all, run.console.language);
    if (!plan.refusals.empty()) {
        for (const std::string& refusal : plan.refusals)
            run.fail(refusal);
        return run.fail(run.say(kNothingSent));
    }
    options.ifChanged = run.line.has("--if-changed");
    options.dryRun = run.line.has("--dry-run");
    options.progress = [&](std::size_t done, std::size_t total) {
        if (run.console.progressOnTerminal && !options.dryRun)
            run.console.err << "\r" << run.say(kSending, {std::to_string(done), std::to_string(total)})
                            << (done == total ? "\n" : "") << std::flush;
    };
    const auto results =
        sendToFleet(*answers, plan, *image, SendRecords(SendRecords::defaultFolder(), run.console.language),
                    options, run.console.language);
    const bool json = run.line.has("--json");
    if (options.dryRun)
        run.console.out << (json ? resultsJson(results, &file)
                                 : dryRunTable(results, file, run.console.language));
    else
        run.console.out << (json ? resultsJson(results, nullptr)
                                 : resultsTable(results, run.console.language));
    // A dry run is done unless a server did not answer; a send when every queue has the block.
    const bool allowHeld = run.line.has("--allow-held");
    const bool everyQueue = std::ranges::all_of(results, [&](const FleetResult& row) {
        const Outcome outcome = row.result.outcome;
        if (options.dryRun)
            return row.queue.name != kSilentServerQueue;
        return outcome == Outcome::Sent || outcome == Outcome::Unchanged ||
               (allowHeld && outcome == Outcome::Held);
    });
    return everyQueue ? kDone : kDiffers;
}

} // namespace kbs::cli
