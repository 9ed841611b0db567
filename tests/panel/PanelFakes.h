#pragma once

// Recording stand-ins for what the control panel is handed, and a panel set up on a sandbox
// application folder.

#include "panel/CatalogueControls.h"
#include "panel/frmAbout.h"
#include "panel/PanelServices.h"
#include "platform/Dialogs.h"
#include "platform/Launcher.h"
#include "platform/RandomSource.h"
#include "settings/SettingsFile.h"
#include "sound/SoundDevices.h"
#include "startup/AppRecords.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>
#include <memory>
#include <QDir>
#include <QStringList>
#include <vector>

namespace panelfakes {

struct MessageDialogs final : Dialogs {
    QStringList messages;
    void message(const QString& text) override { messages << text; }
    bool confirm(const QString& text) override {
        messages << text;
        return true;
    }
    QString inputBox(const QString&, const QString&, const QString& initial, int) override {
        return initial;
    }
};

struct CommandLauncher final : Launcher {
    std::vector<std::pair<QString, WindowStyle>> runs;
    bool run(const QString& commandLine, WindowStyle style) override {
        runs.emplace_back(commandLine, style);
        return true;
    }
};

// Returns the given numbers in turn, over and over.
struct CyclingRandom final : RandomSource {
    std::vector<double> numbers{0.5};
    std::size_t next_ = 0;
    void reseed(double) override {}
    double next() override { return numbers[next_++ % numbers.size()]; }
};

struct StopCountingMp3 final : Mp3Player {
    int stops = 0;
    void stop() override { ++stops; }
    bool play(const QString&) override { return true; }
};

// A panel on a fresh application folder, with the show opening and the program's end
// recorded instead of carried out.
class PanelTest : public ::testing::Test {
protected:
    PanelTest() {
        app = box.path() + QStringLiteral("/app/");
        QDir().mkpath(app);
        services.executableFolder = app;
        // Started from its own folder, as the program normally is.
        QDir::setCurrent(app);
    }
    ~PanelTest() override { QDir::setCurrent(QDir::tempPath()); }

    // Creates the panel; `arguments` is the command line after the program's name.
    void makePanel(const QString& arguments = {}) {
        services.argumentText = arguments;
        services.openShow = [this] {
            shows.push_back(records.settings);
            iniAtShow.push_back(testfiles::read(ini()));
        };
        services.endProgram = [this] { ++ends; };
        panel = std::make_unique<frmAbout>(records, services);
    }
    void loadPanel(const QString& arguments = {}) {
        makePanel(arguments);
        panel->Form_Load();
    }
    void writeIni(const QByteArray& bytes) { testfiles::write(ini(), bytes); }
    QString ini() const { return app + SettingsFileName; }

    testfiles::Sandbox box;
    QString app;
    AppRecords records;
    MessageDialogs dialogs;
    CommandLauncher launcher;
    CyclingRandom random;
    StopCountingMp3 mp3;
    PanelServices services{dialogs, launcher, random, mp3, QString(), QString(), {}, {}};
    std::unique_ptr<frmAbout> panel;
    std::vector<ShowSettings> shows;   // the record as each show opened
    std::vector<QByteArray> iniAtShow; // PHOTO.INI as each show opened
    int ends = 0;
};

} // namespace panelfakes
