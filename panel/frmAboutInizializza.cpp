#include "panel/frmAbout.h"

#include "panel/CatalogueControls.h"
#include "panel/DirListBox.h"
#include "panel/DriveListBox.h"
#include "panel/EditableList.h"
#include "panel/SecondsField.h"
#include "platform/Dialogs.h"
#include "settings/SettingsLocation.h"
#include "startup/AppRecords.h"
#include "startup/ShowStart.h"

#include <QCheckBox>
#include <QDir>
#include <QLocale>
#include <QScrollBar>

void frmAbout::Inizializza() {
    if (SecondsTooLong(Text1->text())) {
        services_.dialogs.message(TooLongMessage);
        Text1->setText(QStringLiteral("30"));
        Text1->setFocus(Qt::OtherFocusReason);
        Text1->selectAll();
        return;
    }

    PanelValues values;
    values.folderPath = catalogue_->Dir1->path();
    values.secondsText = Text1->text();
    values.red = HScroll1->value();
    values.green = HScroll2->value();
    values.blue = HScroll3->value();
    values.randomColour = Check4->isChecked();
    values.frameState = Check5->isChecked() ? 1 : 0;
    values.musicState = Check1->isChecked() ? 1 : 0;
    values.commentState = Check2->isChecked() ? 1 : 0;
    values.enlargeState = Check3->isChecked() ? 1 : 0;
    values.speed = HScroll4->value();
    if (const int effect = Combo1->selectedIndex(); effect >= 0)
        values.effectEntry = Combo1->itemText(effect);
    values.labelIndex = Combo2->selectedIndex();

    CopyPanelValues(values, records_.settings, QLocale());
    QDir::setCurrent(records_.AppFolder);
    // A settings file that cannot be written is no reason to refuse the show.
    SaveSettings(services_.settingsLocation, values.folderPath, values.secondsText,
                 records_.settings);

    records_.ShowRunning = true;
    if (services_.openShow)
        services_.openShow();
}
