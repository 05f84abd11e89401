#pragma once

#include "model/model_variant.h"
#include "pages/page_widget.h"

#include <memory>

namespace kbs {

// Builds the page of one tab from the variant's tables.
std::unique_ptr<PageWidget> createPage(const ModelVariant& variant, PageId page, QWidget* parent);

} // namespace kbs
