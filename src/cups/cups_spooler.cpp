#include "cups/cups_spooler.h"

#include "cups/cups_connection.h"

#include <cups/cups.h>

#include <string>

namespace kbs {

namespace {

using Clock = CupsConnection::Clock;

// The format that CUPS passes to the printer unfiltered.
constexpr const char* kRawFormat = "application/vnd.cups-raw";

class CupsOpenQueue : public OpenQueue {
public:
    CupsOpenQueue(std::unique_ptr<CupsConnection> connection, const PrintServer& server,
                  std::string queueName, std::chrono::milliseconds cancelBudget)
        : connection_(std::move(connection)), server_(server), queueName_(std::move(queueName)),
          resource_("/printers/" + queueName_), cancelBudget_(cancelBudget)
    {
    }

    // A job that was not accepted whole must not print later from what it got.
    ~CupsOpenQueue() override { cancelJob(); }

    bool startRawJob(std::string_view documentName) override
    {
        if (jobId_ != 0 || !connection_)
            return false;
        IppMessage request = jobRequest(IPP_OP_CREATE_JOB);
        const std::string name(documentName);
        ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_NAME, "job-name", nullptr, name.c_str());
        const IppMessage answer = connection_->request(std::move(request), resource_);
        if (succeeded(answer))
            jobId_ = ippGetInteger(ippFindAttribute(answer.get(), "job-id", IPP_TAG_INTEGER), 0);
        return jobId_ > 0;
    }

    bool writeData(std::span<const std::uint8_t> bytes) override
    {
        if (jobId_ <= 0 || documentPosted_)
            return false;
        documentPosted_ = true;
        IppMessage request = jobRequest(IPP_OP_SEND_DOCUMENT);
        ippAddInteger(request.get(), IPP_TAG_OPERATION, IPP_TAG_INTEGER, "job-id", jobId_);
        ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_MIMETYPE, "document-format", nullptr,
                     kRawFormat);
        ippAddBoolean(request.get(), IPP_TAG_OPERATION, "last-document", 1);
        written_ = connection_->post(std::move(request), resource_, bytes);
        return written_;
    }

    bool endJob() override
    {
        if (jobId_ <= 0)
            return false;
        // Only the server's answer to the document tells that it took the whole block.
        if (written_ && succeeded(connection_->answer())) {
            jobId_ = 0; // the spooler owns it now
            return true;
        }
        cancelJob();
        return false;
    }

private:
    IppMessage jobRequest(int operation) const { return newIppRequest(operation, queueUri(queueName_)); }

    // On a fresh connection: the job's own may be the one that stopped answering.
    void cancelJob()
    {
        if (jobId_ <= 0)
            return;
        connection_.reset();
        CupsConnection fresh(Clock::now() + cancelBudget_, server_);
        IppMessage request = jobRequest(IPP_OP_CANCEL_JOB);
        ippAddInteger(request.get(), IPP_TAG_OPERATION, IPP_TAG_INTEGER, "job-id", jobId_);
        fresh.request(std::move(request), "/jobs/");
        jobId_ = 0;
    }

    std::unique_ptr<CupsConnection> connection_;
    PrintServer server_;
    std::string queueName_;
    std::string resource_;
    std::chrono::milliseconds cancelBudget_;
    int jobId_ = 0;
    bool documentPosted_ = false;
    bool written_ = false;
};

} // namespace

CupsSpooler::CupsSpooler(SendDeadlines deadlines, PrintServer server)
    : deadlines_(deadlines), server_(std::move(server))
{
}

std::unique_ptr<OpenQueue> CupsSpooler::openForUse(std::string_view queueName)
{
    auto connection = std::make_unique<CupsConnection>(Clock::now() + deadlines_.job, server_);
    if (!connection->queueAnswers(queueName))
        return nullptr;
    return std::make_unique<CupsOpenQueue>(std::move(connection), server_, std::string(queueName),
                                           deadlines_.cancel);
}

} // namespace kbs
