#pragma once

#include "helpers/DecoderPool.h"

#include <mutex>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <unistd.h>

// The decoder helper this build made, for the tests that show or preview pictures: they decode
// through it as the program does.
namespace testfiles {

inline QString decoderProgram() {
    return QStringLiteral(QUIRELLO_DECODER_PROGRAM);
}

// A test build of the helper that crashes on a file beginning with "CRASH", spins for ever on
// "HANG", asks about a huge picture slowly and then sleeps on "STALL", asks for more memory than
// its limit on "HOG", answers with pixels larger than asked on "LIE", reads past a heap block on
// "OVERFLOW", writes the number of bytes after "FLOOD " to its standard error, and tries the
// escape named after "ESCAPE " (tests/hooked_picturehelper/Escapes.h); it decodes any other file as
// the real one does. QUIRELLO_TEST_LANDLOCK_VERSION=N in its environment confines it as on a kernel
// whose Landlock is at most version N (0: none).
inline QString hookedDecoderProgram() {
    return QStringLiteral(QUIRELLO_HOOKED_DECODER_PROGRAM);
}

// Counts the decodes finished of each file name, on whichever thread they ran.
struct TestDecoder : DecoderPool {
    explicit TestDecoder(Options options = {decoderProgram()}) : DecoderPool(std::move(options)) {}
    DecodedPicture decode(const QString& path, const ShownSizeFor& shownSize,
                          std::stop_token stop = {}) override {
        DecodedPicture picture = DecoderPool::decode(path, shownSize, std::move(stop));
        const std::lock_guard lock(mutex_);
        decoded_ << QFileInfo(path).fileName();
        return picture;
    }
    int decodesOf(const QString& name) {
        const std::lock_guard lock(mutex_);
        return int(decoded_.count(name));
    }

private:
    std::mutex mutex_;
    QStringList decoded_;
};

// The processes this one started that still run (helpers among them; not yet reaped ones too).
inline int helpersAlive() {
    int count = 0;
    const QByteArray self = QByteArray::number(::getpid());
    for (const QString& pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile stat(QStringLiteral("/proc/") + pid + QStringLiteral("/stat"));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        // pid (name) state parent ...: the name may hold blanks, so the fields after its ')'.
        const QByteArray line = stat.readAll();
        const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 1 && fields[1] == self && fields[0] != "Z")
            ++count;
    }
    return count;
}

// decodePicture's answer, as the decoder helper gives it.
inline DecodedPicture decodedByHelper(const QString& path, const ShownSizeFor& shownSize) {
    static TestDecoder decoder;
    return decoder.decode(path, shownSize);
}

} // namespace testfiles
