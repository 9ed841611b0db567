#pragma once

#include "decoders/WmfRecordTypes.h"

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

// The enhanced metafile the file carries whole in its comment records, or an empty array when
// it carries none or its pieces do not add up.
QByteArray embeddedEmf(const QByteArray& bytes);

} // namespace wmf
