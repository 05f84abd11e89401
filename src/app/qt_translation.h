#pragma once

namespace kbs {

// Loads Qt's own Japanese texts (standard buttons, file dialogs) whatever the locale.
// False when the translation is not installed; the texts then stay in English.
bool installJapaneseQtTexts();

} // namespace kbs
