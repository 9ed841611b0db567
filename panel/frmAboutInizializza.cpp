#include "panel/frmAbout.h"

#include "controls/DirListBox.h"
#include "controls/DriveListBox.h"
#include "controls/EditableList.h"
#include "controls/SecondsField.h"
#include "panel/CatalogueControls.h"
#include "platform/Dialogs.h"
#include "settings/SettingsLocation.h"
#include "startup/AppRecords.h"
#include "startup/ShowStart.h"

#include <QDir>
#include <QLocale>

void frmAbout::Inizializza() {
    if (SecondsTooLong(Text1->text())) {
        services_.dialogs.message(TooLongMessage, [this] {
            Text1->setText(QStringLiteral("30"));
            Text1->setFocus(Qt::OtherFocusReason);
            Text1->selectAll();
        });
        return;
    }

    const PanelValues values = panelValues();
    CopyPanelValues(values, records_.settings, QLocale());
    QDir::setCurrent(records_.AppFolder);
    // A settings file that cannot be written is no reason to refuse the show.
    SaveSettings(services_.settingsLocation, values.folderPath, values.secondsText,
                 records_.settings);

    records_.ShowRunning = true;
    if (services_.openShow)
        services_.openShow();
}
