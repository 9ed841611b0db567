#pragma once

#include "decoders/PictureDecoder.h"

#include <functional>
#include <QIODevice>
#include <QString>

// How the helper decodes one picture: decodePicture, or a test build's own.
using HelperDecode = std::function<DecodedPicture(QIODevice& file, const QString& suffix,
                                                  const ShownSizeFor& shownSize)>;

// Ends the helper as soon as the program's end of `socket` is gone, even in the middle of a
// decode that never ends: a helper never outlives its program. Starts a thread, so it is
// called before the helper confines itself.
void endWithTheProgram(int socket);

// The helper's side of the conversation (see DecoderWire.h): serves one picture after another
// on `socket` until the program closes its end. Returns the helper's exit status.
int serveDecoder(int socket, const HelperDecode& decode);
