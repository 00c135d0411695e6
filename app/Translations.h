#pragma once
// Qt's own texts (the buttons of message boxes, the file dialogs) in Hebrew, from Debian's
// qt6-translations-l10n.

// Loads qtbase_he from Qt's translations folder into the running application. False when the
// translations are not installed; Qt's texts then stay English.
bool Install_Qt_Translations();
