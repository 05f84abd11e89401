#pragma once

#include "cups/printer_list.h"

#include <chrono>

namespace kbs {

// The installed queues of libcups' default server whose make and model the variant serves:
// one CUPS-Get-Printers for the list, then a trial open of each candidate, all on one
// connection and within one deadline. Printers merely discovered on the network are not
// installed and not listed.
class CupsPrinterList : public PrinterListSource {
public:
    static constexpr std::chrono::milliseconds kDefaultBudget{10000};

    explicit CupsPrinterList(std::chrono::milliseconds budget = kDefaultBudget);

    std::vector<PrinterChoice> usablePrinters(const ModelVariant& variant) override;

private:
    std::chrono::milliseconds budget_;
};

} // namespace kbs
