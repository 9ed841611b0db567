#pragma once

#include <QString>

// `photo` with Display P3's profile (argyll-ref's) put in as a phone puts it, in APP2 chunks
// after the start of the file, the pixels untouched; kept beside it. Empty when it cannot be.
QString taggedP3Copy(const QString& photo);

// A 24-megapixel photo tagged Display P3 against the same photo untagged, each decoded to the
// screen size by a decoder helper of its own, alternating: the milliseconds of each, and each
// helper's resident high-water mark. Prints the figures; false when a decode failed.
bool compareTaggedWithUntagged(const QString& photo, int rounds);
