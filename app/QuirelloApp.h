#pragma once

#include "audio/AudioEngine.h"
#include "audio/SdlCommentSound.h"
#include "audio/SdlMciSequencer.h"
#include "audio/SdlMp3Player.h"
#include "catalogue/FileOperations.h"
#include "desktop/QtDialogs.h"
#include "desktop/SingleInstance.h"
#include "helpers/DecoderPool.h"
#include "helpers/SoundDecoders.h"
#include "platform/Clock.h"
#include "platform/ProcessLauncher.h"
#include "platform/RandomSource.h"
#include "platform/Registry.h"
#include "platform/SoundDevices.h"
#include "startup/AppRecords.h"
#include "startup/AppServices.h"

#include <memory>
#include <optional>
#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

class Form1;
class frmAbout;
class PanelExtras;

// The application object: owns the shared records, the platform services and the windows, and
// hands the panel and each show window the records and the one bundle of services by reference.
class QuirelloApp {
public:
    // `executableFolder`: the application folder; `arguments`: the command line, the program's
    // name first; `startFolder`: the folder the program was started in.
    QuirelloApp(const QString& executableFolder, const QStringList& arguments,
                const QString& startFolder);
    ~QuirelloApp();

    // Loads the panel (which may open a /RUN show first) and shows it (once that show has ended);
    // or, when the program already runs for the same PHOTO.INI, hands it the command line instead
    // and gives the status this start ends with.
    std::optional<int> start();

private:
    void openShow();
    // The panel shown after the load (and after its /RUN show), then what was handed over
    // meanwhile.
    void panelUp();
    void handedOver(const QStringList& arguments, const QString& startFolder);

    QStringList arguments_;
    QString startFolder_;

    AppRecords records_;
    SystemClock clock_;
    UniformRandom random_;
    QtDialogs dialogs_;
    ProcessLauncher launcher_;
    SettingsRegistry registry_{SettingsRegistry::systemFile()};
    // The sound files are decoded by the sound processes beside the program; the engine plays
    // what they send. Both outlive the three players that share them.
    SoundDecoders soundDecoding_;
    AudioEngine audio_;
    SdlMp3Player mp3_{audio_, soundDecoding_};
    SdlMciSequencer mci_{audio_, soundDecoding_};
    SdlCommentSound comment_{audio_, soundDecoding_};
    SoundDevices sound_{mci_, mp3_, comment_};
    // Every picture is decoded by the decoder helper beside the program.
    DecoderPool pictures_;
    DiskFileOperations files_;
    // Built last: it names the services above.
    AppServices services_;
    std::unique_ptr<frmAbout> panel_;
    // The decorations, links, preview and list actions: they go before the panel.
    std::unique_ptr<PanelExtras> extras_;
    std::unique_ptr<SingleInstance> instance_;
    Form1* show_ = nullptr; // the show window while a show runs

    // What later starts handed over before the panel was up.
    std::vector<std::pair<QStringList, QString>> waiting_;
    bool loaded_ = false;
};
