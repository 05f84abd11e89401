#include "cups/cups_connection.h"

#include <cups/cups.h>

#include <sys/socket.h>

namespace kbs {

namespace {

// The queue's URI as libcups' own job calls address it on the default server.
std::string localQueueUri(const std::string& queueName)
{
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(),
                     "/printers/%s", queueName.c_str());
    return uri;
}

} // namespace

CupsConnection::CupsConnection(std::chrono::milliseconds timeout)
    : http_(httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                         static_cast<int>(timeout.count()), nullptr))
{
    // Without a callback, a wait longer than this ends the request with an error.
    if (http_)
        httpSetTimeout(http_, std::chrono::duration<double>(timeout).count(), nullptr, nullptr);
}

CupsConnection::~CupsConnection()
{
    if (http_)
        httpClose(http_);
}

bool CupsConnection::queueAnswers(const std::string& queueName)
{
    if (!http_)
        return false;
    ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr,
                 localQueueUri(queueName).c_str());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr,
                 "printer-name");
    ipp_t* response = cupsDoRequest(http_, request, "/");
    const bool answered = response && ippGetStatusCode(response) < IPP_STATUS_REDIRECTION_OTHER_SITE;
    ippDelete(response);
    return answered;
}

} // namespace kbs
