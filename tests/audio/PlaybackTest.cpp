#include "audio/MciCommand.h"
#include "AudioFixture.h"
#include "sound/Music.h"
#include "support/Fakes.h"
#include "support/FakeSound.h"
#include "support/HangGuard.h"

#include <gtest/gtest.h>
#include <QDir>
#include <sys/stat.h>

using audiotest::Devices;
constexpr int kSound = audiotest::Audible;

// MP3 sounds until the player's stop, MIDI and RMI until "close can".
TEST(MusicPlayback, EachKindSoundsUntilItsStop) {
    for (const char* name : {"musica.mp3", "tema.mid", "z.rmi"}) {
        Devices d;
        const bool mp3 = QString(name).endsWith(".mp3");
        if (mp3) {
            ASSERT_TRUE(d.mp3.play(audiotest::makeTone(d.box, name, 3)));
        } else {
            audiotest::makeMidi(d.box, name);
            d.startMidi(name);
        }
        EXPECT_GT(d.output.peakOver(250, 150), kSound) << name;
        if (mp3)
            d.mp3.stop();
        else
            EXPECT_TRUE(d.mci.mciSendString("close can"));
        EXPECT_EQ(d.output.peakOver(250, 150), 0) << name;
        d.mp3.stop(); // harmless when nothing plays
    }
}

// MIDI and MP3 share the music stream; a comment has its own channel that no music stop ends.
TEST(MidiPlayback, EachStopLeavesTheOtherSoundsAlone) {
    Devices d;
    audiotest::makeMidi(d.box, "tema.mid");
    d.startMidi("tema.mid");
    d.mp3.stop();
    EXPECT_GT(d.output.peakOver(200, 150), kSound) << "the MP3 stop silenced MIDI";

    ASSERT_TRUE(d.mp3.play(audiotest::makeTone(d.box, "musica.mp3", 5))); // replaces MIDI
    EXPECT_TRUE(d.mci.mciSendString("close can"));
    EXPECT_GT(d.output.peakOver(200, 150), kSound) << "closing MIDI silenced the MP3";
    d.mp3.stop();
    EXPECT_EQ(d.output.peakOver(200, 150), 0) << "the MIDI piece went on under the MP3";

    d.startMidi("tema.mid");
    ASSERT_TRUE(d.comment.sndPlaySound(audiotest::makeTone(d.box, "mare.wav", 3)));
    d.mci.mciSendString("close can");
    d.mp3.stop();
    EXPECT_GT(d.output.peakOver(200, 150), kSound) << "a music stop silenced the comment";
}

// Only the show's own commands work, on an open alias, and only MIDI files open.
TEST(MciCommands, OnlyAnOpenAliasCanBePlayedOrClosedAndOnlyMidiFilesOpen) {
    Devices d;
    QDir().mkpath(d.box.file("a b"));
    audiotest::makeMidi(d.box, "a b/tema.mid");
    testfiles::write(d.box.file("finto.mid"), QByteArray("RIFF\x10\0\0\0WAVE", 12));
    const QString good = d.open("a b/tema.mid");
    const std::pair<QString, bool> steps[] = {
        {"play can ", false},
        {"open \"\" type sequencer alias can", false},
        {"open  type sequencer alias can", false}, // the stop sequence's open
        {"open \"" + d.box.file("a b/tema.mid") + "\" type waveaudio alias can", false},
        {d.open("manca.mid"), false},
        {d.open("finto.mid"), false},
        {"close can", false}, // the failed opens left nothing open
        {good, true},
        {good, false}, // the alias is taken
        {"play can from 0", false},
        {"CLOSE CAN", true}, // MCI words are not case-sensitive
        {"play can", false},
        {good, true},
        {"play can   ", true},
        {"close can", true},
    };
    for (const auto& [command, result] : steps)
        EXPECT_EQ(d.mci.mciSendString(command), result) << command.toStdString();
}

// Quotes are legal in Linux names: the show's open command carries them doubled, and the
// sequencer reads the path back whole, so the folder's MIDI sounds.
TEST(MciCommands, AFolderNamedWithQuotesStillPlaysItsMidi) {
    const std::pair<QString, QString> paths[] = {
        {"\"a \"\"b\"\" c\"", "a \"b\" c"}, {"\"x\"\"\"", "x\""}, {"\"\"\"\"\"\"", "\"\""}};
    for (const auto& [quoted, path] : paths)
        EXPECT_EQ(parseMciCommand("open " + quoted + " type sequencer alias can").path, path)
            << quoted.toStdString();
    for (const char* broken :
         {"open \"a\"b\" type sequencer alias can", "open \"a\"\" type sequencer alias can"})
        EXPECT_EQ(parseMciCommand(broken).verb, MciCommand::Verb::Invalid) << broken;

    Devices d;
    QDir().mkpath(d.box.file("Foto/\"Mare\" 2023"));
    audiotest::makeMidi(d.box, "Foto/\"Mare\" 2023/brano.mid");
    QStringList log;
    fakes::RecordingSound others{log};
    SoundDevices devices{d.mci, others, others};
    bool restart = true;
    fakes::runMusicSteps(
        MusicChange(devices, {d.box.file("Foto/"), "\"Mare\" 2023/", 1, true}, restart), log);
    ASSERT_TRUE(d.mci.waitUntilLoaded(20000)) << "no General MIDI soundfont";
    EXPECT_GT(d.output.peakOver(250, 150), kSound);
    EXPECT_TRUE(d.mci.mciSendString("close can"));
}

