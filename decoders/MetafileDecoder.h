#pragma once

#include "decoders/PictureDecoder.h"

#include <QByteArray>

// Windows metafiles: drawings made of records rather than pixels.
enum class MetafileKind { None, Wmf, Emf };

// How many of a file's first bytes tell whether it is a metafile.
constexpr qint64 metafileHeadSize = 44;

// What the file's first bytes (`head`, up to metafileHeadSize of them) say it is; the name's
// extension is not trusted.
MetafileKind metafileKind(const QByteArray& head);

// Renders the metafile held in `bytes` at its shown size, or smaller with its proportions kept
// when that would take more pixels than two 4K screens; the natural size is its frame at 96
// dots per inch.
DecodedPicture decodeMetafile(const QByteArray& bytes, MetafileKind kind,
                              const ShownSizeFor& shownSize);
