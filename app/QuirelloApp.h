#pragma once

#include "panel/PanelServices.h"
#include "platform/audio/AudioEngine.h"
#include "platform/audio/SdlCommentSound.h"
#include "platform/audio/SdlMciSequencer.h"
#include "platform/audio/SdlMp3Player.h"
#include "platform/Clock.h"
#include "platform/decoder/DecoderPool.h"
#include "platform/gui/QtDialogs.h"
#include "platform/gui/SingleInstance.h"
#include "platform/ProcessLauncher.h"
#include "platform/RandomSource.h"
#include "platform/Registry.h"
#include "platform/SoundDevices.h"
#include "show/window/ShowServices.h"
#include "startup/AppRecords.h"

#include <memory>
#include <optional>
#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

class frmAbout;
class PanelExtras;

// The application object: owns the shared records, the platform services and the windows, and
// hands each part what it needs by reference.
class QuirelloApp {
public:
    // `executableFolder`: the application folder; `arguments`: the command line, the program's
    // name first; `startFolder`: the folder the program was started in.
    QuirelloApp(const QString& executableFolder, const QStringList& arguments,
                const QString& startFolder);
    ~QuirelloApp();

    // Loads the panel (which may run a /RUN show first) and shows it; or, when the program
    // already runs for the same PHOTO.INI, hands it the command line instead and gives the
    // status this start ends with.
    std::optional<int> start();

private:
    void openShow();
    void handedOver(const QStringList& arguments, const QString& startFolder);

    QStringList arguments_;
    QString startFolder_;

    AppRecords records_;
    SystemClock clock_;
    UniformRandom random_;
    QtDialogs dialogs_;
    ProcessLauncher launcher_;
    SettingsRegistry registry_{SettingsRegistry::systemFile()};
    // The engine outlives the three players that share it.
    AudioEngine audio_;
    SdlMp3Player mp3_{audio_};
    SdlMciSequencer mci_{audio_};
    SdlCommentSound comment_{audio_};
    SoundDevices sound_{mci_, mp3_, comment_};
    // Every picture is decoded by the decoder helper beside the program.
    DecoderPool pictures_;
    ShowServices showServices_;
    PanelServices panelServices_;
    std::unique_ptr<frmAbout> panel_;
    // The decorations, links, preview and list actions: they go before the panel.
    std::unique_ptr<PanelExtras> extras_;
    std::unique_ptr<SingleInstance> instance_;
    // What later starts handed over before the panel was up.
    std::vector<std::pair<QStringList, QString>> waiting_;
    bool loaded_ = false;
};
