#include "pages/form_page.h"

#include "pages/code_list_box.h"
#include "pages/format_dlg.h"
#include "pages/number_box_control.h"
#include "pages/push_button_control.h"
#include "widgets/dialog_units.h"
#include "widgets/feed_row.h"
#include "widgets/number_box.h"
#include "widgets/qt_text.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QSlider>
#include <QVBoxLayout>

#include <algorithm>
#include <stdexcept>

namespace kbs {

namespace {
// In dialog units.
constexpr int kMarginDlu = 4;
constexpr int kSpacingDlu = 4;
constexpr int kGroupInsetDlu = 3;
constexpr int kFeedSpacingDlu = 2;
constexpr int kButtonHeightDlu = 14;

FormBoxRow feedSpecOf(const ControlSpec& control)
{
    return {.kind = FormBoxKind::Feed,
            .field = control.name,
            .label = control.caption,
            .unit = control.unit,
            .range = {control.number->min, control.number->max},
            .stops = control.stops,
            .scale = control.scale};
}
} // namespace

CPage_Form::CPage_Form(const PageContext& context, const ControlPageTable& table, QWidget* parent)
    : PageWidget(parent), context_(context), data_(context.variant, table)
{
    // The layout is in dialog units of the dialog font.
    setFont(dialogFont());
    build();
    showControls();
}

void CPage_Form::build()
{
    const DialogUnits units(font());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(units.x(kMarginDlu), units.y(kMarginDlu), units.x(kMarginDlu),
                               units.y(kMarginDlu));
    layout->setSpacing(units.y(kSpacingDlu));

    QVBoxLayout* feedGroup = nullptr;
    auto* others = new QGridLayout;
    others->setHorizontalSpacing(units.x(kSpacingDlu));
    others->setVerticalSpacing(units.y(kSpacingDlu / 2));
    int leftRow = 0;
    int rightRow = 0;
    std::vector<QLabel*> labels; // line up in one column

    const auto controls = data_.data().controls();
    feeds_.assign(controls.size(), nullptr);
    boxes_.assign(controls.size(), nullptr);
    for (std::size_t index = 0; index < controls.size(); ++index) {
        const ControlSpec& control = controls[index];
        switch (control.kind) {
        case ControlKind::FeedRow: {
            if (feedGroup == nullptr) {
                auto* group = new QGroupBox(toQString(control.group), this);
                group->setObjectName(QStringLiteral("feedGroup"));
                feedGroup = new QVBoxLayout(group);
                feedGroup->setContentsMargins(units.x(kGroupInsetDlu), units.y(kGroupInsetDlu),
                                              units.x(kGroupInsetDlu), units.y(kGroupInsetDlu));
                feedGroup->setSpacing(units.y(kFeedSpacingDlu));
                layout->addWidget(group);
            }
            auto* feed = new FeedRow(feedSpecOf(control), control.caption, FeedLabelPlace::Above, this);
            feedGroup->addWidget(feed);
            connect(feed, &FeedRow::textEdited, this, [this, index] { boxChanged(index); });
            connect(feed, &FeedRow::sliderMoved, this,
                    [this, index](int position) { sliderMoved(index, position); });
            feeds_[index] = feed;
            boxes_[index] = feed->box();
            labels.push_back(feed->label());
            break;
        }
        case ControlKind::NumberBox: {
            auto* box = new NumberBoxControl(
                control, [this, index] { boxChanged(index); }, this);
            others->addWidget(box, leftRow++, 0);
            boxes_[index] = box->box();
            labels.push_back(box->label());
            break;
        }
        case ControlKind::CodeList:
            list_ = new CodeListBox(
                control, [this] { formChosen(); }, this);
            others->addWidget(list_, rightRow++, 1);
            break;
        case ControlKind::PushButton:
            button_ = new PushButtonControl(
                control, [this] { openFormDialog(); }, this);
            button_->setMinimumHeight(units.y(kButtonHeightDlu));
            others->addWidget(button_, rightRow++, 1);
            break;
        case ControlKind::RadioPair:
        case ControlKind::CheckBox:
            throw std::invalid_argument("the form tab has no widget for " + control.name);
        }
    }
    others->setColumnStretch(0, 1);
    layout->addLayout(others);
    layout->addStretch();

    // Labels and sliders line up, so the boxes stand in one column.
    int labelWidth = 0;
    int sliderWidth = 0;
    for (const QLabel* label : labels)
        labelWidth = std::max(labelWidth, label->sizeHint().width());
    for (const FeedRow* feed : feeds_)
        if (feed != nullptr)
            sliderWidth = std::max(sliderWidth, feed->sliderWidth());
    for (QLabel* label : labels)
        label->setMinimumWidth(labelWidth);
    for (FeedRow* feed : feeds_)
        if (feed != nullptr)
            feed->setSliderWidth(sliderWidth);
}

NumberBox* CPage_Form::boxOf(std::size_t control) const
{
    return boxes_.at(control);
}

void CPage_Form::showNumber(std::size_t control)
{
    const QString text = toQString(data_.text(control));
    if (FeedRow* feed = feeds_[control]) {
        feed->showText(text);
        feed->showPosition(data_.sliderPosition(control));
    } else if (boxOf(control)->text() != text) {
        boxOf(control)->setText(text);
    }
}

void CPage_Form::LoadBlock(const SettingsBlock& block)
{
    data_.load(block);
    showControls();
}

void CPage_Form::showControls()
{
    refreshing_ = true;
    for (std::size_t control = 0; control < boxes_.size(); ++control)
        if (boxes_[control] != nullptr)
            showNumber(control);
    Member shown;
    shown.choice = data_.shownEntry();
    list_->showMember(shown);
    refreshing_ = false;
}

void CPage_Form::StoreBlock(SettingsBlock& block)
{
    if (const std::optional<StoreRefusal> refused = data_.store(block))
        showRefusal(*refused);
}

bool CPage_Form::HasPendingEntry() const
{
    return data_.refusal().has_value();
}

void CPage_Form::ShowPendingNotice()
{
    if (const std::optional<StoreRefusal> refused = data_.refusal())
        showRefusal(*refused);
}

void CPage_Form::showRefusal(const StoreRefusal& refusal)
{
    // The framework's own message: the program's name is its caption.
    context_.messages.showMessage(refusal.message, context_.variant.deliverable, ButtonSet::Ok,
                                  MessageIcon::Exclamation);
    boxOf(refusal.control)->focusAndSelect();
}

void CPage_Form::RefreshFormButton()
{
    const FormButtonState state = data_.formButton();
    button_->setText(toQString(state.caption));
    button_->setEnabled(state.enabled);
}

void CPage_Form::boxChanged(std::size_t control)
{
    if (refreshing_)
        return;
    NumberBox* box = boxOf(control);
    data_.boxChanged(control, box->text().toStdString(), box->hasFocus());
    refreshing_ = true;
    showNumber(control);
    refreshing_ = false;
    emit dataCheckRequested();
}

void CPage_Form::sliderMoved(std::size_t control, int position)
{
    if (refreshing_)
        return;
    const std::optional<std::string> text =
        data_.sliderMoved(control, position, feeds_[control]->slider()->hasFocus());
    if (!text)
        return;
    refreshing_ = true;
    showNumber(control);
    refreshing_ = false;
    // The box changed: its own change raises the data check.
    emit dataCheckRequested();
}

void CPage_Form::formChosen()
{
    if (refreshing_)
        return;
    Member chosen;
    list_->readMember(chosen);
    data_.chooseEntry(chosen.choice);
    emit dataCheckRequested();
    RefreshFormButton();
}

void CPage_Form::openFormDialog()
{
    if (!data_.prepareDialog())
        return;
    if (dialog_ == nullptr)
        dialog_ = new CFormatDlg(context_, data_.editor(), this);
    if (dialog_->run() == QDialog::Accepted)
        emit dataCheckRequested(); // stores this page, and so the edited image
}

} // namespace kbs
