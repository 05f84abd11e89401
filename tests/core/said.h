#pragma once

#include "core/window_port.h"

#include <QString>
#include <QStringList>

#include <string_view>

// What the program says, written down here as the user reads it, so that a wrong word in the
// program's own texts fails the flows.
namespace kbs::said {

inline constexpr std::string_view kSendBeforeExit =
    "Knobstation を終了する前に、設定値をプリンタへ送信しますか？";
inline constexpr std::string_view kSaveBeforeExit =
    "Knobstation を終了する前に、設定ファイルへ保存しますか？";
inline constexpr std::string_view kSendBeforeChange =
    "設定値が変更されています。\nプリンタを切り替える前に、設定値をプリンタへ送信しますか？";
inline constexpr std::string_view kSaveBeforeChange =
    "設定値が変更されています。\nプリンタを切り替える前に、設定ファイルへ保存しますか？";
inline constexpr std::string_view kLoadDiscards =
    "設定が変更されています。\nコマンドを続行すると設定の変更は破棄されます。";
inline constexpr std::string_view kFactoryDefaultsQuestion =
    "現在の設定値は破棄されます、\n工場出荷設定値に変更しますか？";
inline constexpr std::string_view kFactoryDefaultsShown = "工場出荷設定値を表示しました。";
inline constexpr std::string_view kSent = "プリンタに設定値を送信しました。";
inline constexpr std::string_view kUnavailable =
    "指定されたプリンタは、現在接続されていないか、プリンタ使用権の制限により使用できません。";
inline constexpr std::string_view kFilePort = "接続先がFILEのため設定値を送信できません。";
inline constexpr std::string_view kNotSettingsFile = "このファイルは設定ファイルではありません。";
inline constexpr std::string_view kSaveFailed = "設定ファイルの書き込みに失敗しました。";
inline constexpr std::string_view kSaveDeniedMayLackPermission =
    "設定ファイルの書き込みに失敗しました。\nこのディレクトリに保存するアクセス許可がない可能性があります。\n"
    "設定ファイルの保存先を変更してやり直してください。";
inline constexpr std::string_view kSaveDeniedAskAdministrator =
    "このディレクトリに保存するアクセス許可がありません。\n管理者に問い合わせてアクセス許可を取得してください"
    "。\n\n"
    "設定ファイルの保存先を変更してやり直してください。";

// A message box as the test rig journals it: its buttons, its icon, its text.
inline QString box(std::string_view buttons, std::string_view icon, std::string_view text)
{
    return QString::fromUtf8("[%1 %2] %3")
        .arg(QString::fromUtf8(buttons.data(), qsizetype(buttons.size())),
             QString::fromUtf8(icon.data(), qsizetype(icon.size())),
             QString::fromUtf8(text.data(), qsizetype(text.size())));
}
inline QString ask(std::string_view text)
{
    return box("Yes/No/Cancel", "!", text);
}
inline QString askYesNo(std::string_view text)
{
    return box("Yes/No", "!", text);
}
inline QString askOkCancel(std::string_view text)
{
    return box("OK/Cancel", "!", text);
}
inline QString info(std::string_view text)
{
    return box("OK", "i", text);
}
inline QString warn(std::string_view text)
{
    return box("OK", "!", text);
}
inline QString stop(std::string_view text)
{
    return box("OK", "x", text);
}

// The spooler's steps of one successful job of `bytes` bytes to the queue "ferro".
inline QStringList jobToFerro(int bytes)
{
    return {"open queue ferro", "start raw job Knobstation Status Write",
            QString("write %1 bytes").arg(bytes), "end job", "close queue"};
}

} // namespace kbs::said
