// A show whose comments and music make the sound process crash, hang, lie and stall (files the
// test build of the process misbehaves on): the pictures come one after the other as in a show
// without sound, nothing is said about the sounds, nothing of what they lied about is heard, and
// a key ends the show.
#include "AudioFixture.h"
#include "showwindow/Form1Fakes.h"

#include <gtest/gtest.h>
#include <QTest>
#include <QTimer>

using form1test::ShowWindow;
using form1test::solid;

TEST(HostileSoundShow, GoesOnSilentlyAndEndsOnAKey) {
    audiotest::Devices d(testfiles::hookedSoundProgram(), std::chrono::milliseconds(500));
    SoundDevices sound{d.mci, d.mp3, d.comment};
    ShowWindow s({testfiles::decoderProgram()}, &sound);
    const std::pair<const char*, const char*> files[] = {
        {"a.jpg", nullptr},         {"a.wav", "CRASH"},       {"b.jpg", nullptr},
        {"b.wav", "OVERLONG"},      {"c.jpg", nullptr},       {"c.wav", "HANG"},
        {"Lenta/d.jpg", nullptr},   {"Lenta/x.mp3", "STALL"}, {"Midi/e.jpg", nullptr},
        {"Midi/brano.mid", "RATE"}, {"Muta/f.jpg", nullptr},  {"Muta/y.mp3", "HANG"},
    };
    for (const auto& [name, word] : files) {
        testfiles::write(s.folder.file(name), QByteArray(word ? word : "") + "\n");
        if (!word)
            solid(Qt::green).save(s.folder.file(name));
    }
    s.records.settings.TempoAttesa = 200;
    s.records.settings.Effetti = 0;
    s.records.settings.MusicaFM = 1;
    s.records.settings.SuonoWAV = 1;
    QStringList shown;
    // Each picture shows at its tick; after the last a key ends the show. A timer watches: it
    // runs between any two events.
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, &s.form, [&] {
        const QString current = s.records.show.CurrentPicture;
        if (s.form.shown().pictureVisible && (shown.isEmpty() || shown.last() != current)) {
            shown << current;
            if (shown.size() == 6) {
                watch.stop();
                QTest::keyClick(&s.form, Qt::Key_Space);
            }
        }
    });
    EXPECT_TRUE(s.runShow([&] { watch.start(1); }, 60000)) << "the key did not end the show";
    EXPECT_EQ(shown.size(), 6) << shown.join(' ').toStdString();
    EXPECT_EQ(s.calls.filter("message"), QStringList());
    // The stalled MP3's tone before it stalled, and nothing louder: not what a comment sent
    // beyond what it declared.
    EXPECT_GT(d.output.peakFrom(), audiotest::Audible) << "no sound was tried";
    EXPECT_LT(d.output.peakFrom(), 10000);
    EXPECT_EQ(d.output.peakOver(300), 0) << "a sound went on after the show";
}
