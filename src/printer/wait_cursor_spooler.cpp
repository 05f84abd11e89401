#include "printer/wait_cursor_spooler.h"

#include <QCursor>
#include <QGuiApplication>

namespace kbs {

namespace {

class WaitCursor {
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

class QueueUnderWaitCursor : public OpenQueue {
public:
    QueueUnderWaitCursor(std::unique_ptr<WaitCursor> cursor, std::unique_ptr<OpenQueue> queue)
        : cursor_(std::move(cursor)), queue_(std::move(queue))
    {
    }

    bool startRawJob(std::string_view documentName) override { return queue_->startRawJob(documentName); }
    bool writeData(std::span<const std::uint8_t> bytes) override { return queue_->writeData(bytes); }
    bool endJob() override { return queue_->endJob(); }

private:
    // Declared first, so that closing the queue (which may cancel a job) still shows it.
    std::unique_ptr<WaitCursor> cursor_;
    std::unique_ptr<OpenQueue> queue_;
};

} // namespace

WaitCursorSpooler::WaitCursorSpooler(SpoolerPort& spooler) : spooler_(spooler) {}

std::unique_ptr<OpenQueue> WaitCursorSpooler::openForUse(std::string_view queueName)
{
    auto cursor = std::make_unique<WaitCursor>();
    std::unique_ptr<OpenQueue> queue = spooler_.openForUse(queueName);
    if (!queue)
        return nullptr;
    return std::make_unique<QueueUnderWaitCursor>(std::move(cursor), std::move(queue));
}

} // namespace kbs
