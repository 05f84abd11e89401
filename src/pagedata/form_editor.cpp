#include "pagedata/form_editor.h"

#include "model/field_codecs.h"
#include "pagedata/form_image_fields.h"
#include "pagedata/slider_stops.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace kbs {

namespace {

const FormDialogTable& checkedTable(const ModelVariant& variant)
{
    checkFormDialogTable(variant);
    return *variant.formDialog;
}

bool inRange(std::int64_t value, FormRange range)
{
    return value >= range.min && value <= range.max;
}

} // namespace

FormEditor::FormEditor(const ModelVariant& variant)
    : table_(checkedTable(variant)), boxes_(table_.boxes.size())
{
    const SettingsBlock defaults(variant.factoryDefaults);
    for (const FormImageEntry& form : table_.forms) {
        const FieldSpec& field = formBlockField(variant, form);
        images_.push_back({&field, readBytes(defaults, field.offset, field.width)});
    }
    if (!table_.forms.empty())
        parseForm(table_.forms.front().formName);
}

void FormEditor::loadImages(const SettingsBlock& block)
{
    for (Image& image : images_)
        image.bytes = readBytes(block, image.blockField->offset, image.blockField->width);
}

void FormEditor::storeImages(SettingsBlock& block) const
{
    for (const Image& image : images_)
        writeBytes(block, image.blockField->offset, image.bytes);
}

std::string_view FormEditor::image(std::string_view formName) const
{
    const auto form = formIndex(formName);
    return form ? std::string_view(images_[*form].bytes) : std::string_view{};
}

bool FormEditor::parseForm(std::string_view formName)
{
    const auto form = formIndex(formName);
    if (!form)
        return false;
    const Image& image = images_[*form];
    for (std::size_t index = 0; index < boxes_.size(); ++index) {
        const FormBoxRow& row = table_.boxes[index];
        const FormFieldSpec* field = imageField(*image.blockField->image, row.field);
        setValue(index, field != nullptr ? readImageDigits(image.bytes, *field) : row.valueWithoutField);
    }
    return true;
}

bool FormEditor::boxEnabled(std::size_t box) const
{
    const FormImageLayout* layout = namedLayout();
    return layout == nullptr || imageField(*layout, rowAt(box).field) != nullptr;
}

BoxCorrection FormEditor::boxChanged(std::size_t box, std::string_view text, bool hasFocus, bool userChange)
{
    Box& held = boxes_.at(box);
    if (text == held.text)
        return {held.text, valueOrZero(box), {}, {}, {}};
    BoxCorrection correction =
        correctFormBox(table_, table_.boxes[box], text, hasFocus, userChange, margins());
    held.text = correction.text;
    if (correction.sliderPosition)
        held.sliderPosition = *correction.sliderPosition;
    if (correction.rightMarginPending)
        rightMarginPending_ = *correction.rightMarginPending;
    return correction;
}

std::optional<std::string> FormEditor::sliderMoved(std::size_t box, int position, bool hasFocus)
{
    const FormBoxRow& feed = rowAt(box);
    if (!hasFocus || feed.kind != FormBoxKind::Feed)
        return std::nullopt;
    Box& held = boxes_[box];
    held.text = std::to_string(stopValue(feed.stops, position));
    held.sliderPosition = std::clamp(position, 0, lastPosition(feed.stops));
    return held.text;
}

std::optional<FormOkNotice> FormEditor::ok()
{
    if (auto notice = checkMargins())
        return notice;
    if (auto notice = checkLowFeeds())
        return notice;
    if (auto notice = checkRanges())
        return notice;
    writeImage();
    return std::nullopt;
}

const FormBoxRow& FormEditor::rowAt(std::size_t box) const
{
    if (box >= table_.boxes.size())
        throw std::out_of_range("no such box in the form dialog");
    return table_.boxes[box];
}

std::optional<std::size_t> FormEditor::formIndex(std::string_view formName) const
{
    const auto form = std::ranges::find(table_.forms, formName, &FormImageEntry::formName);
    if (form == table_.forms.end())
        return std::nullopt;
    return static_cast<std::size_t>(form - table_.forms.begin());
}

