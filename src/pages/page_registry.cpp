#include "pages/page_registry.h"

#include "model/page_tables.h"
#include "pagedata/control_page.h"
#include "pagedata/switch_page.h"
#include "pages/control_page.h"
#include "pages/form_page.h"
#include "pages/select_page.h"
#include "pages/table_page.h"

#include <array>
#include <stdexcept>

namespace kbs {

namespace {

const PageTables& tablesOf(const ModelVariant& variant)
{
    if (variant.pageTables == nullptr)
        throw std::logic_error("the variant has no page tables");
    return *variant.pageTables;
}

std::unique_ptr<PageWidget> switchPage(const PageContext& context, PageId page, QWidget* parent)
{
    const SwitchPageTable* table = findSwitchPage(tablesOf(context.variant), page);
    if (table == nullptr)
        throw std::logic_error("the variant has no switch table for this page");
    return std::make_unique<TablePage>(switchPageData(*table, context.variant.fields), parent);
}

std::unique_ptr<PageWidget> controlPage(const PageContext& context, PageId page, QWidget* parent)
{
    const ControlPageTable* table = findControlPage(tablesOf(context.variant), page);
    if (table == nullptr)
        throw std::logic_error("the variant has no control table for this page");
    return std::make_unique<ControlPage>(context, *table, controlPageData(*table, context.variant.fields),
                                         parent);
}

std::unique_ptr<PageWidget> formPage(const PageContext& context, PageId page, QWidget* parent)
{
    const ControlPageTable* table = findControlPage(tablesOf(context.variant), page);
    if (table == nullptr)
        throw std::logic_error("the variant has no form tab table");
    return std::make_unique<CPage_Form>(context, *table, parent);
}

std::unique_ptr<PageWidget> selectPage(const PageContext& context, PageId page, QWidget* parent)
{
    const ControlPageTable* table = findControlPage(tablesOf(context.variant), page);
    if (table == nullptr)
        throw std::logic_error("the variant has no function selection table");
    return std::make_unique<CPage_Select>(context, *table, controlPageData(*table, context.variant), parent);
}

constexpr std::array kRegistry = {
    PageRegistration{PageId::Select, selectPage},  PageRegistration{PageId::Param, controlPage},
    PageRegistration{PageId::Param2, controlPage}, PageRegistration{PageId::Form, formPage},
    PageRegistration{PageId::MSW1, switchPage},    PageRegistration{PageId::MSW2, switchPage},
    PageRegistration{PageId::MSW3, switchPage},    PageRegistration{PageId::MSW4, switchPage},
    PageRegistration{PageId::MSW5, switchPage},
};

} // namespace

std::span<const PageRegistration> pageRegistry()
{
    return kRegistry;
}

} // namespace kbs
