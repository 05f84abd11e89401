#pragma once

#include "model/page_id.h"
#include "pages/page_context.h"
#include "pages/page_widget.h"

#include <memory>

namespace kbs {

// Builds the page of one tab with the builder registered for its id, named after its
// class and sized like every page. A page without a builder throws std::logic_error.
std::unique_ptr<PageWidget> createPage(const PageContext& context, PageId page, QWidget* parent);

} // namespace kbs
