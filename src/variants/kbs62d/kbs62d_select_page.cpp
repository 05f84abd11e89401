#include "variants/common_select_lists.h"
#include "variants/kbs62d/kbs62d_tables.h"

#include <array>
#include <span>

namespace kbs::kbs62d {

namespace {
using namespace common_select_lists;
using enum ControlKind;
using enum Placement;
using enum LoadMiss;
using enum StoreMiss;

constexpr std::array kReducePrintsByEdge = {
    CodeEntry{"縮小なし", "0"},
    CodeEntry{"２／３縮小（左基準）", "1"},
    CodeEntry{"２／３縮小（中央基準）", "3"},
    CodeEntry{"４／５縮小（左基準）", "5"},
    CodeEntry{"４／５縮小（中央基準）", "7"},
};
constexpr std::array kHoppers = {
    CodeEntry{"ホッパ１(&N)", "1"},
    CodeEntry{"ホッパ２(&Y)", "2"},
};

// An unlisted code leaves the control as it was.
constexpr kbs::CodeList kPaperThicknessList{.entries = std::span(kPaperThickness).first(6),
                                            .loadMiss = LeaveAsItWas,
                                            .storeMiss = FallbackCode,
                                            .fallbackCode = "00"};
// Any second character: '0' and its digit, 'F' and its code - 71; a step no entry has leaves it.
constexpr kbs::CodeList kPrintPressureList{
    .entries = kPrintPressures, .loadMiss = LeaveAsItWas, .storeMiss = FallbackCode, .fallbackCode = "00"};
constexpr kbs::CodeList kReducePrintList{
    .entries = kReducePrintsByEdge, .loadMiss = LeaveAsItWas, .storeMiss = LeaveField};
constexpr kbs::CodeList kTypefaceList = uncheckedPair(kTypefaces);
// Stored '2' for ホッパ２, else '1'.
constexpr kbs::CodeList kHopperList{
    .entries = kHoppers, .loadMiss = LeaveAsItWas, .storeMiss = FallbackCode, .fallbackCode = "1"};
constexpr kbs::CodeList kFormList{.entries = std::span(kForms).first(4),
                                  .loadMiss = LeaveAsItWas,
                                  .storeMiss = FallbackCode,
                                  .fallbackCode = "0"};

constexpr std::string_view kPrinterNote = "（P62DWのみ）";

// clang-format off
constexpr std::array kSelectRows = {
    ControlRow{.kind = CodeList, .name = "paperThickness", .label = "用紙厚調整(&A)", .placement = Full,
               .field = "paperThickness", .list = &kPaperThicknessList, .note = kPrinterNote},
    ControlRow{.kind = CodeList, .name = "printPressure", .label = "印刷圧の微調整(&B)", .placement = Full,
               .field = "printPressure", .codec = CodeCodec::SignedHexAnyChar, .list = &kPrintPressureList,
               .note = kPrinterNote},
    ControlRow{.kind = CodeList, .name = "reducePrint", .label = "縮小印刷の選択(&P)", .placement = Full,
               .field = "reducePrint", .list = &kReducePrintList},
    typefaceRow(kTypefaceList),
    // Never shown; its field still goes through load and store.
    ControlRow{.kind = RadioPair, .name = "hopper", .label = "２ビンシートフィーダのホッパ選択", .placement = Left,
               .field = "hopper", .list = &kHopperList, .visible = false},
    formSelectRow(kFormList),
    kFormSettingsRow,
};
// clang-format on

constexpr FormButton kFormButton{"formSelect", "formSettings", "%sの設定(&D)"};
} // namespace

const ControlPageTable& selectPage()
{
    static const ControlPageTable table{PageId::Select, kSelectRows, {}, &kFormButton};
    return table;
}

} // namespace kbs::kbs62d
