#pragma once

#include "catalogue/FileActions.h"
#include "controls/PointerManager.h"
#include "panel/SystemInfo.h"

#include <memory>
#include <QObject>

class frmAbout;
class ListActions;
class PanelDecorations;
class PreviewImage;

// What the panel carries besides its settings and catalogue controls: the decorations and
// links, the link pointer, the preview Image1 and the file list's actions, the system
// information tool, and the colour set-up of the first paint. Built on a panel whose controls
// exist; it goes before the panel does.
class PanelExtras : public QObject {
    Q_OBJECT
public:
    explicit PanelExtras(frmAbout& form);
    ~PanelExtras() override;

    void cmdSysInfo_Click();
    void Form_Paint();

private:
    frmAbout& form_;
    FileActions actions_;
    SystemInfo systemInfo_;
    bool PanelPainted = false;

public:
    // The members below lean on those above: declared after them, they go first.
    PointerManager pointer;
    std::unique_ptr<PanelDecorations> decorations;
    PreviewImage* Image1 = nullptr; // the panel's preview (the show's Image1 is its picture)
    std::unique_ptr<ListActions> listActions;
};