// The layout of the form the dialog is named for, or nullptr for a name of no form.
const FormImageLayout* FormEditor::namedLayout() const
{
    const auto form = formIndex(formName_);
    return form ? images_[*form].blockField->image : nullptr;
}

std::optional<std::size_t> FormEditor::boxOfKind(FormBoxKind kind) const
{
    const auto row = std::ranges::find(table_.boxes, kind, &FormBoxRow::kind);
    if (row == table_.boxes.end())
        return std::nullopt;
    return static_cast<std::size_t>(row - table_.boxes.begin());
}

std::optional<std::int64_t> FormEditor::valueOf(std::size_t box) const
{
    return boxTextValue(boxes_[box].text);
}

// What the rules comparing values see: a box without a number counts as 0.
int FormEditor::valueOrZero(std::size_t box) const
{
    return static_cast<int>(std::clamp<std::int64_t>(
        valueOf(box).value_or(0), std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

MarginValues FormEditor::margins() const
{
    const auto left = boxOfKind(FormBoxKind::LeftMargin);
    const auto right = boxOfKind(FormBoxKind::RightMargin);
    return {left ? valueOrZero(*left) : 0, right ? valueOrZero(*right) : 0};
}

void FormEditor::setValue(std::size_t box, int value)
{
    boxes_[box].text = std::to_string(value);
    const FormBoxRow& row = table_.boxes[box];
    if (row.kind == FormBoxKind::Feed)
        boxes_[box].sliderPosition = nearestStop(row.stops, value);
}

// A right margin not above the left one becomes left + 1. That repairs only a left margin
// inside its range; any other is left to the range check, so the right margin never leaves its
// own range and the notice never repeats without effect.
std::optional<FormOkNotice> FormEditor::checkMargins()
{
    const auto left = boxOfKind(FormBoxKind::LeftMargin);
    const auto right = boxOfKind(FormBoxKind::RightMargin);
    if (!left || !right)
        return std::nullopt;
    const auto repairRight = [&](const FormNoticeText& notice) -> std::optional<FormOkNotice> {
        const auto leftValue = valueOf(*left);
        if (!leftValue || !inRange(*leftValue, table_.boxes[*left].range) || valueOrZero(*right) > *leftValue)
            return std::nullopt;
        setValue(*right, std::min(static_cast<int>(*leftValue) + 1, table_.boxes[*right].range.max));
        rightMarginPending_ = false;
        return FormOkNotice{formNotice(notice, formName_), *right, true};
    };
    if (hasNotice(table_.rightPendingAtOk) && rightMarginPending_)
        if (auto notice = repairRight(table_.rightPendingAtOk))
            return notice;
    if (hasNotice(table_.marginOrderAtOk))
        return repairRight(table_.marginOrderAtOk);
    return std::nullopt;
}

std::optional<FormOkNotice> FormEditor::checkLowFeeds()
{
    for (std::size_t box = 0; box < boxes_.size(); ++box) {
        const FormBoxRow& row = table_.boxes[box];
        if (!hasNotice(row.belowMinimumAtOk) || !boxEnabled(box) || valueOrZero(box) >= row.range.min)
            continue;
        setValue(box, row.range.min);
        return FormOkNotice{formNotice(row.belowMinimumAtOk, formName_), box, false};
    }
    return std::nullopt;
}

std::optional<FormOkNotice> FormEditor::checkRanges() const
{
    for (std::size_t box = 0; box < boxes_.size(); ++box) {
        const FormRange range = table_.boxes[box].range;
        const auto value = valueOf(box);
        if (boxEnabled(box) && (!value || !inRange(*value, range)))
            return FormOkNotice{integerRangeNotice(range), box, true};
    }
    return std::nullopt;
}

// Every field of the image gets the value the dialog showed, so an odd byte shown as a number
// goes to the printer as that number; only the digit positions are written, never the commas.
void FormEditor::writeImage()
{
    const auto form = formIndex(formName_);
    if (!form)
        return;
    Image& target = images_[*form];
    for (std::size_t box = 0; box < boxes_.size(); ++box) {
        const FormFieldSpec* field = imageField(*target.blockField->image, table_.boxes[box].field);
        if (field != nullptr)
            writeImageDigits(target.bytes, *field, valueOrZero(box));
    }
}

} // namespace kbs
