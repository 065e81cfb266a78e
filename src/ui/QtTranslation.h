// Qt's own texts in the interface's language: the standard buttons of message boxes and
// dialogs (キャンセル, はい, いいえ), the file, folder and colour dialogs, the input box and the
// edit fields' context menus. They come from the translations Qt ships (Debian's
// qt6-translations-l10n), not from the program.
#pragma once

namespace vek {

// Installs Qt's Japanese translation (qtbase_ja.qm in Qt's translations folder) into the running
// application; a second call changes nothing. False when the file is missing or unreadable: the
// standard texts then stay English, and the program works as before.
bool installQtTranslation();

}  // namespace vek
