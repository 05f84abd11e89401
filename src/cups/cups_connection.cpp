#include "cups/cups_connection.h"

#include <cups/cups.h>

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <string>

namespace kbs {

namespace {

using Seconds = std::chrono::duration<double>;

// A silent server is looked at this often, so the deadline is kept to within this much;
// a server that answers is never interrupted.
constexpr Seconds kLongestWait{0.5};
// libcups turns a wait shorter than a millisecond into a long default one.
constexpr Seconds kShortestWait{0.01};

// A password prompt on the terminal would hold the caller past any deadline.
const char* noPassword(const char*, http_t*, const char*, const char*, void*)
{
    return nullptr;
}

// An answer is read whole before it is parsed: read straight from the connection, every
// small field would be a wait of its own. Far above any real printer list.
constexpr std::size_t kLargestAnswer = 64 * 1024 * 1024;

// An answer's body as ippReadIO reads it.
struct BodyReader {
    const std::string& bytes;
    std::size_t offset = 0;
};

ssize_t readFromBody(void* context, ipp_uchar_t* buffer, size_t length)
{
    auto& body = *static_cast<BodyReader*>(context);
    const std::size_t count = std::min(length, body.bytes.size() - body.offset);
    std::memcpy(buffer, body.bytes.data() + body.offset, count);
    body.offset += count;
    return static_cast<ssize_t>(count);
}

} // namespace

void IppDelete::operator()(ipp_t* message) const
{
    ippDelete(message);
}

IppMessage newIppRequest(int operation, std::string_view printerUri)
{
    IppMessage request(ippNewRequest(static_cast<ipp_op_t>(operation)));
    if (!printerUri.empty())
        ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr,
                     std::string(printerUri).c_str());
    ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
    return request;
}

std::string queueUri(std::string_view queueName)
{
    const std::string name(queueName);
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(),
                     "/printers/%s", name.c_str());
    return uri;
}

bool succeeded(const IppMessage& response)
{
    // The successful-ok status codes are 0x0000 to 0x00FF.
    return response && ippGetStatusCode(response.get()) < 0x0100;
}

CupsConnection::CupsConnection(Clock::time_point deadline, const PrintServer& server)
    : deadline_(deadline), feed_(server.feed)
{
    cupsSetPasswordCB2(noPassword, nullptr);
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline_ - Clock::now());
    if (feed_ || left.count() <= 0)
        return;
    http_ = httpConnect2(server.host.c_str(), server.port, nullptr, AF_UNSPEC, cupsEncryption(), 1,
                         static_cast<int>(left.count()), nullptr);
    if (!http_ || (watchedSocket_ = fcntl(httpGetFd(http_), F_DUPFD_CLOEXEC, 0)) < 0)
        return;
    watchdog_ = std::thread([this] {
        std::unique_lock lock(watchMutex_);
        if (!watchWake_.wait_until(lock, deadline_, [this] { return closing_; }))
            shutdown(watchedSocket_, SHUT_RDWR);
    });
}

CupsConnection::~CupsConnection()
{
    if (watchdog_.joinable()) {
        {
            const std::lock_guard lock(watchMutex_);
            closing_ = true;
        }
        watchWake_.notify_one();
        watchdog_.join();
    }
    if (watchedSocket_ >= 0)
        close(watchedSocket_);
    if (http_)
        httpClose(http_);
}

bool CupsConnection::armWait()
{
    const Seconds left = deadline_ - Clock::now();
    if (left < kShortestWait)
        return false;
    if (http_)
        httpSetTimeout(http_, std::min(left, kLongestWait).count(), keepWaiting, this);
    return true;
}

int CupsConnection::keepWaiting(http_t*, void* connection)
{
    return static_cast<CupsConnection*>(connection)->armWait() ? 1 : 0;
}

bool CupsConnection::post(IppMessage request, std::string_view resource,
                          std::span<const std::uint8_t> document)
{
    // A request that failed leaves the connection in an unknown state: nothing more goes on it.
    if (!connected() || broken_ || !armWait())
        return false;
    if (feed_) {
        fedRequest_ = std::move(request);
        return true;
    }
    const std::string path(resource);
    // The length covers the request and its document; 0 would send it in chunks.
    const std::size_t length = ippLength(request.get()) + document.size();
    broken_ =
        cupsSendRequest(http_, request.get(), path.c_str(), length) != HTTP_STATUS_CONTINUE ||
        (!document.empty() && cupsWriteRequestData(http_, reinterpret_cast<const char*>(document.data()),
                                                   document.size()) != HTTP_STATUS_CONTINUE);
    return !broken_;
}

IppMessage CupsConnection::answer()
{
    if (!connected() || broken_ || !armWait())
        return nullptr;
    // Until the whole answer is in, the connection is in no state for another request.
    broken_ = true;
    const std::optional<std::string> body = feed_ ? feed_->answerTo(fedRequest_.get()) : answerBody();
    if (!body)
        return nullptr;
    IppMessage response(ippNew());
    BodyReader reader{*body};
    if (ippReadIO(&reader, readFromBody, 1, nullptr, response.get()) != IPP_STATE_DATA)
        return nullptr;
    broken_ = false;
    return response;
}

std::optional<std::string> CupsConnection::answerBody()
{
    http_status_t status = HTTP_STATUS_CONTINUE;
    while (status == HTTP_STATUS_CONTINUE && Clock::now() < deadline_)
        status = httpUpdate(http_);
    if (status != HTTP_STATUS_OK)
        return std::nullopt;

    std::string body;
    char chunk[32768];
    ssize_t got = 0;
    // A server that keeps talking is held to the deadline too.
    while ((got = httpRead2(http_, chunk, sizeof chunk)) > 0 && Clock::now() < deadline_ &&
           body.size() < kLargestAnswer)
        body.append(chunk, static_cast<std::size_t>(got));
    if (got != 0)
        return std::nullopt;
    // Whatever the server sent after its answer would be taken for the next one.
    if (httpGetState(http_) != HTTP_STATE_WAITING)
        httpFlush(http_);
    return body;
}

IppMessage CupsConnection::request(IppMessage request, std::string_view resource)
{
    if (!post(std::move(request), resource))
        return nullptr;
    return answer();
}

IppMessage CupsConnection::queueAttributes(std::string_view queueName, std::span<const char* const> requested)
{
    IppMessage query = newIppRequest(IPP_OP_GET_PRINTER_ATTRIBUTES, queueUri(queueName));
    ippAddStrings(query.get(), IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                  static_cast<int>(requested.size()), nullptr, requested.data());
    IppMessage answer = request(std::move(query), "/");
    return succeeded(answer) ? std::move(answer) : nullptr;
}

bool CupsConnection::queueAnswers(std::string_view queueName)
{
    static const char* const requested[] = {"printer-name"};
    return queueAttributes(queueName, requested) != nullptr;
}

} // namespace kbs
