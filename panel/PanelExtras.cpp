#include "panel/PanelExtras.h"

#include "panel/CatalogueControls.h"
#include "panel/DirListBox.h"
#include "panel/FirstPaint.h"
#include "panel/frmAbout.h"
#include "panel/ListActions.h"
#include "panel/PanelDecorations.h"
#include "panel/PreviewImage.h"
#include "startup/AppRecords.h"

#include <QGroupBox>
#include <QListView>
#include <QPushButton>

PanelExtras::PanelExtras(frmAbout& form, std::unique_ptr<Registry> registry)
    : QObject(&form), form_(form),
      actions_(form.records().AppFolder, form.records().settings.ShowFolder, form.records().list,
               form.services().launcher, form.services().dialogs, files_),
      registry_(registry ? std::move(registry)
                         : std::make_unique<SettingsRegistry>(SettingsRegistry::systemFile())),
      systemInfo_(std::make_unique<SystemInfo>(*registry_, form.services().launcher,
                                               form.services().dialogs)) {
    AppRecords& records = form.records();
    decorations = new PanelDecorations(&form, form.Frame1, form.Label1, records.AppFolder,
                                       form.services().launcher, pointer);
    Image1 = new PreviewImage(form.services().pictures, &form);
    QListView* list = form.catalogue->List1;
    listActions = new ListActions(list, Image1, actions_, records.settings.ShowFolder, pointer);
    // Both lean on what this object owns, so they go with it, not with the panel's controls.
    decorations->setParent(this);
    listActions->setParent(this);
    pointer.arrowOver(form.catalogue->Dir1->viewport());
    connect(form.cmdSysInfo, &QPushButton::clicked, this, [this] { cmdSysInfo_Click(); });
    connect(&form, &frmAbout::firstPainted, this, [this] { Form_Paint(); });
}

PanelExtras::~PanelExtras() {
    delete listActions;
    delete decorations;
}

void PanelExtras::setRegistry(std::unique_ptr<Registry> registry) {
    systemInfo_ = std::make_unique<SystemInfo>(*registry, form_.services().launcher,
                                               form_.services().dialogs);
    registry_ = std::move(registry);
}

void PanelExtras::cmdSysInfo_Click() {
    systemInfo_->StartSysInfo();
}

void PanelExtras::Form_Paint() {
    if (PanelPainted)
        return;
    PanelPainted = true;
    FirstPaintColours(form_.records().settings, form_.HScroll1, form_.HScroll2, form_.HScroll3,
                      form_.Picture2, form_.services().random);
}
