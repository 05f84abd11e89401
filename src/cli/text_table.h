#pragma once

#include <string>
#include <vector>

namespace kbs::cli {

// Rows of cells as aligned columns, two spaces apart, counting a CJK character as two
// columns; the last column is not padded.
std::string textTable(const std::vector<std::vector<std::string>>& rows);

} // namespace kbs::cli
