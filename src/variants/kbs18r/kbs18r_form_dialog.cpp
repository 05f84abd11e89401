#include "variants/kbs18r/kbs18r_form_dialog.h"

#include "variants/common_form_dialog.h"

#include <array>

namespace kbs::kbs18r {

namespace {
using namespace common_form_dialog;
using enum FormBoxKind;

constexpr std::array<FormImageEntry, 5> kForms = {{
    {"書式０", "form0"},
    {"書式１", "form1"},
    {"書式２", "form2"},
    {"書式３", "form3"},
    {"書式４", "form4"},
}};

constexpr FormRange kFeedRange{0, 170};

constexpr FormBoxRow feedRow(std::string_view field, std::string_view label)
{
    return {Feed, field, label, kFeedUnit, kFeedRange, 0, kTenStops, kTenStopScale};
}

// kind, field, label, unit, range; feeds: stops and scale
constexpr std::array kBoxes = {
    kFormLength,
    kLeftMargin,
    kRightMargin,
    feedRow("feedFrontTractor", "フロントトラクタ(&F)"),
    feedRow("feedRearTractor", "リアトラクタ(&B)"),
    feedRow("feedSheetGuide", "シートガイド(&G)"),
    feedRow("feedSheetFeeder", "シートフィーダ(&S)"),
    FormBoxRow{Feed, "feedPostcard", "はがき(&P)", kFeedUnit, kFeedRange, 0, kTenStopsPostcard,
               kTenStopScalePostcard},
    FormBoxRow{Correction, "adjFrontTractor", "フロントトラクタ位置補正(&T)", "桁", {0, 68}},
    kAdjCutSheet,
};
} // namespace

const FormDialogTable& formDialog()
{
    static const FormDialogTable table{
        .titlePrefix = "書式の設定： ",
        .feedGroupLabel = kFeedGroupLabel,
        .forms = kForms,
        .boxes = kBoxes,
        .marginOrderAtOk = {kRightAboveLeft, kMarginPairCaption},
        .leftNotBelowRight = {},
        .rightPendingAtOk = {},
    };
    return table;
}

} // namespace kbs::kbs18r
