#pragma once

#include <QByteArray>

// Some DIB and RLE files hold a bare bitmap (info header, colour table, pixels) without the
// 14-byte file header that BMP readers look for. Returns the bytes with that header put in
// front, or an empty array when `bytes` does not start with a bitmap info header.
QByteArray withBitmapFileHeader(const QByteArray& bytes);
