#include "app/early_printer_list.h"

namespace kbs {

EarlyPrinterList::EarlyPrinterList(PrinterListSource& source, const ModelVariant& variant,
                                   const std::function<void()>& settle)
    : source_(source), variant_(variant)
{
    std::promise<void> settled;
    std::future<void> ready = settled.get_future();
    first_ = std::async(std::launch::async, [this, settle, settled = std::move(settled)]() mutable {
        settle();
        settled.set_value();
        return source_.usablePrinters(variant_);
    });
    ready.wait();
}

std::vector<PrinterChoice> EarlyPrinterList::usablePrinters(const ModelVariant& variant)
{
    if (first_.valid() && &variant == &variant_)
        return first_.get();
    return source_.usablePrinters(variant);
}

} // namespace kbs
