#include "variants/kbs18t/kbs18t_switch_pages.h"

#include "variants/common_switch_pages.h"

#include <array>

namespace kbs::kbs18t {

namespace {
using enum SwitchControl;

// Rows that differ from the common pages, each replacing the row of the same switches.
// clang-format off
constexpr std::array kMsw1Changes = {
    SwitchRow{{1, 3}, "各国文字の切り替え(&C)（MSW1-1/2/3） ", "", "", "", CountryList, &common_switch_pages::kCountryList},
    SwitchRow{4, "データ受信方法の切り替え", "（MSW1-4）", "従来互換(&J)", "高速受信(&K)", RadioPair},
    SwitchRow{5, "DC1/DC3コード処理の切り替え", "（MSW1-5）", "有効(&O)", "無効(&U)", RadioPair},
};
constexpr std::array kMsw2Changes = {
    SwitchRow{1, "１バイトコード系数字ゼロにスラッシュを付ける(&K)（MSW2-1）", "", "", "", CheckBox},
    SwitchRow{4, "クワイエットモード", "（MSW2-4）", "無効(&J)", "有効(&U)", RadioPair},
};
constexpr std::array kMsw3Changes = {
    SwitchRow{2, "PC/情処モードの切り替え", "（MSW3-2）", "PCモード(&T)", "情処モード(&S)", RadioPair},
    SwitchRow{7, "２バイトコード系数字ゼロにスラッシュを付ける(&C)（MSW3-7）", "", "", "", CheckBox},
};
constexpr std::array kMsw4Changes = {
    SwitchRow{1, "印刷ヘッド空打ち防止機能", "（MSW4-1）", "有効(&Y)", "無効(&N)", RadioPair},
    SwitchRow{2, "自動カット位置送り機能", "（MSW4-2）", "無効(&U)", "有効(&O)", HiddenRadioPair},
};
constexpr std::array kMsw5Changes = {
    SwitchRow{2, "待機モード復帰時の初期化動作", "（MSW5-2）", "初期化動作する(&T)", "初期化動作しない(&S)", RadioPair},
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

} // namespace kbs::kbs18t
