#include "pages/page_size.h"

#include "app/dialog_units.h"

namespace kbs {

QSize pageSize(const QFont& font)
{
    return DialogUnits(font).size(230, 190);
}

} // namespace kbs
