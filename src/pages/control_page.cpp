#include "pages/control_page.h"

#include "pagedata/control_page.h"
#include "pagedata/number_rules.h"
#include "pages/code_list_box.h"
#include "pages/control_page_layout.h"
#include "pages/number_box_control.h"
#include "pages/push_button_control.h"
#include "pages/radio_pair_box.h"
#include "pages/two_column_layout.h"
#include "widgets/dialog_units.h"
#include "widgets/number_box.h"
#include "widgets/qt_text.h"

#include <stdexcept>
#include <utility>

namespace kbs {

ControlPage::ControlPage(const PageContext& context, const ControlPageTable& table, PageData data,
                         QWidget* parent)
    : PageWidget(parent), context_(context), table_(table), data_(std::move(data))
{
    // The layout is in dialog units of the dialog font.
    setFont(dialogFont());
    std::vector<PlacedControl> placed;
    std::vector<RadioPairBox*> pairs;
    const auto controls = data_.controls();
    shown_.reserve(controls.size());
    for (std::size_t index = 0; index < controls.size(); ++index) {
        const ControlSpec& control = controls[index];
        Shown shown{index, nullptr, nullptr};
        const auto raiseDataCheck = [this, index] {
            emit dataCheckRequested();
            userChanged(index);
        };
        if (!control.visible) {
            shown_.push_back(shown);
            continue;
        }
        switch (control.kind) {
        case ControlKind::NumberBox:
            shown.numberBox = new NumberBoxControl(
                control, [this, index] { numberChanged(shown_[index]); }, this);
            shown.control = shown.numberBox;
            break;
        case ControlKind::CodeList:
            shown.control = new CodeListBox(control, raiseDataCheck, this);
            break;
        case ControlKind::RadioPair:
            pairs.push_back(new RadioPairBox(control, raiseDataCheck, this));
            shown.control = pairs.back();
            break;
        case ControlKind::PushButton:
            shown.control = new PushButtonControl(
                control, [this, name = toQString(control.name)] { emit buttonPressed(name); }, this);
            break;
        case ControlKind::CheckBox:
        case ControlKind::FeedRow:
            throw std::invalid_argument("a control page has no widget for " + control.name);
        }
        shown_.push_back(shown);
        placed.push_back({shown.control, control.group, control.placement});
    }
    placeNotes(pairs, columnWidth(font()));
    arrangeControls(*this, placed);
}

void ControlPage::LoadBlock(const SettingsBlock& block)
{
    data_.load(block);
    refreshing_ = true;
    for (const Shown& shown : shown_)
        if (shown.control)
            shown.control->showMember(data_.member(shown.member));
    refreshing_ = false;
}

const ControlPage::Shown* ControlPage::refusedBox(std::string* message) const
{
    for (const Shown& shown : shown_) {
        if (!shown.numberBox)
            continue;
        const NumberBoxSpec& box = *data_.controls()[shown.member].number;
        StoredNumber checked = checkStoredNumber(box, shown.numberBox->box()->text().toStdString());
        if (!checked.value) {
            if (message)
                *message = std::move(checked.refusal);
            return &shown;
        }
    }
    return nullptr;
}

void ControlPage::StoreBlock(SettingsBlock& block)
{
    std::string refusal;
    if (const Shown* refused = refusedBox(&refusal)) {
        context_.messages.showMessage(refusal, context_.variant.deliverable, ButtonSet::Ok,
                                      MessageIcon::Exclamation);
        refused->numberBox->box()->focusAndSelect();
    } else {
        refreshing_ = true;
        for (const Shown& shown : shown_)
            if (shown.control)
                shown.control->readMember(data_.member(shown.member));
        refreshing_ = false;
    }
    data_.store(block);
}

bool ControlPage::HasPendingEntry() const
{
    for (const Shown& shown : shown_)
        if (data_.member(shown.member).pending)
            return true;
    return refusedBox(nullptr) != nullptr;
}

void ControlPage::ShowPendingNotice()
{
    const PendingCorrection correction = pendingCorrection(table_, data_);
    if (correction.notice == nullptr) {
        // Nothing pending: a box that a store would refuse says why instead.
        std::string refusal;
        if (const Shown* refused = refusedBox(&refusal)) {
            context_.messages.showMessage(refusal, context_.variant.deliverable, ButtonSet::Ok,
                                          MessageIcon::Exclamation);
            refused->numberBox->box()->focusAndSelect();
        }
        return;
    }
    context_.messages.showMessage(correction.notice->text, correction.notice->caption, ButtonSet::Ok,
                                  MessageIcon::Exclamation);
    for (const std::size_t index : correction.boxes) {
        const Shown& shown = shown_[index];
        const int lowest = data_.controls()[index].number->min;
        shown.numberBox->box()->setText(QString::number(lowest));
        data_.member(index).pending = false;
        shown.numberBox->box()->focusAndSelect();
    }
}

void ControlPage::numberChanged(const Shown& shown)
{
    if (refreshing_)
        return;
    Member& member = data_.member(shown.member);
    member.pending = false;
    NumberBox& box = *shown.numberBox->box();
    const std::string text = box.text().toStdString();
    const TypeAhead corrected =
        correctTypeAhead(*data_.controls()[shown.member].number, text, box.hasFocus(), true);
    if (corrected.text != text)
        box.setText(toQString(corrected.text)); // a change of its own, checked again
    else
        member.pending = corrected.pending;
    emit dataCheckRequested();
}

} // namespace kbs
