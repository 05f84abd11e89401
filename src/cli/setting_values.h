#pragma once

#include "pagedata/page_control.h"

#include <optional>
#include <string>
#include <string_view>

namespace kbs::cli {

// Whether the control's value is a number: a number box, or the box of a feed row.
inline bool holdsNumber(const ControlSpec& control)
{
    return control.kind == ControlKind::NumberBox || control.kind == ControlKind::FeedRow;
}

// A label or choice as a page shows it: without the "(&X)" mnemonics, lines joined.
std::string shownText(std::string_view label);

// The control's label, with its switch number or note: "データ受信方法の変更（MSW1-4）".
std::string settingLabel(const ControlSpec& control);

// The value the member holds as the page shows it ("標準", "40", "ON"); nothing when the
// control shows no entry.
std::optional<std::string> valueText(const ControlSpec& control, const Member& member);

// Sets the member from a value text; on refusal the reason, the program's own message where
// it has one.
std::optional<std::string> parseValue(const ControlSpec& control, std::string_view text, Member& member);

} // namespace kbs::cli