TEST(CommentPlayback, ANewCommentCutsTheOldOneAndAFailedOneCutsItToo) {
    Devices d;
    const QString long1 = audiotest::makeTone(d.box, "lungo.wav", 4);
    ASSERT_TRUE(d.comment.sndPlaySound(long1));
    EXPECT_GT(d.output.peakOver(200, 100), kSound);
    ASSERT_TRUE(d.comment.sndPlaySound(audiotest::makeTone(d.box, "breve.wav", 0.1, 880)));
    EXPECT_EQ(d.output.peakOver(200, 300), 0) << "the first comment went on";

    ASSERT_TRUE(d.comment.sndPlaySound(long1));
    EXPECT_FALSE(d.comment.sndPlaySound(d.box.file("manca.wav")));
    EXPECT_EQ(d.output.peakOver(200, 150), 0);
}

// Comments SDL's loader takes only once rewritten: big-endian RIFX and 64-bit floating point,
// as sox writes them. Each sounds at the tone's own level: samples read in the wrong byte order
// or width would come out as noise at full scale, or not at all.
TEST(CommentPlayback, BigEndianAndDoubleFloatCommentsSoundAtTheirLevel) {
    const std::pair<const char*, QStringList> cases[] = {
        {"rifx16.wav", {"-r", "22050", "-c", "1", "-B", "-e", "signed", "-b", "16"}},
        {"rifx24.wav", {"-r", "44100", "-c", "2", "-B", "-e", "signed", "-b", "24"}},
        {"double.wav", {"-r", "44100", "-c", "2", "-e", "floating-point", "-b", "64"}},
        {"rifxdouble.wav", {"-r", "32000", "-c", "1", "-B", "-e", "floating-point", "-b", "64"}},
        {"rifxfloat.wav", {"-r", "44100", "-c", "1", "-B", "-e", "floating-point", "-b", "32"}},
    };
    for (const auto& [name, format] : cases) {
        SCOPED_TRACE(name);
        Devices d;
        testfiles::make(
            "sox", QStringList{"-n"} + format +
                       QStringList{d.box.file(name), "synth", "3", "sine", "440", "vol", "0.5"});
        ASSERT_TRUE(d.comment.sndPlaySound(d.box.file(name)));
        const int peak = d.output.peakOver(250, 150);
        EXPECT_GT(peak, 14000);
        EXPECT_LT(peak, 19000);
    }
}

// A named pipe named like a sound would block the show at its open; a comment whose header
// declares more data than the file holds would be reserved in full. Both are refused, as are a
// missing MP3 and one that is not.
TEST(SoundFiles, NamedPipesAndAnOverlongCommentAreRefusedWithoutBlocking) {
    const HangGuard guard;
    Devices d;
    testfiles::write(d.box.file("rotto.mp3"), QByteArray(4000, 'x'));
    EXPECT_FALSE(d.mp3.play(d.box.file("rotto.mp3")));
    EXPECT_FALSE(d.mp3.play(d.box.file("manca.mp3")));
    for (const char* name : {"tubo.wav", "tubo.mp3", "tubo.mid"})
        ASSERT_EQ(::mkfifo(QFile::encodeName(d.box.file(name)).constData(), 0644), 0);
    EXPECT_FALSE(d.comment.sndPlaySound(d.box.file("tubo.wav")));
    EXPECT_FALSE(d.mp3.play(d.box.file("tubo.mp3")));
    EXPECT_FALSE(d.mci.mciSendString(d.open("tubo.mid")));

    QByteArray wav = testfiles::read(audiotest::makeTone(d.box, "voce.wav", 0.5));
    ASSERT_TRUE(d.comment.sndPlaySound(d.box.file("voce.wav")));
    wav.replace(wav.indexOf("data") + 4, 4, audiotest::littleEndian32(103'000'000));
    testfiles::write(d.box.file("finto.wav"), wav);
    EXPECT_FALSE(d.comment.sndPlaySound(d.box.file("finto.wav")));
}

TEST(NoDevice, EveryOperationIsASilentNoOp) {
    testfiles::Sandbox box;
    qputenv("SDL_AUDIODRIVER", "nessuno");
    const QString mp3 = audiotest::makeTone(box, "musica.mp3", 1);
    const QString wav = audiotest::makeTone(box, "mare.wav", 1);
    audiotest::makeMidi(box, "tema.mid");
    SoundDecoders decoding(testfiles::soundProgram());
    AudioEngine engine;
    SdlMciSequencer mci(engine, decoding);
    SdlMp3Player player(engine, decoding);
    SdlCommentSound comment(engine, decoding);
    for (int round = 0; round < 2; ++round) { // the failure is remembered, not retried
        EXPECT_TRUE(player.play(mp3)) << "the show would report a failure";
        player.stop();
        EXPECT_FALSE(comment.sndPlaySound(wav));
        EXPECT_FALSE(
            mci.mciSendString("open \"" + box.file("tema.mid") + "\" type sequencer alias can"));
        EXPECT_FALSE(mci.mciSendString("play can "));
        EXPECT_FALSE(engine.ready());
    }
}
