#include "cli/fleet_commands.h"

#include "cli/fleet_send.h"
#include "cli/queue_send.h"
#include "cli/settings_report.h"
#include "cli/settings_text.h"
#include "cli/text_table.h"

#include <algorithm>
#include <ctime>

namespace kbs::cli {

namespace {

constexpr int kDone = 0;
constexpr int kNotEverywhere = 1;
constexpr int kError = 2;

// How many queues a send serves at a time unless told otherwise.
constexpr unsigned kDefaultParallel = 16;
// Each server's queue list: the same budget as the desktop programs' printer list.
constexpr auto kQueueListBudget = CupsPrinterList::kDefaultBudget;
constexpr std::string_view kServerSilent = "the print server did not answer";

// The queue names of the command line, or nothing after saying which one is wrong.
std::optional<std::vector<QueueName>> queueNames(std::span<const std::string> texts, std::string_view command,
                                                 Console& console)
{
    std::vector<QueueName> names;
    for (const std::string& text : texts) {
        auto name = parseQueueName(text);
        if (!name) {
            console.err << command << ": " << text << ": not QUEUE or QUEUE@SERVER\n";
            return std::nullopt;
        }
        names.push_back(std::move(*name));
    }
    return names;
}

std::optional<std::vector<PrintServer>> servers(const CommandLine& line, std::span<const QueueName> names,
                                                std::string_view command, Console& console)
{
    ServerChoice choice = chooseServers(line.values("--server"), line.values("--servers"), names);
    if (!choice.error.empty()) {
        console.err << command << ": " << choice.error << "\n";
        return std::nullopt;
    }
    return std::move(choice.servers);
}

bool allSilent(std::span<const ServerQueues> answers)
{
    return std::ranges::none_of(answers,
                                [](const ServerQueues& answer) { return answer.queues.has_value(); });
}

std::string localTime(std::time_t time)
{
    std::tm local{};
    char text[32];
    if (!localtime_r(&time, &local) || !std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S%z", &local))
        return "?";
    return text;
}

bool sameName(std::string_view a, std::string_view b)
{
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return std::ranges::equal(a, b, {}, lower, lower);
}

} // namespace

int listQueues(const CommandLine& line, Console& console)
{
    const auto asked = servers(line, {}, "queues", console);
    if (!asked)
        return kError;
    const auto answers = askServers(*asked, kQueueListBudget);
    const bool json = line.has("--json");
    std::string text = "[";
    std::vector<std::vector<std::string>> rows{{"SERVER", "PROGRAM", "QUEUE", "MODEL", "CONNECTION"}};
    for (const ServerQueues& answer : answers) {
        const std::string server = answer.server.name();
        if (!answer.queues) {
            console.err << "queues: " << server << ": " << kServerSilent << "\n";
            continue;
        }
        for (const ModelVariant* variant : programs()) {
            for (const InstalledQueue& queue : *answer.queues) {
                if (!servesModel(*variant, queue.makeAndModel))
                    continue;
                rows.push_back({server, std::string(variant->deliverable), queue.name, queue.makeAndModel,
                                queue.connection});
                text += std::string(text.size() > 1 ? ",\n " : "\n ") + "{\"server\": " + jsonString(server) +
                        ", \"program\": " + jsonString(variant->deliverable) +
                        ", \"queue\": " + jsonString(queue.name) +
                        ", \"model\": " + jsonString(queue.makeAndModel) +
                        ", \"connection\": " + jsonString(queue.connection) + "}";
            }
        }
    }
    if (allSilent(answers))
        return kError;
    console.out << (json ? text + "\n]\n" : textTable(rows));
    return std::ranges::all_of(answers, [](const ServerQueues& answer) { return answer.queues.has_value(); })
               ? kDone
               : kNotEverywhere;
}

int sendFile(const CommandLine& line, const FileImage& file, Console& console)
{
    const bool all = line.has("--all");
    const auto names = queueNames(std::span(line.positional).subspan(1), "send", console);
    if (!names)
        return kError;
    if (all == !names->empty()) {
        console.err << "send: name the queues or give --all, not both\n";
        return kError;
    }
    FleetSendOptions options;
    options.parallel = kDefaultParallel;
    options.ifChanged = line.has("--if-changed");
    options.dryRun = line.has("--dry-run");
    if (const std::string* count = line.value("--parallel")) {
        try {
            options.parallel = static_cast<unsigned>(std::stoul(*count));
        } catch (const std::exception&) {
            options.parallel = 0;
        }
        if (options.parallel == 0 || options.parallel > 256) {
            console.err << "send: --parallel takes 1 to 256\n";
            return kError;
        }
    }
    const auto asked = servers(line, *names, "send", console);
    if (!asked)
        return kError;
    const auto answers = askServers(*asked, kQueueListBudget);
    if (allSilent(answers)) {
        console.err << "send: " << kServerSilent << "\nsend: nothing was sent\n";
        return kError;
    }
    const FleetPlan plan = planFleetSend(*file.variant, answers, *names, all);
    if (!plan.refusals.empty()) {
        for (const std::string& refusal : plan.refusals)
            console.err << "send: " << refusal << "\n";
        console.err << "send: nothing was sent\n";
        return kError;
    }
    options.progress = [&](std::size_t done, std::size_t total) {
        if (console.progressOnTerminal)
            console.err << "\rsending: " << done << "/" << total << (done == total ? "\n" : "") << std::flush;
    };
    const auto results = sendToFleet(answers, plan, file, SendRecords(SendRecords::defaultFolder()), options);
    console.out << (line.has("--json") ? fleetJson(results) : fleetTable(results));
    return std::ranges::all_of(results, &FleetResult::done) ? kDone : kNotEverywhere;
}

int listSent(const CommandLine& line, Console& console)
{
    const auto names = queueNames(line.positional, "sent", console);
    if (!names)
        return kError;
    const auto wanted = [&](const SendRecords::Entry& entry) {
        return names->empty() || std::ranges::any_of(*names, [&](const QueueName& name) {
                   return sameName(name.queue, entry.queue) &&
                          (!name.server || name.server->name() == entry.server);
               });
    };
    std::string json = "[";
    std::vector<std::vector<std::string>> rows{{"SERVER", "QUEUE", "PROGRAM", "SENT", "RECORD"}};
    for (const SendRecords::Entry& entry : SendRecords(SendRecords::defaultFolder()).entries()) {
        if (!wanted(entry))
            continue;
        const std::string program = entry.variant ? std::string(entry.variant->deliverable) : "?";
        rows.push_back({entry.server, entry.queue, program, localTime(entry.sentAt), entry.path});
        json += std::string(json.size() > 1 ? ",\n " : "\n ") + "{\"server\": " + jsonString(entry.server) +
                ", \"queue\": " + jsonString(entry.queue) + ", \"program\": " + jsonString(program) +
                ", \"sent\": " + jsonString(localTime(entry.sentAt)) +
                ", \"record\": " + jsonString(entry.path) + "}";
    }
    console.out << (line.has("--json") ? json + "\n]\n" : textTable(rows));
    return kDone;
}

int diffSent(const CommandLine& line, const FileImage& file, Console& console)
{
    const auto name = parseQueueName(*line.value("--sent"));
    if (!name) {
        console.err << "diff: " << *line.value("--sent") << ": not QUEUE or QUEUE@SERVER\n";
        return kError;
    }
    std::optional<PrintServer> server = name->server;
    const auto given = line.values("--server");
    if (given.size() > 1 || (given.size() == 1 && !server && !(server = parsePrintServer(given[0])))) {
        console.err << "diff: --server takes one print server: HOST, HOST:PORT or a socket path\n";
        return kError;
    }
    const std::string serverName = server.value_or(defaultPrintServer()).name();
    const auto record = SendRecords(SendRecords::defaultFolder()).recorded(serverName, name->queue);
    if (!record) {
        console.out << name->queue << "@" << serverName << ": no record of what it was sent\n";
        return kNotEverywhere;
    }
    if (record->variant != file.variant) {
        console.out << name->queue << "@" << serverName << ": was sent a " << record->variant->deliverable
                    << " block, the file is of " << file.variant->deliverable << "\n";
        return kNotEverywhere;
    }
    // The record holds only the block that was sent: the file's tail is no difference.
    const std::string differences =
        diffText(settingsMapOf(*file.variant), *record, {file.variant, file.block, {}});
    console.out << differences;
    return differences.empty() ? kDone : kNotEverywhere;
}

} // namespace kbs::cli
