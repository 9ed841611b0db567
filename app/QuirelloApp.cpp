#include "app/QuirelloApp.h"

#include "panel/CatalogueControls.h"
#include "panel/frmAbout.h"
#include "panel/PanelDecorations.h"
#include "panel/PanelExtras.h"
#include "settings/SettingsLocation.h"
#include "show/window/Form1.h"
#include "startup/AppFolder.h"
#include "startup/CommandLine.h"

#include <QCoreApplication>
#include <QDir>
#include <QPushButton>
#include <QStandardPaths>

QuirelloApp::QuirelloApp(const QString& executableFolder, const QStringList& arguments,
                         const QString& startFolder)
    : launcher_(AppFolderOf(executableFolder)),
      pictures_({QDir(executableFolder).filePath(QStringLiteral("quirello-decoder"))}),
      showServices_{
          dialogs_, sound_, clock_, random_, pictures_, {}, AppFolderOf(executableFolder)},
      panelServices_{dialogs_,
                     launcher_,
                     random_,
                     mp3_,
                     pictures_,
                     registry_,
                     executableFolder,
                     ArgumentText(arguments),
                     OpenRequestOf(arguments, startFolder),
                     ChooseSettingsLocation(
                         AppFolderOf(executableFolder),
                         QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)),
                     {},
                     {}} {
    records_.AppFolder = AppFolderOf(executableFolder);
    panelServices_.openShow = [this] { openShow(); };
    panelServices_.endProgram = [] { QCoreApplication::exit(0); };
    panel_ = std::make_unique<frmAbout>(records_, panelServices_);
    extras_ = std::make_unique<PanelExtras>(*panel_);
    panel_->setTabIndex(extras_->decorations->Command2, 3);
    panel_->setTabIndex(extras_->decorations->Command3, 4);
    dialogs_.setOwner(panel_.get());
    showServices_.rescanned = [this](int count) { panel_->catalogue().setScanCount(count); };
}

QuirelloApp::~QuirelloApp() = default;

void QuirelloApp::start() {
    panel_->Form_Load();
    panel_->show();
}

void QuirelloApp::openShow() {
    Form1 show(records_, showServices_, panel_.get());
    show.showModal();
}
