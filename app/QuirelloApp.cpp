#include "app/QuirelloApp.h"

#include "panel/CatalogueControls.h"
#include "panel/frmAbout.h"
#include "panel/PanelExtras.h"
#include "settings/SettingsLocation.h"
#include "showwindow/Form1.h"
#include "showwindow/ShowServices.h"
#include "startup/AppFolder.h"
#include "startup/CommandLine.h"

#include <cstdio>
#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>
#include <QTimer>

QuirelloApp::QuirelloApp(const QString& executableFolder, const QStringList& arguments,
                         const QString& startFolder)
    : arguments_(arguments), startFolder_(startFolder), launcher_(AppFolderOf(executableFolder)),
      soundDecoding_(QDir(executableFolder).filePath(QStringLiteral("quirello-sound"))),
      pictures_({QDir(executableFolder).filePath(QStringLiteral("quirello-decoder"))}),
      services_{.dialogs = dialogs_,
                .sound = sound_,
                .clock = clock_,
                .random = random_,
                .launcher = launcher_,
                .registry = registry_,
                .pictures = pictures_,
                .files = files_,
                .appFolder = AppFolderOf(executableFolder),
                .argumentText = ArgumentText(arguments),
                .open = OpenRequestOf(arguments, startFolder),
                .settingsLocation = ChooseSettingsLocation(
                    AppFolderOf(executableFolder),
                    QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)),
                .openShow = [this] { openShow(); },
                .endProgram = [] { QCoreApplication::exit(0); },
                // The panel exists before any show can scan.
                .rescanned = [this](int count) { panel_->catalogue().setScanCount(count); }} {
    records_.AppFolder = services_.appFolder;
    panel_ = std::make_unique<frmAbout>(records_, services_);
    extras_ = std::make_unique<PanelExtras>(*panel_);
    dialogs_.setOwner(panel_.get());
}

QuirelloApp::~QuirelloApp() {
    delete show_;
}

std::optional<int> QuirelloApp::start() {
    instance_ = std::make_unique<SingleInstance>(services_.settingsLocation.writeFolder);
    switch (instance_->start(arguments_, startFolder_)) {
    case SingleInstance::Start::HandedOver:
        return 0;
    case SingleInstance::Start::NoAnswer:
        std::fputs("Quirello è già in funzione ma non risponde.\n", stderr);
        return 1;
    case SingleInstance::Start::First:
        break;
    }
    QObject::connect(instance_.get(), &SingleInstance::handedOver, panel_.get(),
                     [this](const QStringList& arguments, const QString& startFolder) {
                         handedOver(arguments, startFolder);
                     });
    panel_->Form_Load();
    // A /RUN show opened by the load: the panel comes when it ends.
    if (!show_)
        panelUp();
    return std::nullopt;
}

void QuirelloApp::panelUp() {
    panel_->show();
    loaded_ = true;
    for (const auto& [arguments, startFolder] : std::exchange(waiting_, {}))
        panel_->openArguments(arguments, startFolder);
}

void QuirelloApp::handedOver(const QStringList& arguments, const QString& startFolder) {
    // The load (and a /RUN show in it) comes first.
    if (!loaded_)
        waiting_.emplace_back(arguments, startFolder);
    else
        panel_->openArguments(arguments, startFolder);
}

void QuirelloApp::openShow() {
    // The sound processes start with the show, during its title screen, so that its first
    // comment or music waits for no process to start.
    if (records_.settings.MusicaFM != 0)
        soundDecoding_.prepare(SoundKind::Midi);
    if (records_.settings.SuonoWAV != 0)
        soundDecoding_.prepare(SoundKind::Wave);
    show_ = new Form1(records_, ShowServicesOf(services_), panel_.get());
    QObject::connect(show_, &Form1::ended, show_, [this] {
        show_->deleteLater();
        show_ = nullptr;
        if (!loaded_)
            panelUp();
    });
    // The load's /RUN show starts once the application's event loop runs.
    if (loaded_)
        show_->startShow();
    else
        QTimer::singleShot(0, show_, [this] { show_->startShow(); });
}
