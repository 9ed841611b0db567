#pragma once

#include "audio/AudioEngine.h"
#include "audio/SdlCommentSound.h"
#include "audio/SdlMciSequencer.h"
#include "audio/SdlMp3Player.h"
#include "helpers/SoundDecoders.h"
#include "support/TestFiles.h"
#include "support/TestSound.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>
#include <QThread>

#include <chrono>

#include <algorithm>

// Sound files made at test time, and the disk output of SDL read back as samples.
namespace audiotest {

// A sine tone made by sox: `file` ends in .wav or .mp3.
inline QString makeTone(const testfiles::Sandbox& box, const QString& file, double seconds,
                        int hertz = 440) {
    const QString path = box.file(file);
    testfiles::make("sox", {"-n", "-r", "44100", "-c", "1", path, "synth", QString::number(seconds),
                            "sine", QString::number(hertz), "vol", "0.5"});
    return path;
}

inline QByteArray littleEndian32(quint32 v) {
    v = qToLittleEndian(v);
    return QByteArray(reinterpret_cast<const char*>(&v), 4);
}

// A standard MIDI file wrapped as RIFF RMID, with an odd-length chunk (and its padding) before the
// data.
inline QByteArray rmidWrap(const QByteArray& smf) {
    QByteArray body = "RMIDLIST" + littleEndian32(7) + "INFOabc" + '\0';
    body += "data" + littleEndian32(quint32(smf.size())) + smf;
    if (smf.size() & 1)
        body += '\0';
    return "RIFF" + littleEndian32(quint32(body.size())) + body;
}

// The demo's piano piece, 48 seconds long, by the project's MIDI writer; wrapped as RMID when
// `file` ends in .rmi.
inline QString makeMidi(const testfiles::Sandbox& box, const QString& file) {
    const QString path = box.file(file);
    testfiles::make("python3", {testfiles::sourceFile("scripts/make-midi.py"), path});
    if (file.endsWith(".rmi"))
        testfiles::write(path, rmidWrap(testfiles::read(path)));
    return path;
}

// Points SDL's disk driver at a file in the sandbox; make it before the engine opens.
class DiskOutput {
public:
    explicit DiskOutput(const testfiles::Sandbox& box) : path_(box.file("output.raw")) {
        qputenv("SDL_AUDIODRIVER", "disk"); // the test runner asks for the dummy driver
        qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(path_));
    }
    // Lets the output run for `ms` milliseconds and returns the largest 16-bit sample written
    // meanwhile, leaving out the first `skipMs` (what was already mixed before).
    int peakOver(int ms, int skipMs = 0) const {
        QThread::msleep(ulong(skipMs));
        const qint64 from = QFileInfo(path_).size() & ~qint64(3);
        QThread::msleep(ulong(ms));
        QFile file(path_);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly) && file.seek(from));
        const QByteArray bytes = file.readAll();
        EXPECT_GT(bytes.size(), 0) << "the disk output did not advance";
        int result = 0;
        for (qsizetype i = 0; i + 1 < bytes.size(); i += 2)
            result = std::max(result, std::abs(int(qFromLittleEndian<qint16>(bytes.data() + i))));
        return result;
    }

    // The largest sample written from byte `from` of the output on.
    int peakFrom(qint64 from = 0) const {
        QFile file(path_);
        if (!file.open(QIODevice::ReadOnly) || !file.seek(from & ~qint64(1)))
            return 0;
        const QByteArray bytes = file.readAll();
        int result = 0;
        for (qsizetype i = 0; i + 1 < bytes.size(); i += 2)
            result = std::max(result, std::abs(int(qFromLittleEndian<qint16>(bytes.data() + i))));
        return result;
    }
    qint64 written() const { return QFileInfo(path_).size(); }

private:
    QString path_;
};

constexpr int Audible = 500; // well above rounding noise, well below any of the test tones

// The devices as the application wires them, writing to a disk file; their files decoded by
// `program`, the sound process of this build or its test build.
struct Devices {
    explicit Devices(const QString& program = testfiles::soundProgram(),
                     std::chrono::milliseconds answerTime = std::chrono::milliseconds(1000))
        : decoding(program, answerTime) {}

    testfiles::Sandbox box;
    DiskOutput output{box};
    SoundDecoders decoding;
    AudioEngine engine;
    SdlMciSequencer mci{engine, decoding};
    SdlMp3Player mp3{engine, decoding};
    SdlCommentSound comment{engine, decoding};

    QString open(const QString& file) const {
        return "open \"" + box.file(file) + "\" type sequencer alias can";
    }
    // What the show sends to start a MIDI piece (without its yield).
    void startMidi(const QString& file) {
        mci.mciSendString("close can");
        ASSERT_TRUE(mci.mciSendString(open(file)));
        ASSERT_TRUE(mci.mciSendString("play can "));
        ASSERT_TRUE(mci.waitUntilLoaded(20000)) << "no General MIDI soundfont";
    }
};

} // namespace audiotest
