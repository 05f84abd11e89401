#pragma once

#include "core/spooler_port.h"
#include "cups/cups_connection.h"

#include <chrono>

namespace kbs {

// Raw jobs to the queues of libcups' default server. An open queue holds one connection,
// on which the trial open and all the calls of its job run.
class CupsSpooler : public SpoolerPort {
public:
    explicit CupsSpooler(std::chrono::milliseconds timeout = CupsConnection::kDefaultTimeout);

    std::unique_ptr<OpenQueue> openForUse(std::string_view queueName) override;

private:
    std::chrono::milliseconds timeout_;
};

} // namespace kbs
