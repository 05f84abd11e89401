#pragma once

#include "model/model_variant.h"

#include <string_view>

namespace kbs::common_messages {

// Refusals of "FILE:" printers in the programs that only send.
inline constexpr FilePortMessages kSendOnlyFilePortMessages{
    "インストールされているプリンタの接続先がFILEのため設定値を送信できません。\nプリンタ設定を確認してやり直してください。\n\nKnobstationを終了します。",
    "接続先がFILEのため設定値を送信できません。\nプリンタ設定を確認してやり直してください。\n\nKnobstationを終了します。",
    "接続先がFILEのため設定値を送信できません。\nプリンタ設定を変更するか、他のプリンタに変更してください。",
};

// The same refusals worded "receive/send".
inline constexpr FilePortMessages kReceiveSendFilePortMessages{
    "インストールされているプリンタの接続先がFILEのため設定値を受信/送信できません。\nプリンタ設定を確認してやり直してください。\n\nKnobstationを終了します。",
    "接続先がFILEのため設定値を受信/送信できません。\nプリンタ設定を確認してやり直してください。\n\nKnobstationを終了します。",
    "接続先がFILEのため設定値を受信/送信できません。\nプリンタ設定を変更するか、他のプリンタに変更してください。",
};

inline constexpr std::string_view kSaveDeniedMayLackPermission =
    "設定ファイルの書き込みに失敗しました。\nこのディレクトリに保存するアクセス許可がない可能性があります。\n設定ファイルの保存先を変更してやり直してください。";

inline constexpr std::string_view kSaveDeniedAskAdministrator =
    "このディレクトリに保存するアクセス許可がありません。\n管理者に問い合わせてアクセス許可を取得してください。\n\n設定ファイルの保存先を変更してやり直してください。";

} // namespace kbs::common_messages
