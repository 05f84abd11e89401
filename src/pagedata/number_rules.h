#pragma once

#include "model/control_table.h"

#include <optional>
#include <string>
#include <string_view>

namespace kbs {

// The unsigned value of a box's text: leading digits only, empty or unreadable text 0;
// a value too large for an int saturates.
int typedValue(std::string_view text);

// `value` brought into min..max.
int clampToRange(const NumberBoxSpec& box, int value);

struct TypeAhead {
    std::string text; // what the box shows after the correction
    bool pending;     // left as typed because more digits may follow
};

// The correction of a number box after a change of its text. Only user changes are
// corrected, and the range only while the box has the keyboard focus. Text longer than
// the box's typed length becomes its plain value, or the maximum when that does not fit.
TypeAhead correctTypeAhead(const NumberBoxSpec& box, std::string_view text, bool hasFocus, bool userChange);

// The standard messages of the store-time check of a number box.
inline constexpr std::string_view kNotAnInteger = "整数を入力してください。";
inline constexpr std::string_view kIntegerOutOfRange = "%1 から %2 までの整数を入力してください。";

// The value a box's text stores, or the message that refuses it.
struct StoredNumber {
    std::optional<int> value;
    std::string refusal; // empty when value is set
};
StoredNumber checkStoredNumber(const NumberBoxSpec& box, std::string_view text);

} // namespace kbs
