#pragma once

#include <string>
#include <string_view>

namespace kbs {

// What a CUPS queue reports about where it prints.
struct QueueLocation {
    std::string_view deviceUri;  // "device-uri"
    std::string_view printerUri; // "printer-uri-supported"
    bool remote = false;         // "printer-type" has CUPS_PRINTER_REMOTE
};

// The text shown under "接続先": the print server's host name for a remote queue, "FILE:"
// for a file device, and the device URI otherwise. Credentials in a URI are never shown.
std::string connectionText(const QueueLocation& queue);

} // namespace kbs
