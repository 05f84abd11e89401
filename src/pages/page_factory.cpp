#include "pages/page_factory.h"

#include "widgets/dialog_units.h"
#include "widgets/qt_text.h"
#include "pagedata/page_names.h"
#include "model/page_tables.h"
#include "pagedata/switch_page.h"
#include "pages/empty_page.h"
#include "pages/page_size.h"
#include "pages/table_page.h"

namespace kbs {

namespace {

std::unique_ptr<PageWidget> createPageWidget(const ModelVariant& variant, PageId page, QWidget* parent)
{
    if (variant.pageTables != nullptr) {
        if (const SwitchPageTable* table = findSwitchPage(*variant.pageTables, page))
            return std::make_unique<TablePage>(switchPageData(*table, variant.fields), parent);
    }
    return std::make_unique<EmptyPage>(parent);
}

} // namespace

std::unique_ptr<PageWidget> createPage(const ModelVariant& variant, PageId page, QWidget* parent)
{
    auto widget = createPageWidget(variant, page, parent);
    widget->setObjectName(toQString(pageClassName(page)));
    widget->setFixedSize(pageSize(dialogFont()));
    return widget;
}

} // namespace kbs
