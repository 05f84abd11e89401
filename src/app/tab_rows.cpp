#include "app/tab_rows.h"

#include <algorithm>

namespace kbs {

TabRows::TabRows(const std::vector<int>& widths, int available) : widths_(widths), available_(available)
{
    int used = 0;
    for (std::size_t tab = 0; tab < widths_.size(); ++tab) {
        if (rows_.empty() || (used > 0 && used + widths_[tab] > available_)) {
            rows_.emplace_back();
            used = 0;
        }
        rows_.back().push_back(tab);
        rowOfTab_.push_back(rows_.size() - 1);
        used += widths_[tab];
    }
}

std::size_t TabRows::displayPosition(std::size_t row, std::size_t selectedTab) const
{
    const std::size_t count = rows_.size();
    const std::size_t selectedRow = selectedTab < rowOfTab_.size() ? rowOfTab_[selectedTab] : 0;
    const std::size_t fromBottom = (row + count - selectedRow) % count;
    return count - 1 - fromBottom;
}

std::vector<TabRows::Span> TabRows::spans() const
{
    std::vector<Span> result(widths_.size());
    for (const std::vector<std::size_t>& row : rows_) {
        int natural = 0;
        for (std::size_t tab : row)
            natural += widths_[tab];
        const int extra = std::max(0, available_ - natural);
        const int share = extra / static_cast<int>(row.size());
        int remainder = extra % static_cast<int>(row.size());
        int left = 0;
        for (std::size_t tab : row) {
            int width = widths_[tab] + share;
            if (remainder > 0) {
                ++width;
                --remainder;
            }
            result[tab] = {left, width};
            left += width;
        }
    }
    return result;
}

} // namespace kbs
