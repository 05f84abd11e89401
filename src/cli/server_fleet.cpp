#include "cli/server_fleet.h"

#include "cli/in_parallel.h"
#include "cli/queue_send.h"

#include <algorithm>
#include <fstream>

namespace kbs::cli {

namespace {

// Servers are asked all at once, up to this many.
constexpr unsigned kServersAtOnce = 32;

constexpr Phrase kNotServer{"--server %1: not a print server (HOST, HOST:PORT or a socket path)",
                            "--server %1: プリントサーバーではありません（HOST、HOST:PORT、ソケットのパス）"};
constexpr Phrase kNotServerLine{"%1:%2: not a print server: %3", "%1:%2: プリントサーバーではありません: %3"};
constexpr Phrase kCannotRead{"%1: cannot be read", "%1: 読み込めません"};

void addOnce(std::vector<PrintServer>& servers, const PrintServer& server)
{
    if (std::ranges::find(servers, server) == servers.end())
        servers.push_back(server);
}

std::string trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
        return {};
    return std::string(text.substr(first, text.find_last_not_of(" \t\r") - first + 1));
}

} // namespace

std::optional<QueueName> parseQueueName(std::string_view text)
{
    const std::size_t at = text.find('@');
    if (at == std::string_view::npos)
        return QueueName{std::string(text), std::nullopt};
    auto server = parsePrintServer(text.substr(at + 1));
    if (!server || at == 0)
        return std::nullopt;
    return QueueName{std::string(text.substr(0, at)), std::move(server)};
}

ServerChoice chooseServers(std::span<const std::string> given, std::span<const std::string> listFiles,
                           std::span<const QueueName> queues, Language language)
{
    ServerChoice choice;
    for (const std::string& text : given) {
        const auto server = parsePrintServer(text);
        if (!server)
            return {{}, say(language, kNotServer, {text})};
        addOnce(choice.servers, *server);
    }
    for (const std::string& file : listFiles) {
        std::ifstream list(file);
        if (!list)
            return {{}, say(language, kCannotRead, {file})};
        std::string line;
        for (int number = 1; std::getline(list, line); ++number) {
            const std::string text = trimmed(line.substr(0, line.find('#')));
            if (text.empty())
                continue;
            const auto server = parsePrintServer(text);
            if (!server)
                return {{}, say(language, kNotServerLine, {file, std::to_string(number), text})};
            addOnce(choice.servers, *server);
        }
        if (list.bad())
            return {{}, say(language, kCannotRead, {file})};
    }
    for (const QueueName& queue : queues)
        if (queue.server)
            addOnce(choice.servers, *queue.server);
    if (choice.servers.empty())
        choice.servers.push_back(defaultPrintServer());
    return choice;
}

std::vector<ServerQueues> askServers(std::span<const PrintServer> servers, std::chrono::milliseconds budget)
{
    std::vector<ServerQueues> answers(servers.size());
    inParallel(servers.size(), kServersAtOnce, [&](std::size_t i) {
        answers[i] = {servers[i], installedQueues(budget, servers[i])};
    });
    return answers;
}

FleetPlan planFleetSend(const ModelVariant& variant, std::span<const ServerQueues> servers,
                        std::span<const QueueName> named, bool all, Language language)
{
    FleetPlan plan;
    for (std::size_t i = 0; i < servers.size(); ++i) {
        const ServerQueues& server = servers[i];
        std::vector<std::string> names;
        for (const QueueName& name : named)
            if (!name.server || *name.server == server.server)
                names.push_back(name.queue);
        if (!all && names.empty())
            continue;
        if (!server.queues) {
            plan.silentServers.push_back(i);
            continue;
        }
        SendPlan own = planSend(variant, *server.queues, names, all, language);
        if (!all)
            for (const std::string& refusal : own.refusals)
                plan.refusals.push_back(servers.size() > 1 ? server.server.name() + ": " + refusal : refusal);
        for (InstalledQueue& queue : own.targets)
            plan.targets.push_back({i, std::move(queue)});
    }
    // With all, one server without a queue of the program is no reason to send nowhere.
    if (all && plan.targets.empty() && plan.silentServers.size() < servers.size())
        plan.refusals = planSend(variant, {}, {}, true, language).refusals;
    return plan;
}

} // namespace kbs::cli
