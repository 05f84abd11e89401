#pragma once

#include "model/switch_table.h"

#include <array>

// The memory switch pages as they read in all three programs unless a program lists a
// change: switch, caption, switch label, value 0, value 1, control.
namespace kbs::common_switch_pages {

using enum SwitchControl;

// The character set countries of MSW1-1 to MSW1-3, coded by the three switches as a number,
// MSW1-1 in bit 0. Codes 1, 6 and 7 have no entry: they show 日本 and are written back as 0.
inline constexpr std::array kCountryEntries = {
    CodeEntry{"日本", "0"},   CodeEntry{"アメリカ", "2"},     CodeEntry{"イギリス", "3"},
    CodeEntry{"ドイツ", "4"}, CodeEntry{"スウェーデン", "5"},
};
inline constexpr CodeList kCountryList{.entries = kCountryEntries,
                                       .loadMiss = LoadMiss::Substitute,
                                       .substitute = "日本",
                                       .storeMiss = StoreMiss::FallbackCode,
                                       .fallbackCode = "0"};

// clang-format off
inline constexpr std::array kMsw1 = {
    SwitchRow{{1, 3}, "各国文字の切り替え(&C) （MSW1-1/2/3） ", "", "", "", CountryList, &kCountryList},
    SwitchRow{4, "データ受信方法の変更", "（MSW1-4）", "従来互換(&O)", "高速受信(&K)", RadioPair},
    SwitchRow{5, "DC1/DC3コード処理の切り替え", "（MSW1-5）", "有効(&Y)", "無効(&Z)", RadioPair},
    SwitchRow{6, "自動復改の切り替え", "（MSW1-6）", "復帰改行(&L)", "復帰のみ(&T)", RadioPair},
    SwitchRow{7, "印刷指令コードの切り替え", "（MSW1-7）", "ＣＲのみ(&D)", "ＣＲ，ＬＦ，ＶＴ，ＦＦ，ＵＳ，\nＥＳＣ ａ，ＥＳＣ ｂ (&E)", RadioPair},
    SwitchRow{8, "CRコードの機能の切り替え", "（MSW1-8）", "復帰のみ(&N)", "復帰改行(&V)", RadioPair},
};

inline constexpr std::array kMsw2 = {
    SwitchRow{1, "１バイトコード系数字ゼロにスラッシュを付ける(&K) （MSW2-1）", "", "", "", CheckBox},
    SwitchRow{2, "シートガイドの用紙無し検出", "（MSW2-2）", "印刷時(&S)", "常時(&A)", RadioPair},
    SwitchRow{3, "ドット対応グラフィックドット数", "（MSW2-3）", "ネイティブモード(&N)", "コピーモード(&C)", RadioPair},
    SwitchRow{4, "クワイエットモード", "（MSW2-4）", "無効(&U)", "有効(&Q)", RadioPair},
    SwitchRow{5, "印刷モードの切り替え", "（MSW2-5）", "ＨＤパイカ(&D)", "ＨＳパイカ(&E)", RadioPair},
    SwitchRow{6, "７／８ビットデータの切り替え", "（MSW2-6）", "８ビット(&8)", "７ビット(&7)", RadioPair},
    SwitchRow{7, "印刷桁数の切り替え", "（MSW2-7）", "１３６桁(&L)", "８０桁(&O)", RadioPair},
    SwitchRow{8, "印刷方向の切り替え", "（MSW2-8）", "両方向最短(&2)", "片方向(&1)", RadioPair},
};

inline constexpr std::array kMsw3 = {
    SwitchRow{1, "自動用紙厚調整後の再吸入", "（MSW3-1）", "再吸入しない(&N)", "再吸入する(&Y)", RadioPair},
    SwitchRow{2, "PC/情処モード切り替え", "（MSW3-2）", "PCモード(&T)", "情処モード(&S)", RadioPair},
    SwitchRow{3, "用紙吸入位置の記憶", "（MSW3-3）", "記憶する(&K)", "記憶しない(&P)", RadioPair},
    SwitchRow{4, "シートフィーダの吸入コード", "（MSW3-4）", "ＥＳＣ ａのみ(&1)", "ＥＳＣ ａ，ＬＦ，ＵＳ，ＶＴ (&2)", RadioPair},
    SwitchRow{5, "自動カット位置送り機能", "（MSW3-5）", "無効(&E)", "有効(&D)", RadioPair},
    SwitchRow{6, "改頁時のセンタリング動作", "（MSW3-6）", "しない(&G)", "する(&B)", RadioPair},
    SwitchRow{7, "２バイトコード系数字ゼロにスラッシュを付ける(&C) （MSW3-7）", "", "", "", CheckBox},
    SwitchRow{8, "ミシン目スキップ", "（MSW3-8）", "しない(&A)", "する(&Z)", RadioPair},
};

inline constexpr std::array kMsw4 = {
    SwitchRow{1, "印刷ヘッド空打ち防止機能切り替え", "（MSW4-1）", "有効(&Y)", "無効(&N)", RadioPair},
    SwitchRow{2, "シートフィーダの用紙吸入制御", "（MSW4-2）", "スループット優先(&T)", "斜行補正優先(&S)", RadioPair},
    SwitchRow{3, "カット位置送り機能の用紙送り量", "（MSW4-3）", "固定長(&K)", "TOF＋固定長(&P)", RadioPair},
    SwitchRow{4, "ドット列印刷モードの印刷方向", "（MSW4-4）", "片方向(&1)", "両方向(&2)", RadioPair},
    SwitchRow{5, "高速印刷モード", "（MSW4-5）", "通常印刷(&E)", "高速印刷(&D)", RadioPair},
    SwitchRow{6, "シートガイドの排出方向", "（MSW4-6）", "排出方向指定(&G)", "後方排出(&B)", RadioPair},
    SwitchRow{7, "シートフィーダの排出方向", "（MSW4-7）", "排出方向指定(&C)", "後方排出(&R)", RadioPair},
    SwitchRow{8, "シートガイドのローディング方法", "（MSW4-8）", "オート(&A)", "マニュアル(&Z)", RadioPair},
};

inline constexpr std::array kMsw5 = {
    SwitchRow{1, "待機モード移行時間切り替え", "（MSW5-1）", "１５分(&Y)", "１分(&N)", RadioPair},
    SwitchRow{2, "待機モード復帰後の初期化動作", "（MSW5-2）", "初期化動作する(&T)", "初期化動作しない(&S)", RadioPair},
    SwitchRow{3, "吸入時以外のセンタリング位置", "（MSW5-3）", "自動検出(&K)", "センタリング位置設定(&P)", RadioPair},
    SwitchRow{4, "用紙左右端検出位置切り替え", "（MSW5-4）", "吸入位置の設定による(&1)", "２５．４ｍｍ（１インチ）(&2)", RadioPair},
    SwitchRow{5, "用紙切れ判断の切り替え", "（MSW5-5）", "用紙長設定に従う(&E)", "用紙最下端付近まで印刷(&D)", RadioPair},
    SwitchRow{{6, 8}, "", "", "", "", PassedThrough},
};
// clang-format on

} // namespace kbs::common_switch_pages
