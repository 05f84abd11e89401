#include "pagedata/form_box_rules.h"

#include "pagedata/slider_stops.h"

#include <algorithm>
#include <limits>

namespace kbs {

namespace {

// Far beyond every box, small enough that no arithmetic on it overflows.
constexpr std::int64_t kSaturated = 1'000'000'000'000;

int clampToRange(std::int64_t value, FormRange range)
{
    return static_cast<int>(std::clamp<std::int64_t>(value, range.min, range.max));
}

bool contains(std::span<const int> values, std::int64_t value)
{
    return std::ranges::find(values, value) != values.end();
}

// A text longer than the box's width becomes the plain form of its value. A value the width
// cannot hold becomes the range's end, so the rewritten text is never long again.
std::int64_t shortenedValue(const FormBoxRow& box, std::int64_t value)
{
    if (std::to_string(value).size() <= typedTextWidth(box.kind))
        return value;
    return value < 0 ? box.range.min : box.range.max;
}

struct FocusedResult {
    int value;
    std::optional<bool> rightMarginPending;
    std::optional<FormNotice> notice;
};

FocusedResult correctFocused(const FormDialogTable& table, const FormBoxRow& box, int value,
                             MarginValues margins)
{
    switch (box.kind) {
    case FormBoxKind::Feed:
        if (contains(box.raisedToMinimumAtOnce, value))
            return {box.range.min, {}, {}};
        // More digits may still follow; OK reports what stays below.
        if (value < box.range.min && hasNotice(box.belowMinimumAtOk))
            return {value, {}, {}};
        return {clampToRange(value, box.range), {}, {}};
    case FormBoxKind::LeftMargin:
        if (hasNotice(table.leftNotBelowRight) && value >= 0 && value >= margins.right) {
            // right - 1 kept within the box's range; writing the result back is no new change
            // for the editor, so it raises no second notice even where right is 0.
            return {clampToRange(std::int64_t{margins.right} - 1, box.range),
                    {},
                    formNotice(table.leftNotBelowRight, {})};
        }
        return {clampToRange(value, box.range), {}, {}};
    case FormBoxKind::RightMargin:
        if (hasNotice(table.rightPendingAtOk)) {
            if (value <= margins.left)
                return {value, true, {}};
            return {clampToRange(value, box.range), false, {}};
        }
        return {clampToRange(value, box.range), {}, {}};
    case FormBoxKind::Length:
    case FormBoxKind::Correction:
        break;
    }
    return {clampToRange(value, box.range), {}, {}};
}

} // namespace

bool hasNotice(const FormNoticeText& notice)
{
    return !notice.text.empty();
}

FormNotice formNotice(const FormNoticeText& notice, std::string_view formName)
{
    std::string caption = notice.captionAfterFormName ? std::string(formName) : std::string();
    caption += notice.caption;
    return {std::string(notice.text), std::move(caption)};
}

FormNotice integerRangeNotice(FormRange range)
{
    return {std::to_string(range.min) + " から " + std::to_string(range.max) +
                " までの整数を入力してください。",
            {},
            true};
}

std::string formDialogTitle(const FormDialogTable& table, std::string_view formName)
{
    return std::string(table.titlePrefix) + std::string(formName);
}

std::size_t typedTextWidth(FormBoxKind kind)
{
    switch (kind) {
    case FormBoxKind::Feed:
    case FormBoxKind::LeftMargin:
    case FormBoxKind::RightMargin:
        return 4;
    case FormBoxKind::Length:
    case FormBoxKind::Correction:
        break;
    }
    return 3;
}

std::optional<std::int64_t> boxTextValue(std::string_view text)
{
    const bool negative = text.starts_with('-');
    const std::string_view digits = text.substr(negative ? 1 : 0);
    if (digits.empty())
        return std::nullopt;
    std::int64_t value = 0;
    for (const char digit : digits) {
        if (digit < '0' || digit > '9')
            return std::nullopt;
        value = std::min(value * 10 + (digit - '0'), kSaturated);
    }
    return negative ? -value : value;
}

BoxCorrection correctFormBox(const FormDialogTable& table, const FormBoxRow& box, std::string_view text,
                             bool hasFocus, bool userChange, MarginValues margins)
{
    std::int64_t value = boxTextValue(text).value_or(0);
    BoxCorrection result{std::string(text), 0, {}, {}, {}};
    if (!userChange) {
        result.value = static_cast<int>(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                                                 std::numeric_limits<int>::max()));
        return result;
    }
    if (text.size() > typedTextWidth(box.kind)) {
        value = shortenedValue(box, value);
        result.text = std::to_string(value);
    }
    // Past this point the value fits the box's width, so it fits an int.
    result.value = static_cast<int>(value);
    if (hasFocus) {
        FocusedResult focused = correctFocused(table, box, result.value, margins);
        if (focused.value != result.value) {
            result.value = focused.value;
            result.text = std::to_string(focused.value);
        }
        result.rightMarginPending = focused.rightMarginPending;
        result.notice = std::move(focused.notice);
    }
    if (box.kind == FormBoxKind::Feed)
        result.sliderPosition = nearestStop(box.stops, result.value);
    return result;
}

} // namespace kbs
