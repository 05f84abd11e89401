#include "model/page_tables.h"
#include "variants/kbs18r/kbs18r_switch_pages.h"
#include "variants/kbs18r/kbs18r_tables.h"

namespace kbs::kbs18r {

const PageTables& pageTables()
{
    static const PageTables tables{.switchPages = switchPages(), .controlPages = controlPages()};
    return tables;
}

} // namespace kbs::kbs18r
