#include "cups/cups_spooler.h"

#include "cups/cups_connection.h"

#include <cups/cups.h>

#include <string>

namespace kbs {

namespace {

bool succeeded(ipp_status_t status)
{
    return status < IPP_STATUS_REDIRECTION_OTHER_SITE;
}

class CupsOpenQueue : public OpenQueue {
public:
    CupsOpenQueue(std::unique_ptr<CupsConnection> connection, std::string queueName)
        : connection_(std::move(connection)), queueName_(std::move(queueName))
    {
    }

    // A job that was not accepted whole must not print later from what it got.
    ~CupsOpenQueue() override { cancelJob(); }

    bool startRawJob(std::string_view documentName) override
    {
        if (jobId_ != 0)
            return false;
        documentName_ = documentName;
        jobId_ = cupsCreateJob(http(), queueName_.c_str(), documentName_.c_str(), 0, nullptr);
        return jobId_ != 0;
    }

    bool writeData(std::span<const std::uint8_t> bytes) override
    {
        if (jobId_ == 0 || documentStarted_)
            return false;
        documentStarted_ = cupsStartDocument(http(), queueName_.c_str(), jobId_, documentName_.c_str(),
                                             CUPS_FORMAT_RAW, 1) == HTTP_STATUS_CONTINUE;
        if (!documentStarted_)
            return false;
        written_ = cupsWriteRequestData(http(), reinterpret_cast<const char*>(bytes.data()), bytes.size()) ==
                   HTTP_STATUS_CONTINUE;
        return written_;
    }

    bool endJob() override
    {
        if (jobId_ == 0)
            return false;
        const bool accepted =
            documentStarted_ && succeeded(cupsFinishDocument(http(), queueName_.c_str())) && written_;
        if (accepted)
            jobId_ = 0; // the spooler owns it now
        else
            cancelJob();
        return accepted;
    }

private:
    http_t* http() const { return connection_->http(); }

    void cancelJob()
    {
        if (jobId_ != 0)
            cupsCancelJob2(http(), queueName_.c_str(), jobId_, 0);
        jobId_ = 0;
    }

    std::unique_ptr<CupsConnection> connection_;
    std::string queueName_;
    std::string documentName_;
    int jobId_ = 0;
    bool documentStarted_ = false;
    bool written_ = false;
};

} // namespace

CupsSpooler::CupsSpooler(std::chrono::milliseconds timeout) : timeout_(timeout) {}

std::unique_ptr<OpenQueue> CupsSpooler::openForUse(std::string_view queueName)
{
    const std::string name(queueName);
    auto connection = std::make_unique<CupsConnection>(timeout_);
    // cupsCreateJob would report an unknown queue as a missing file; ask first.
    if (!connection->queueAnswers(name))
        return nullptr;
    return std::make_unique<CupsOpenQueue>(std::move(connection), name);
}

} // namespace kbs
