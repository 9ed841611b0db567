#pragma once

#include <QByteArray>
#include <QImage>

// What a picture that has taken over the decoder would try once the helper has confined
// itself. `request` is "NAME ARGUMENT"; the answer is one pixel: red 255 when the escape
// worked, green the errno that refused it.
QImage tryEscape(const QByteArray& request);
