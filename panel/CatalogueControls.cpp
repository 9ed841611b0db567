#include "panel/CatalogueControls.h"

#include "catalogue/LoadImageList.h"
#include "controls/AutoSizeLabel.h"
#include "controls/DirListBox.h"
#include "controls/DriveListBox.h"
#include "controls/FocusMark.h"
#include "core/FolderPath.h"
#include "core/Twips.h"
#include "platform/Dialogs.h"
#include "startup/AppRecords.h"

#include <QApplication>
#include <QLabel>
#include <QListView>
#include <QPushButton>

namespace {
// Restores the pointer however the scan ends.
class HourglassPointer {
public:
    HourglassPointer() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~HourglassPointer() { QApplication::restoreOverrideCursor(); }
    HourglassPointer(const HourglassPointer&) = delete;
    HourglassPointer& operator=(const HourglassPointer&) = delete;
};
} // namespace

CatalogueControls::CatalogueControls(QWidget* panel, AppRecords& records, Dialogs& dialogs)
    : QObject(panel), records_(records), dialogs_(dialogs) {
    Label14 = new QLabel(QStringLiteral("Selezionare la cartella"), panel);
    Label14->setObjectName(QStringLiteral("Label14"));
    Label14->setGeometry(FromTwips(420, 1140, 2505, 240));

    Dir1 = new DirListBox(panel);
    Dir1->setObjectName(QStringLiteral("Dir1"));
    Dir1->setGeometry(FromTwips(360, 1320, 2235, 1890));
    Dir1->setToolTip(QStringLiteral("Seleziona la cartella scelta e le cartelle figlie."));

    Label15 = new QLabel(QStringLiteral("Selezionare il drive"), panel);
    Label15->setObjectName(QStringLiteral("Label15"));
    Label15->setGeometry(FromTwips(2700, 1140, 1545, 240));

    Drive1 = new DriveListBox(panel);
    Drive1->setObjectName(QStringLiteral("Drive1"));
    Drive1->setGeometry(FromTwips(2700, 1320, 2235, 315));
    Drive1->setToolTip(QStringLiteral("Per cambiare unità"));

    Command4 = new QPushButton(QStringLiteral("Visualizza lista"), panel);
    Command4->setObjectName(QStringLiteral("Command4"));
    Command4->setGeometry(FromTwips(2700, 1680, 1335, 375));
    Command4->setToolTip(
        QStringLiteral("Files validi: .JPG.JPEG.IFF.BMP.CUR.ICO.DIB.GIF.EMF.WMF.RLE"));

    Label17 = new AutoSizeLabel(QString(), panel);
    Label17->setObjectName(QStringLiteral("Label17"));
    Label17->setPlace(FromTwips(4140, 1740, 735, 255));

    List1 = new QListView(panel);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setGeometry(FromTwips(2700, 2160, 2175, 1035));
    List1->setToolTip(QStringLiteral("Lista files, pulsante destro del mouse per altre opzioni."));
    List1->setModel(&records_.list);
    List1->setSelectionMode(QAbstractItemView::SingleSelection);
    List1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    List1->setUniformItemSizes(true); // ten thousand entries lay out at once
    List1->setItemDelegate(new FocusRowDelegate(List1));
    // A screen reader reads a list's description, not its tooltip: the right click's menu is
    // told there.
    for (QAbstractItemView* list :
         {static_cast<QAbstractItemView*>(Dir1), static_cast<QAbstractItemView*>(List1)})
        list->setAccessibleDescription(list->toolTip());

    connect(Command4, &QPushButton::clicked, this, &CatalogueControls::Command4_Click);
    connect(Dir1, &DirListBox::changed, this, &CatalogueControls::Dir1_Change);
    connect(Drive1, &DriveListBox::changed, this, &CatalogueControls::Drive1_Change);
}

void CatalogueControls::Command4_Click() {
    // No folder chosen stays no folder (the scan then lists nothing), never the root.
    const QString folder = Dir1->path().isEmpty() ? QString() : WithTrailingSeparator(Dir1->path());
    records_.settings.ShowFolder = folder;
    int count = 0;
    {
        HourglassPointer hourglass;
        count = LoadImageList(folder, records_.catalogue, records_.list);
    }
    setScanCount(count);
}

void CatalogueControls::Dir1_Change() {
    Command4_Click();
}

void CatalogueControls::Drive1_Change(const QString& root) {
    if (Dir1->setPath(root))
        return;
    dialogs_.message(QStringLiteral("Errore di lettura dal drive specificato"), [this] {
        Drive1->setDriveOf(records_.AppFolder);
        Dir1->setPath(records_.AppFolder);
    });
}

void CatalogueControls::setScanCount(int count) {
    Label17->setText(QStringLiteral("N. ") + QString::number(count));
}
