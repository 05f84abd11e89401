#pragma once

#include <string>
#include <utility>
#include <vector>

namespace bench {

// One CUPS-Get-Printers on a connection of its own to the default server, asking only for
// each queue's name and make and model: the least a printer list costs.
std::vector<std::pair<std::string, std::string>> referencePrinterList();

} // namespace bench
