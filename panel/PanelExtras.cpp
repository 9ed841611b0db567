#include "panel/PanelExtras.h"

#include "controls/DirListBox.h"
#include "controls/LinkLabel.h"
#include "panel/CatalogueControls.h"
#include "panel/FirstPaint.h"
#include "panel/frmAbout.h"
#include "panel/ListActions.h"
#include "panel/PanelDecorations.h"
#include "panel/PreviewImage.h"
#include "startup/AppRecords.h"

#include <QGroupBox>
#include <QListView>
#include <QPushButton>

PanelExtras::PanelExtras(frmAbout& form)
    : form_(form), actions_(
                       form.services().appFolder,
                       [&settings = form.records().settings] { return settings.ShowFolder; },
                       form.records().list, form.services().launcher, form.services().dialogs,
                       form.services().files),
      systemInfo_(form.services().registry, form.services().launcher, form.services().dialogs) {
    const AppServices& services = form.services();
    const SettingsFrame frame = form.settingsFrame();
    decorations = std::make_unique<PanelDecorations>(
        &form, frame.frame, frame.secondsCaption, services.appFolder, services.launcher, pointer);
    Image1 = new PreviewImage(services.pictures, &form);
    Image1->setAccessibleName(QStringLiteral("Anteprima dell'immagine scelta"));
    listActions = std::make_unique<ListActions>(form.catalogue().List1, Image1, actions_,
                                                form.records().settings, pointer);
    pointer.arrowOver(form.catalogue().Dir1->viewport());
    connect(frame.systemInfo, &QPushButton::clicked, this, [this] { cmdSysInfo_Click(); });
    connect(&form, &frmAbout::firstPainted, this, [this] { Form_Paint(); });

    // The frame's two buttons among its others; the links after every setting, in the order
    // they are read: the web site at the top left, the banner at the top right, the e-mail.
    form.setTabIndex(decorations->Command2, 3);
    form.setTabIndex(decorations->Command3, 4);
    form.setTabIndex(decorations->Picture4, 49);
    form.setTabIndex(decorations->Image3[3], 50);
    form.setTabIndex(decorations->Label3, 51);
}

PanelExtras::~PanelExtras() = default;

void PanelExtras::cmdSysInfo_Click() {
    systemInfo_.StartSysInfo();
}

void PanelExtras::Form_Paint() {
    if (PanelPainted)
        return;
    PanelPainted = true;
    FirstPaintColours(form_.records().settings, form_.colourBars(), form_.services().random);
}
