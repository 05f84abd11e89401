#include "cups/print_server.h"

#include <cups/cups.h>

#include <algorithm>
#include <charconv>

namespace kbs {

namespace {

bool printable(std::string_view text)
{
    return std::ranges::all_of(text, [](char c) { return static_cast<unsigned char>(c) > ' ' && c != 0x7f; });
}

} // namespace

std::string PrintServer::name() const
{
    return isSocket() ? host : host + ":" + std::to_string(port);
}

std::optional<PrintServer> parsePrintServer(std::string_view text)
{
    if (!text.starts_with('/')) {
        if (const std::size_t version = text.find("/version="); version != std::string_view::npos)
            text = text.substr(0, version);
    }
    if (text.empty() || !printable(text))
        return std::nullopt;
    if (text.starts_with('/'))
        return PrintServer{std::string(text), ippPort()};
    PrintServer server{std::string(text), ippPort()};
    // The last colon starts the port unless it is inside a bracketed IPv6 address.
    const std::size_t colon = text.rfind(':');
    if (colon != std::string_view::npos && text.find(']', colon) == std::string_view::npos) {
        const std::string_view digits = text.substr(colon + 1);
        int port = 0;
        const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), port);
        if (digits.empty() || error != std::errc{} || end != digits.data() + digits.size() || port < 1 ||
            port > 65535)
            return std::nullopt;
        server = {std::string(text.substr(0, colon)), port};
    }
    // Host names are not case-sensitive: one server, one name.
    std::ranges::transform(server.host, server.host.begin(), [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    });
    if (server.host.empty() || server.host.find('/') != std::string::npos ||
        (server.host.starts_with('[') != server.host.ends_with(']')))
        return std::nullopt;
    return server;
}

PrintServer defaultPrintServer()
{
    return {cupsServer(), ippPort()};
}

} // namespace kbs
