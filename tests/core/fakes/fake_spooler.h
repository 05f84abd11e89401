#pragma once

#include "core/spooler_port.h"
#include "fakes/journal.h"

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

namespace kbs::fakes {

enum class FailAt { Nothing, Open, Start, Write, End };

// What happened to one opened queue.
struct QueueRecord {
    std::string queue;
    std::vector<std::string> jobTitles; // one per startRawJob
    std::vector<std::uint8_t> bytes;    // everything written
    int writes = 0;
    int jobEnds = 0;
    bool closed = false;
};

// Opens every queue, failing at the step given by `failAt`, and records every job.
class FakeSpooler : public SpoolerPort {
public:
    explicit FakeSpooler(Journal& journal) : journal_(journal) {}

    std::unique_ptr<OpenQueue> openForUse(std::string_view queueName) override;

    FailAt failAt = FailAt::Nothing;
    std::vector<std::string> openAttempts;
    std::deque<QueueRecord> queues; // a deque keeps records in place for the open queues

private:
    Journal& journal_;
};

} // namespace kbs::fakes
