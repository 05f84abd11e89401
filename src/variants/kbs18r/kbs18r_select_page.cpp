#include "variants/common_select_lists.h"
#include "variants/kbs18r/kbs18r_tables.h"

#include <array>

namespace kbs::kbs18r {

namespace {
using namespace common_select_lists;
using enum ControlKind;
using enum Placement;
using enum LoadMiss;
using enum StoreMiss;

constexpr std::array kAutoPosAdjusts = {
    CodeEntry{"0", "00"},  CodeEntry{"1", "01"},  CodeEntry{"2", "02"},  CodeEntry{"3", "03"},
    CodeEntry{"4", "04"},  CodeEntry{"5", "05"},  CodeEntry{"6", "06"},  CodeEntry{"7", "07"},
    CodeEntry{"8", "08"},  CodeEntry{"9", "09"},  CodeEntry{"10", "10"}, CodeEntry{"11", "11"},
    CodeEntry{"12", "12"}, CodeEntry{"13", "13"}, CodeEntry{"14", "14"}, CodeEntry{"15", "15"},
    CodeEntry{"16", "16"}, CodeEntry{"17", "17"}, CodeEntry{"18", "18"}, CodeEntry{"19", "19"},
    CodeEntry{"20", "20"}, CodeEntry{"21", "21"}, CodeEntry{"22", "22"}, CodeEntry{"23", "23"},
    CodeEntry{"24", "24"},
};
constexpr std::array kPrintPositions = {
    CodeEntry{"-1.3", "FD"}, CodeEntry{"-0.8", "FE"}, CodeEntry{"-0.4", "FF"}, CodeEntry{"0", "00"},
    CodeEntry{"+0.4", "01"}, CodeEntry{"+0.8", "02"}, CodeEntry{"+1.3", "03"},
};
constexpr std::array kCopyStrengths = {
    CodeEntry{"標準", "0"},
    CodeEntry{"厚紙", "1"},
    CodeEntry{"複写", "2"},
};
constexpr std::array kSheetGuideSetPositions = {
    CodeEntry{"左端(&L)", "0"},
    CodeEntry{"自動(&E)", "1"},
};

// Unlisted codes load as a fixed entry, which the next store writes in proper form.
constexpr kbs::CodeList kAutoPosAdjustList{.entries = kAutoPosAdjusts,
                                           .loadMiss = Substitute,
                                           .substitute = "0",
                                           .storeMiss = FallbackCode,
                                           .fallbackCode = "00"};
constexpr kbs::CodeList kPaperThicknessList{.entries = kPaperThickness,
                                            .loadMiss = Substitute,
                                            .substitute = "オート",
                                            .storeMiss = FallbackCode,
                                            .fallbackCode = "00"};
// '0' and 'F' forms outside the steps read as 0 through the codec; other forms leave the list.
constexpr kbs::CodeList kPrintPressureList{
    .entries = kPrintPressures, .loadMiss = LeaveAsItWas, .storeMiss = FallbackCode, .fallbackCode = "00"};
constexpr kbs::CodeList kPrintPositionList{
    .entries = kPrintPositions, .loadMiss = LeaveAsItWas, .storeMiss = LeaveField};
constexpr kbs::CodeList kReducePrintList{
    .entries = kReducePrints, .loadMiss = Substitute, .substitute = "縮小なし", .storeMiss = LeaveField};
constexpr kbs::CodeList kSheetGuideSetPosList{.entries = kSheetGuideSetPositions,
                                              .loadMiss = Substitute,
                                              .substitute = "左端(&L)",
                                              .storeMiss = LeaveField};
constexpr kbs::CodeList kTypefaceList{
    .entries = kTypefaces, .loadMiss = Substitute, .substitute = "明朝体(&R)", .storeMiss = LeaveField};
constexpr kbs::CodeList kCopyStrengthList{.entries = kCopyStrengths,
                                          .loadMiss = Substitute,
                                          .substitute = "標準",
                                          .storeMiss = FallbackCode,
                                          .fallbackCode = "0"};
constexpr kbs::CodeList kFormList{.entries = kForms,
                                  .loadMiss = Substitute,
                                  .substitute = "書式０",
                                  .storeMiss = FallbackCode,
                                  .fallbackCode = "0"};

// clang-format off
constexpr std::array kSelectRows = {
    ControlRow{.kind = CodeList, .name = "autoPosAdjust", .label = "自動位置補正の調整(&J)", .placement = Full,
               .field = "autoPosAdjust", .list = &kAutoPosAdjustList},
    ControlRow{.kind = CodeList, .name = "paperThickness", .label = "用紙厚調整の設定(&A)", .placement = Full,
               .field = "paperThickness", .list = &kPaperThicknessList},
    ControlRow{.kind = CodeList, .name = "printPressure", .label = "印刷圧微調整(&B)", .placement = Full,
               .field = "printPressure", .codec = CodeCodec::SignedHexInRange, .list = &kPrintPressureList},
    ControlRow{.kind = CodeList, .name = "printPosAdjust", .label = "印刷位置の微調整(&K)", .placement = Full,
               .field = "printPosAdjust", .codec = CodeCodec::SignedHexInRange, .list = &kPrintPositionList, .unit = "mm"},
    ControlRow{.kind = CodeList, .name = "reducePrint", .label = "縮小印刷(&P)", .placement = Full,
               .field = "reducePrint", .list = &kReducePrintList},
    ControlRow{.kind = CodeList, .name = "copyStrength", .label = "複写力選択(&C)", .placement = Full,
               .field = "copyStrength", .list = &kCopyStrengthList},
    ControlRow{.kind = RadioPair, .name = "sheetGuideSetPos", .label = "シートガイド用紙セット位置", .placement = Left,
               .field = "sheetGuideSetPos", .list = &kSheetGuideSetPosList},
    typefaceRow(kTypefaceList),
    formSelectRow(kFormList),
    kFormSettingsRow,
};
// clang-format on

constexpr FormButton kFormButton{"formSelect", "formSettings", "%sの設定(&D)..."};
} // namespace

const ControlPageTable& selectPage()
{
    static const ControlPageTable table{PageId::Select, kSelectRows, {}, &kFormButton};
    return table;
}

} // namespace kbs::kbs18r
