#include "decoders/EmbeddedProfile.h"

#include "decoders/ExifTiff.h"

#include <QIODevice>
#include <QList>
#include <QtEndian>
#include <zlib.h>

namespace {

using Kind = EmbeddedProfile::Kind;

// Files are walked by seeking from one block to the next; a file of a million empty blocks
// before its pixels is not a picture anyone made, and must not cost a million reads.
constexpr int MostBlocks = 4096;
// An EXIF block is one JPEG segment at most.
constexpr qint64 MostExifBytes = 64 << 10;

QByteArray readAt(QIODevice& file, qint64 at, qint64 length) {
    if (at < 0 || length < 0 || !file.seek(at))
        return {};
    return file.read(length);
}

quint32 be32(QByteArrayView bytes, qint64 at) {
    return qFromBigEndian<quint32>(bytes.data() + at);
}
quint32 le32(QByteArrayView bytes, qint64 at) {
    return qFromLittleEndian<quint32>(bytes.data() + at);
}

// An ICC profile whose header agrees with its length: a cut one is refused here rather than
// half-read by the colour library.
EmbeddedProfile iccProfile(QByteArray bytes) {
    if (bytes.size() < 132 || bytes.size() > MaxProfileBytes || be32(bytes, 0) > bytes.size() ||
        be32(bytes, 0) < 132 || bytes.sliced(36, 4) != "acsp")
        return {};
    bytes.truncate(be32(bytes, 0));
    return {Kind::Icc, std::move(bytes)};
}

// The profile, when it describes the pixels the file holds (`space`: the ICC header's colour
// space, "RGB ", "GRAY" or "CMYK"); a profile for other pixels is a mistake of its writer, and
// an EXIF mark of Adobe RGB holds for RGB pixels only.
EmbeddedProfile forPixels(EmbeddedProfile profile, QByteArrayView space) {
    if (profile.kind == Kind::Icc && profile.icc.sliced(16, 4) != space)
        return {};
    if (profile.kind == Kind::AdobeRgb && space != "RGB ")
        return {};
    return profile;
}

QByteArrayView jpegSpace(int components) {
    switch (components) {
    case 1:
        return "GRAY";
    case 3:
        return "RGB ";
    case 4:
        return "CMYK";
    default:
        return "none";
    }
}

// JPEG: the profile is cut into APP2 segments "ICC_PROFILE\0", sequence number, count, data.
// They must come in order, numbered 1 to the count each names, none missing or repeated.
class JpegChunks {
public:
    // The chunk whose body (tag, numbers, data) lies at `at`, `length` bytes long. Once the
    // chunks cannot make a profile, or would make one too large, no more of them is read.
    void add(QIODevice& file, qint64 at, qint64 length) {
        if (broken_)
            return;
        broken_ = bytes_.size() + length - 14 > MaxProfileBytes;
        const QByteArray body = broken_ ? QByteArray() : readAt(file, at, length);
        if (broken_ || body.size() != length)
            return markBroken();
        const auto sequence = uchar(body[12]);
        const auto count = uchar(body[13]);
        if (count == 0 || (count_ != 0 && count != count_) || sequence != next_)
            return markBroken();
        count_ = count;
        ++next_;
        bytes_.append(QByteArrayView(body).sliced(14));
    }
    bool seen() const { return broken_ || count_ != 0; }
    EmbeddedProfile profile() const {
        if (broken_ || count_ == 0 || next_ != count_ + 1)
            return {};
        return iccProfile(bytes_);
    }

private:
    void markBroken() {
        broken_ = true;
        bytes_.clear();
    }
    QByteArray bytes_;
    int count_ = 0;
    int next_ = 1;
    bool broken_ = false;
};

EmbeddedProfile jpegProfile(QIODevice& file) {
    static constexpr QByteArrayView IccTag("ICC_PROFILE\0", 12);
    static constexpr QByteArrayView ExifTag("Exif\0\0", 6);
    JpegChunks chunks;
    bool adobeRgb = false;
    bool exifSeen = false;
    int components = 0;
    qint64 at = 2;
    for (int block = 0; block < MostBlocks; ++block) {
        const QByteArray head = readAt(file, at, 4);
        if (head.size() < 4 || uchar(head[0]) != 0xFF)
            break;
        const auto marker = uchar(head[1]);
        if (marker == 0xFF) { // a fill byte before the marker
            ++at;
            continue;
        }
        if (marker == 0xDA || marker == 0xD9) // the scan starts, or the picture ends
            break;
        const qint64 length = qFromBigEndian<quint16>(head.constData() + 2);
        if (length < 2)
            break;
        // A frame header (SOF0 to SOF15, but DHT, JPG and DAC) tells the colour components.
        const bool frame =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame && length >= 2 + 6) {
            const QByteArray body = readAt(file, at + 4, 6);
            if (body.size() == 6)
                components = uchar(body[5]);
        } else if (marker == 0xE2 && length >= 2 + 14) {
            if (readAt(file, at + 4, IccTag.size()) == IccTag)
                chunks.add(file, at + 4, length - 2);
        } else if (marker == 0xE1 && !exifSeen && length > 2 + 6) {
            const QByteArray body = readAt(file, at + 4, qMin(length - 2, MostExifBytes));
            if (body.startsWith(ExifTag)) {
                exifSeen = true;
                adobeRgb = exifMarksAdobeRgb(QByteArrayView(body).sliced(6));
            }
        }
        at += 2 + length;
    }
    // Chunks that do not make a profile leave the picture untagged, whatever its EXIF says.
    if (chunks.seen())
        return forPixels(chunks.profile(), jpegSpace(components));
    return forPixels(adobeRgb ? EmbeddedProfile{Kind::AdobeRgb, {}} : EmbeddedProfile{},
                     jpegSpace(components));
}

