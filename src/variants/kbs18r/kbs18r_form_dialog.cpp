#include "variants/kbs18r/kbs18r_form_dialog.h"

#include "variants/common_form_dialog.h"

#include <array>

namespace kbs::kbs18r {

namespace {
using namespace common_form_dialog;
using enum FormBoxKind;

constexpr FormRange kFeedRange{0, 170};

// kind, field, label, unit, range; feeds: stops and scale
constexpr std::array kBoxes = {
    kFormLength,
    kLeftMargin,
    kRightMargin,
    tenStopFeedRow("feedFrontTractor", "フロントトラクタ(&F)", kFeedRange),
    tenStopFeedRow("feedRearTractor", "リアトラクタ(&B)", kFeedRange),
    tenStopFeedRow("feedSheetGuide", "シートガイド(&G)", kFeedRange),
    tenStopFeedRow("feedSheetFeeder", "シートフィーダ(&S)", kFeedRange),
    tenStopPostcardRow(kFeedRange),
    FormBoxRow{Correction, "adjFrontTractor", "フロントトラクタ位置補正(&T)", "桁", {0, 68}},
    kAdjCutSheet,
};
} // namespace

const FormDialogTable& formDialog()
{
    static const FormDialogTable table{
        .titlePrefix = "書式の設定： ",
        .feedGroupLabel = kFeedGroupLabel,
        .forms = kFormImages,
        .boxes = kBoxes,
        .marginOrderAtOk = {kRightAboveLeft, kMarginPairCaption},
        .leftNotBelowRight = {},
        .rightPendingAtOk = {},
    };
    return table;
}

} // namespace kbs::kbs18r
