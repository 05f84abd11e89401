#pragma once

#include "cli/phrase.h"
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

// Whether the control has a label of its own; one without stands on its group's line.
bool hasOwnLabel(const ControlSpec& control);
// The control's label, with its switch number or note: "データ受信方法の変更（MSW1-4）"; a
// control without one is its group's: "書式選択".
std::string settingLabel(const ControlSpec& control);

// Text as typed, brought to one width: full-width letters, digits, signs and spaces become
// their ASCII forms, so "８０桁" reads as "80桁".
std::string narrowed(std::string_view text);

// The value the member holds as the page shows it ("標準", "40", "ON"); nothing when the
// control shows no entry.
std::optional<std::string> valueText(const ControlSpec& control, const Member& member);

// Sets the member from a value text, compared after narrowing; a leading "+" of a number or a
// signed step may be left out or given. On refusal the reason, with the range or the choices
// as the window writes them.
std::optional<std::string> parseValue(const ControlSpec& control, std::string_view text, Member& member,
                                      Language language);

} // namespace kbs::cli
