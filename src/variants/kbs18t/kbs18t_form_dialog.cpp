#include "variants/kbs18t/kbs18t_form_dialog.h"

#include "variants/common_form_dialog.h"

#include <array>

namespace kbs::kbs18t {

namespace {
using namespace common_form_dialog;
using enum FormBoxKind;

constexpr std::array<FormImageEntry, 3> kForms = {{
    {"書式１", "form1"},
    {"書式２", "form2"},
    {"書式３", "form3"},
}};

constexpr FormRange kFeedRange{0, 130};

constexpr FormBoxRow feedRow(std::string_view field, std::string_view label)
{
    return {Feed, field, label, kFeedUnit, kFeedRange, 0, kTenStops, kTenStopScale};
}

// kind, field, label, unit, range; feeds: stops and scale. feedReserved has no box.
constexpr std::array kBoxes = {
    kFormLength,
    kLeftMargin,
    kRightMargin,
    feedRow("feedContinuous", "連続紙(&F)"),
    feedRow("feedCutSheet", "カット紙(&S)"),
    FormBoxRow{Feed, "feedPostcard", "はがき(&P)", kFeedUnit, kFeedRange, 0, kTenStopsPostcard,
               kTenStopScalePostcard},
    kAdjCutSheet,
};
} // namespace

const FormDialogTable& formDialog()
{
    static const FormDialogTable table{
        .titlePrefix = "書式の設定：",
        .feedGroupLabel = kFeedGroupLabel,
        .forms = kForms,
        .boxes = kBoxes,
        .marginOrderAtOk = {kRightAboveLeft, "－レフトマージン幅／ライトマージン幅", true},
        .leftNotBelowRight = {},
        .rightPendingAtOk = {},
    };
    return table;
}

} // namespace kbs::kbs18t
