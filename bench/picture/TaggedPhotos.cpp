#include "TaggedPhotos.h"

#include "helpers/DecoderPool.h"

#include <cstdio>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <unistd.h>

namespace {

QSize fitHeight(QSize natural) {
    return QSize(qRound(double(natural.width()) * 1080 / natural.height()), 1080);
}

// The decoder helpers this process started: its children, oldest first.
QStringList helperPids() {
    QStringList pids;
    const QByteArray self = QByteArray::number(getpid());
    for (const QString& entry : QDir("/proc").entryList(QDir::Dirs, QDir::Name)) {
        QFile stat("/proc/" + entry + "/stat");
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray line = stat.readAll();
        const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 1 && fields[1] == self)
            pids << entry;
    }
    std::sort(pids.begin(), pids.end(),
              [](const QString& a, const QString& b) { return a.toInt() < b.toInt(); });
    return pids;
}

double peakMB(const QString& pid) {
    QFile status("/proc/" + pid + "/status");
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024;
    return 0;
}

} // namespace

QString taggedP3Copy(const QString& photo) {
    const QString tagged = QFileInfo(photo).path() + "/" + QFileInfo(photo).baseName() + "-p3.jpg";
    if (QFileInfo::exists(tagged))
        return tagged;
    QFile profileFile(QStringLiteral("/usr/share/color/argyll/ref/DisplayP3.icm"));
    QFile source(photo);
    if (!profileFile.open(QIODevice::ReadOnly) || !source.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "no Display P3 profile (argyll-ref) or no photo\n");
        return {};
    }
    const QByteArray profile = profileFile.readAll();
    const QByteArray jpeg = source.readAll();
    QByteArray segment("\xFF\xE2", 2);
    const int length = 2 + 14 + int(profile.size());
    segment.append(char(length >> 8)).append(char(length & 0xFF));
    segment.append("ICC_PROFILE\0\1\1", 14).append(profile);
    QFile out(tagged);
    if (!out.open(QIODevice::WriteOnly) || out.write(jpeg.left(2) + segment + jpeg.mid(2)) < 0)
        return {};
    return tagged;
}

bool compareTaggedWithUntagged(const QString& photo, int rounds) {
    const QString tagged = taggedP3Copy(photo);
    if (tagged.isEmpty())
        return false;
    // One helper for each, started in turn, so that each one's memory is its own.
    DecoderPool plainHelper({QStringLiteral(QUIRELLO_DECODER_PROGRAM)});
    plainHelper.decode(photo, fitHeight);
    DecoderPool taggedHelper({QStringLiteral(QUIRELLO_DECODER_PROGRAM)});
    taggedHelper.decode(tagged, fitHeight);
    const QStringList pids = helperPids();
    double plainMs = 0;
    double taggedMs = 0;
    for (int r = 0; r < rounds; ++r) {
        for (int turn = 0; turn < 2; ++turn) {
            const bool isTagged = (turn + r) % 2 == 0;
            QElapsedTimer clock;
            clock.start();
            const DecodedPicture picture = isTagged ? taggedHelper.decode(tagged, fitHeight)
                                                    : plainHelper.decode(photo, fitHeight);
            (isTagged ? taggedMs : plainMs) += double(clock.nsecsElapsed()) / 1e6;
            if (!picture.ok())
                return false;
        }
    }
    std::printf("tagged Display P3 against untagged, the same 24-megapixel photo, %d rounds "
                "alternating, each in its own helper:\n",
                rounds);
    std::printf("  untagged %.1f ms, tagged %.1f ms, ratio %.3f (goal <= 1.10, %+.1f ms a "
                "picture)\n",
                plainMs / rounds, taggedMs / rounds, taggedMs / plainMs,
                (taggedMs - plainMs) / rounds);
    if (pids.size() == 2)
        std::printf("  helper's peak resident memory: untagged %.1f MB, tagged %.1f MB\n\n",
                    peakMB(pids[0]), peakMB(pids[1]));
    return true;
}
