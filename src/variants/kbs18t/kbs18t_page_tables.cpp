#include "model/page_tables.h"
#include "variants/kbs18t/kbs18t_switch_pages.h"
#include "variants/kbs18t/kbs18t_tables.h"

#include <vector>

namespace kbs::kbs18t {

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

} // namespace kbs::kbs18t
