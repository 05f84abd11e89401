#pragma once

#include <span>
#include <string_view>

namespace kbs {

// What each number box of the form dialog edits; the kind decides its correction rules.
enum class FormBoxKind { Length, LeftMargin, RightMargin, Feed, Correction };

struct FormRange {
    int min;
    int max;
};

// A message box the form dialog may show (MB_OK, exclamation icon). Absent when text is empty.
struct FormNoticeText {
    std::string_view text;
    std::string_view caption;
    bool captionAfterFormName = false; // the caption is the form's name followed by `caption`
};

// One scale label under a feed slider, standing under slider `position`; `unitAfter`
// ("インチ", "mm") follows the label when set.
struct SliderScaleMark {
    int position;
    std::string_view text;
    std::string_view unitAfter{};
};

// The scale under one slider, one line of marks after the other.
using SliderScaleLine = std::span<const SliderScaleMark>;

// One number box of the dialog. Feed boxes also carry their slider.
struct FormBoxRow {
    FormBoxKind kind;
    std::string_view field; // name inside the form image layout
    std::string_view label;
    std::string_view unit;
    FormRange range; // the up-down range; also checked when OK takes the values
    // The value shown when the form's image has no such field (the margins of form 0).
    int valueWithoutField = 0;

    // Feed boxes only.
    std::span<const int> stops{}; // the feed value of each slider position
    std::span<const SliderScaleLine> scale{};
    std::span<const int> raisedToMinimumAtOnce{}; // typed values that become range.min at once
    // When set, other values below range.min are left while typing and reported by OK;
    // without it they become range.min while typing.
    FormNoticeText belowMinimumAtOk{};
};

// A form the dialog edits: its list text and the block field holding its image.
struct FormImageEntry {
    std::string_view formName;
    std::string_view blockField;
};

// Everything in which the form settings dialog differs between the programs.
struct FormDialogTable {
    std::string_view titlePrefix;    // the form's name follows directly
    std::string_view feedGroupLabel; // the group around the feed rows
    std::span<const FormImageEntry> forms;
    std::span<const FormBoxRow> boxes; // in the dialog's order, which OK checks them in
    FormNoticeText marginOrderAtOk;    // OK with left >= right: right := left + 1
    FormNoticeText leftNotBelowRight;  // typed left not below right: left := right - 1
    // A typed right margin not above the left one is left pending and reported by OK.
    FormNoticeText rightPendingAtOk;
};

} // namespace kbs