// The bytes zlib inflates from `compressed`, or nothing when they are damaged or would exceed
// `most`: a small chunk may not unpack into a large allocation.
QByteArray inflated(QByteArrayView compressed, qsizetype most) {
    z_stream stream{};
    if (inflateInit(&stream) != Z_OK)
        return {};
    QByteArray out(qMin<qsizetype>(most, qMax<qsizetype>(compressed.size() * 4, 4096)), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(compressed.data()));
    stream.avail_in = uInt(compressed.size());
    int status = Z_OK;
    while (status == Z_OK) {
        if (stream.total_out == uLong(out.size())) {
            if (out.size() >= most)
                break;
            out.resize(qMin(most, out.size() * 2));
        }
        stream.next_out = reinterpret_cast<Bytef*>(out.data() + stream.total_out);
        stream.avail_out = uInt(out.size() - qsizetype(stream.total_out));
        status = inflate(&stream, Z_NO_FLUSH);
    }
    const bool ended = status == Z_STREAM_END;
    out.truncate(qsizetype(stream.total_out));
    inflateEnd(&stream);
    return ended ? out : QByteArray();
}

// PNG iCCP: keyword (1 to 79 bytes), NUL, compression method 0, zlib stream.
EmbeddedProfile pngIccChunk(QByteArrayView data) {
    const qsizetype nul = data.indexOf('\0');
    if (nul < 1 || nul > 79 || nul + 2 > data.size() || data[nul + 1] != '\0')
        return {};
    return iccProfile(inflated(data.sliced(nul + 2), MaxProfileBytes));
}

EmbeddedProfile pngProfile(QIODevice& file) {
    // The most a compressed profile of MaxProfileBytes could take.
    constexpr qint64 MostChunk = MaxProfileBytes + (MaxProfileBytes >> 8) + 1024;
    EmbeddedProfile tagged;
    bool adobeRgb = false;
    QByteArrayView space = "none";
    // Only the first chunk of each type counts (a file holds one): a file of many large chunks
    // is not unpacked many times.
    QList<QByteArray> seen;
    qint64 at = 8;
    for (int block = 0; block < MostBlocks; ++block) {
        const QByteArray head = readAt(file, at, 8);
        if (head.size() < 8)
            break;
        const qint64 length = be32(head, 0);
        const QByteArrayView type = QByteArrayView(head).sliced(4);
        if (type == "IDAT" || type == "IEND" || length > 0x7FFFFFFF)
            break;
        if (type == "IHDR" && length == 13) {
            // Colour types 0 and 4 are grey (with alpha), 2, 3 and 6 RGB (palette, alpha).
            const QByteArray header = readAt(file, at + 8, 13);
            const int colourType = header.size() == 13 ? uchar(header[9]) : -1;
            space = colourType == 0 || colourType == 4 ? "GRAY" : "RGB ";
        }
        const bool wanted = (type == "iCCP" || type == "sRGB" || type == "eXIf") &&
                            !seen.contains(type) && tagged.kind == Kind::None;
        if (wanted)
            seen << type.toByteArray();
        if (wanted && length <= MostChunk) {
            // The chunk's type and data, and its CRC: a damaged chunk is passed over, as
            // PNG readers do with damaged ancillary chunks.
            const QByteArray chunk = readAt(file, at + 4, length + 8);
            if (chunk.size() == length + 8 &&
                crc32(0, reinterpret_cast<const Bytef*>(chunk.constData()), uInt(length + 4)) ==
                    be32(chunk, length + 4)) {
                const QByteArrayView data = QByteArrayView(chunk).sliced(4, length);
                if (type == "iCCP")
                    tagged = pngIccChunk(data);
                else if (type == "sRGB")
                    tagged = {Kind::Srgb, {}};
                else
                    adobeRgb = exifMarksAdobeRgb(data);
            }
        }
        at += 12 + length;
    }
    if (tagged.kind == Kind::None && adobeRgb)
        tagged.kind = Kind::AdobeRgb;
    return forPixels(tagged, space);
}

