#pragma once

// The texts the user must see, written out here on their own so that a wrong character
// in the program's copy fails the tests.
namespace expected {

inline constexpr const char* kCaption = "Knobstation";
inline constexpr const char* kJobTitle = "Knobstation Status Write";

inline constexpr const char* kFactoryDefaultsQuestion =
    "現在の設定値は破棄されます、\n工場出荷設定値に変更しますか？";
inline constexpr const char* kFactoryDefaultsShown = "工場出荷設定値を表示しました。";
inline constexpr const char* kLoadQuestion =
    "設定が変更されています。\nコマンドを続行すると設定の変更は破棄されます。";
inline constexpr const char* kNotSettingsFile = "このファイルは設定ファイルではありません。";
inline constexpr const char* kSaveFailed = "設定ファイルの書き込みに失敗しました。";
inline constexpr const char* kNoPrinter = "プリンタが選択されていません。\nプリンタを選択してください。";
inline constexpr const char* kFilePort = "接続先がFILEのため設定値を送信できません。";
inline constexpr const char* kSent = "プリンタに設定値を送信しました。";
inline constexpr const char* kUnavailable =
    "指定されたプリンタは、現在接続されていないか、プリンタ使用権の制限により使用できません。";
inline constexpr const char* kSendBeforeChange =
    "設定値が変更されています。\nプリンタを切り替える前に、設定値をプリンタへ送信しますか？";
inline constexpr const char* kSaveBeforeChange =
    "設定値が変更されています。\nプリンタを切り替える前に、設定ファイルへ保存しますか？";
inline constexpr const char* kSendBeforeExit = "Knobstation を終了する前に、設定値をプリンタへ送信しますか？";
inline constexpr const char* kSaveBeforeExit = "Knobstation を終了する前に、設定ファイルへ保存しますか？";
inline constexpr const char* kStatusNamePrefix = "プリンタ名： ";
inline constexpr const char* kStatusConnectionPrefix = "接続先： ";

// The save refusal of kbs18r and kbs18t, then that of kbs62d.
// clang-format off
inline constexpr const char* kSaveDeniedMayLackPermission = "設定ファイルの書き込みに失敗しました。\nこのディレクトリに保存するアクセス許可がない可能性があります。\n設定ファイルの保存先を変更してやり直してください。";
inline constexpr const char* kSaveDeniedAskAdministrator = "このディレクトリに保存するアクセス許可がありません。\n管理者に問い合わせてアクセス許可を取得してください。\n\n設定ファイルの保存先を変更してやり直してください。";
// clang-format on

} // namespace expected
