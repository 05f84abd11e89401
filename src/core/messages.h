#pragma once

#include <string_view>

// The texts the command core shows; the variant-specific ones live in the variant.
namespace kbs::messages {

inline constexpr std::string_view kCaption = "Knobstation";

// Factory defaults
inline constexpr std::string_view kFactoryDefaultsQuestion =
    "現在の設定値は破棄されます、\n工場出荷設定値に変更しますか？";
inline constexpr std::string_view kFactoryDefaultsShown = "工場出荷設定値を表示しました。";

// Load
inline constexpr std::string_view kLoadDiscardsChanges =
    "設定が変更されています。\nコマンドを続行すると設定の変更は破棄されます。";
inline constexpr std::string_view kNotSettingsFile = "このファイルは設定ファイルではありません。";

// Save
inline constexpr std::string_view kSaveFailed = "設定ファイルの書き込みに失敗しました。";

// Send
inline constexpr std::string_view kNoPrinterChosen =
    "プリンタが選択されていません。\nプリンタを選択してください。";
inline constexpr std::string_view kFilePortCannotSend = "接続先がFILEのため設定値を送信できません。";
inline constexpr std::string_view kSendSucceeded = "プリンタに設定値を送信しました。";
inline constexpr std::string_view kPrinterUnavailable =
    "指定されたプリンタは、現在接続されていないか、プリンタ使用権の制限により使用できません。";

// Printer change
inline constexpr std::string_view kSendBeforePrinterChange =
    "設定値が変更されています。\nプリンタを切り替える前に、設定値をプリンタへ送信しますか？";
inline constexpr std::string_view kSaveBeforePrinterChange =
    "設定値が変更されています。\nプリンタを切り替える前に、設定ファイルへ保存しますか？";
// Status bar parts 0 and 1; "%s" stands for the printer's name or connection.
inline constexpr std::string_view kStatusPrinterName = "プリンタ名： %s";
inline constexpr std::string_view kStatusConnection = "接続先： %s";

// Exit
inline constexpr std::string_view kSendBeforeExit =
    "Knobstation を終了する前に、設定値をプリンタへ送信しますか？";
inline constexpr std::string_view kSaveBeforeExit =
    "Knobstation を終了する前に、設定ファイルへ保存しますか？";

} // namespace kbs::messages
