#pragma once

#include <optional>
#include <QByteArrayView>
#include <QtEndian>

// The TIFF structure inside an EXIF block, read in either byte order; every read is bounded.
class ExifTiff {
public:
    explicit ExifTiff(QByteArrayView bytes) : bytes_(bytes) {
        if (bytes.size() >= 8 && bytes.first(4) == QByteArrayView("II*\0", 4))
            order_ = Order::Little;
        else if (bytes.size() >= 8 && bytes.first(4) == QByteArrayView("MM\0*", 4))
            order_ = Order::Big;
    }
    bool valid() const { return order_ != Order::None; }
    bool fits(qint64 at, qint64 length) const {
        return at >= 0 && length >= 0 && at <= bytes_.size() - length;
    }
    quint16 u16(qint64 at) const {
        const auto* p = reinterpret_cast<const uchar*>(bytes_.data() + at);
        return order_ == Order::Little ? qFromLittleEndian<quint16>(p) : qFromBigEndian<quint16>(p);
    }
    quint32 u32(qint64 at) const {
        const auto* p = reinterpret_cast<const uchar*>(bytes_.data() + at);
        return order_ == Order::Little ? qFromLittleEndian<quint32>(p) : qFromBigEndian<quint32>(p);
    }
    // The first directory (IFD0); 0 when the structure has none.
    qint64 firstDirectory() const {
        const qint64 directory = valid() ? u32(4) : 0;
        return directory >= 8 && fits(directory, 2) ? directory : 0;
    }
    // Where the 12-byte entry of `tag` lies in the directory at `directory`, if it is there.
    std::optional<qint64> entry(qint64 directory, quint16 tag) const {
        if (directory <= 0 || !fits(directory, 2))
            return std::nullopt;
        const int entries = u16(directory);
        for (int i = 0; i < entries; ++i) {
            const qint64 at = directory + 2 + qint64(i) * 12;
            if (!fits(at, 12))
                return std::nullopt;
            if (u16(at) == tag)
                return at;
        }
        return std::nullopt;
    }

private:
    enum class Order { None, Little, Big };
    QByteArrayView bytes_;
    Order order_ = Order::None;
};
