#include "variants/kbs62d/kbs62d_form_dialog.h"

#include "variants/common_form_dialog.h"

#include <array>
#include <span>

namespace kbs::kbs62d {

namespace {
using namespace common_form_dialog;
using enum FormBoxKind;

// 書式０ to 書式３.
constexpr auto kForms = std::span(kFormImages).first<4>();

constexpr FormRange kFeedRange{40, 132};

constexpr std::array<int, 3> kStops = {46, 60, 120};
constexpr std::array<int, 3> kStopsPostcard = {54, 60, 120};

constexpr std::array<SliderScaleMark, 3> kScaleMarks = {{{0, "9.7", "mm"}, {1, "1/2"}, {2, "1", "インチ"}}};
constexpr std::array<SliderScaleMark, 3> kScaleMarksPostcard = {
    {{0, "11.5", "mm"}, {1, "1/2"}, {2, "1", "インチ"}}};
constexpr std::array<SliderScaleLine, 1> kScale = {kScaleMarks};
constexpr std::array<SliderScaleLine, 1> kScalePostcard = {kScaleMarksPostcard};

// Typed values that cannot grow into the range become its minimum at once.
constexpr std::array kRaisedAtOnce = {0, 2, 3};
constexpr std::array kRaisedAtOncePostcard = {0, 2, 3, 4};

constexpr FormBoxRow feedRow(std::string_view field, std::string_view label, std::string_view notice,
                             std::string_view caption)
{
    return {Feed, field, label, kFeedUnit, kFeedRange, 0, kStops, kScale, kRaisedAtOnce, {notice, caption}};
}

// kind, field, label, unit, range; feeds: stops, scale, values raised at once, notice on OK
constexpr std::array kBoxes = {
    kFormLength,
    kLeftMargin,
    kRightMargin,
    feedRow("feedFrontTractor", "フロントトラクタ(&F)",
            "フロントトラクタの吸入位置の値が下限を超えています。\n設定値を変更します。",
            "フロントトラクタ吸入位置"),
    feedRow("feedRearTractor", "リアトラクタ(&B)",
            "リアトラクタの吸入位置の値が下限を超えています。\n設定値を変更します。", "リアトラクタ吸入位置"),
    feedRow("feedSheetGuide", "シートガイド(&G)",
            "シートガイドの吸入位置の値が下限を超えています。\n設定値を変更します。", "シートガイド吸入位置"),
    feedRow("feedSheetFeeder", "シートフィーダ(&S)",
            "シートフィーダの吸入位置の値が下限を超えています。\n設定値を変更します。",
            "シートフィーダ吸入位置"),
    FormBoxRow{Feed,
               "feedPostcard",
               "はがき(&P)",
               kFeedUnit,
               kFeedRange,
               0,
               kStopsPostcard,
               kScalePostcard,
               kRaisedAtOncePostcard,
               {"はがきの吸入位置の値が下限を超えています。\n設定値を変更します。", "はがき吸入位置"}},
};
} // namespace

const FormDialogTable& formDialog()
{
    static const FormDialogTable table{
        .titlePrefix = "書式の設定： ",
        .feedGroupLabel = kFeedGroupLabel,
        .forms = kForms,
        .boxes = kBoxes,
        .marginOrderAtOk = {},
        .leftNotBelowRight =
            {"レフトマージン幅はライトマージン幅より小さくしてください。適正値に変更します。",
             "レフトマージン幅"},
        .rightPendingAtOk = {kRightAboveLeft, "ライトマージン幅"},
    };
    return table;
}

} // namespace kbs::kbs62d
