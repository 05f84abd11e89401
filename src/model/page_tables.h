#pragma once

#include "model/control_table.h"
#include "model/page_id.h"
#include "model/switch_table.h"

#include <algorithm>
#include <span>

namespace kbs {

// The tables a variant's pages are built from.
struct PageTables {
    std::span<const SwitchPageTable> switchPages;
    std::span<const ControlPageTable> controlPages{};
};

// The switch table of a page, or nullptr when the page is not a memory switch page.
inline const SwitchPageTable* findSwitchPage(const PageTables& tables, PageId page)
{
    const auto table = std::ranges::find(tables.switchPages, page, &SwitchPageTable::page);
    return table != tables.switchPages.end() ? &*table : nullptr;
}

// The control table of a page, or nullptr when the page is not built from one.
inline const ControlPageTable* findControlPage(const PageTables& tables, PageId page)
{
    const auto table = std::ranges::find(tables.controlPages, page, &ControlPageTable::page);
    return table != tables.controlPages.end() ? &*table : nullptr;
}

} // namespace kbs
