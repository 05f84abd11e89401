#include "model/page_tables.h"
#include "variants/kbs62d/kbs62d_switch_pages.h"
#include "variants/kbs62d/kbs62d_tables.h"

namespace kbs::kbs62d {

const PageTables& pageTables()
{
    static const PageTables tables{.switchPages = switchPages(), .controlPages = controlPages()};
    return tables;
}

} // namespace kbs::kbs62d
