#pragma once

#include "support/TestFiles.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QtEndian>
#include <QThread>

#include <algorithm>

// Sound files made at test time, and the disk output of SDL read back as samples.
namespace audiotest {

// A sine tone made by sox: `file` ends in .wav or .mp3.
inline QString makeTone(const testfiles::Sandbox& box, const QString& file, double seconds,
                        int hertz = 440) {
    const QString path = box.file(file);
    QProcess sox;
    sox.start("sox", {"-n", "-r", "44100", "-c", "1", path, "synth", QString::number(seconds),
                      "sine", QString::number(hertz), "vol", "0.5"});
    EXPECT_TRUE(sox.waitForFinished(30000) && sox.exitCode() == 0)
        << "sox could not make " << path.toStdString();
    return path;
}

inline QByteArray bytes32(quint32 v) {
    return QByteArray(reinterpret_cast<const char*>(&v), 4);
}
inline QByteArray bigEndian32(quint32 v) {
    return bytes32(qToBigEndian(v));
}
inline QByteArray littleEndian32(quint32 v) {
    return bytes32(qToLittleEndian(v));
}

// A standard MIDI file of one piano note held for `seconds` (1 to 80), at 96 ticks to a half
// second.
inline QByteArray midiNote(double seconds) {
    const auto ticks = quint32(seconds * 192);
    QByteArray track("\x00\xC0\x00\x00\x90\x3C\x70", 7); // piano, then note on, middle C
    track += char(0x80 | (ticks >> 7));                  // the delta time in two bytes
    track += char(ticks & 0x7f);
    track += QByteArray("\x80\x3C\x00\x00\xFF\x2F\x00", 7); // note off, end of track
    return "MThd" + bigEndian32(6) + QByteArray("\x00\x00\x00\x01\x00\x60", 6) + "MTrk" +
           bigEndian32(quint32(track.size())) + track;
}

// The same wrapped as RIFF RMID, with an odd-length chunk (and its padding) before the data.
inline QByteArray rmidWrap(const QByteArray& smf) {
    QByteArray body = "RMIDLIST" + littleEndian32(7) + "INFOabc" + '\0';
    body += "data" + littleEndian32(quint32(smf.size())) + smf;
    if (smf.size() & 1)
        body += '\0';
    return "RIFF" + littleEndian32(quint32(body.size())) + body;
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

private:
    QString path_;
};

} // namespace audiotest
