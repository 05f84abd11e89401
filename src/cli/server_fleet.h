#pragma once

#include "cli/phrase.h"
#include "cups/cups_printer_list.h"
#include "cups/print_server.h"
#include "model/model_variant.h"

#include <chrono>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kbs::cli {

// A queue as the command line names it: QUEUE on every server asked, or QUEUE@SERVER on one.
struct QueueName {
    std::string queue;
    std::optional<PrintServer> server;
};
// Nothing when the part after "@" names no server.
std::optional<QueueName> parseQueueName(std::string_view text);

// The servers a run asks, each once: every --server, every line of the --servers files
// (blank lines and "#" comments aside), every server a QUEUE@SERVER names; libcups' own
// choice when there is none of these. Empty `error` on success.
struct ServerChoice {
    std::vector<PrintServer> servers;
    std::string error;
};
ServerChoice chooseServers(std::span<const std::string> given, std::span<const std::string> listFiles,
                           std::span<const QueueName> queues, Language language);

constexpr Phrase kServerSilent{"the print server did not answer", "プリントサーバーが応答しません"};

// A server's installed queues; nothing when it did not answer in time.
struct ServerQueues {
    PrintServer server;
    std::optional<std::vector<InstalledQueue>> queues;
};
// Every server asked at once, each within its own `budget`; in the order given.
std::vector<ServerQueues> askServers(std::span<const PrintServer> servers, std::chrono::milliseconds budget);

// A queue a send goes to, with the index of its server.
struct FleetTarget {
    std::size_t server;
    InstalledQueue queue;
};
struct FleetPlan {
    std::vector<FleetTarget> targets;
    std::vector<std::size_t> silentServers; // asked for a queue and did not answer
    std::vector<std::string> refusals;      // nothing is sent when there is one
};
// Per answering server as one server's send is planned; a QUEUE without a server is wanted on
// every server. With `all`, a server that has no queue of the program is passed over.
FleetPlan planFleetSend(const ModelVariant& variant, std::span<const ServerQueues> servers,
                        std::span<const QueueName> named, bool all, Language language);

} // namespace kbs::cli
