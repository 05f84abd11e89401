#pragma once

#include "model/code_list.h"
#include "model/page_id.h"

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

namespace kbs {

// How a memory switch appears on its page.
enum class SwitchControl {
    RadioPair,       // a group box with one button per value
    CheckBox,        // the box's label carries the switch name
    CountryList,     // the country list over several switches
    HiddenRadioPair, // never shown, but its buttons take part in the exchange
    PassedThrough,   // no control: written back as last read
    Cleared,         // no control: written as 0
};

// Switches n-first to n-last of one memory switch, numbered 1 to 8.
struct SwitchRange {
    constexpr SwitchRange(int only) : first(only), last(only) {}
    constexpr SwitchRange(int from, int to) : first(from), last(to) {}
    int first;
    int last;
};

// One row of a memory switch page. For a check box and the country list the switch
// name is part of the caption and switchLabel stays empty.
struct SwitchRow {
    SwitchRange switches;
    std::string_view caption;
    std::string_view switchLabel;
    std::string_view label0; // value 0: first radio button
    std::string_view label1; // value 1: second radio button
    SwitchControl control;
    const CodeList* list = nullptr; // the country list's entries
};

// One memory switch page: the switch byte pair it serves and its switches in order.
struct SwitchPageTable {
    PageId page;
    std::string_view field; // the block field, e.g. "msw1"
    std::span<const SwitchRow> rows;
};

// A page that differs from `base` only in the given rows: each change replaces the row that
// serves the same switches. A change that matches no row stops the build.
template <std::size_t N, std::size_t M>
constexpr std::array<SwitchRow, N> withChanges(const std::array<SwitchRow, N>& base,
                                               const std::array<SwitchRow, M>& changes)
{
    std::array<SwitchRow, N> rows = base;
    for (const SwitchRow& change : changes) {
        bool replaced = false;
        for (SwitchRow& row : rows) {
            if (row.switches.first == change.switches.first && row.switches.last == change.switches.last) {
                row = change;
                replaced = true;
            }
        }
        if (!replaced)
            throw "a changed row must replace a row of the common page";
    }
    return rows;
}

// The five memory switch pages of a program, each on its own byte pair.
constexpr std::array<SwitchPageTable, 5> memorySwitchPages(std::span<const SwitchRow> msw1,
                                                           std::span<const SwitchRow> msw2,
                                                           std::span<const SwitchRow> msw3,
                                                           std::span<const SwitchRow> msw4,
                                                           std::span<const SwitchRow> msw5)
{
    return {SwitchPageTable{PageId::MSW1, "msw1", msw1}, SwitchPageTable{PageId::MSW2, "msw2", msw2},
            SwitchPageTable{PageId::MSW3, "msw3", msw3}, SwitchPageTable{PageId::MSW4, "msw4", msw4},
            SwitchPageTable{PageId::MSW5, "msw5", msw5}};
}

} // namespace kbs
