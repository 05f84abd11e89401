#pragma once

#include "model/command_ids.h"
#include "model/model_variant.h"

// Tab entries that read the same in all three programs.
namespace kbs::common_tabs {

inline constexpr TabSpec kSelect{"機能選択", PageId::Select, 0, cmd::ShowSelect, "機能選択(&K)\tCtrl+K", "Ctrl+K"};
inline constexpr TabSpec kMsw1{"ＭＳＷ１", PageId::MSW1, 1, cmd::ShowMsw1, "メモリスイッチ１(&1)\tCtrl+1", "Ctrl+1"};
inline constexpr TabSpec kMsw2{"ＭＳＷ２", PageId::MSW2, 1, cmd::ShowMsw2, "メモリスイッチ２(&2)\tCtrl+2", "Ctrl+2"};
inline constexpr TabSpec kMsw3{"ＭＳＷ３", PageId::MSW3, 1, cmd::ShowMsw3, "メモリスイッチ３(&3)\tCtrl+3", "Ctrl+3"};
inline constexpr TabSpec kMsw4{"ＭＳＷ４", PageId::MSW4, 1, cmd::ShowMsw4, "メモリスイッチ４(&4)\tCtrl+4", "Ctrl+4"};

// The fifth memory switch has a different command id in each program.
constexpr TabSpec msw5(int commandId)
{
    return {"ＭＳＷ５", PageId::MSW5, 1, commandId, "メモリスイッチ５(&5)\tCtrl+5", "Ctrl+5"};
}

} // namespace kbs::common_tabs
