#pragma once

#include "FakeShow.h"
#include "show/ShowTick.h"
#include "startup/AppRecords.h"
#include "support/TestFiles.h"

#include <memory>

// One show over the fakes: a 1024 × 768 window, a sandbox show folder, the label at the top,
// a fixed background, speed 10, effect 3, music and comments off.
struct ShowFixture {
    fakeshow::Log log;
    fakeshow::FakeView view{log};
    fakeshow::FakeDialogs dialogs{log};
    fakeshow::FakeYielder yielder{log, view};
    fakeshow::FakeClock clock{yielder};
    fakeshow::FakeRandom random;
    fakeshow::FakeMci mci{log};
    fakeshow::FakeMp3 mp3{log};
    fakeshow::FakeComment comment{log};
    SoundDevices sound{mci, mp3, comment};
    testfiles::Sandbox folder;
    AppRecords records;
    ShowTick tick{records, view, TickServices{dialogs, sound, yielder, clock, random}};

    ShowFixture() {
        ShowSettings& s = records.settings;
        s.ShowFolder = folder.path() + "/";
        s.Effetti = 10;
        s.TipoEffetto = 3;
        s.PosLabel = LabelTop;
        s.RGB_R = 10;
        s.RGB_G = 20;
        s.RGB_B = 30;
        s.AllargaFoto = 1;
        records.ShowRunning = true;
    }

    // Lists `entries`; all decode at `size` pixels except those in `broken`.
    void setPictures(const QStringList& entries, const QStringList& broken = {},
                     TwipsSize size = {1200 * 15, 800 * 15}) {
        records.catalogue.clear();
        for (int i = 0; i < entries.size(); ++i)
            records.catalogue.slots[i + 1] = entries[i];
        records.catalogue.count = int(entries.size());
        records.list.setEntries(entries);
        view.pictures.clear();
        for (const QString& e : entries)
            if (!broken.contains(e))
                view.pictures.insert(path(e), size);
    }

    QString path(const QString& entry) const { return records.settings.ShowFolder + entry; }

    // Runs one tick and returns what it logged.
    fakeshow::Lines runTick() {
        const qsizetype before = log.lines.size();
        tick.Timer1_Timer();
        return log.lines.mid(before);
    }

    // What Fine leaves behind for the next show.
    void endShowLikeFine() {
        records.show.PictureIndex = 0;
        records.show.MusicRestart = true;
    }
};

// The picture files a tick's log loaded, as entries.
inline QStringList loadedEntries(const QStringList& lines, const QString& showFolder) {
    QStringList out;
    for (const QString& l : lines)
        if (l.startsWith("load "))
            out << l.mid(5 + showFolder.size());
    return out;
}
