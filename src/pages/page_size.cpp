#include "pages/page_size.h"

#include "widgets/dialog_units.h"

namespace kbs {

QSize pageSize(const QFont& font)
{
    return DialogUnits(font).size(230, 190);
}

} // namespace kbs
