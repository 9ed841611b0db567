#pragma once

#include "catalogue/FileActions.h"
#include "catalogue/FileOperations.h"
#include "panel/PointerManager.h"
#include "platform/Registry.h"
#include "platform/SystemInfo.h"

#include <memory>
#include <QObject>

class frmAbout;
class ListActions;
class PanelDecorations;
class PreviewImage;

// What the panel carries besides its settings and catalogue controls: the decorations and
// links, the link pointer, the preview Image1 and the file list's actions, the system
// information tool, and the colour set-up of the first paint. Built on a panel whose controls
// exist, and living as long as it.
class PanelExtras : public QObject {
    Q_OBJECT
public:
    // `registry`: where the system information tool is looked up; the machine's own store
    // when null.
    explicit PanelExtras(frmAbout& form, std::unique_ptr<Registry> registry = nullptr);
    ~PanelExtras() override;

    PointerManager pointer;
    PanelDecorations* decorations = nullptr;
    PreviewImage* Image1 = nullptr;
    ListActions* listActions = nullptr;

    // Looks the system information tool up in `registry` from now on.
    void setRegistry(std::unique_ptr<Registry> registry);

    void cmdSysInfo_Click();
    void Form_Paint();

private:
    frmAbout& form_;
    DiskFileOperations files_;
    FileActions actions_;
    std::unique_ptr<Registry> registry_;
    std::unique_ptr<SystemInfo> systemInfo_;
    bool PanelPainted = false;
};
