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
constexpr kbs::CodeList kFontList{
    .entries = kFonts, .loadMiss = LeaveAsItWas, .storeMiss = FallbackCode, .fallbackCode = "0"};
constexpr kbs::CodeList kKanjiList{
    .entries = kKanjiTables, .loadMiss = LeaveAsItWas, .storeMiss = FallbackCode, .fallbackCode = "0"};
constexpr kbs::CodeList kRetryList{
    .entries = kRetryTimes, .loadMiss = LeaveAsItWas, .storeMiss = FallbackCode, .fallbackCode = "02"};
constexpr kbs::CodeList kAutoReturnList{
    .entries = kAutoReturnTimes, .loadMiss = LeaveAsItWas, .storeMiss = FallbackCode, .fallbackCode = "08"};
constexpr kbs::CodeList kPostcardList{
    .entries = kPostcardModes, .loadMiss = LeaveAsItWas, .storeMiss = LeaveField};
constexpr std::array kPaperSetPositions = {CodeEntry{"センタ(&S)", "0"}, CodeEntry{"レフト(&L)", "1"}};
constexpr kbs::CodeList kPaperSetPosList{
    .entries = kPaperSetPositions, .loadMiss = LeaveAsItWas, .storeMiss = LeaveField};
constexpr kbs::CodeList kLfPitchList{
    .entries = kLfPitches, .loadMiss = LeaveAsItWas, .storeMiss = FallbackCode, .fallbackCode = "00"};

// Loaded without a range check, but a value no box can show leaves the box as it was.
constexpr NumberBoxSpec kCenterBox = centeringBox(LeaveAsItWas);
constexpr NumberBoxSpec kFeedBox = feedTimeBox(LeaveAsItWas);

constexpr std::string_view kCentering = "用紙吸入時ヘッドセンタリング位置";
constexpr std::string_view kFontGroup = "フォント選択";
constexpr std::string_view kLfGroup = "ＬＦピッチ補正";

// clang-format off
constexpr std::array kParamRows = {
    ControlRow{.kind = NumberBox, .name = "centerCutSheet", .label = "カット紙(&C)", .group = kCentering, .placement = Left,
               .field = "centerCutSheet", .number = &kCenterBox, .unit = "桁"},
    ControlRow{.kind = NumberBox, .name = "centerFrontTractor", .label = "フロントトラクタ(&T)", .group = kCentering, .placement = Left,
               .field = "centerFrontTractor", .number = &kCenterBox, .unit = "桁"},
    ControlRow{.kind = NumberBox, .name = "centerRearTractor", .label = "リアトラクタ(&R)", .group = kCentering, .placement = Left,
               .field = "centerRearTractor", .number = &kCenterBox, .unit = "桁"},
    ControlRow{.kind = CodeList, .name = "kanjiTable", .label = "漢字コード表(&K)", .placement = Left,
               .field = "kanjiTable", .list = &kKanjiList},
    ControlRow{.kind = CodeList, .name = "font1", .label = "フォント１(&1)", .group = kFontGroup, .placement = Right,
               .field = "font1", .list = &kFontList},
    ControlRow{.kind = CodeList, .name = "font2", .label = "フォント２(&2)", .group = kFontGroup, .placement = Right,
               .field = "font2", .list = &kFontList},
    ControlRow{.kind = RadioPair, .name = "paperSetPos", .label = "用紙セット位置", .placement = Right,
               .field = "paperSetPos", .list = &kPaperSetPosList},
    ControlRow{.kind = RadioPair, .name = "postcardMode", .label = "ハガキ印刷モード", .placement = Right,
               .field = "postcardMode", .list = &kPostcardList},
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
               .field = "sheetGuideFeedTime", .number = &kFeedBox, .unit = "秒"},
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
