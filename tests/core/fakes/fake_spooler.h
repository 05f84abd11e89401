#pragma once

#include "core/spooler_port.h"
#include "fakes/journal.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kbs::fakes {

enum class FailAt { Nothing, Open, Start, Write, End };

// Opens every queue and journals each step of its job, failing at `failAt`.
class FakeSpooler : public SpoolerPort {
public:
    explicit FakeSpooler(Journal& journal) : journal_(journal) {}

    std::unique_ptr<OpenQueue> openForUse(std::string_view queueName) override
    {
        openAttempts.emplace_back(queueName);
        journal_.add("open queue " + std::string(queueName));
        return failAt == FailAt::Open ? nullptr : std::make_unique<Queue>(*this);
    }

    FailAt failAt = FailAt::Nothing;
    std::vector<std::string> openAttempts;
    std::vector<std::uint8_t> lastWrite;

private:
    class Queue : public OpenQueue {
    public:
        explicit Queue(FakeSpooler& spooler) : spooler_(spooler) {}
        ~Queue() override { spooler_.journal_.add("close queue"); }

        bool startRawJob(std::string_view documentName) override
        {
            spooler_.journal_.add("start raw job " + std::string(documentName));
            return spooler_.failAt != FailAt::Start;
        }
        bool writeData(std::span<const std::uint8_t> bytes) override
        {
            spooler_.journal_.add("write " + std::to_string(bytes.size()) + " bytes");
            spooler_.lastWrite.assign(bytes.begin(), bytes.end());
            return spooler_.failAt != FailAt::Write;
        }
        bool endJob() override
        {
            spooler_.journal_.add("end job");
            return spooler_.failAt != FailAt::End;
        }

    private:
        FakeSpooler& spooler_;
    };

    Journal& journal_;
};

} // namespace kbs::fakes
