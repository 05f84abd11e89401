#pragma once

#include "core/spooler_port.h"

#include <chrono>

namespace kbs {
class AnswerFeed;
}

namespace kbs {

// How long a send may take at most: the window waits for it.
struct SendDeadlines {
    // The trial open, Create-Job and Send-Document together.
    std::chrono::milliseconds job{10000};
    // Cancel-Job after a failed send, on a fresh connection.
    std::chrono::milliseconds cancel{4000};
};

// Raw jobs to the queues of libcups' default server. An open queue holds one connection, on
// which the trial open and the requests of its job run. A job counts as sent only on the
// server's successful answer to its document; a job created and not sent is cancelled.
class CupsSpooler : public SpoolerPort {
public:
    // With a feed, the answers come from it instead of the server.
    explicit CupsSpooler(SendDeadlines deadlines = {}, AnswerFeed* feed = nullptr);

    std::unique_ptr<OpenQueue> openForUse(std::string_view queueName) override;

private:
    SendDeadlines deadlines_;
    AnswerFeed* feed_;
};

} // namespace kbs
