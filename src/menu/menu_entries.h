#pragma once

#include "model/command_ids.h"

#include <array>
#include <string_view>

namespace kbs {

// One item of a drop-down menu: its command, its label (a tab character before the
// shortcut text) and the accelerator key that runs it. A command id of 0 is a separator.
struct MenuEntry {
    int commandId;
    std::string_view label;
    std::string_view accelerator; // empty: no accelerator
};

inline constexpr MenuEntry kMenuSeparator{0, {}, {}};

// The popups of menu 142 that read the same in every program; the page popup comes from
// the variant's tabs and the help popup's contents command from the variant's help id.
namespace menu_entries {

inline constexpr std::string_view kFileTitle = "ファイル(&F)";
inline constexpr std::string_view kPagesTitle = "メニュー(&M)";
inline constexpr std::string_view kHelpTitle = "ヘルプ(&H)";

inline constexpr std::array kFilePopup = {
    MenuEntry{cmd::LoadFile, "設定ファイルの読み込み(&O)...\tCtrl+O", "Ctrl+O"},
    MenuEntry{cmd::SaveFile, "設定ファイルへの書き込み(&S)...\tCtrl+S", "Ctrl+S"},
    kMenuSeparator,
    MenuEntry{cmd::Send, "設定値をプリンタへ送信(&W)\tCtrl+W", "Ctrl+W"},
    MenuEntry{cmd::FactoryDefaults, "工場出荷設定を表示(&I)\tCtrl+I", "Ctrl+I"},
    kMenuSeparator,
    MenuEntry{cmd::SelectPrinter, "プリンタの選択(&C)...\tCtrl+C", "Ctrl+C"},
    kMenuSeparator,
    // Alt+F4 is the window's own close command, not an accelerator.
    MenuEntry{cmd::Exit, "終了(&X)\tAlt+F4", ""},
};

inline constexpr std::string_view kHelpContentsLabel = "ヘルプ目次(&H)\tF1";
inline constexpr std::string_view kHelpContentsKey = "F1";
inline constexpr MenuEntry kAboutEntry{cmd::About, "バージョン情報(&A)...", ""};

} // namespace menu_entries

} // namespace kbs
