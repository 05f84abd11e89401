#pragma once

#include "core/spooler_port.h"

namespace kbs {

// Shows the wait cursor from the trial open until the queue is closed: the window cannot
// answer while the print server is being asked.
class WaitCursorSpooler : public SpoolerPort {
public:
    explicit WaitCursorSpooler(SpoolerPort& spooler);

    std::unique_ptr<OpenQueue> openForUse(std::string_view queueName) override;

private:
    SpoolerPort& spooler_;
};

} // namespace kbs
