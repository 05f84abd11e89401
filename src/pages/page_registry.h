#pragma once

#include "model/page_id.h"
#include "pages/page_context.h"
#include "pages/page_widget.h"

#include <memory>
#include <span>

namespace kbs {

// Builds the page of `page` from the variant's tables.
using PageBuilder = std::unique_ptr<PageWidget> (*)(const PageContext& context, PageId page, QWidget* parent);

struct PageRegistration {
    PageId page;
    PageBuilder build;
};

// One builder per page id.
std::span<const PageRegistration> pageRegistry();

} // namespace kbs
