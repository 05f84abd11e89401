#pragma once

#include "model/code_list.h"
#include "model/control_table.h"

#include <array>
#include <span>
#include <string_view>

// The entries of the function selection page's lists and radio pairs as the programs share them;
// each program adds its own rules for codes a list does not know.
namespace kbs::common_select_lists {

// "オート" and 1 to 12; kbs62d offers the first six.
inline constexpr std::array kPaperThickness = {
    CodeEntry{"オート", "00"}, CodeEntry{"1", "01"}, CodeEntry{"2", "02"},  CodeEntry{"3", "03"},
    CodeEntry{"4", "04"},      CodeEntry{"5", "05"}, CodeEntry{"6", "06"},  CodeEntry{"7", "07"},
    CodeEntry{"8", "08"},      CodeEntry{"9", "09"}, CodeEntry{"10", "10"}, CodeEntry{"11", "11"},
    CodeEntry{"12", "12"},
};

// Signed hex steps -6 to +3 of the print pressure.
inline constexpr std::array kPrintPressures = {
    CodeEntry{"-6", "FA"}, CodeEntry{"-5", "FB"}, CodeEntry{"-4", "FC"}, CodeEntry{"-3", "FD"},
    CodeEntry{"-2", "FE"}, CodeEntry{"-1", "FF"}, CodeEntry{"0", "00"},  CodeEntry{"+1", "01"},
    CodeEntry{"+2", "02"}, CodeEntry{"+3", "03"},
};

inline constexpr std::array kReducePrints = {
    CodeEntry{"縮小なし", "0"},
    CodeEntry{"２／３縮小", "1"},
    CodeEntry{"４／５縮小", "5"},
};

inline constexpr std::array kTypefaces = {
    CodeEntry{"明朝体(&R)", "0"},
    CodeEntry{"ゴシック体(&G)", "1"},
};

// The forms of the form list; kbs62d offers the first four.
inline constexpr std::array kForms = {
    CodeEntry{"書式０", "0"}, CodeEntry{"書式１", "1"}, CodeEntry{"書式２", "2"},
    CodeEntry{"書式３", "3"}, CodeEntry{"書式４", "4"},
};

// A radio pair whose code is taken as the digit's value unchecked: a code other than '0' and '1'
// checks neither button, and the field keeps that code.
constexpr CodeList uncheckedPair(std::span<const CodeEntry> entries)
{
    return {.entries = entries, .loadMiss = LoadMiss::ShowNone, .storeMiss = StoreMiss::LeaveField};
}

inline constexpr std::string_view kTypefaceGroup = "書体選択";
inline constexpr std::string_view kFormGroup = "書式選択(&S)";
inline constexpr std::string_view kFormButtonLabel = "書式の設定(&D)...";

// Rows as the programs share them, but for the list behind them.
// clang-format off
constexpr ControlRow typefaceRow(const CodeList& typefaces)
{
    return {.kind = ControlKind::RadioPair, .name = "typeface", .label = kTypefaceGroup, .placement = Placement::Left,
            .field = "typeface", .list = &typefaces};
}

constexpr ControlRow formSelectRow(const CodeList& forms)
{
    return {.kind = ControlKind::CodeList, .name = "formSelect", .label = "", .group = kFormGroup, .placement = Placement::Right,
            .field = "formSelect", .list = &forms};
}

inline constexpr ControlRow kFormSettingsRow{.kind = ControlKind::PushButton, .name = "formSettings", .label = kFormButtonLabel,
                                             .group = kFormGroup, .placement = Placement::Right};
// clang-format on

} // namespace kbs::common_select_lists
