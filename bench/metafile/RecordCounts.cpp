#include "RecordCounts.h"

#include "decoders/EmfRecords.h"
#include "decoders/EmfRecordTypes.h"
#include "decoders/MetafileDecoder.h"
#include "decoders/WmfRecords.h"

#include <cstdio>
#include <map>
#include <QFile>

namespace {

// The names of the records writers use most; others are printed by number.
const std::map<quint32, const char*> emfNames = {
    {1, "HEADER"},
    {3, "POLYGON"},
    {4, "POLYLINE"},
    {5, "POLYBEZIERTO"},
    {6, "POLYLINETO"},
    {8, "POLYPOLYGON"},
    {14, "EOF"},
    {22, "SETTEXTALIGN"},
    {27, "MOVETOEX"},
    {30, "INTERSECTCLIPRECT"},
    {33, "SAVEDC"},
    {34, "RESTOREDC"},
    {37, "SELECTOBJECT"},
    {38, "CREATEPEN"},
    {39, "CREATEBRUSHINDIRECT"},
    {40, "DELETEOBJECT"},
    {54, "LINETO"},
    {59, "BEGINPATH"},
    {60, "ENDPATH"},
    {61, "CLOSEFIGURE"},
    {62, "FILLPATH"},
    {63, "STROKEANDFILLPATH"},
    {64, "STROKEPATH"},
    {67, "SELECTCLIPPATH"},
    {70, "GDICOMMENT"},
    {76, "BITBLT"},
    {77, "STRETCHBLT"},
    {78, "MASKBLT"},
    {81, "STRETCHDIBITS"},
    {82, "EXTCREATEFONTINDIRECTW"},
    {84, "EXTTEXTOUTW"},
    {114, "ALPHABLEND"},
    {116, "TRANSPARENTBLT"},
    {118, "GRADIENTFILL"},
};

QString emfName(quint32 type) {
    const auto found = emfNames.find(type);
    return found == emfNames.end() ? QString::number(type) : QString(found->second);
}

void print(const QString& path, const std::map<QString, int>& counts) {
    std::printf("%s\n", qPrintable(path));
    for (const auto& [name, count] : counts)
        std::printf("  %7d  %s\n", count, qPrintable(name));
}

std::map<QString, int> emfCounts(const QByteArray& bytes) {
    std::map<QString, int> counts;
    emf::Records records(bytes);
    while (const std::optional<emf::Record> r = records.next()) {
        QString name = emfName(r->type());
        // The raster operation's place in each bitmap record.
        const quint32 ropAt = r->type() == emf::emr::stretchDiBits ? 68 : 40;
        if (r->type() == emf::emr::bitBlt || r->type() == emf::emr::stretchBlt ||
            r->type() == emf::emr::maskBlt || r->type() == emf::emr::stretchDiBits)
            name += QStringLiteral(" rop %1").arg(r->u32(ropAt), 8, 16, QChar(u'0'));
        if (r->type() == emf::emr::comment && r->u32(12) == 0x2B464D45) {
            name += QStringLiteral(" EMF+");
            const quint64 end = 12 + quint64(r->u32(8));
            for (quint64 at = 16; at + 12 <= end && r->fits(quint32(at), 12);) {
                ++counts[QStringLiteral("  EMF+ %1 flags %2")
                             .arg(r->u16(quint32(at)), 4, 16, QChar(u'0'))
                             .arg(r->u16(quint32(at + 2)), 4, 16, QChar(u'0'))];
                const quint32 size = r->u32(quint32(at + 4));
                if (size < 12)
                    break;
                at += size;
            }
        }
        ++counts[name];
        if (r->type() == emf::emr::eof)
            break;
    }
    return counts;
}

std::map<QString, int> wmfCounts(const QByteArray& bytes) {
    std::map<QString, int> counts;
    wmf::Reader reader(bytes);
    wmf::Record r;
    while (reader.next(r)) {
        QString name = QStringLiteral("0x%1").arg(r.function(), 4, 16, QChar(u'0'));
        switch (r.function()) {
        case wmf::meta::patBlt:
        case wmf::meta::bitBlt:
        case wmf::meta::dibBitBlt:
        case wmf::meta::stretchBlt:
        case wmf::meta::dibStretchBlt:
        case wmf::meta::stretchDib:
            name += QStringLiteral(" rop %1").arg(r.u32(0), 8, 16, QChar(u'0'));
            break;
        case wmf::meta::escape:
            name += QStringLiteral(" escape %1").arg(r.u16(0));
            if (r.u32(2) == 0x43464D57)
                name += QStringLiteral(" carrying an EMF");
            break;
        default:
            break;
        }
        ++counts[name];
    }
    if (!wmf::embeddedEmf(bytes).isEmpty())
        for (const auto& [name, count] : emfCounts(wmf::embeddedEmf(bytes)))
            counts[QStringLiteral("carried EMF: ") + name] += count;
    return counts;
}

} // namespace

void printRecordCounts(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::printf("%s: cannot be read\n", qPrintable(path));
        return;
    }
    const QByteArray bytes = file.readAll();
    switch (metafileKind(bytes.left(metafileHeadSize))) {
    case MetafileKind::Wmf:
        print(path, wmfCounts(bytes));
        break;
    case MetafileKind::Emf:
        print(path, emfCounts(bytes));
        break;
    default:
        std::printf("%s: not a metafile\n", qPrintable(path));
    }
}
