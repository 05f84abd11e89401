#pragma once

#include "model/page_id.h"
#include "pagedata/switch_table.h"

#include <span>

namespace kbs {

// The tables a variant's pages are built from.
struct PageTables {
    std::span<const SwitchPageTable> switchPages;
};

// The switch table of a page, or nullptr when the page is not a memory switch page.
const SwitchPageTable* findSwitchPage(const PageTables& tables, PageId page);

} // namespace kbs
