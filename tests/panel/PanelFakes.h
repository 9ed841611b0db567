#pragma once

// A control panel (and its controls' types) on a sandbox application folder, with recording
// stand-ins for what it is handed, and the show's opening and the program's end recorded instead of
// carried out.

#include "catalogue/FileOperations.h"
#include "controls/AutoSizeLabel.h"
#include "controls/ColourSample.h"
#include "controls/DirListBox.h"
#include "controls/EditableList.h"
#include "controls/SecondsField.h"
#include "panel/CatalogueControls.h"
#include "panel/frmAbout.h"
#include "panel/PanelExtras.h"
#include "platform/Registry.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsLocation.h"
#include "startup/AppRecords.h"
#include "startup/AppServices.h"
#include "startup/CommandLine.h"
#include "support/Fakes.h"
#include "support/FakeSound.h"
#include "support/SettingsPrinter.h"
#include "support/TestDecoder.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <vector>

namespace panelfakes {

class PanelTest : public ::testing::Test {
protected:
    PanelTest() {
        app = box.path() + QStringLiteral("/app/");
        QDir().mkpath(app);
        records.AppFolder = app; // as the application object sets it before building the panel
        QDir::setCurrent(app);   // started from its own folder, as the program normally is
    }
    ~PanelTest() override { QDir::setCurrent(QDir::tempPath()); }

    // A start of the program, its panel loaded: `arguments` is the command line after the
    // program's name, taken as one argument. The panel's extras exist before the load, as in
    // the program.
    void loadPanel(const QString& arguments = {}) {
        extras_.reset();
        panel.reset(); // before the services it was given
        services.emplace(AppServices{
            .dialogs = dialogs,
            .sound = sound.devices,
            .clock = clock,
            .random = random,
            .launcher = launcher,
            .registry = registry,
            .pictures = pictures,
            .files = files,
            .appFolder = app,
            .argumentText = arguments,
            .open = OpenRequestOf({QStringLiteral("quirello"), arguments}, QDir::currentPath()),
            .settingsLocation = ChooseSettingsLocation(app, configFolder()),
            .openShow =
                [this] {
                    shows.push_back(records.settings);
                    savedAtShow.push_back(saved());
                },
            .endProgram = [this] { ++ends; },
            .rescanned = {}});
        panel = std::make_unique<frmAbout>(records, *services);
        colours = panel->colourBars();
        values = panel->valueLabels();
        start = panel->playControls();
        choices = panel->showChoices();
        extras();
        panel->Form_Load();
    }
    PanelExtras& extras() {
        if (!extras_)
            extras_ = std::make_unique<PanelExtras>(*panel);
        return *extras_;
    }
    void writeIni(const QByteArray& bytes) { testfiles::write(ini(), bytes); }
    // PHOTO.INI where "&Play" keeps it, as the program reads it back (seconds in TempoAttesa).
    std::optional<ShowSettings> saved() const {
        ShowSettings s;
        return ReadSettingsFile(services->settingsLocation.writeFolder, s) ? std::optional(s)
                                                                           : std::nullopt;
    }
    QString ini() const { return app + SettingsFileName; }
    // The user's configuration folder.
    QString configFolder() const { return box.file(QStringLiteral("config/")); }

    testfiles::Sandbox box;
    QString app;
    AppRecords records;
    fakes::ScriptedDialogs dialogs;
    fakes::RecordingLauncher launcher;
    fakes::ScriptedRandom random;
    QStringList soundLog;
    fakes::RecordingSound sound{soundLog};
    // The helper's test build: it decodes as the real one, and stalls on demand.
    testfiles::TestDecoder pictures{{testfiles::hookedDecoderProgram()}};
    SettingsRegistry registry{box.file(QStringLiteral("registro.ini"))}; // empty
    fakes::FixedClock clock;
    DiskFileOperations files;
    std::optional<AppServices> services; // each start's, made by loadPanel
    std::unique_ptr<frmAbout> panel;
    // Its controls by role.
    ColourBars colours;
    ValueLabels values;
    PlayControls start;
    ShowChoices choices;
    std::unique_ptr<PanelExtras> extras_;
    std::vector<ShowSettings> shows;                      // the record as each show opened
    std::vector<std::optional<ShowSettings>> savedAtShow; // PHOTO.INI as each show opened
    int ends = 0;
};

} // namespace panelfakes
