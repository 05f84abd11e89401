#pragma once

#include "cups/cups_connection.h"
#include "cups/printer_list.h"

#include <chrono>

namespace kbs {

// The installed queues of libcups' default server whose make and model the variant serves:
// one CUPS-Get-Printers for the list, then a trial open of each candidate, all on one
// connection. Printers merely discovered on the network are not installed and not listed.
class CupsPrinterList : public PrinterListSource {
public:
    explicit CupsPrinterList(std::chrono::milliseconds timeout = CupsConnection::kDefaultTimeout);

    std::vector<PrinterChoice> usablePrinters(const ModelVariant& variant) override;

private:
    std::chrono::milliseconds timeout_;
};

} // namespace kbs
