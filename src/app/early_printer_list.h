#pragma once

#include "cups/printer_list.h"

#include <functional>
#include <future>

namespace kbs {

// The first printer list, asked for on a thread of its own from the program's start, so that
// the print server answers while the window is being built; the first selection waits for it
// there. Every later list is asked for when it is needed.
class EarlyPrinterList : public PrinterListSource {
public:
    // `settle` runs first on the new thread: whatever there reads the environment, which Qt
    // changes while it starts. The constructor returns once it has run.
    EarlyPrinterList(PrinterListSource& source, const ModelVariant& variant,
                     const std::function<void()>& settle);
    // Waits for the early list if no selection took it.
    ~EarlyPrinterList() override = default;

    std::vector<PrinterChoice> usablePrinters(const ModelVariant& variant) override;

private:
    PrinterListSource& source_;
    const ModelVariant& variant_;
    std::future<std::vector<PrinterChoice>> first_;
};

} // namespace kbs
