#include "pagedata/page_tables.h"

#include <algorithm>

namespace kbs {

const SwitchPageTable* findSwitchPage(const PageTables& tables, PageId page)
{
    const auto table = std::ranges::find(tables.switchPages, page, &SwitchPageTable::page);
    return table != tables.switchPages.end() ? &*table : nullptr;
}

} // namespace kbs
