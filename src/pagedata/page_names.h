#pragma once

#include "model/page_id.h"

#include <string_view>

namespace kbs {

// The class name a page goes by, e.g. "CPage_MSW1"; empty for PageId::None.
std::string_view pageClassName(PageId page);

} // namespace kbs
