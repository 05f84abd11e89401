#include "model/page_tables.h"
#include "variants/kbs18t/kbs18t_switch_pages.h"
#include "variants/kbs18t/kbs18t_tables.h"

namespace kbs::kbs18t {

const PageTables& pageTables()
{
    static const PageTables tables{.switchPages = switchPages(), .controlPages = controlPages()};
    return tables;
}

} // namespace kbs::kbs18t
