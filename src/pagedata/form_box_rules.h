#pragma once

#include "model/form_dialog_table.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kbs {

// A message box of the form dialog, shown with MB_OK and the exclamation icon.
struct FormNotice {
    std::string text;
    std::string caption;
    bool captionIsProgramName = false; // the range message carries the program's name instead

    friend bool operator==(const FormNotice&, const FormNotice&) = default;
};

// The notice of a table row; the form name goes before captions that follow it.
FormNotice formNotice(const FormNoticeText& notice, std::string_view formName);
bool hasNotice(const FormNoticeText& notice);

// The message shown when OK takes a value outside its range.
FormNotice integerRangeNotice(FormRange range);

// "書式の設定： 書式２" and the like.
std::string formDialogTitle(const FormDialogTable& table, std::string_view formName);

// The longest text a box keeps as typed; a longer one is rewritten as its plain value.
std::size_t typedTextWidth(FormBoxKind kind);

// A box's value: an optional minus sign and digits; nothing for an empty or other text.
// Values too large for any box saturate instead of overflowing.
std::optional<std::int64_t> boxTextValue(std::string_view text);

// The margins as their boxes show them, for the rules that compare the two.
struct MarginValues {
    int left;
    int right;
};

struct BoxCorrection {
    std::string text;                       // what the box shows afterwards
    int value = 0;                          // its value; a text without one counts as 0
    std::optional<int> sliderPosition;      // feed boxes: the stop nearest the value
    std::optional<bool> rightMarginPending; // the right margin's new pending flag, where it changes
    std::optional<FormNotice> notice;       // to show; the box already holds its corrected value
};

// The corrections of a number box whose text changed. Changes the dialog makes while it fills
// or reads its boxes (userChange false) are not acted on; range corrections apply only while
// the box has the keyboard focus.
BoxCorrection correctFormBox(const FormDialogTable& table, const FormBoxRow& box, std::string_view text,
                             bool hasFocus, bool userChange, MarginValues margins);

} // namespace kbs
