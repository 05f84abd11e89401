#include "pages/page_factory.h"

#include "pagedata/page_names.h"
#include "pages/page_registry.h"
#include "pages/page_size.h"
#include "widgets/dialog_units.h"
#include "widgets/qt_text.h"

#include <algorithm>
#include <stdexcept>

namespace kbs {

std::unique_ptr<PageWidget> createPage(const PageContext& context, PageId page, QWidget* parent)
{
    const auto registry = pageRegistry();
    const auto entry = std::ranges::find(registry, page, &PageRegistration::page);
    if (entry == registry.end())
        throw std::logic_error("no page builder for " + std::string(pageClassName(page)));
    auto widget = entry->build(context, page, parent);
    widget->setObjectName(toQString(pageClassName(page)));
    widget->setFixedSize(pageSize(dialogFont()));
    return widget;
}

} // namespace kbs
