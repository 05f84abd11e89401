#include "cups/connection_text.h"

#include "cups/uri_credentials.h"

#include <cups/http.h>

#include <algorithm>
#include <cctype>

namespace kbs {

namespace {

constexpr std::string_view kFilePort = "FILE:";

bool hasFileScheme(std::string_view uri)
{
    constexpr std::string_view scheme = "file:";
    return uri.size() >= scheme.size() &&
           std::ranges::equal(uri.substr(0, scheme.size()), scheme, {}, [](char c) {
               return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
           });
}

std::string hostOf(std::string_view uri)
{
    const std::string text(uri);
    char scheme[32], userinfo[256], host[256], resource[1024];
    int port = 0;
    if (httpSeparateURI(HTTP_URI_CODING_NONE, text.c_str(), scheme, sizeof scheme, userinfo, sizeof userinfo,
                        host, sizeof host, &port, resource, sizeof resource) < HTTP_URI_STATUS_OK)
        return {};
    return host;
}

} // namespace

std::string connectionText(const QueueLocation& queue)
{
    if (queue.remote) {
        std::string host = hostOf(withoutCredentials(queue.printerUri));
        if (host.empty())
            host = hostOf(withoutCredentials(queue.deviceUri));
        if (!host.empty())
            return host;
    }
    if (hasFileScheme(queue.deviceUri))
        return std::string(kFilePort);
    return withoutCredentials(queue.deviceUri);
}

} // namespace kbs
