#include "variants/common_param_lists.h"
#include "variants/kbs18t/kbs18t_tables.h"

#include <array>

namespace kbs::kbs18t {

namespace {
using namespace common_param_lists;
using enum ControlKind;
using enum Placement;
using enum LoadMiss;
using enum StoreMiss;

// This program's own wording and order, with ASCII digits.
constexpr std::array kKanjiTablesYear = {
    CodeEntry{"JIS1978年度版", "0"},
    CodeEntry{"JIS1983年度版", "1"},
    CodeEntry{"JIS1990年度版", "2"},
};
constexpr std::array kAutoReturnTimesAscii = {
    CodeEntry{"8秒", "08"},
    CodeEntry{"15秒", "15"},
    CodeEntry{"自動戻り無し", "00"},
};
// Only the second character is read; the first is always written '0'.
constexpr std::array kRetryTimesAscii = {
    CodeEntry{"0秒", "00"},   CodeEntry{"5秒", "01"},        CodeEntry{"10秒", "02"},
    CodeEntry{"60秒", "03"},  CodeEntry{"180秒", "04"},      CodeEntry{"300秒", "05"},
    CodeEntry{"810秒", "06"}, CodeEntry{"再実行なし", "07"},
};

// An unlisted code leaves the control as it was.
constexpr kbs::CodeList kKanjiList{
    .entries = kKanjiTablesYear, .loadMiss = LeaveAsItWas, .storeMiss = FallbackCode, .fallbackCode = "0"};
constexpr kbs::CodeList kRetryList{
    .entries = kRetryTimesAscii, .loadMiss = LeaveAsItWas, .storeMiss = FallbackCode, .fallbackCode = "07"};
constexpr kbs::CodeList kAutoReturnList{.entries = kAutoReturnTimesAscii,
                                        .loadMiss = LeaveAsItWas,
                                        .storeMiss = FallbackCode,
                                        .fallbackCode = "00"};

// clang-format off
constexpr std::array kParamRows = {
    ControlRow{.kind = NumberBox, .name = "centerCutSheet", .label = "カット紙のセンタリング位置(&C)", .placement = Full,
               .field = "centerCutSheet", .number = &kCenterBoxAsItWas, .unit = "桁"},
    ControlRow{.kind = NumberBox, .name = "centerContinuous", .label = "連続紙のセンタリング位置(&T)", .placement = Full,
               .field = "centerContinuous", .number = &kCenterBoxAsItWas, .unit = "桁"},
    kanjiTableRow(kKanjiList, Full),
    ControlRow{.kind = NumberBox, .name = "sheetGuideFeedTime", .label = "シートガイドからの用紙吸入時間(&J)", .placement = Full,
               .field = "sheetGuideFeedTime", .firstChar = 1, .number = &kFeedBoxAsItWas, .unit = "秒"},
    ControlRow{.kind = CodeList, .name = "autoReturnTime", .label = "カット位置からの自動戻り時間(&P)", .placement = Full,
               .field = "autoReturnTime", .list = &kAutoReturnList},
    font1Row(kFontListAsItWas, Left),
    font2Row(kFontListAsItWas, Left),
    postcardModeRow(kPostcardListAsItWas),
    ControlRow{.kind = CodeList, .name = "thicknessRetryTime", .label = "自動用紙厚調整再実行時間(&A)", .placement = Full,
               .field = "thicknessRetryTime", .codec = CodeCodec::SecondCharOnly, .list = &kRetryList},
};
// clang-format on

// One notice per box, the first pending box only; both carry the cut-sheet caption.
constexpr std::string_view kNoticeCaption = "パラメータ設定－カット紙のセンタリング位置";
constexpr std::array<std::string_view, 1> kCutSheetBox = {"centerCutSheet"};
constexpr std::array<std::string_view, 1> kContinuousBox = {"centerContinuous"};
constexpr std::array kNotices = {
    PendingNotice{kCutSheetBox,
                  "カット紙のセンタリング位置の値が設定範囲を超えています。\n適正値に変更します。",
                  kNoticeCaption},
    PendingNotice{kContinuousBox,
                  "連続紙のセンタリング位置の値が設定範囲を超えています。\n適正値に変更します。",
                  kNoticeCaption},
};

} // namespace

std::span<const ControlPageTable> controlPages()
{
    static const std::array tables = {ControlPageTable{PageId::Param, kParamRows, kNotices}, formPage()};
    return tables;
}

} // namespace kbs::kbs18t
