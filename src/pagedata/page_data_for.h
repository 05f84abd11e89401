#pragma once

#include "model/model_variant.h"
#include "pagedata/page_data.h"

#include <optional>

namespace kbs {

// The data of a page of `variant` built from the variant's own tables, without widgets;
// nothing for a page that no table describes.
std::optional<PageData> pageDataFor(const ModelVariant& variant, PageId page);

} // namespace kbs
