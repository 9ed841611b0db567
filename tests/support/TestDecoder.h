#pragma once

#include "platform/decoder/DecoderPool.h"

#include <mutex>
#include <QFileInfo>
#include <QStringList>

// The decoder helper this build made, for the tests that show or preview pictures: they decode
// through it as the program does.
namespace testfiles {

inline QString decoderProgram() {
    return QStringLiteral(QUIRELLO_DECODER_PROGRAM);
}

// A test build of the helper that crashes on a file beginning with "CRASH", spins for ever on
// "HANG", asks for more memory than its limit on "HOG", answers with pixels larger than asked
// on "LIE", reads past a heap block on "OVERFLOW", writes the number of bytes after "FLOOD " to
// its standard error, and tries the escape named after "ESCAPE " (tests/hooked_decoder/Escapes.h);
// it decodes any other file as the real one does.
// QUIRELLO_TEST_LANDLOCK_VERSION=N in its environment confines it as on a kernel whose Landlock is
// at most version N (0: none).
inline QString hookedDecoderProgram() {
    return QStringLiteral(QUIRELLO_HOOKED_DECODER_PROGRAM);
}

// Counts the decodes finished of each file name, on whichever thread they ran.
struct TestDecoder : DecoderPool {
    explicit TestDecoder(Options options = {decoderProgram()}) : DecoderPool(std::move(options)) {}
    DecodedPicture decode(const QString& path, const ShownSizeFor& shownSize) override {
        DecodedPicture picture = DecoderPool::decode(path, shownSize);
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

// decodePicture's answer, as the decoder helper gives it.
inline DecodedPicture decodedByHelper(const QString& path, const ShownSizeFor& shownSize) {
    static TestDecoder decoder;
    return decoder.decode(path, shownSize);
}

} // namespace testfiles
