#include "pagedata/page_data_for.h"

#include "model/page_tables.h"
#include "pagedata/control_page.h"
#include "pagedata/switch_page.h"

namespace kbs {

std::optional<PageData> pageDataFor(const ModelVariant& variant, PageId page)
{
    if (variant.pageTables == nullptr)
        return std::nullopt;
    if (const SwitchPageTable* table = findSwitchPage(*variant.pageTables, page))
        return switchPageData(*table, variant.fields);
    if (const ControlPageTable* table = findControlPage(*variant.pageTables, page))
        return controlPageData(*table, variant);
    return std::nullopt;
}

} // namespace kbs
