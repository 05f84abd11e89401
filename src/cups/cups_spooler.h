#pragma once

#include "core/spooler_port.h"
#include "cups/print_server.h"

#include <chrono>

namespace kbs {

// How long a send may take at most: the window waits for it.
struct SendDeadlines {
    // The trial open, Create-Job and Send-Document together.
    std::chrono::milliseconds job{10000};
    // Cancel-Job after a failed send, on a fresh connection.
    std::chrono::milliseconds cancel{4000};
};

// Raw jobs to the queues of one print server, by default libcups' own choice. An open queue holds one
// connection, on which the trial open and the requests of its job run. A job counts as sent only on the
// server's successful answer to its document; a job created and not sent is cancelled.
class CupsSpooler : public SpoolerPort {
public:
    explicit CupsSpooler(SendDeadlines deadlines = {}, PrintServer server = defaultPrintServer());

    std::unique_ptr<OpenQueue> openForUse(std::string_view queueName) override;

private:
    SendDeadlines deadlines_;
    PrintServer server_;
};

} // namespace kbs