// WebP: a RIFF file of chunks; the extended format's ICCP chunk is the profile.
EmbeddedProfile webpProfile(QIODevice& file) {
    EmbeddedProfile tagged;
    bool adobeRgb = false;
    bool extended = false;
    bool exifSeen = false;
    bool iccSeen = false;
    qint64 at = 12;
    for (int block = 0; block < MostBlocks; ++block) {
        const QByteArray head = readAt(file, at, 8);
        if (head.size() < 8)
            break;
        const qint64 length = le32(head, 4);
        const QByteArrayView type = QByteArrayView(head).first(4);
        if (block == 0)
            extended = type == "VP8X";
        if (!extended)
            break;
        if (type == "ICCP" && !iccSeen) {
            iccSeen = true;
            if (length <= MaxProfileBytes)
                tagged = iccProfile(readAt(file, at + 8, length));
        } else if (type == "EXIF" && !exifSeen && length <= MostExifBytes) {
            exifSeen = true;
            const QByteArray exif = readAt(file, at + 8, length);
            // Some writers keep the JPEG segment's "Exif\0\0" in front of the TIFF structure.
            adobeRgb = exifMarksAdobeRgb(exif.startsWith(QByteArrayView("Exif\0\0", 6))
                                             ? QByteArrayView(exif).sliced(6)
                                             : QByteArrayView(exif));
        }
        at += 8 + length + (length & 1);
    }
    if (tagged.kind == Kind::None && adobeRgb)
        tagged.kind = Kind::AdobeRgb;
    return forPixels(tagged, "RGB ");
}

// A bitmap's version 5 info header at `headerAt` may embed a profile, placed from the header's
// start; a linked profile names a file, which is never opened.
EmbeddedProfile bitmapProfile(QIODevice& file, qint64 headerAt) {
    constexpr quint32 V5HeaderSize = 124;
    constexpr quint32 SrgbSpace = 0x73524742;    // 'sRGB'
    constexpr quint32 WindowsSpace = 0x57696E20; // 'Win '
    constexpr quint32 Embedded = 0x4D424544;     // 'MBED'
    const QByteArray header = readAt(file, headerAt, V5HeaderSize);
    if (header.size() < 60 || le32(header, 0) < 108)
        return {};
    const quint32 space = le32(header, 56);
    if (space == SrgbSpace || space == WindowsSpace)
        return {Kind::Srgb, {}};
    if (space != Embedded || header.size() < qsizetype(V5HeaderSize) ||
        le32(header, 0) < V5HeaderSize)
        return {};
    const quint32 offset = le32(header, 112);
    const quint32 size = le32(header, 116);
    if (size > MaxProfileBytes)
        return {};
    return forPixels(iccProfile(readAt(file, headerAt + qint64(offset), size)), "RGB ");
}

// The value held in a TIFF entry's own four bytes, when it is one SHORT or LONG.
std::optional<quint32> inlineNumber(const ExifTiff& tiff, std::optional<qint64> entry) {
    constexpr quint16 TypeShort = 3;
    constexpr quint16 TypeLong = 4;
    if (!entry || tiff.u32(*entry + 4) != 1)
        return std::nullopt;
    switch (tiff.u16(*entry + 2)) {
    case TypeShort:
        return tiff.u16(*entry + 8);
    case TypeLong:
        return tiff.u32(*entry + 8);
    default:
        return std::nullopt;
    }
}

} // namespace

bool exifMarksAdobeRgb(QByteArrayView bytes) {
    constexpr quint16 ExifDirectoryTag = 0x8769;
    constexpr quint16 ColourSpaceTag = 0xA001;
    constexpr quint16 InteroperabilityTag = 0xA005;
    constexpr quint16 InteroperabilityIndexTag = 0x0001;
    constexpr quint32 Uncalibrated = 0xFFFF;
    const ExifTiff tiff(bytes);
    const auto exif = inlineNumber(tiff, tiff.entry(tiff.firstDirectory(), ExifDirectoryTag));
    if (!exif)
        return false;
    const auto space = inlineNumber(tiff, tiff.entry(*exif, ColourSpaceTag));
    const auto interoperability = inlineNumber(tiff, tiff.entry(*exif, InteroperabilityTag));
    if (space != Uncalibrated || !interoperability)
        return false;
    // "R03" with its NUL: four ASCII bytes, held in the entry itself.
    const auto index = tiff.entry(*interoperability, InteroperabilityIndexTag);
    return index && tiff.u32(*index + 4) == 4 &&
           bytes.sliced(*index + 8, 4) == QByteArrayView("R03\0", 4);
}

EmbeddedProfile embeddedProfile(QIODevice& file) {
    const QByteArray head = readAt(file, 0, 16);
    if (head.startsWith("\xFF\xD8\xFF"))
        return jpegProfile(file);
    if (head.startsWith("\x89PNG\r\n\x1A\n"))
        return pngProfile(file);
    if (head.startsWith("RIFF") && head.mid(8, 4) == "WEBP")
        return webpProfile(file);
    if (head.startsWith("BM"))
        return bitmapProfile(file, 14);
    return {};
}
