#pragma once

#include "platform/gui/PictureDecoder.h"

#include <QString>

// Windows metafiles: drawings made of records rather than pixels.
enum class MetafileKind { None, Wmf, Emf };

// What the file's first bytes say it is (the name's extension is not trusted).
MetafileKind metafileKind(const QString& path);

// Renders the metafile at its shown size, or smaller with its proportions kept when that would
// take more pixels than two 4K screens; the natural size is its frame at 96 dots per inch.
DecodedPicture decodeMetafile(const QString& path, MetafileKind kind,
                              const ShownSizeFor& shownSize);
