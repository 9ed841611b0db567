#pragma once

#include "FakeShow.h"
#include "show/ShowTick.h"
#include "startup/AppRecords.h"
#include "support/TestFiles.h"

// One show over the fakes: a 1024 × 768 window, a sandbox show folder, the label at the top,
// a fixed background, speed 10, effect 3, music and comments off.
struct ShowFixture {
    fakeshow::Lines log;
    fakeshow::FakeView view{log};
    fakeshow::Recorder rec{log, view};
    fakeshow::ClockAndRandom clock{rec};
    SoundDevices sound{rec, rec, rec};
    testfiles::Sandbox folder;
    AppRecords records;
    ShowTick tick{records, view, TickServices{rec, sound, rec, clock, clock}};

    ShowFixture() {
        ShowSettings& s = records.settings;
        s.ShowFolder = folder.path() + "/";
        s.Effetti = 10;
        s.TipoEffetto = 3;
        s.RGB_R = 10;
        s.RGB_G = 20;
        s.RGB_B = 30;
        s.AllargaFoto = 1;
        records.ShowRunning = true;
    }

    // Lists `entries`; all decode at `size` twips except those in `broken`.
    void setPictures(const QStringList& entries, const QStringList& broken = {},
                     TwipsSize size = {1200 * 15, 800 * 15}) {
        records.catalogue.clear();
        for (int i = 0; i < entries.size(); ++i)
            records.catalogue.slots[i + 1] = entries[i];
        records.list.setEntries(entries);
        view.pictures.clear();
        for (const QString& e : entries)
            if (!broken.contains(e))
                view.pictures.insert(records.settings.ShowFolder + e, size);
    }

    // Runs one tick and returns what it logged.
    fakeshow::Lines runTick() {
        const qsizetype before = log.size();
        tick.Timer1_Timer();
        return log.mid(before);
    }

    // The entries a tick's log loaded.
    QStringList loaded(const QStringList& lines) const {
        QStringList out;
        for (const QString& l : lines)
            if (l.startsWith("load "))
                out << l.mid(5 + records.settings.ShowFolder.size());
        return out;
    }

    // What Fine leaves behind for the next show.
    void endShowLikeFine() {
        view.open = false;
        records.show.PictureIndex = 0;
        records.show.MusicRestart = true;
    }
};
