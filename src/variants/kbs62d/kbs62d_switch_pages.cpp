#include "variants/kbs62d/kbs62d_switch_pages.h"

#include "variants/common_switch_pages.h"

#include <array>

namespace kbs::kbs62d {

namespace {
using enum SwitchControl;

// Rows that differ from the common pages, each replacing the row of the same switches.
// clang-format off
constexpr std::array kMsw1Changes = {
    SwitchRow{4, "データ受信方法の切り替え", "（MSW1-4）", "従来互換(&O)", "高速受信(&K)", RadioPair},
    SwitchRow{6, "自動復帰改行の切り替え", "（MSW1-6）", "復帰改行(&L)", "復帰のみ(&T)", RadioPair},
    SwitchRow{7, "印刷指令コード切り替え", "（MSW1-7）", "ＣＲのみ(&D)", "ＣＲ，ＬＦ，ＶＴ，ＦＦ，ＵＳ，\nＥＳＣ ａ，ＥＳＣ ｂ (&E)", RadioPair},
    SwitchRow{8, "CR機能の切り替え", "（MSW1-8）", "復帰のみ(&N)", "復帰改行(&V)", RadioPair},
};
constexpr std::array kMsw2Changes = {
    SwitchRow{2, "シートガイド用紙無し検出", "（MSW2-2）", "印刷時(&S)", "常時(&A)", RadioPair},
    SwitchRow{4, "", "", "", "", PassedThrough},
    SwitchRow{5, "印刷モードの初期設定", "（MSW2-5）", "ＨＤパイカ(&D)", "ＨＳパイカ(&E)", RadioPair},
    SwitchRow{8, "印刷方向の初期設定", "（MSW2-8）", "両方向最短(&2)", "片方向(&1)", RadioPair},
};
constexpr std::array kMsw3Changes = {
    SwitchRow{1, "自動用紙厚調整後の再吸入", "（MSW3-1）　　（P62DWのみ）", "再吸入しない(&N)", "再吸入する(&Y)", RadioPair},
    SwitchRow{2, "PC/情処モードの切り替え", "（MSW3-2）", "PCモード(&T)", "情処モード(&S)", RadioPair},
    SwitchRow{4, "シートフィーダの吸入コード", "（MSW3-4）", "ＥＳＣ ａのみ(&1)", "ＥＳＣ ａ，ＬＦ，ＵＳ，ＶＴ(&2)", RadioPair},
};
constexpr std::array kMsw4Changes = {
    SwitchRow{2, "", "", "", "", Cleared},
    SwitchRow{5, "高速印刷モードの初期設定", "（MSW4-5）", "通常印刷(&E)", "高速印刷(&D)", RadioPair},
    SwitchRow{6, "", "", "", "", Cleared},
    SwitchRow{7, "", "", "", "", Cleared},
};
constexpr std::array kMsw5Changes = {
    SwitchRow{1, "待機モード移行時間切り替え", "（MSW5-1）", "１５分(&U)", "１分(&O)", RadioPair},
    SwitchRow{{6, 8}, "", "", "", "", Cleared},
};
// clang-format on

constexpr auto kMsw1 = withChanges(common_switch_pages::kMsw1, kMsw1Changes);
constexpr auto kMsw2 = withChanges(common_switch_pages::kMsw2, kMsw2Changes);
constexpr auto kMsw3 = withChanges(common_switch_pages::kMsw3, kMsw3Changes);
constexpr auto kMsw4 = withChanges(common_switch_pages::kMsw4, kMsw4Changes);
constexpr auto kMsw5 = withChanges(common_switch_pages::kMsw5, kMsw5Changes);

constexpr auto kSwitchPages = memorySwitchPages(kMsw1, kMsw2, kMsw3, kMsw4, kMsw5);
} // namespace

std::span<const SwitchPageTable> switchPages()
{
    return kSwitchPages;
}

} // namespace kbs::kbs62d
