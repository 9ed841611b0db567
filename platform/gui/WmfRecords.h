#pragma once

#include <QByteArray>
#include <QRect>

// Reading a Windows metafile's records without trusting a single size in it.

namespace wmf {

// What the headers say: the placeable header's frame (logical units, `unitsPerInch` to the
// inch) when the file has one, and how many object slots the drawing uses.
struct Header {
    bool placeable = false;
    QRect frame;
    int unitsPerInch = 0;
    int objects = 0;
};

// One record: its function number and its parameters, 16-bit words as the file stores them.
// Reading past the parameters gives 0; callers check `words` before trusting a count.
class Record {
public:
    Record() = default;
    Record(quint16 function, const uchar* params, qsizetype words)
        : function_(function), params_(params), words_(words) {}

    quint16 function() const { return function_; }
    qsizetype words() const { return words_; }
    qint16 s16(qsizetype word) const;
    quint16 u16(qsizetype word) const;
    quint32 u32(qsizetype word) const; // two words, low word first
    quint8 byte(qsizetype at) const;
    // The parameters from `word` on as bytes, or an empty array when `word` is past them.
    QByteArray bytesFrom(qsizetype word) const;
    // True when the parameters hold at least `count` words.
    bool has(qsizetype count) const { return count >= 0 && count <= words_; }

private:
    quint16 function_ = 0;
    const uchar* params_ = nullptr;
    qsizetype words_ = 0;
};

// Walks the records of `bytes`. A record that claims more than the file holds makes the file
// damaged; the end record, or the end of the file on a record boundary, ends the walk.
class Reader {
public:
    explicit Reader(const QByteArray& bytes);
    bool valid() const { return valid_; }
    const Header& header() const { return header_; }
    // The next record, false at the end. `damaged()` says whether the walk stopped on damage.
    bool next(Record& record);
    bool damaged() const { return damaged_; }
    void rewind() { at_ = first_, damaged_ = false, ended_ = false; }

private:
    const QByteArray& bytes_;
    Header header_;
    bool valid_ = false;
    bool damaged_ = false;
    bool ended_ = false;
    qint64 claimedEnd_ = 0; // where the header says the file ends
    qsizetype first_ = 0;
    qsizetype at_ = 0;
};

// The record functions the player knows.
namespace fn {
constexpr quint16 eof = 0x0000;
constexpr quint16 saveDC = 0x001E;
constexpr quint16 realizePalette = 0x0035;
constexpr quint16 setPalEntries = 0x0037;
constexpr quint16 createPalette = 0x00F7;
constexpr quint16 setBkMode = 0x0102;
constexpr quint16 setMapMode = 0x0103;
constexpr quint16 setRop2 = 0x0104;
constexpr quint16 setPolyFillMode = 0x0106;
constexpr quint16 setTextCharExtra = 0x0108;
constexpr quint16 restoreDC = 0x0127;
constexpr quint16 invertRegion = 0x012A;
constexpr quint16 paintRegion = 0x012B;
constexpr quint16 selectClipRegion = 0x012C;
constexpr quint16 selectObject = 0x012D;
constexpr quint16 setTextAlign = 0x012E;
constexpr quint16 dibCreatePatternBrush = 0x0142;
constexpr quint16 deleteObject = 0x01F0;
constexpr quint16 createPatternBrush = 0x01F9;
constexpr quint16 setBkColor = 0x0201;
constexpr quint16 setTextColor = 0x0209;
constexpr quint16 setTextJustification = 0x020A;
constexpr quint16 setWindowOrg = 0x020B;
constexpr quint16 setWindowExt = 0x020C;
constexpr quint16 setViewportOrg = 0x020D;
constexpr quint16 setViewportExt = 0x020E;
constexpr quint16 offsetWindowOrg = 0x020F;
constexpr quint16 offsetViewportOrg = 0x0211;
constexpr quint16 lineTo = 0x0213;
constexpr quint16 moveTo = 0x0214;
constexpr quint16 offsetClipRgn = 0x0220;
constexpr quint16 fillRegion = 0x0228;
constexpr quint16 selectPalette = 0x0234;
constexpr quint16 createPenIndirect = 0x02FA;
constexpr quint16 createFontIndirect = 0x02FB;
constexpr quint16 createBrushIndirect = 0x02FC;
constexpr quint16 polygon = 0x0324;
constexpr quint16 polyline = 0x0325;
constexpr quint16 scaleWindowExt = 0x0410;
constexpr quint16 scaleViewportExt = 0x0412;
constexpr quint16 excludeClipRect = 0x0415;
constexpr quint16 intersectClipRect = 0x0416;
constexpr quint16 ellipse = 0x0418;
constexpr quint16 rectangle = 0x041B;
constexpr quint16 setPixel = 0x041F;
constexpr quint16 frameRegion = 0x0429;
constexpr quint16 textOut = 0x0521;
constexpr quint16 polyPolygon = 0x0538;
constexpr quint16 roundRect = 0x061C;
constexpr quint16 patBlt = 0x061D;
constexpr quint16 escape = 0x0626;
constexpr quint16 createRegion = 0x06FF;
constexpr quint16 arc = 0x0817;
constexpr quint16 pie = 0x081A;
constexpr quint16 chord = 0x0830;
constexpr quint16 bitBlt = 0x0922;
constexpr quint16 dibBitBlt = 0x0940;
constexpr quint16 extTextOut = 0x0A32;
constexpr quint16 stretchBlt = 0x0B23;
constexpr quint16 dibStretchBlt = 0x0B41;
constexpr quint16 setDIBitsToDevice = 0x0D33;
constexpr quint16 stretchDIBits = 0x0F43;
} // namespace fn

// The enhanced metafile the file carries whole in its comment records, or an empty array when
// it carries none or its pieces do not add up.
QByteArray embeddedEmf(const QByteArray& bytes);

// Whether a record of this function makes an object that takes a slot in the object table.
bool createsObject(quint16 function);

} // namespace wmf
