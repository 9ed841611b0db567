#pragma once

#include "platform/decoder/DecoderPool.h"

// The decoder helper this build made, for the tests that show or preview pictures: they decode
// through it as the program does.
namespace testfiles {

inline QString decoderProgram() {
    return QStringLiteral(QUIRELLO_DECODER_PROGRAM);
}

struct TestDecoder : DecoderPool {
    TestDecoder() : DecoderPool({decoderProgram()}) {}
};

// decodePicture's answer, as the decoder helper gives it.
inline DecodedPicture decodedByHelper(const QString& path, const ShownSizeFor& shownSize) {
    static TestDecoder decoder;
    return decoder.decode(path, shownSize);
}

} // namespace testfiles
