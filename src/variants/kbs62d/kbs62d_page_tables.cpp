#include "model/page_tables.h"
#include "variants/kbs62d/kbs62d_switch_pages.h"
#include "variants/kbs62d/kbs62d_tables.h"

#include <vector>

namespace kbs::kbs62d {

const PageTables& pageTables()
{
    static const std::vector<ControlPageTable> controls = [] {
        std::vector<ControlPageTable> all{selectPage()};
        all.insert(all.end(), controlPages().begin(), controlPages().end());
        return all;
    }();
    static const PageTables tables{.switchPages = switchPages(), .controlPages = controls};
    return tables;
}

} // namespace kbs::kbs62d
