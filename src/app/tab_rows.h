#pragma once

#include <cstddef>
#include <vector>

namespace kbs {

// How the multi-row tab strip arranges its tabs: rows filled from the left in tab order,
// each row stretched to the full width, and the rows turned so that the row of the
// selected tab lies next to the page.
class TabRows {
public:
    // Wraps tabs of the given natural widths into rows no wider than `available`; a tab
    // wider than that gets a row of its own.
    TabRows(const std::vector<int>& widths, int available);

    std::size_t rowCount() const { return rows_.size(); }
    // Row of a tab, counting in tab order: row 0 holds the first tabs.
    std::size_t rowOf(std::size_t tab) const { return rowOfTab_.at(tab); }
    const std::vector<std::size_t>& tabsInRow(std::size_t row) const { return rows_.at(row); }

    // Where a row is drawn, counted from the top, when the selected tab's row is the
    // bottom row; the rows keep their cyclic order.
    std::size_t displayPosition(std::size_t row, std::size_t selectedTab) const;

    // Left edge and width of every tab once its row is stretched to `available`; the extra
    // space goes to the tabs of the row in equal shares, the remainder from the left.
    struct Span {
        int left;
        int width;
    };
    std::vector<Span> spans() const;

private:
    std::vector<int> widths_;
    int available_;
    std::vector<std::vector<std::size_t>> rows_;
    std::vector<std::size_t> rowOfTab_;
};

} // namespace kbs
