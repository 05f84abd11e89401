#pragma once

#include "core/spooler_port.h"
#include "fakes/journal.h"

#include <cstdint>

namespace kbs::fakes {

enum class FailAt { Nothing, Open, Start, Write, End };

// Opens every queue and journals each step of its job, failing at `failAt`.
class FakeSpooler : public SpoolerPort {
public:
    explicit FakeSpooler(Journal& journal) : journal_(journal) {}

    std::unique_ptr<OpenQueue> openForUse(std::string_view name) override
    {
        openAttempts.emplace_back(name);
        return step("open queue " + std::string(name), FailAt::Open) ? std::make_unique<Queue>(*this)
                                                                     : nullptr;
    }

    FailAt failAt = FailAt::Nothing;
    std::vector<std::string> openAttempts;
    std::vector<std::uint8_t> lastWrite;

private:
    struct Queue : OpenQueue {
        explicit Queue(FakeSpooler& spooler) : s(spooler) {}
        ~Queue() override { s.journal_.add("close queue"); }
        bool startRawJob(std::string_view name) override
        {
            return s.step("start raw job " + std::string(name), FailAt::Start);
        }
        bool writeData(std::span<const std::uint8_t> bytes) override
        {
            s.lastWrite.assign(bytes.begin(), bytes.end());
            return s.step("write " + std::to_string(bytes.size()) + " bytes", FailAt::Write);
        }
        bool endJob() override { return s.step("end job", FailAt::End); }
        FakeSpooler& s;
    };
    bool step(std::string entry, FailAt failing)
    {
        journal_.add(std::move(entry));
        return failAt != failing;
    }

    Journal& journal_;
};

} // namespace kbs::fakes
