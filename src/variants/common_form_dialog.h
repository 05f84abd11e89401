#pragma once

#include "model/form_dialog_table.h"

#include <array>
#include <string_view>

// Form dialog rows and texts that several programs share.
namespace kbs::common_form_dialog {

inline constexpr std::string_view kFeedUnit = "/120インチ";
inline constexpr std::string_view kFeedGroupLabel = "吸入位置";

// The ten slider stops, in 1/120 inch, of the printers with fine feed positions.
inline constexpr std::array<int, 10> kTenStops = {0, 15, 18, 20, 28, 30, 40, 46, 60, 120};
inline constexpr std::array<int, 10> kTenStopsPostcard = {0, 15, 18, 20, 28, 30, 40, 54, 60, 120};

// Their scale: inch fractions under the stops 0, 15, 20, 30, 40, 60, 120, millimetres under 18, 28
// and 46 (はがき: 54).
inline constexpr std::array<SliderScaleMark, 7> kTenStopInches = {{
    {0, "0"},
    {1, "1/8"},
    {3, "1/6"},
    {5, "1/4"},
    {6, "1/3"},
    {8, "1/2"},
    {9, "1", "インチ"},
}};
inline constexpr std::array<SliderScaleMark, 3> kTenStopMillimetres = {{
    {2, "3.8"},
    {4, "6.03"},
    {7, "9.7", "mm"},
}};
inline constexpr std::array<SliderScaleMark, 3> kTenStopMillimetresPostcard = {{
    {2, "3.8"},
    {4, "6.03"},
    {7, "11.5", "mm"},
}};
inline constexpr std::array<SliderScaleLine, 2> kTenStopScale = {kTenStopInches, kTenStopMillimetres};
inline constexpr std::array<SliderScaleLine, 2> kTenStopScalePostcard = {kTenStopInches,
                                                                         kTenStopMillimetresPostcard};

// The forms and the block fields of their images; a program offers a run of them.
inline constexpr std::array<FormImageEntry, 5> kFormImages = {{
    {"書式０", "form0"},
    {"書式１", "form1"},
    {"書式２", "form2"},
    {"書式３", "form3"},
    {"書式４", "form4"},
}};

// A feed box of the printers with fine feed positions, and their はがき box.
constexpr FormBoxRow tenStopFeedRow(std::string_view field, std::string_view label, FormRange range)
{
    return {FormBoxKind::Feed, field, label, kFeedUnit, range, 0, kTenStops, kTenStopScale};
}

constexpr FormBoxRow tenStopPostcardRow(FormRange range)
{
    // clang-format off
    return {FormBoxKind::Feed, "feedPostcard", "はがき(&P)", kFeedUnit, range, 0, kTenStopsPostcard,
            kTenStopScalePostcard};
    // clang-format on
}

inline constexpr FormBoxRow kFormLength{FormBoxKind::Length, "formLength", "用紙長(&N)", "行", {1, 99}};
inline constexpr FormBoxRow kLeftMargin{
    FormBoxKind::LeftMargin, "leftMargin", "レフトマージン幅(&L)", "桁", {0, 135}, 0};
inline constexpr FormBoxRow kRightMargin{
    FormBoxKind::RightMargin, "rightMargin", "ライトマージン幅(&R)", "桁", {1, 136}, 136};
inline constexpr FormBoxRow kAdjCutSheet{
    FormBoxKind::Correction, "adjCutSheet", "カット紙位置補正(&C)", "桁", {0, 68}};

inline constexpr std::string_view kRightAboveLeft =
    "ライトマージン幅はレフトマージン幅より大きくしてください。適正値に変更します。";
inline constexpr std::string_view kMarginPairCaption = "レフトマージン幅／ライトマージン幅";

} // namespace kbs::common_form_dialog
