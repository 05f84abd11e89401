#pragma once

#include "model/code_list.h"
#include "model/form_dialog_table.h"
#include "model/page_id.h"

#include <cstddef>
#include <span>
#include <string_view>

namespace kbs {

enum class ControlKind {
    RadioPair,  // a group box with two radio buttons; its list has two entries
    CheckBox,   // value 0 or 1
    CodeList,   // a fixed drop-down list with its label
    NumberBox,  // digits only, with an up-down control, its label and unit
    PushButton, // runs a page action, owns no field
    FeedRow,    // slider, number box and stop table of the form dialog
};

// Where a control sits on its page: in the left or right column, or across both.
enum class Placement { Left, Right, Full };

// How a list's code sits in its field.
enum class CodeCodec {
    Chars,            // the field's bytes as they stand
    SecondCharOnly,   // only the second character is read; the code written has '0' first
    SignedHexInRange, // '0' or 'F' forms outside the list's steps read as step 0
    SignedHexAnyChar, // '0' and the digit, 'F' and its code - 71, whatever the character
};

// Values a number box leaves as typed because one more digit may bring them into range.
struct ValueSpan {
    int first;
    int last;
};

// A number box: up-down range, type-ahead and what a load does with a bad value.
struct NumberBoxSpec {
    int min;
    int max;
    std::size_t maxTypedLength;                 // longer text is replaced by its plain value
    std::span<const ValueSpan> pending{};       // typed values left pending; others are corrected
    bool checkRangeOnStore = false;             // the store refuses values outside min..max
    LoadMiss loadMiss = LoadMiss::LeaveAsItWas; // non-digits or a value outside min..max
    int substitute = 0;                         // for LoadMiss::Substitute
};

// One control of a page built from a table.
struct ControlRow {
    ControlKind kind;
    std::string_view name;    // object name, e.g. "centerCutSheet"
    std::string_view label;   // "\n" breaks lines; a radio pair's group caption
    std::string_view group{}; // the group box the control sits in; empty for none
    Placement placement = Placement::Full;
    std::string_view field{};  // the block field; empty for none
    std::size_t firstChar = 0; // characters of the field before it are neither read nor written
    CodeCodec codec = CodeCodec::Chars;
    // Feed rows: the feed value of each slider position, and the scale under the slider.
    std::span<const int> stops{};
    std::span<const SliderScaleLine> scale{};
    const CodeList* list = nullptr;        // lists and radio pairs
    const NumberBoxSpec* number = nullptr; // number boxes
    std::string_view unit{};               // behind a number box, e.g. "桁"
    std::string_view note{};               // beside the control, e.g. "（P62DWのみ）"
    bool visible = true; // a hidden control is never drawn but still loads and stores its field
};

// A notice about number boxes left pending, and the boxes it corrects to their minimum.
struct PendingNotice {
    std::span<const std::string_view> boxes; // control names, corrected in this order
    std::string_view text;
    std::string_view caption;
};

// The button that opens the form settings dialog on the form its list shows. The page that
// carries it also holds the images of the dialog's forms.
struct FormButton {
    std::string_view list;          // the form list's control name
    std::string_view button;        // the button's control name
    std::string_view captionFormat; // the button's caption, "%s" standing for the list's text
};

// A page built from control rows. Only the first notice with a pending box is shown.
struct ControlPageTable {
    PageId page;
    std::span<const ControlRow> rows;
    std::span<const PendingNotice> pendingNotices{};
    const FormButton* formButton = nullptr;
};

} // namespace kbs
