#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kbs {

class AnswerFeed; // see cups/cups_connection.h

// Which print server a connection goes to: a host name or address with its port, or the path
// of the server's local socket.
struct PrintServer {
    std::string host; // "printhost", "192.0.2.7", "[2001:db8::7]" or "/run/cups/cups.sock"
    int port = 631;   // not used for a socket
    // When set, no server is asked: the answers come from the feed (the fuzz targets give one).
    AnswerFeed* feed = nullptr;

    bool isSocket() const { return host.starts_with('/'); }
    // How reports and records name it: the socket path, or host:port.
    std::string name() const;
    bool operator==(const PrintServer&) const = default;
};

// HOST, HOST:PORT, [ADDRESS]:PORT or /SOCKET/PATH: the forms `lp -h` and CUPS_SERVER take
// (a trailing "/version=…" of theirs is dropped). Nothing for text that names no server.
// Without a port, the port libcups would use (IPP_PORT, else 631).
std::optional<PrintServer> parsePrintServer(std::string_view text);

// libcups' own choice: CUPS_SERVER, else client.conf, else the local server.
PrintServer defaultPrintServer();

} // namespace kbs
