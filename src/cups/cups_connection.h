#pragma once

#include "cups/print_server.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <thread>

typedef struct _http_s http_t;
typedef struct _ipp_s ipp_t;

namespace kbs {

struct IppDelete {
    void operator()(ipp_t* message) const;
};
using IppMessage = std::unique_ptr<ipp_t, IppDelete>;

// A new request with the attributes every operation here carries, addressed to `printerUri`
// when one is given.
IppMessage newIppRequest(int operation, std::string_view printerUri = {});
// "ipp://localhost/printers/NAME": how the server names one of its own queues.
std::string queueUri(std::string_view queueName);
// The server answered and the operation succeeded.
bool succeeded(const IppMessage& response);

// Where a connection's answers come from when no server is asked: the fuzz targets feed them.
class AnswerFeed {
public:
    virtual ~AnswerFeed() = default;
    // The body of the answer to `request` as a server would send it; nothing when none comes.
    virtual std::optional<std::string> answerTo(ipp_t* request) = 0;
};

// One connection of our own to a print server (by default libcups' own choice), closed on
// destruction. Every request on it fails once the deadline has passed, however the server
// behaves: a hung spooler cannot hold the program longer than that.
class CupsConnection {
public:
    using Clock = std::chrono::steady_clock;

    // With a feed in `server`, nothing is connected and every answer comes from the feed.
    explicit CupsConnection(Clock::time_point deadline, const PrintServer& server = defaultPrintServer());
    ~CupsConnection();
    CupsConnection(const CupsConnection&) = delete;
    CupsConnection& operator=(const CupsConnection&) = delete;

    bool connected() const { return http_ != nullptr || feed_ != nullptr; }

    // Sends the request and, as its document, `document`; true when all of it went out.
    bool post(IppMessage request, std::string_view resource, std::span<const std::uint8_t> document = {});
    // The server's answer to the request posted last; nullptr when none came whole in time.
    IppMessage answer();
    // post() and answer() together.
    IppMessage request(IppMessage request, std::string_view resource);

    // The trial open for use: the server answers a Get-Printer-Attributes on the queue. The
    // answer, asking for the `requested` attributes, or nullptr when it failed.
    IppMessage queueAttributes(std::string_view queueName, std::span<const char* const> requested);
    bool queueAnswers(std::string_view queueName);

private:
    static int keepWaiting(http_t* http, void* connection);
    // Arms the next wait with what is left of the deadline; false when nothing is left.
    bool armWait();

    // The body of the server's answer; nothing when none came whole in time.
    std::optional<std::string> answerBody();

    Clock::time_point deadline_;
    AnswerFeed* feed_;
    IppMessage fedRequest_; // the request posted last, for the feed
    http_t* http_ = nullptr;
    bool broken_ = false;
    // Shuts the socket down at the deadline: a server that keeps sending would otherwise hold a
    // read past it, as libcups waits for more only while nothing comes. It uses a duplicate of
    // the socket, so that it never touches a descriptor libcups has closed.
    int watchedSocket_ = -1;
    std::mutex watchMutex_;
    std::condition_variable watchWake_;
    bool closing_ = false;
    std::thread watchdog_;
};

} // namespace kbs
