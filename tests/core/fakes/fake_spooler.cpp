#include "fakes/fake_spooler.h"

namespace kbs::fakes {

namespace {
class FakeQueue : public OpenQueue {
public:
    FakeQueue(QueueRecord& record, FailAt failAt, Journal& journal)
        : record_(record), failAt_(failAt), journal_(journal)
    {
    }
    ~FakeQueue() override
    {
        record_.closed = true;
        journal_.add("close queue " + record_.queue);
    }

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
} // namespace

std::unique_ptr<OpenQueue> FakeSpooler::openForUse(std::string_view queueName)
{
    openAttempts.emplace_back(queueName);
    journal_.add("open queue " + std::string(queueName));
    if (failAt == FailAt::Open)
        return nullptr;
    queues.push_back({});
    queues.back().queue = std::string(queueName);
    return std::make_unique<FakeQueue>(queues.back(), failAt, journal_);
}

} // namespace kbs::fakes
