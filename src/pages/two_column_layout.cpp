#include "pages/two_column_layout.h"

#include "pages/page_size.h"
#include "widgets/dialog_units.h"

#include <QGridLayout>
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
    // A grid, so that the boxes side by side in one row are equally tall and the rows of
    // both columns line up.
    auto* columns = new QGridLayout;
    columns->setHorizontalSpacing(units.x(kSpacingDlu));
    columns->setVerticalSpacing(units.y(kSpacingDlu));
    const std::size_t firstColumnCount = (inColumns.size() + 1) / 2;
    for (std::size_t index = 0; index < inColumns.size(); ++index) {
        const bool second = index >= firstColumnCount;
        columns->addWidget(inColumns[index], static_cast<int>(second ? index - firstColumnCount : index),
                           second ? 1 : 0);
    }
    for (const int column : {0, 1})
        columns->setColumnStretch(column, 1);
    rows->addLayout(columns);
    for (QWidget* widget : below)
        rows->addWidget(widget);
    rows->addStretch();
}

} // namespace kbs
