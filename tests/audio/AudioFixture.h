#pragma once

#include "support/TestFiles.h"

#include <QByteArray>
#include <QString>

// Sound files made at test time, and the disk output of SDL read back as samples.
namespace audiotest {

// A sine tone made by sox: `file` ends in .wav or .mp3.
QString makeTone(const testfiles::Sandbox& box, const QString& file, double seconds,
                 int hertz = 440);

// A standard MIDI file of one piano note held for `seconds`.
QByteArray midiNote(double seconds);
// The same wrapped as RIFF RMID, with a chunk before its data chunk.
QByteArray rmidWrap(const QByteArray& smf);

// Points SDL's disk driver at a file in the sandbox; call before the engine opens.
class DiskOutput {
public:
    explicit DiskOutput(const testfiles::Sandbox& box);
    // Bytes written so far.
    qint64 size() const;
    // The largest absolute sample between two byte offsets (16-bit stereo).
    int peak(qint64 from, qint64 to) const;
    // Lets the output run for `ms` milliseconds and returns the largest sample written
    // meanwhile, leaving out the first `skipMs` (what was already mixed before).
    int peakOver(int ms, int skipMs = 0) const;

private:
    QString path_;
};

} // namespace audiotest
