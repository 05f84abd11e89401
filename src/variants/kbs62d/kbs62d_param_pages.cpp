#include "variants/common_param_lists.h"
#include "variants/kbs62d/kbs62d_tables.h"

#include <array>

namespace kbs::kbs62d {

namespace {
using namespace common_param_lists;
using enum ControlKind;
using enum Placement;
using enum LoadMiss;
using enum StoreMiss;

// An unlisted code leaves the control as it was.
constexpr kbs::CodeList kKanjiList{
    .entries = kKanjiTables, .loadMiss = LeaveAsItWas, .storeMiss = FallbackCode, .fallbackCode = "0"};
constexpr kbs::CodeList kRetryList{
    .entries = kRetryTimes, .loadMiss = LeaveAsItWas, .storeMiss = FallbackCode, .fallbackCode = "02"};
constexpr kbs::CodeList kAutoReturnList{
    .entries = kAutoReturnTimes, .loadMiss = LeaveAsItWas, .storeMiss = FallbackCode, .fallbackCode = "08"};
constexpr std::array kPaperSetPositions = {CodeEntry{"センタ(&S)", "0"}, CodeEntry{"レフト(&L)", "1"}};
constexpr kbs::CodeList kPaperSetPosList{
    .entries = kPaperSetPositions, .loadMiss = LeaveAsItWas, .storeMiss = LeaveField};

// clang-format off
constexpr std::array kParamRows = {
    centeringRow("centerCutSheet", "カット紙(&C)", kCenterBoxAsItWas),
    centeringRow("centerFrontTractor", "フロントトラクタ(&T)", kCenterBoxAsItWas),
    centeringRow("centerRearTractor", "リアトラクタ(&R)", kCenterBoxAsItWas),
    kanjiTableRow(kKanjiList, Left),
    font1Row(kFontListAsItWas, Right),
    font2Row(kFontListAsItWas, Right),
    ControlRow{.kind = RadioPair, .name = "paperSetPos", .label = "用紙セット位置", .placement = Right,
               .field = "paperSetPos", .list = &kPaperSetPosList},
    postcardModeRow(kPostcardListAsItWas),
};

constexpr std::array kParam2Rows = {
    ControlRow{.kind = CodeList, .name = "lfPitchSheetGuide", .label = "シートガイド(&G)", .group = kLfGroup, .placement = Left,
               .field = "lfPitchSheetGuide", .codec = CodeCodec::SignedHexAnyChar, .list = &kLfPitchList},
    ControlRow{.kind = CodeList, .name = "lfPitchSheetFeeder", .label = "シートフィーダ(&S)", .group = kLfGroup, .placement = Left,
               .field = "lfPitchSheetFeeder", .codec = CodeCodec::SignedHexAnyChar, .list = &kLfPitchList},
    ControlRow{.kind = CodeList, .name = "lfPitchFrontTractor", .label = "フロントトラクタ(&F)", .group = kLfGroup, .placement = Left,
               .field = "lfPitchFrontTractor", .codec = CodeCodec::SignedHexAnyChar, .list = &kLfPitchList},
    ControlRow{.kind = CodeList, .name = "lfPitchRearTractor", .label = "リアトラクタ(&R)", .group = kLfGroup, .placement = Left,
               .field = "lfPitchRearTractor", .codec = CodeCodec::SignedHexAnyChar, .list = &kLfPitchList},
    ControlRow{.kind = CodeList, .name = "thicknessRetryTime", .label = "自動用紙厚調整再実行時間(&A)", .placement = Full,
               .field = "thicknessRetryTime", .list = &kRetryList, .note = "（P62DWのみ）"},
    ControlRow{.kind = CodeList, .name = "autoReturnTime", .label = "連続紙カット位置からの自動戻り時間(&P)", .placement = Full,
               .field = "autoReturnTime", .list = &kAutoReturnList},
    ControlRow{.kind = NumberBox, .name = "sheetGuideFeedTime", .label = "シートガイドからの用紙吸入時間(&J)", .placement = Full,
               .field = "sheetGuideFeedTime", .number = &kFeedBoxAsItWas, .unit = "秒"},
};
// clang-format on

constexpr std::array kNotices = {
    PendingNotice{kCenteringBoxes, kCenteringNoticeText, kCenteringNoticeCaption}};

constexpr std::array kControlPages = {ControlPageTable{PageId::Param, kParamRows, kNotices},
                                      ControlPageTable{PageId::Param2, kParam2Rows}};
} // namespace

std::span<const ControlPageTable> controlPages()
{
    return kControlPages;
}

} // namespace kbs::kbs62d
