#pragma once

class QCoreApplication;

// Qt's own texts (the standard buttons "OK" and "Annulla", the input box, the file dialogs) in
// Italian, as the rest of the program, whatever language the desktop speaks. Loads Qt's
// Italian catalogue (Debian's qt6-translations-l10n) into `app`; false when it is not there,
// and Qt's texts then stay English.
bool LoadItalianQtTexts(QCoreApplication& app);
