#include "pages/page_factory.h"

#include "pages/empty_page.h"

namespace kbs {

std::unique_ptr<PageWidget> createPage(const ModelVariant&, PageId, QWidget* parent)
{
    return std::make_unique<EmptyPage>(parent);
}

} // namespace kbs
