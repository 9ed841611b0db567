#include "AudioFixture.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QtEndian>
#include <QThread>

#include <algorithm>

namespace audiotest {

QString makeTone(const testfiles::Sandbox& box, const QString& file, double seconds, int hertz) {
    const QString path = box.file(file);
    QProcess sox;
    sox.start("sox", {"-n", "-r", "44100", "-c", "1", path, "synth", QString::number(seconds),
                      "sine", QString::number(hertz), "vol", "0.5"});
    const bool ran = sox.waitForFinished(30000) && sox.exitCode() == 0;
    EXPECT_TRUE(ran) << "sox could not make " << path.toStdString() << ": "
                     << sox.readAllStandardError().toStdString();
    return path;
}

namespace {
QByteArray bigEndian32(quint32 v) {
    QByteArray b(4, '\0');
    qToBigEndian(v, b.data());
    return b;
}
QByteArray littleEndian32(quint32 v) {
    QByteArray b(4, '\0');
    qToLittleEndian(v, b.data());
    return b;
}
QByteArray variableLength(quint32 v) {
    QByteArray b(1, char(v & 0x7f));
    while (v >>= 7)
        b.prepend(char((v & 0x7f) | 0x80));
    return b;
}
} // namespace

QByteArray midiNote(double seconds) {
    const int division = 96; // ticks per quarter note; 120 beats a minute by default
    QByteArray track;
    track += variableLength(0) + QByteArray("\xC0\x00", 2);     // piano
    track += variableLength(0) + QByteArray("\x90\x3C\x70", 3); // note on, middle C
    track += variableLength(quint32(seconds * 2 * division)) + QByteArray("\x80\x3C\x00", 3);
    track += variableLength(0) + QByteArray("\xFF\x2F\x00", 3); // end of track
    QByteArray smf = "MThd" + bigEndian32(6) + QByteArray("\x00\x00\x00\x01", 4);
    smf += char(0);
    smf += char(division);
    return smf + "MTrk" + bigEndian32(quint32(track.size())) + track;
}

QByteArray rmidWrap(const QByteArray& smf) {
    QByteArray info = "INFO" + QByteArray("abc"); // odd length: the padding byte is tested too
    QByteArray body = "RMID";
    body += "LIST" + littleEndian32(quint32(info.size())) + info + '\0';
    body += "data" + littleEndian32(quint32(smf.size())) + smf;
    if (smf.size() & 1)
        body += '\0';
    return "RIFF" + littleEndian32(quint32(body.size())) + body;
}

DiskOutput::DiskOutput(const testfiles::Sandbox& box) : path_(box.file("output.raw")) {
    qputenv("SDL_AUDIODRIVER", "disk"); // the test runner asks for the dummy driver
    qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(path_));
}

qint64 DiskOutput::size() const {
    return QFileInfo(path_).size();
}

int DiskOutput::peak(qint64 from, qint64 to) const {
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    from &= ~qint64(3);
    file.seek(from);
    const QByteArray bytes = file.read(std::max<qint64>(0, to - from));
    int result = 0;
    for (qsizetype i = 0; i + 1 < bytes.size(); i += 2) {
        const int sample = qFromLittleEndian<qint16>(bytes.constData() + i);
        result = std::max(result, std::abs(sample));
    }
    return result;
}

int DiskOutput::peakOver(int ms, int skipMs) const {
    QThread::msleep(ulong(skipMs));
    const qint64 from = size();
    QThread::msleep(ulong(ms));
    const qint64 to = size();
    EXPECT_GT(to, from) << "the disk output did not advance";
    return peak(from, to);
}

} // namespace audiotest
