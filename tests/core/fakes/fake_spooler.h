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
};

// Opens every queue, failing at the step given by `failAt`, and records every job; the
// journal shows when a queue is opened and closed.
class FakeSpooler : public SpoolerPort {
public:
    explicit FakeSpooler(Journal& journal) : journal_(journal) {}

    std::unique_ptr<OpenQueue> openForUse(std::string_view queueName) override
    {
        openAttempts.emplace_back(queueName);
        journal_.add("open queue " + std::string(queueName));
        if (failAt == FailAt::Open)
            return nullptr;
        queues.push_back({std::string(queueName), {}, {}, 0, 0});
        return std::make_unique<Queue>(queues.back(), failAt, journal_);
    }

    FailAt failAt = FailAt::Nothing;
    std::vector<std::string> openAttempts;
    std::deque<QueueRecord> queues; // a deque keeps records in place for the open queues

private:
    class Queue : public OpenQueue {
    public:
        Queue(QueueRecord& record, FailAt failAt, Journal& journal)
            : record_(record), failAt_(failAt), journal_(journal)
        {
        }
        ~Queue() override { journal_.add("close queue " + record_.queue); }

        bool startRawJob(std::string_view documentName) override
        {
            record_.jobTitles.emplace_back(documentName);
            return failAt_ != FailAt::Start;
        }
        bool writeData(std::span<const std::uint8_t> bytes) override
        {
            ++record_.writes;
            record_.bytes.insert(record_.bytes.end(), bytes.begin(), bytes.end());
            return failAt_ != FailAt::Write;
        }
        bool endJob() override
        {
            ++record_.jobEnds;
            return failAt_ != FailAt::End;
        }

    private:
        QueueRecord& record_;
        FailAt failAt_;
        Journal& journal_;
    };

    Journal& journal_;
};

} // namespace kbs::fakes
