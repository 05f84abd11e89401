#include "cli/text_table.h"

#include <algorithm>
#include <string_view>

namespace kbs::cli {

namespace {

// Display columns of UTF-8 text: characters of three or four bytes (CJK) take two.
std::size_t columns(std::string_view text)
{
    std::size_t width = 0;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        width += length >= 3 ? 2 : 1;
        i += length;
    }
    return width;
}

} // namespace

std::string textTable(const std::vector<std::vector<std::string>>& rows)
{
    std::vector<std::size_t> widths;
    for (const auto& row : rows) {
        widths.resize(std::max(widths.size(), row.size()), 0);
        for (std::size_t c = 0; c < row.size(); ++c)
            widths[c] = std::max(widths[c], columns(row[c]));
    }
    std::string table;
    for (const auto& row : rows) {
        std::string line;
        for (std::size_t c = 0; c < row.size(); ++c) {
            line += row[c];
            if (c + 1 < row.size())
                line += std::string(widths[c] - columns(row[c]) + 2, ' ');
        }
        table += line + "\n";
    }
    return table;
}

} // namespace kbs::cli
