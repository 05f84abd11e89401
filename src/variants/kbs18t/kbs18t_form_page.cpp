#include "variants/common_form_dialog.h"
#include "variants/kbs18t/kbs18t_tables.h"

#include <array>

namespace kbs::kbs18t {

namespace {
using namespace common_form_dialog;
using enum ControlKind;
using enum Placement;

// Form 0 is read without a range check; a value no box can show leaves the box as it was.
constexpr NumberBoxSpec kFeedBox{.min = 0, .max = 130, .maxTypedLength = 4, .checkRangeOnStore = true};
constexpr NumberBoxSpec kLengthBox{.min = 1, .max = 99, .maxTypedLength = 3, .checkRangeOnStore = true};
constexpr NumberBoxSpec kCorrectionBox{.min = 0, .max = 68, .maxTypedLength = 3, .checkRangeOnStore = true};

// '0' to '3' in list order; an unlisted code leaves the list as it was, no entry stores '0'.
constexpr std::array kForms = {
    CodeEntry{"選択なし", "0"},
    CodeEntry{"書式１", "1"},
    CodeEntry{"書式２", "2"},
    CodeEntry{"書式３", "3"},
};
constexpr kbs::CodeList kFormList{.entries = kForms,
                                  .loadMiss = LoadMiss::LeaveAsItWas,
                                  .storeMiss = StoreMiss::FallbackCode,
                                  .fallbackCode = "0"};

// clang-format off
constexpr std::array kFormRows = {
    ControlRow{.kind = FeedRow, .name = "feedContinuous", .label = "連続紙(&T)", .group = kFeedGroupLabel,
               .field = "form0.feedContinuous", .stops = kTenStops,
               .scale = kTenStopScale, .number = &kFeedBox, .unit = kFeedUnit},
    ControlRow{.kind = FeedRow, .name = "feedCutSheet", .label = "カット紙(&C)", .group = kFeedGroupLabel,
               .field = "form0.feedCutSheet", .stops = kTenStops,
               .scale = kTenStopScale, .number = &kFeedBox, .unit = kFeedUnit},
    ControlRow{.kind = FeedRow, .name = "feedPostcard", .label = "はがき(&P)", .group = kFeedGroupLabel,
               .field = "form0.feedPostcard", .stops = kTenStopsPostcard,
               .scale = kTenStopScalePostcard, .number = &kFeedBox, .unit = kFeedUnit},
    ControlRow{.kind = NumberBox, .name = "formLength", .label = "用紙長(&N)", .placement = Left,
               .field = "form0.formLength", .number = &kLengthBox, .unit = "行"},
    ControlRow{.kind = NumberBox, .name = "adjCutSheet", .label = "カット紙位置補正(&K)", .placement = Left,
               .field = "form0.adjCutSheet", .number = &kCorrectionBox, .unit = "桁"},
    ControlRow{.kind = CodeList, .name = "formSelect", .label = "書式選択(&S)", .placement = Right,
               .field = "formSelect", .list = &kFormList},
    ControlRow{.kind = PushButton, .name = "formButton", .label = "書式の設定(&D)", .placement = Right},
};
// clang-format on

constexpr FormButton kFormButton{
    .list = "formSelect", .button = "formButton", .captionFormat = "%sの設定(&D)"};
} // namespace

const ControlPageTable& formPage()
{
    static const ControlPageTable table{.page = PageId::Form, .rows = kFormRows, .formButton = &kFormButton};
    return table;
}

} // namespace kbs::kbs18t
