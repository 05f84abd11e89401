#pragma once

#include "cups/print_server.h"
#include "cups/printer_list.h"

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace kbs {

// The installed queues of libcups' default server whose make and model the variant serves:
// one CUPS-Get-Printers for the list, then a trial open of each candidate, all on one
// connection and within one deadline. Printers merely discovered on the network are not
// installed and not listed.
// A queue's "printer-state": whether it prints what it is given.
enum class QueueState { Idle = 3, Processing = 4, Stopped = 5, Unknown = 0 };

// An installed queue of libcups' default server as its list reports it.
struct InstalledQueue {
    std::string name;
    std::string makeAndModel; // "printer-make-and-model"
    std::string connection;   // the text shown under "接続先", never with a password
    QueueState state = QueueState::Unknown;
    bool accepting = false;                // "printer-is-accepting-jobs": a new job is taken
    std::vector<std::string> stateReasons; // "printer-state-reasons", "none" left out
    std::string stateMessage;              // "printer-state-message", the administrator's words
};

// Every installed queue of `server`, whatever its model, from one CUPS-Get-Printers within
// `budget`; nothing when the server does not answer in time. No queue is opened.
std::optional<std::vector<InstalledQueue>> installedQueues(std::chrono::milliseconds budget,
                                                           const PrintServer& server = defaultPrintServer());

class CupsPrinterList : public PrinterListSource {
public:
    static constexpr std::chrono::milliseconds kDefaultBudget{10000};

    // With a feed, its answers stand in for libcups' default server.
    explicit CupsPrinterList(std::chrono::milliseconds budget = kDefaultBudget, AnswerFeed* feed = nullptr);

    std::vector<PrinterChoice> usablePrinters(const ModelVariant& variant) override;

private:
    std::chrono::milliseconds budget_;
    AnswerFeed* feed_;
};

} // namespace kbs
