#include "pagedata/page_tables.h"
#include "variants/kbs18t/kbs18t_tables.h"

namespace kbs::kbs18t {

const PageTables& pageTables()
{
    static const PageTables tables{};
    return tables;
}

} // namespace kbs::kbs18t
