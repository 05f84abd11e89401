#pragma once

#include <chrono>
#include <string>

typedef struct _http_s http_t;

namespace kbs {

// One connection to libcups' default server (CUPS_SERVER, client.conf), closed on
// destruction. A server that does not answer within the timeout fails the request, so
// that a hung spooler cannot freeze the program.
class CupsConnection {
public:
    static constexpr std::chrono::milliseconds kDefaultTimeout{10000};

    explicit CupsConnection(std::chrono::milliseconds timeout = kDefaultTimeout);
    ~CupsConnection();
    CupsConnection(const CupsConnection&) = delete;
    CupsConnection& operator=(const CupsConnection&) = delete;

    http_t* http() const { return http_; }

    // The trial open for use: the server answers a Get-Printer-Attributes on the queue.
    bool queueAnswers(const std::string& queueName);

private:
    http_t* http_ = nullptr;
};

} // namespace kbs
