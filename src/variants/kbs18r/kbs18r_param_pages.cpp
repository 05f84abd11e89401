#include "variants/common_param_lists.h"
#include "variants/kbs18r/kbs18r_tables.h"

#include <array>

namespace kbs::kbs18r {

namespace {
using namespace common_param_lists;
using enum ControlKind;
using enum Placement;
using enum LoadMiss;
using enum StoreMiss;

// Unlisted codes load as a fixed entry, which the next store writes in proper form.
constexpr kbs::CodeList kFontList{.entries = kFonts,
                                  .loadMiss = Substitute,
                                  .substitute = "標準",
                                  .storeMiss = FallbackCode,
                                  .fallbackCode = "0"};
constexpr kbs::CodeList kKanjiList{.entries = kKanjiTables,
                                   .loadMiss = Substitute,
                                   .substitute = "JIS1978年版",
                                   .storeMiss = FallbackCode,
                                   .fallbackCode = "0"};
constexpr kbs::CodeList kRetryList{.entries = kRetryTimes,
                                   .loadMiss = Substitute,
                                   .substitute = "１０秒",
                                   .storeMiss = FallbackCode,
                                   .fallbackCode = "02"};
constexpr kbs::CodeList kAutoReturnList{.entries = kAutoReturnTimes,
                                        .loadMiss = Substitute,
                                        .substitute = "１５秒",
                                        .storeMiss = FallbackCode,
                                        .fallbackCode = "15"};
constexpr kbs::CodeList kPostcardList{
    .entries = kPostcardModes, .loadMiss = Substitute, .substitute = "OFF(&N)", .storeMiss = LeaveField};

constexpr NumberBoxSpec kCenterBox = centeringBox(Substitute, 40);
// The rear tractor, 68 to 126: 1 and 6 to 67 are left pending, 0 and 2 to 5 become 68.
constexpr std::array kRearPending = {ValueSpan{1, 1}, ValueSpan{6, 67}};
constexpr NumberBoxSpec kRearBox{.min = 68,
                                 .max = 126,
                                 .maxTypedLength = 4,
                                 .pending = kRearPending,
                                 .loadMiss = Substitute,
                                 .substitute = 96};
constexpr NumberBoxSpec kFeedBox = feedTimeBox(Substitute, 2);

// clang-format off
constexpr std::array kParamRows = {
    centeringRow("centerCutSheet", "カット紙(&C)", kCenterBox),
    centeringRow("centerFrontTractor", "フロントトラクタ(&T)", kCenterBox),
    centeringRow("centerRearTractor", "リアトラクタ(&R)", kRearBox),
    kanjiTableRow(kKanjiList, Left),
    font1Row(kFontList, Left),
    font2Row(kFontList, Left),
    ControlRow{.kind = CodeList, .name = "thicknessRetryTime", .label = "自動用紙厚調整\n再実行時間時間(&A)", .placement = Left,
               .field = "thicknessRetryTime", .list = &kRetryList},
    ControlRow{.kind = CodeList, .name = "autoReturnTime", .label = "カット位置からの\n自動戻り時間(&P)", .placement = Right,
               .field = "autoReturnTime", .list = &kAutoReturnList},
    postcardModeRow(kPostcardList),
    ControlRow{.kind = NumberBox, .name = "sheetGuideFeedTime", .label = "シートガイドからの\n用紙吸入時間(&J)", .placement = Right,
               .field = "sheetGuideFeedTime", .firstChar = 1, .number = &kFeedBox, .unit = "秒"},
    // '0' and 'F' forms outside -5..+5 read as 0 through the codec; other forms leave the list.
    ControlRow{.kind = CodeList, .name = "lfPitchSheetGuide", .label = "シートガイド(&G)", .group = kLfGroup, .placement = Right,
               .field = "lfPitchSheetGuide", .codec = CodeCodec::SignedHexInRange, .list = &kLfPitchList},
    ControlRow{.kind = CodeList, .name = "lfPitchSheetFeeder", .label = "シートフィーダ(&S)", .group = kLfGroup, .placement = Right,
               .field = "lfPitchSheetFeeder", .codec = CodeCodec::SignedHexInRange, .list = &kLfPitchList},
    ControlRow{.kind = CodeList, .name = "lfPitchFrontTractor", .label = "フロントトラクタ(&D)", .group = kLfGroup, .placement = Right,
               .field = "lfPitchFrontTractor", .codec = CodeCodec::SignedHexInRange, .list = &kLfPitchList},
    ControlRow{.kind = CodeList, .name = "lfPitchRearTractor", .label = "リアトラクタ(&B)", .group = kLfGroup, .placement = Right,
               .field = "lfPitchRearTractor", .codec = CodeCodec::SignedHexInRange, .list = &kLfPitchList},
};
// clang-format on

constexpr std::array kNotices = {
    PendingNotice{kCenteringBoxes, kCenteringNoticeText, kCenteringNoticeCaption}};

constexpr std::array kControlPages = {ControlPageTable{PageId::Param, kParamRows, kNotices}};
} // namespace

std::span<const ControlPageTable> controlPages()
{
    return kControlPages;
}

} // namespace kbs::kbs18r
