#pragma once

#include "core/printer_selector_port.h"
#include "model/model_variant.h"

#include <algorithm>
#include <string_view>
#include <vector>

namespace kbs {

// Where the selection dialog gets its rows from.
class PrinterListSource {
public:
    virtual ~PrinterListSource() = default;
    // The printers of the variant's models that can be opened for use, with their
    // connection texts; in no particular order.
    virtual std::vector<PrinterChoice> usablePrinters(const ModelVariant& variant) = 0;
};

// A driver is served only when its name is one of the variant's models, whole and in the same case.
inline bool servesModel(const ModelVariant& variant, std::string_view makeAndModel)
{
    return std::ranges::find(variant.acceptedModels, makeAndModel) != variant.acceptedModels.end();
}

} // namespace kbs
