// quirello-decoder: the program's picture decoder, started by the program itself (never by
// hand) with its socket as descriptor 3. Every picture the program shows is decoded here.
#include "decoders/PictureDecoder.h"
#include "picturehelper/HelperMain.h"

int main(int argc, char** argv) {
    return runDecoderHelper(
        argc, argv, [](QIODevice& file, const QString& suffix, const ShownSizeFor& shownSize) {
            return decodePicture(file, suffix, shownSize);
        });
}
