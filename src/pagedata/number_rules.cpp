#include "pagedata/number_rules.h"

#include <algorithm>
#include <climits>

namespace kbs {

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool leftPending(const NumberBoxSpec& box, int value)
{
    return std::ranges::any_of(
        box.pending, [value](const ValueSpan& span) { return value >= span.first && value <= span.last; });
}

// The largest number with `digits` digits, capped at INT_MAX.
long long largestWithDigits(std::size_t digits)
{
    long long largest = 0;
    for (std::size_t i = 0; i < digits && largest < INT_MAX; ++i)
        largest = largest * 10 + 9;
    return std::min<long long>(largest, INT_MAX);
}

} // namespace

int typedValue(std::string_view text)
{
    long long value = 0;
    for (const char c : text) {
        if (!isDigit(c))
            break;
        value = std::min<long long>(value * 10 + (c - '0'), INT_MAX);
    }
    return static_cast<int>(value);
}

int clampToRange(const NumberBoxSpec& box, int value)
{
    return std::clamp(value, box.min, box.max);
}

TypeAhead correctTypeAhead(const NumberBoxSpec& box, std::string_view text, bool hasFocus, bool userChange)
{
    if (!userChange)
        return {std::string(text), false};
    int value = typedValue(text);
    std::string shown(text);
    if (text.size() > box.maxTypedLength) {
        // A value that does not fit the box, or saturated on reading, is its maximum.
        if (value > largestWithDigits(box.maxTypedLength) || value == INT_MAX)
            value = box.max;
        shown = std::to_string(value);
    }
    if (!hasFocus)
        return {shown, false};
    if (leftPending(box, value))
        return {shown, true};
    if (value < box.min || value > box.max)
        return {std::to_string(clampToRange(box, value)), false};
    return {shown, false};
}

StoredNumber checkStoredNumber(const NumberBoxSpec& box, std::string_view text)
{
    const bool integer = !text.empty() && std::ranges::all_of(text, isDigit);
    if (!integer)
        return {std::nullopt, std::string(kNotAnInteger)};
    const int value = typedValue(text);
    if (box.checkRangeOnStore && (value < box.min || value > box.max)) {
        std::string message(kIntegerOutOfRange);
        message.replace(message.find("%1"), 2, std::to_string(box.min));
        message.replace(message.find("%2"), 2, std::to_string(box.max));
        return {std::nullopt, message};
    }
    return {value, {}};
}

} // namespace kbs
