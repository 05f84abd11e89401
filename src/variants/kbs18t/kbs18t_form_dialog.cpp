#include "variants/kbs18t/kbs18t_form_dialog.h"

#include "variants/common_form_dialog.h"

#include <array>
#include <span>

namespace kbs::kbs18t {

namespace {
using namespace common_form_dialog;

// 書式１ to 書式３.
constexpr auto kForms = std::span(kFormImages).subspan<1, 3>();

constexpr FormRange kFeedRange{0, 130};

// kind, field, label, unit, range; feeds: stops and scale. feedReserved has no box.
constexpr std::array kBoxes = {
    kFormLength,
    kLeftMargin,
    kRightMargin,
    tenStopFeedRow("feedContinuous", "連続紙(&F)", kFeedRange),
    tenStopFeedRow("feedCutSheet", "カット紙(&S)", kFeedRange),
    tenStopPostcardRow(kFeedRange),
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
