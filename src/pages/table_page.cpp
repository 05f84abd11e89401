#include "pages/table_page.h"

#include "pages/check_box_control.h"
#include "pages/code_list_box.h"
#include "pages/radio_pair_box.h"
#include "pages/two_column_layout.h"
#include "widgets/dialog_units.h"

#include <functional>
#include <stdexcept>
#include <utility>

namespace kbs {

namespace {

ControlWidget* createControl(const ControlSpec& control, const std::function<void()>& onUserChange,
                             QWidget* page)
{
    switch (control.kind) {
    case ControlKind::RadioPair:
        return new RadioPairBox(control, onUserChange, page);
    case ControlKind::CheckBox:
        return new CheckBoxControl(control, onUserChange, page);
    case ControlKind::CodeList:
        return new CodeListBox(control, onUserChange, page);
    case ControlKind::NumberBox:
    case ControlKind::PushButton:
    case ControlKind::FeedRow:
        break;
    }
    throw std::invalid_argument("a memory switch page has no widget for " + control.name);
}

// Group boxes share the columns; check boxes and lists have labels too long for a column.
bool needsFullWidth(ControlKind kind)
{
    return kind != ControlKind::RadioPair;
}

} // namespace

TablePage::TablePage(PageData data, QWidget* parent) : PageWidget(parent), data_(std::move(data))
{
    // The layout is in dialog units of the dialog font.
    setFont(dialogFont());
    const auto raiseDataCheck = [this] { emit dataCheckRequested(); };
    std::vector<ArrangedControl> arranged;
    std::vector<RadioPairBox*> pairs;
    const auto controls = data_.controls();
    for (std::size_t index = 0; index < controls.size(); ++index) {
        if (!controls[index].visible)
            continue;
        ControlWidget* control = createControl(controls[index], raiseDataCheck, this);
        shown_.push_back({index, control});
        arranged.push_back({control->widget(), needsFullWidth(controls[index].kind)});
        if (auto* pair = dynamic_cast<RadioPairBox*>(control))
            pairs.push_back(pair);
    }
    placeNotes(pairs, columnWidth(font()));
    arrangeInTwoColumns(*this, arranged);
}

void TablePage::LoadBlock(const SettingsBlock& block)
{
    data_.load(block);
    for (const Shown& shown : shown_)
        shown.control->showMember(data_.member(shown.member));
}

void TablePage::StoreBlock(SettingsBlock& block)
{
    for (const Shown& shown : shown_)
        shown.control->readMember(data_.member(shown.member));
    data_.store(block);
}

} // namespace kbs
