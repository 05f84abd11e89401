#include "variants/common_select_lists.h"
#include "variants/kbs18t/kbs18t_tables.h"

#include <array>

namespace kbs::kbs18t {

namespace {
using namespace common_select_lists;
using enum ControlKind;
using enum Placement;
using enum LoadMiss;
using enum StoreMiss;

// No plus signs on this program's steps.
constexpr std::array kPrintPressuresUnsigned = {
    CodeEntry{"-6", "FA"}, CodeEntry{"-5", "FB"}, CodeEntry{"-4", "FC"}, CodeEntry{"-3", "FD"},
    CodeEntry{"-2", "FE"}, CodeEntry{"-1", "FF"}, CodeEntry{"0", "00"},  CodeEntry{"1", "01"},
    CodeEntry{"2", "02"},  CodeEntry{"3", "03"},
};
// Matched byte for byte: "00" shows 0, any other unlisted code leaves the list.
constexpr std::array kPrintPositionsUnsigned = {
    CodeEntry{"-1.3", "FD"}, CodeEntry{"-0.8", "FE"}, CodeEntry{"-0.4", "FF"}, CodeEntry{"0", "00"},
    CodeEntry{"0.4", "01"},  CodeEntry{"0.8", "02"},  CodeEntry{"1.3", "03"},
};
constexpr std::array kQuietPrints = {
    CodeEntry{"しない(&N)", "0"},
    CodeEntry{"する(&Y)", "1"},
};

// An unlisted code leaves the control as it was.
constexpr kbs::CodeList kPaperThicknessList{
    .entries = kPaperThickness, .loadMiss = LeaveAsItWas, .storeMiss = FallbackCode, .fallbackCode = "00"};
constexpr kbs::CodeList kPrintPressureList{.entries = kPrintPressuresUnsigned,
                                           .loadMiss = LeaveAsItWas,
                                           .storeMiss = FallbackCode,
                                           .fallbackCode = "00"};
constexpr kbs::CodeList kPrintPositionList{
    .entries = kPrintPositionsUnsigned, .loadMiss = LeaveAsItWas, .storeMiss = LeaveField};
constexpr kbs::CodeList kReducePrintList{
    .entries = kReducePrints, .loadMiss = LeaveAsItWas, .storeMiss = LeaveField};
constexpr kbs::CodeList kQuietPrintList = uncheckedPair(kQuietPrints);
constexpr kbs::CodeList kTypefaceList = uncheckedPair(kTypefaces);

// clang-format off
constexpr std::array kSelectRows = {
    ControlRow{.kind = CodeList, .name = "paperThickness", .label = "用紙厚調整の設定(&A)", .placement = Full,
               .field = "paperThickness", .list = &kPaperThicknessList},
    ControlRow{.kind = CodeList, .name = "printPressure", .label = "印刷圧微調整(&B)", .placement = Full,
               .field = "printPressure", .codec = CodeCodec::SignedHexAnyChar, .list = &kPrintPressureList},
    ControlRow{.kind = CodeList, .name = "printPosAdjust", .label = "印刷位置の微調整(&K)", .placement = Full,
               .field = "printPosAdjust", .list = &kPrintPositionList, .unit = "mm"},
    ControlRow{.kind = CodeList, .name = "reducePrint", .label = "縮小印刷(&P)", .placement = Full,
               .field = "reducePrint", .list = &kReducePrintList},
    // Never shown; its field still goes through load and store.
    ControlRow{.kind = RadioPair, .name = "quietPrint", .label = "クワイエット印刷", .placement = Left,
               .field = "quietPrint", .list = &kQuietPrintList, .visible = false},
    typefaceRow(kTypefaceList),
};
// clang-format on
} // namespace

const ControlPageTable& selectPage()
{
    static const ControlPageTable table{PageId::Select, kSelectRows};
    return table;
}

} // namespace kbs::kbs18t
