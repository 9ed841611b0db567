// quirello-decoder: the program's picture decoder, started by the program itself (never by
// hand) with its socket as descriptor 3. Every picture the program shows is decoded here.
#include "platform/decoder/HelperMain.h"
#include "platform/gui/PictureDecoder.h"

// libemf2svg calls fontconfig's FcFini after each conversion, which tears down the fonts Qt
// still uses: the next text Qt draws asserts. Fontconfig is cleaned up by the process ending.
extern "C" void FcFini() {}

int main(int argc, char** argv) {
    return runDecoderHelper(
        argc, argv, [](QIODevice& file, const QString& suffix, const ShownSizeFor& shownSize) {
            return decodePicture(file, suffix, shownSize);
        });
}
