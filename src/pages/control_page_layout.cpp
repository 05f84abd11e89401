#include "pages/control_page_layout.h"

#include "pages/control_widget.h"
#include "widgets/dialog_units.h"
#include "widgets/qt_text.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>

namespace kbs {

namespace {

constexpr int kMarginDlu = 3;
constexpr int kSpacingDlu = 3;
constexpr int kColumnGapDlu = 2;

// One item of a column: a group box with its controls or a single control.
struct Item {
    QWidget* widget;
    Placement placement;
    ControlWidget* single; // set when the item is one control outside any group
};

// Gives one part of each control (its label, its list) the width of the widest, so that the
// parts stand in one column.
void evenWidths(const std::vector<ControlWidget*>& controls, QWidget* (*part)(ControlWidget&))
{
    int widest = 0;
    for (ControlWidget* control : controls)
        if (QWidget* widget = part(*control))
            widest = std::max(widest, widget->sizeHint().width());
    for (ControlWidget* control : controls)
        if (QWidget* widget = part(*control))
            widget->setMinimumWidth(widest);
}

void lineUpLabels(const std::vector<ControlWidget*>& controls)
{
    evenWidths(controls, [](ControlWidget& control) -> QWidget* { return control.label(); });
}

QWidget* groupBox(QWidget& page, std::string_view caption, const std::vector<ControlWidget*>& controls)
{
    const DialogUnits units(page.font());
    auto* box = new QGroupBox(toQString(caption), &page);
    auto* rows = new QVBoxLayout(box);
    rows->setContentsMargins(units.x(3), units.y(2), units.x(3), units.y(3));
    rows->setSpacing(units.y(2));
    for (ControlWidget* control : controls)
        rows->addWidget(control->widget());
    lineUpLabels(controls);
    return box;
}

std::vector<Item> itemsOf(QWidget& page, const std::vector<PlacedControl>& controls)
{
    std::vector<Item> items;
    for (std::size_t index = 0; index < controls.size();) {
        const PlacedControl& first = controls[index];
        if (first.group.empty()) {
            items.push_back({first.control->widget(), first.placement, first.control});
            ++index;
            continue;
        }
        std::vector<ControlWidget*> members;
        while (index < controls.size() && controls[index].group == first.group)
            members.push_back(controls[index++].control);
        items.push_back({groupBox(page, first.group, members), first.placement, nullptr});
    }
    return items;
}

} // namespace

void arrangeControls(QWidget& page, const std::vector<PlacedControl>& controls)
{
    const DialogUnits units(page.font());
    auto* rows = new QVBoxLayout(&page);
    rows->setContentsMargins(units.x(kMarginDlu), units.y(kMarginDlu), units.x(kMarginDlu),
                             units.y(kMarginDlu));
    rows->setSpacing(units.y(kSpacingDlu));

    QVBoxLayout* columns[2] = {nullptr, nullptr};
    // Single controls across the page line their labels and lists up, above and below the
    // columns alike.
    std::vector<ControlWidget*> acrossPage;
    const auto closeBand = [&] {
        for (QVBoxLayout* column : columns)
            if (column)
                column->addStretch();
        columns[0] = columns[1] = nullptr;
    };
    for (const Item& item : itemsOf(page, controls)) {
        if (item.placement == Placement::Full) {
            closeBand();
            rows->addWidget(item.widget);
            if (item.single)
                acrossPage.push_back(item.single);
            continue;
        }
        if (!columns[0]) {
            auto* band = new QHBoxLayout;
            band->setSpacing(units.x(kColumnGapDlu));
            for (QVBoxLayout*& column : columns) {
                column = new QVBoxLayout;
                column->setSpacing(units.y(kSpacingDlu));
                band->addLayout(column, 1);
            }
            rows->addLayout(band);
        }
        columns[item.placement == Placement::Left ? 0 : 1]->addWidget(item.widget);
    }
    closeBand();
    lineUpLabels(acrossPage);
    evenWidths(acrossPage, [](ControlWidget& control) { return control.list(); });
    rows->addStretch();
}

} // namespace kbs
