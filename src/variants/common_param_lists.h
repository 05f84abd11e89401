#pragma once

#include "model/code_list.h"
#include "model/control_table.h"

#include <array>
#include <string_view>

// The entries of the parameter pages' lists and the number boxes' type-ahead, as the three
// programs share them; each program adds its own rules for codes a list does not know.
namespace kbs::common_param_lists {

inline constexpr std::array kFonts = {
    CodeEntry{"標準", "0"},     CodeEntry{"イタリック", "1"}, CodeEntry{"クーリエ", "2"},
    CodeEntry{"ゴシック", "3"}, CodeEntry{"OCR-B", "4"},
};

inline constexpr std::array kKanjiTables = {
    CodeEntry{"JIS1978年版", "0"},
    CodeEntry{"JIS1983年版", "1"},
    CodeEntry{"JIS1990年版", "2"},
};

inline constexpr std::array kRetryTimes = {
    CodeEntry{"０秒", "00"},     CodeEntry{"５秒", "01"},       CodeEntry{"１０秒", "02"},
    CodeEntry{"６０秒", "03"},   CodeEntry{"１８０秒", "04"},   CodeEntry{"３００秒", "05"},
    CodeEntry{"８１０秒", "06"}, CodeEntry{"再実行なし", "07"},
};

inline constexpr std::array kAutoReturnTimes = {
    CodeEntry{"自動戻り無し", "00"},
    CodeEntry{"８秒", "08"},
    CodeEntry{"１５秒", "15"},
};

// Signed hex steps of the line-feed pitch corrections.
inline constexpr std::array kLfPitches = {
    CodeEntry{"-5", "FB"}, CodeEntry{"-4", "FC"}, CodeEntry{"-3", "FD"}, CodeEntry{"-2", "FE"},
    CodeEntry{"-1", "FF"}, CodeEntry{"0", "00"},  CodeEntry{"+1", "01"}, CodeEntry{"+2", "02"},
    CodeEntry{"+3", "03"}, CodeEntry{"+4", "04"}, CodeEntry{"+5", "05"},
};

inline constexpr std::array kPostcardModes = {
    CodeEntry{"OFF(&N)", "0"},
    CodeEntry{"ON(&Y)", "1"},
};

// Two-digit head centering boxes, 10 to 68: 1 to 6 may still become 10 to 68.
inline constexpr std::array kCenteringPending = {ValueSpan{1, 6}};

// The feed time box: corrected into 2 to 5 at once, refused on store outside it.
constexpr NumberBoxSpec feedTimeBox(LoadMiss loadMiss, int substitute = 0)
{
    return {.min = 2,
            .max = 5,
            .maxTypedLength = 2,
            .checkRangeOnStore = true,
            .loadMiss = loadMiss,
            .substitute = substitute};
}

constexpr NumberBoxSpec centeringBox(LoadMiss loadMiss, int substitute = 0)
{
    return {.min = 10,
            .max = 68,
            .maxTypedLength = 3,
            .pending = kCenteringPending,
            .loadMiss = loadMiss,
            .substitute = substitute};
}

inline constexpr std::string_view kCenteringNoticeText =
    "用紙吸入時ヘッドセンタリング位置の値が設定範囲を超えています。\n適正値に変更します。";
inline constexpr std::string_view kCenteringNoticeCaption =
    "パラメータ設定－用紙吸入時ヘッドセンタリング位置";
inline constexpr std::array<std::string_view, 3> kCenteringBoxes = {"centerCutSheet", "centerFrontTractor",
                                                                    "centerRearTractor"};

inline constexpr std::string_view kCenteringGroup = "用紙吸入時ヘッドセンタリング位置";
inline constexpr std::string_view kFontGroup = "フォント選択";
inline constexpr std::string_view kLfGroup = "ＬＦピッチ補正";

// Lists and boxes of the programs that load without a range check: an unlisted code or a value
// no box can show leaves the control as it was.
inline constexpr CodeList kFontListAsItWas{.entries = kFonts,
                                           .loadMiss = LoadMiss::LeaveAsItWas,
                                           .storeMiss = StoreMiss::FallbackCode,
                                           .fallbackCode = "0"};
inline constexpr CodeList kPostcardListAsItWas{
    .entries = kPostcardModes, .loadMiss = LoadMiss::LeaveAsItWas, .storeMiss = StoreMiss::LeaveField};
inline constexpr NumberBoxSpec kCenterBoxAsItWas = centeringBox(LoadMiss::LeaveAsItWas);
inline constexpr NumberBoxSpec kFeedBoxAsItWas = feedTimeBox(LoadMiss::LeaveAsItWas);

// Codes the codec cannot place leave the list as it was.
inline constexpr CodeList kLfPitchList{.entries = kLfPitches,
                                       .loadMiss = LoadMiss::LeaveAsItWas,
                                       .storeMiss = StoreMiss::FallbackCode,
                                       .fallbackCode = "00"};

// Rows as the programs share them, but for the list or box behind them and where they sit.
// clang-format off
constexpr ControlRow centeringRow(std::string_view name, std::string_view label, const NumberBoxSpec& box)
{
    return {.kind = ControlKind::NumberBox, .name = name, .label = label, .group = kCenteringGroup, .placement = Placement::Left,
            .field = name, .number = &box, .unit = "桁"};
}

constexpr ControlRow kanjiTableRow(const CodeList& tables, Placement at)
{
    return {.kind = ControlKind::CodeList, .name = "kanjiTable", .label = "漢字コード表(&K)", .placement = at,
            .field = "kanjiTable", .list = &tables};
}

constexpr ControlRow font1Row(const CodeList& fonts, Placement at)
{
    return {.kind = ControlKind::CodeList, .name = "font1", .label = "フォント１(&1)", .group = kFontGroup, .placement = at,
            .field = "font1", .list = &fonts};
}

constexpr ControlRow font2Row(const CodeList& fonts, Placement at)
{
    return {.kind = ControlKind::CodeList, .name = "font2", .label = "フォント２(&2)", .group = kFontGroup, .placement = at,
            .field = "font2", .list = &fonts};
}

constexpr ControlRow postcardModeRow(const CodeList& modes)
{
    return {.kind = ControlKind::RadioPair, .name = "postcardMode", .label = "ハガキ印刷モード", .placement = Placement::Right,
            .field = "postcardMode", .list = &modes};
}
// clang-format on

} // namespace kbs::common_param_lists
