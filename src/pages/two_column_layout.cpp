#include "pages/two_column_layout.h"

#include "pages/page_size.h"
#include "widgets/dialog_units.h"

#include <QHBoxLayout>
#include <QVBoxLayout>
#include <QWidget>

namespace kbs {

namespace {
// Margin and spacing in dialog units, tighter than a dialog's usual 7 so that four
// group boxes fit one above the other.
constexpr int kMarginDlu = 3;
constexpr int kSpacingDlu = 2;
} // namespace

int columnWidth(const QFont& font)
{
    const DialogUnits units(font);
    return (pageSize(font).width() - 2 * units.x(kMarginDlu) - units.x(kSpacingDlu)) / 2;
}

void arrangeInTwoColumns(QWidget& page, const std::vector<ArrangedControl>& controls)
{
    const DialogUnits units(page.font());
    auto* rows = new QVBoxLayout(&page);
    rows->setContentsMargins(units.x(kMarginDlu), units.y(kMarginDlu), units.x(kMarginDlu),
                             units.y(kMarginDlu));
    rows->setSpacing(units.y(kSpacingDlu));

    std::vector<QWidget*> above;
    std::vector<QWidget*> inColumns;
    std::vector<QWidget*> below;
    for (const ArrangedControl& control : controls) {
        if (!control.fullWidth)
            inColumns.push_back(control.widget);
        else if (inColumns.empty())
            above.push_back(control.widget);
        else
            below.push_back(control.widget);
    }

    for (QWidget* widget : above)
        rows->addWidget(widget);
    auto* columns = new QHBoxLayout;
    columns->setSpacing(units.x(kSpacingDlu));
    const std::size_t firstColumnCount = (inColumns.size() + 1) / 2;
    for (std::size_t column = 0; column < 2; ++column) {
        auto* stack = new QVBoxLayout;
        stack->setSpacing(units.y(kSpacingDlu));
        const std::size_t begin = column == 0 ? 0 : firstColumnCount;
        const std::size_t end = column == 0 ? firstColumnCount : inColumns.size();
        for (std::size_t index = begin; index < end; ++index)
            stack->addWidget(inColumns[index]);
        stack->addStretch();
        columns->addLayout(stack, 1);
    }
    rows->addLayout(columns);
    for (QWidget* widget : below)
        rows->addWidget(widget);
    rows->addStretch();
}

} // namespace kbs
