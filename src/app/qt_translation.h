#pragma once

namespace kbs {

// The programs speak Japanese only: Qt's own texts (standard buttons, file dialogs) and its
// formats (dates, numbers) follow Japanese whatever the session's locale is. False when the
// translation is not installed; Qt's texts then stay in English.
bool installJapaneseQtTexts();

// Dialog buttons as plain push buttons (OK, はい, いいえ, キャンセル without the icons some
// desktops add); the application's style is kept otherwise.
void usePlainDialogButtons();

} // namespace kbs
