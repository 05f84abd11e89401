#pragma once

#include "cups/print_server.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

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

// One connection of our own to a print server (by default libcups' own choice), closed on
// destruction. Every request on it fails once the deadline has passed, however the server
// behaves: a hung spooler cannot hold the program longer than that.
class CupsConnection {
public:
    using Clock = std::chrono::steady_clock;

    explicit CupsConnection(Clock::time_point deadline, const PrintServer& server = defaultPrintServer());
    ~CupsConnection();
    CupsConnection(const CupsConnection&) = delete;
    CupsConnection& operator=(const CupsConnection&) = delete;

    bool connected() const { return http_ != nullptr; }

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

    Clock::time_point deadline_;
    http_t* http_ = nullptr;
    bool broken_ = false;
};

} // namespace kbs
